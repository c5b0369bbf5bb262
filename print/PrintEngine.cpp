#include "PrintEngine.h"

#include "print/PaperPrompt.h"
#include "print/PrinterDevice.h"

#include <QFileInfo>
#include <algorithm>

namespace {
QPageLayout::Orientation g_orientation = QPageLayout::Portrait;
}

PrintEngine::PrintEngine(PrinterDevice &printer, PaperPrompt &prompt, const QString &documentName)
    : m_printer(printer)
    , m_prompt(prompt)
    , m_documentName(documentName)
{
}

QPageLayout::Orientation PrintEngine::chosenOrientation()
{
    return g_orientation;
}

PrintNotice PrintEngine::noPrinterNotice()
{
    return {QStringLiteral("You do not have a default printer, or no printer is installed.  "
                           "Please choose a default printer in your system's printer settings "
                           "before printing."),
        QStringLiteral("Default Printer"), PrintNotice::Kind::Information};
}

std::optional<PrintNotice> PrintEngine::failedSheetsNotice(const QList<SheetResult> &sheets)
{
    // One sentence per cause, in the order of the sheets; sheets that failed
    // alike share theirs.
    struct Cause {
        SheetResult::Status status;
        QString reason;
        QStringList sheets;
    };
    QList<Cause> causes;
    for (const SheetResult &sheet : sheets) {
        if (sheet.status != SheetResult::Status::Failed
            && sheet.status != SheetResult::Status::Refused)
            continue;
        const QString reason
            = sheet.status == SheetResult::Status::Refused ? sheet.reason : QString();
        auto same = std::find_if(causes.begin(), causes.end(), [&](const Cause &cause) {
            return cause.status == sheet.status && cause.reason == reason;
        });
        if (same == causes.end())
            causes.append({sheet.status, reason, {PrintJob::sheetName(sheet.kind)}});
        else
            same->sheets << PrintJob::sheetName(sheet.kind);
    }
    QStringList sentences;
    for (const Cause &cause : std::as_const(causes)) {
        const bool one = cause.sheets.size() == 1;
        const QString which = one
            ? cause.sheets.first()
            : cause.sheets.at(0) + QStringLiteral(" and the ") + cause.sheets.at(1);
        if (cause.status == SheetResult::Status::Failed) {
            sentences << (one ? QStringLiteral("The %1 could not be printed: the printer did not "
                                               "finish the page, and its print job was cancelled.")
                              : QStringLiteral("The %1 could not be printed: the printer did not "
                                               "finish their pages, and their print jobs were "
                                               "cancelled."))
                             .arg(which);
            continue;
        }
        QString text = (one ? QStringLiteral("The %1 could not be printed: the printer's queue did "
                                             "not take its print job.")
                            : QStringLiteral("The %1 could not be printed: the printer's queue did "
                                             "not take their print jobs."))
                           .arg(which);
        if (!cause.reason.isEmpty())
            text += QStringLiteral("  The printing system said: ") + cause.reason;
        sentences << text;
    }
    if (sentences.isEmpty())
        return std::nullopt;
    return PrintNotice{
        sentences.join(QStringLiteral("\n\n")), QStringLiteral("Print"), PrintNotice::Kind::Error};
}

QString PrintEngine::coverName(const QString &coverPath)
{
    const QString name = QFileInfo(coverPath).fileName();
    return name.isEmpty() ? QStringLiteral("Untitled cover") : name;
}

QString PrintEngine::jobTitle(const QString &documentName, SheetKind kind)
{
    return documentName + QStringLiteral(" \u2013 ")
        + (kind == SheetKind::Covers ? QStringLiteral("covers") : QStringLiteral("disc"));
}

PrintReport PrintEngine::runPrintJob(
    const CoverDocument &doc, DiscLabelPosition position, int referenceDpi)
{
    const PrintJob job = PrintJob::fromSettings(doc.covertype);
    return run(job, job.coverSheets(doc, position, referenceDpi));
}

PrintReport PrintEngine::runCalibrationPage(const PrintJob &job, DiscLabelPosition position)
{
    PrintJob both = job;
    both.printCover = both.printDisc = true;
    return run(both, both.calibrationSheets(position));
}

PrintReport PrintEngine::run(const PrintJob &job, const QList<PrintSheet> &sheets)
{
    PrintReport report;
    if (const std::optional<PrintNotice> refusal = job.refusal()) {
        report.outcome = PrintReport::Outcome::Refused;
        report.notices << *refusal;
        return report;
    }
    // Printers without a default are common with a spooler: the dialog lets
    // the user pick one, so only a machine without printers is refused.
    if (m_printer.availability() == PrinterDevice::Availability::NoPrinter) {
        report.outcome = PrintReport::Outcome::Refused;
        report.notices << noPrinterNotice();
        return report;
    }
    PrinterDevice::DialogPreset preset;
    preset.paperCode = job.coversRow ? job.coversRow->paperCodes[1] : kPaperA4;
    preset.orientation = QPageLayout::Portrait;
    if (!m_printer.choosePrinter(preset)) {
        report.outcome = PrintReport::Outcome::Cancelled;
        return report;
    }
    g_orientation = m_printer.chosenOrientation();

    for (const PrintSheet &sheet : sheets)
        report.sheets << printSheet(job, sheet);
    if (const std::optional<PrintNotice> failed = failedSheetsNotice(report.sheets))
        report.notices << *failed;
    return report;
}

SheetResult PrintEngine::printSheet(const PrintJob &job, const PrintSheet &sheet)
{
    SheetResult result;
    result.kind = sheet.kind;
    if (!sheet.prompt.isEmpty() && !m_prompt.insertPaper(sheet.prompt)) {
        result.status = SheetResult::Status::Skipped;
        return result;
    }
    result.orientation = sheet.landscape ? QPageLayout::Landscape : g_orientation;
    PrinterDevice::JobSetup setup;
    setup.title = jobTitle(m_documentName, sheet.kind);
    setup.orientation = result.orientation;
    // The places on a label sheet are measured on the stock's own sheet;
    // plain paper is whatever the printer dialog was left with.
    if (job.onLabelSheet(sheet.kind))
        setup.paper = sheet.pageSize;
    DeviceContext *dc = m_printer.beginJob(setup);
    if (!dc) {
        result.status = SheetResult::Status::Failed;
        return result;
    }
    result.device = m_printer.pageDevice();
    result.faces = sheet.draw(*dc, result.device);
    if (!m_printer.endPage()) {
        m_printer.abortJob();
        result.status = SheetResult::Status::Failed;
        return result;
    }
    const PrinterDevice::Submission submission = m_printer.endJob();
    result.status
        = submission.accepted ? SheetResult::Status::Printed : SheetResult::Status::Refused;
    result.reason = submission.reason;
    return result;
}
