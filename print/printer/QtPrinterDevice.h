#pragma once

#include "print/PrinterDevice.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

class QPainter;
class QPrinter;

// The print run's printer on Qt and CUPS. The printer dialog (through
// UiHost) works on one QPrinter that the device keeps, so that the printer
// and what the user set in the dialog's properties (tray, quality, copies)
// hold for every job and every later print; its name goes into the settings
// for the next start. Each job is drawn into a PDF file of its own and
// handed to CUPS with those settings, its own paper and no scaling, so that
// an abandoned job never reaches the spooler and a refused one is known.
class QtPrinterDevice : public PrinterDevice {
public:
    explicit QtPrinterDevice(QWidget *dialogParent = nullptr);
    ~QtPrinterDevice() override;

    // The window the printer dialog belongs to from now on.
    void setDialogParent(QWidget *parent);
    // Every job is written as a PDF file into `folder` (job-1.pdf,
    // job-2.pdf, ...) instead of going to a printer; for measuring printing
    // where no spooler runs.
    void setPdfOutputFolder(const QString &folder);
    // Where a job's file waits until it is handed to the spooler; the
    // system's temporary folder unless set.
    void setJobFolder(const QString &folder);

    // The printer chosen in the dialog; null before choosePrinter().
    QPrinter *printer() const { return m_printer.get(); }

    Availability availability() override;
    bool choosePrinter(const DialogPreset &preset) override;
    QPageLayout::Orientation chosenOrientation() const override;
    DeviceContext *beginJob(const JobSetup &setup) override;
    PageDevice pageDevice() const override;
    bool endPage() override;
    Submission endJob() override;
    void abortJob() override;

private:
    std::unique_ptr<QPrinter> newPrinter(const DialogPreset &preset) const;
    bool printerIsGone() const;
    void rememberPrinter() const;
    QPageLayout jobLayout(const JobSetup &setup);
    QString newJobFile();

    QPointer<QWidget> m_dialogParent;
    QString m_pdfFolder;
    QString m_jobFolder;
    int m_jobCount = 0;
    std::unique_ptr<QPrinter> m_printer; // as the user left it in the dialog
    // The open job.
    std::unique_ptr<QPrinter> m_job; // writes m_jobFile
    QString m_jobFile;
    QString m_jobTitle;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<DeviceContext> m_dc;
};
