#include "QtPrinterDevice.h"

#include "CupsSpooler.h"
#include "document/ProductInfo.h"
#include "document/UserSettings.h"
#include "render/DeviceContext.h"
#include "widgets/UiHost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <utility>

namespace {

// Qt's printer dialog keeps the CUPS options the user set (tray, quality,
// colour, ...) as a list of names and values under this print-engine
// property of the printer; Qt's own CUPS engine reads them from there.
const auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList dialogOptions(QPrinter &printer)
{
    return printer.printEngine()->property(kCupsOptionsProperty).toStringList();
}

SpoolerJob::Duplex duplexOf(const QPrinter &printer)
{
    switch (printer.duplex()) {
    case QPrinter::DuplexNone: return SpoolerJob::Duplex::None;
    case QPrinter::DuplexAuto: return SpoolerJob::Duplex::Auto;
    case QPrinter::DuplexLongSide: return SpoolerJob::Duplex::LongSide;
    case QPrinter::DuplexShortSide: return SpoolerJob::Duplex::ShortSide;
    }
    return SpoolerJob::Duplex::None;
}

// The spooler's name for the job's paper. A printer can list one sheet under
// several names (ANSI A and Letter) and Qt takes the first it finds; the
// common name is what drivers and people expect, when the printer has it.
QString mediaName(const QPrinter &printer, const QPageSize &paper)
{
    if (paper.id() != QPageSize::Custom) {
        const QString common = QPageSize(paper.id()).key();
        const QList<QPageSize> sizes = QPrinterInfo(printer).supportedPageSizes();
        for (const QPageSize &size : sizes)
            if (size.key() == common)
                return common;
    }
    return paper.key();
}

} // namespace

QtPrinterDevice::QtPrinterDevice(QWidget *dialogParent)
    : m_dialogParent(dialogParent)
{
}

QtPrinterDevice::~QtPrinterDevice()
{
    abortJob();
}

void QtPrinterDevice::setDialogParent(QWidget *parent)
{
    m_dialogParent = parent;
}

void QtPrinterDevice::setPdfOutputFolder(const QString &folder)
{
    m_pdfFolder = folder;
}

void QtPrinterDevice::setJobFolder(const QString &folder)
{
    m_jobFolder = folder;
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

std::unique_ptr<QPrinter> QtPrinterDevice::newPrinter(const DialogPreset &preset) const
{
    std::unique_ptr<QPrinter> printer;
    if (!m_pdfFolder.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
    } else {
        // The printer of the last run of the program, while it is there;
        // else the default; else the first, and the user picks.
        QPrinterInfo info = QPrinterInfo::printerInfo(UserSettings().printerName);
        if (info.isNull())
            info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            const QStringList names = QPrinterInfo::availablePrinterNames();
            if (!names.isEmpty())
                info = QPrinterInfo::printerInfo(names.first());
        }
        printer = info.isNull() ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                                : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    printer->setFullPage(false);
    printer->setPageSize(pageSizeForPaperCode(preset.paperCode));
    printer->setPageOrientation(preset.orientation);
    return printer;
}

bool QtPrinterDevice::printerIsGone() const
{
    return m_pdfFolder.isEmpty() && QPrinterInfo::printerInfo(m_printer->printerName()).isNull();
}

void QtPrinterDevice::rememberPrinter() const
{
    if (!m_pdfFolder.isEmpty() || m_printer->outputFormat() != QPrinter::NativeFormat)
        return;
    UserSettings settings;
    if (settings.printerName == m_printer->printerName())
        return;
    settings.printerName = m_printer->printerName();
    settings.save();
}

bool QtPrinterDevice::choosePrinter(const DialogPreset &preset)
{
    abortJob();
    // The preset only starts a printer off: afterwards the dialog opens as
    // the user left it, paper and orientation included.
    if (!m_printer || printerIsGone())
        m_printer = newPrinter(preset);
    if (!UiHost::instance().printerDialog(m_dialogParent, *m_printer))
        return false;
    rememberPrinter();
    return true;
}

QPageLayout::Orientation QtPrinterDevice::chosenOrientation() const
{
    return m_printer ? m_printer->pageLayout().orientation() : QPageLayout::Portrait;
}

QPageLayout QtPrinterDevice::jobLayout(const JobSetup &setup)
{
    // The printable area is the printer's own for the paper and orientation
    // (rather than Qt's default margins), so that a face is only moved where
    // the printer cannot reach. The printer is asked, then set back to what
    // the user chose.
    const QPageLayout chosen = m_printer->pageLayout();
    m_printer->setPageOrientation(setup.orientation);
    QPageSize paper = chosen.pageSize();
    if (setup.paper && m_printer->setPageSize(*setup.paper))
        paper = m_printer->pageLayout().pageSize(); // as the printer names it
    else if (setup.paper)
        paper = *setup.paper; // a paper it does not list: still the job's own
    const QPageLayout asked = m_printer->pageLayout();
    m_printer->setPageLayout(chosen);
    return QPageLayout(paper, setup.orientation, asked.minimumMargins(), asked.units());
}

QString QtPrinterDevice::newJobFile()
{
    if (!m_pdfFolder.isEmpty())
        return QDir(m_pdfFolder).filePath(QStringLiteral("job-%1.pdf").arg(++m_jobCount));
    const QString folder = m_jobFolder.isEmpty() ? QDir::tempPath() : m_jobFolder;
    QTemporaryFile file(QDir(folder).filePath(QStringLiteral("discora-job-XXXXXX.pdf")));
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    return file.fileName();
}

DeviceContext *QtPrinterDevice::beginJob(const JobSetup &setup)
{
    if (!m_printer)
        return nullptr;
    abortJob();
    m_jobFile = newJobFile();
    if (m_jobFile.isEmpty())
        return nullptr;
    m_jobTitle = setup.title;
    m_job = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_job->setOutputFormat(QPrinter::PdfFormat);
    m_job->setOutputFileName(m_jobFile);
    m_job->setResolution(m_printer->resolution());
    m_job->setColorMode(m_printer->colorMode());
    m_job->setDocName(setup.title);
    m_job->setCreator(ProductInfo::name());
    m_job->setFullPage(false);
    const QPageLayout layout = jobLayout(setup);
    m_job->setPageLayout(layout);
    m_job->setPageMargins(layout.margins(), layout.units());

    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_job.get())) {
        abortJob();
        return nullptr;
    }
    m_dc = std::make_unique<DeviceContext>(*m_painter, m_job->logicalDpiX(), m_job->logicalDpiY());
    return m_dc.get();
}

PageDevice QtPrinterDevice::pageDevice() const
{
    PageDevice device;
    if (!m_job)
        return device;
    const int resolution = m_job->resolution();
    const QPageLayout layout = m_job->pageLayout();
    const QRect full = layout.fullRectPixels(resolution);
    const QRect paint = layout.paintRectPixels(resolution);
    device.dpi = m_job->logicalDpiX();
    device.physX = paint.left() - full.left();
    device.physY = paint.top() - full.top();
    return device;
}

bool QtPrinterDevice::endPage()
{
    if (!m_painter || !m_painter->isActive())
        return false;
    m_dc.reset();
    const bool ended = m_painter->end();
    m_painter.reset();
    // The page is finished when its file is written.
    return ended && m_job->printerState() != QPrinter::Error && QFileInfo(m_jobFile).size() > 0;
}

PrinterDevice::Submission QtPrinterDevice::endJob()
{
    if (!m_job || m_jobFile.isEmpty() || (m_painter && m_painter->isActive())) {
        abortJob();
        return {false, QStringLiteral("the page of the print job was not finished")};
    }
    SpoolerJob job;
    job.dialogOptions = dialogOptions(*m_printer);
    job.copies = m_printer->copyCount();
    job.collate = m_printer->collateCopies();
    job.duplex = duplexOf(*m_printer);
    job.media = mediaName(*m_printer, m_job->pageLayout().pageSize());
    job.landscape = m_job->pageLayout().orientation() == QPageLayout::Landscape;
    m_job.reset();
    const QString file = std::exchange(m_jobFile, QString());
    if (!m_pdfFolder.isEmpty())
        return {}; // the file is what was asked for
    const Submission submission
        = submitToCups(m_printer->printerName(), file, m_jobTitle, spoolerOptions(job));
    QFile::remove(file);
    return submission;
}

void QtPrinterDevice::abortJob()
{
    m_dc.reset();
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_job.reset();
    // Nothing of an abandoned job is left, and nothing was handed over.
    if (!m_jobFile.isEmpty())
        QFile::remove(std::exchange(m_jobFile, QString()));
}
