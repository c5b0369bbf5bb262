#pragma once

#include "print/PrintJob.h"
#include "print/PrintNotice.h"
#include "print/PrintSheet.h"

#include <QList>
#include <QPageLayout>
#include <QString>

class PaperPrompt;
class PrinterDevice;

// What happened to one sheet of a run.
struct SheetResult {
    enum class Status {
        Printed, // handed to the spooler, which took it
        Skipped, // the user left it out at the insert-paper prompt
        Failed, // the page was not finished: its job was abandoned
        Refused, // the spooler did not take the job
    };
    SheetKind kind = SheetKind::Covers;
    Status status = Status::Printed;
    QString reason; // a refusal in the spooler's words
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    PageDevice device; // of the job's page (not for a skipped sheet)
    QList<PlacedFace> faces; // where the faces were drawn
};

struct PrintReport {
    enum class Outcome {
        Refused, // nothing to print on, or no printer: see notices
        Cancelled, // the printer dialog was cancelled
        Ran, // the sheets were printed, skipped or failed
    };
    Outcome outcome = Outcome::Ran;
    QList<SheetResult> sheets;
    // For the user, in order: why the run was refused, or which sheets the
    // printer did not finish.
    QList<PrintNotice> notices;
};

// The print run: the default-printer check, the printer dialog and one job
// of one page per sheet, each after the insert-paper prompt when the sheet
// has one. Covers and disc labels are drawn by the page composer, the
// calibration test page by its own drawing.
class PrintEngine {
public:
    // `documentName`: what the jobs are named after in the printer's queue
    // (the cover's file name, see coverName()).
    PrintEngine(PrinterDevice &printer, PaperPrompt &prompt, const QString &documentName);

    // Prints `doc` on the papers and with the ticks the settings store holds
    // for its cover type. `referenceDpi`: the screen resolution the cover's
    // fonts were chosen at.
    PrintReport runPrintJob(const CoverDocument &doc, DiscLabelPosition position, int referenceDpi);
    // Prints the calibration test page of `job`'s papers on plain paper.
    PrintReport runCalibrationPage(const PrintJob &job, DiscLabelPosition position);
    // Prints `sheets` of `job`, in order.
    PrintReport run(const PrintJob &job, const QList<PrintSheet> &sheets);

    // The orientation the printer dialog was last left with (portrait until
    // then); it holds for the life of the process.
    static QPageLayout::Orientation chosenOrientation();

    // The name of a cover's print jobs: the file name of `coverPath`, or
    // "Untitled cover" for a cover never saved.
    static QString coverName(const QString &coverPath);
    // "northern-lights.zcv – covers", "northern-lights.zcv – disc".
    static QString jobTitle(const QString &documentName, SheetKind kind);

    static PrintNotice noPrinterNotice();
    // One message for the sheets the printer did not finish or the spooler
    // refused; none when there are none.
    static std::optional<PrintNotice> failedSheetsNotice(const QList<SheetResult> &sheets);

private:
    SheetResult printSheet(const PrintJob &job, const PrintSheet &sheet);

    PrinterDevice &m_printer;
    PaperPrompt &m_prompt;
    QString m_documentName;
};
