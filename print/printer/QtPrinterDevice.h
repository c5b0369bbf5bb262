#pragma once

#include "print/PrinterDevice.h"

#include <QString>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

// The print run's printer on Qt: the default printer from QPrinterInfo, the
// printer dialog through UiHost on a high-resolution QPrinter, and that one
// QPrinter for every job of the run, so that what the user set in the
// dialog's properties (tray, media, quality) holds for all of them.
class QtPrinterDevice : public PrinterDevice {
public:
    explicit QtPrinterDevice(QWidget *dialogParent = nullptr);
    ~QtPrinterDevice() override;

    // Every job is written as a PDF file into `folder` (job-1.pdf,
    // job-2.pdf, ...) instead of going to a printer; for measuring printing
    // where no spooler runs.
    void setPdfOutputFolder(const QString &folder);

    // The printer of the run; null before choosePrinter().
    QPrinter *printer() const { return m_printer.get(); }

    Availability availability() override;
    bool choosePrinter(const DialogPreset &preset) override;
    QPageLayout::Orientation chosenOrientation() const override;
    DeviceContext *beginJob(
        const QString &documentName, QPageLayout::Orientation orientation) override;
    PageDevice pageDevice() const override;
    bool endPage() override;
    void endJob() override;
    void abortJob() override;

private:
    QWidget *m_dialogParent;
    QString m_pdfFolder;
    int m_jobCount = 0;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<DeviceContext> m_dc;
};
