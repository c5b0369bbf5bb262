#include "PrintEngine.h"

#include "print/PaperPrompt.h"
#include "print/PrinterDevice.h"

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
    QStringList failed;
    for (const SheetResult &sheet : sheets)
        if (sheet.status == SheetResult::Status::Failed)
            failed << PrintJob::sheetName(sheet.kind);
    if (failed.isEmpty())
        return std::nullopt;
    const QString text = failed.size() == 1
        ? QStringLiteral("The %1 could not be printed: the printer did not finish the page, "
                         "and its print job was cancelled.")
              .arg(failed.first())
        : QStringLiteral("The %1 and the %2 could not be printed: the printer did not finish "
                         "their pages, and their print jobs were cancelled.")
              .arg(failed.at(0), failed.at(1));
    return PrintNotice{text, QStringLiteral("Print"), PrintNotice::Kind::Error};
}

PrintReport PrintEngine::runPrintJob(
    const CoverDocument &doc, bool useTopDiscLabel, int referenceDpi)
{
    const PrintJob job = PrintJob::fromSettings(doc.covertype);
    return run(job, job.coverSheets(doc, useTopDiscLabel, referenceDpi));
}

PrintReport PrintEngine::runCalibrationPage(const PrintJob &job, bool useTopDiscLabel)
{
    PrintJob both = job;
    both.printCover = both.printDisc = true;
    return run(both, both.calibrationSheets(useTopDiscLabel));
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
        report.sheets << printSheet(sheet);
    if (const std::optional<PrintNotice> failed = failedSheetsNotice(report.sheets))
        report.notices << *failed;
    return report;
}

SheetResult PrintEngine::printSheet(const PrintSheet &sheet)
{
    SheetResult result;
    result.kind = sheet.kind;
    if (!sheet.prompt.isEmpty() && !m_prompt.insertPaper(sheet.prompt)) {
        result.status = SheetResult::Status::Skipped;
        return result;
    }
    result.orientation = sheet.landscape ? QPageLayout::Landscape : g_orientation;
    DeviceContext *dc = m_printer.beginJob(m_documentName, result.orientation);
    if (!dc) {
        result.status = SheetResult::Status::Failed;
        return result;
    }
    result.device = m_printer.pageDevice();
    result.faces = sheet.draw(*dc, result.device);
    if (m_printer.endPage()) {
        m_printer.endJob();
        result.status = SheetResult::Status::Printed;
    } else {
        m_printer.abortJob();
        result.status = SheetResult::Status::Failed;
    }
    return result;
}
