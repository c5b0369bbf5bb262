#pragma once

#include "print/PageComposer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <cstdint>
#include <optional>

class DeviceContext;

// The printer as a print run sees it: whether one is installed, the printer
// dialog, and one job of one page at a time. The Qt printer
// (print/printer/QtPrinterDevice) implements it, and so does the tests'
// recording printer.
class PrinterDevice {
public:
    enum class Availability {
        NoPrinter, // nothing installed
        NoDefault, // printers installed, none of them the default
        Default,
    };

    // What the printer dialog opens with the first time; afterwards it opens
    // as the user left it.
    struct DialogPreset {
        int32_t paperCode = kPaperA4; // 1 Letter, 9 A4
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
    };

    // One print job of one page.
    struct JobSetup {
        QString title; // the job's name in the printer's queue
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        // The sheet the page is printed on; none: the paper chosen in the
        // printer dialog. A pre-cut label sheet names its own, so that the
        // printer neither stops on a paper mismatch nor fits the page to
        // another paper.
        std::optional<QPageSize> paper;
    };

    // What the spooler did with a finished job.
    struct Submission {
        bool accepted = true;
        QString reason; // why it was refused, in the spooler's words
    };

    virtual ~PrinterDevice() = default;

    virtual Availability availability() = 0;

    // Shows the printer dialog; false when the user cancelled it. The
    // printer keeps what the user chose there for every job that follows.
    virtual bool choosePrinter(const DialogPreset &preset) = 0;
    // The orientation the dialog was left with.
    virtual QPageLayout::Orientation chosenOrientation() const = 0;

    // Opens a print job with its one page. Null when the job could not be
    // started.
    virtual DeviceContext *beginJob(const JobSetup &setup) = 0;
    // The open page's resolution and the offset of its printable area from
    // the corner of the sheet, in device pixels. Drawing coordinates start at
    // the printable area.
    virtual PageDevice pageDevice() const = 0;
    // Ends the page; false when the page could not be finished.
    virtual bool endPage() = 0;
    // Hands the finished job to the spooler, to be printed unscaled.
    virtual Submission endJob() = 0;
    // Abandons the open job: nothing of it reaches the spooler.
    virtual void abortJob() = 0;
};
