#pragma once

#include "print/PageComposer.h"

#include <QPageLayout>
#include <QString>
#include <cstdint>

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

    // What the printer dialog opens with.
    struct DialogPreset {
        int32_t paperCode = kPaperA4; // 1 Letter, 9 A4
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
    };

    virtual ~PrinterDevice() = default;

    virtual Availability availability() = 0;

    // Shows the printer dialog; false when the user cancelled it. The
    // printer keeps what the user chose there for every job that follows.
    virtual bool choosePrinter(const DialogPreset &preset) = 0;
    // The orientation the dialog was left with.
    virtual QPageLayout::Orientation chosenOrientation() const = 0;

    // Opens a print job named `documentName` with its one page in
    // `orientation`; only the orientation differs between the jobs of a run.
    // Null when the job could not be started.
    virtual DeviceContext *beginJob(
        const QString &documentName, QPageLayout::Orientation orientation)
        = 0;
    // The open page's resolution and the offset of its printable area from
    // the corner of the sheet, in device pixels. Drawing coordinates start at
    // the printable area.
    virtual PageDevice pageDevice() const = 0;
    // Ends the page; false when the page could not be finished.
    virtual bool endPage() = 0;
    // Hands the finished job to the spooler.
    virtual void endJob() = 0;
    // Abandons the open job: nothing of it is printed.
    virtual void abortJob() = 0;
};
