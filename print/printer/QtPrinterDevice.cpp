#include "QtPrinterDevice.h"

#include "render/DeviceContext.h"
#include "widgets/UiHost.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

QtPrinterDevice::QtPrinterDevice(QWidget *dialogParent)
    : m_dialogParent(dialogParent)
{
}

QtPrinterDevice::~QtPrinterDevice()
{
    abortJob();
}

void QtPrinterDevice::setPdfOutputFolder(const QString &folder)
{
    m_pdfFolder = folder;
}

PrinterDevice::Availability QtPrinterDevice::availability()
{
    if (!m_pdfFolder.isEmpty())
        return Availability::Default;
    if (!QPrinterInfo::defaultPrinter().isNull())
        return Availability::Default;
    return QPrinterInfo::availablePrinterNames().isEmpty() ? Availability::NoPrinter
                                                           : Availability::NoDefault;
}

bool QtPrinterDevice::choosePrinter(const DialogPreset &preset)
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && m_pdfFolder.isEmpty()) {
        // No default: start the dialog on the first printer; the user picks.
        const QStringList names = QPrinterInfo::availablePrinterNames();
        if (!names.isEmpty())
            info = QPrinterInfo::printerInfo(names.first());
    }
    m_printer = info.isNull() || !m_pdfFolder.isEmpty()
        ? std::make_unique<QPrinter>(QPrinter::HighResolution)
        : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!m_pdfFolder.isEmpty())
        m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setFullPage(false);
    m_printer->setPageSize(pageSizeForPaperCode(preset.paperCode));
    m_printer->setPageOrientation(preset.orientation);
    return UiHost::instance().printerDialog(m_dialogParent, *m_printer);
}

QPageLayout::Orientation QtPrinterDevice::chosenOrientation() const
{
    return m_printer ? m_printer->pageLayout().orientation() : QPageLayout::Portrait;
}

DeviceContext *QtPrinterDevice::beginJob(
    const QString &documentName, QPageLayout::Orientation orientation)
{
    if (!m_printer)
        return nullptr;
    abortJob();
    m_printer->setDocName(documentName);
    if (!m_pdfFolder.isEmpty())
        m_printer->setOutputFileName(
            QDir(m_pdfFolder).filePath(QStringLiteral("job-%1.pdf").arg(++m_jobCount)));
    // Only the orientation changes between the jobs of a run; it must be set
    // before the painter begins.
    m_printer->setPageOrientation(orientation);
    // The printable area the printer itself allows rather than Qt's default
    // margins, so that a face is only moved where the printer cannot reach.
    const QPageLayout layout = m_printer->pageLayout();
    m_printer->setPageMargins(layout.minimumMargins(), layout.units());

    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        return nullptr;
    }
    m_dc = std::make_unique<DeviceContext>(
        *m_painter, m_printer->logicalDpiX(), m_printer->logicalDpiY());
    return m_dc.get();
}

PageDevice QtPrinterDevice::pageDevice() const
{
    PageDevice device;
    if (!m_printer)
        return device;
    const int resolution = m_printer->resolution();
    const QPageLayout layout = m_printer->pageLayout();
    const QRect full = layout.fullRectPixels(resolution);
    const QRect paint = layout.paintRectPixels(resolution);
    device.dpi = m_printer->logicalDpiX();
    device.physX = paint.left() - full.left();
    device.physY = paint.top() - full.top();
    return device;
}

bool QtPrinterDevice::endPage()
{
    if (!m_painter || !m_painter->isActive())
        return false;
    if (m_printer->printerState() == QPrinter::Error
        || m_printer->printerState() == QPrinter::Aborted)
        return false;
    // Ending the painter ends the page and hands the job to the spooler.
    m_dc.reset();
    const bool ok = m_painter->end();
    m_painter.reset();
    return ok;
}

void QtPrinterDevice::endJob()
{
    m_dc.reset();
    m_painter.reset();
}

void QtPrinterDevice::abortJob()
{
    m_dc.reset();
    if (m_painter && m_painter->isActive()) {
        m_printer->abort();
        m_painter->end();
    }
    m_painter.reset();
}
