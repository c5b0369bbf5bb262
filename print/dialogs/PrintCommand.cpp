#include "PrintCommand.h"

#include "CPrintPaperDlg.h"
#include "InsertPaperPrompt.h"
#include "PrintNotices.h"
#include "print/printer/PrinterDevices.h"
#include "widgets/DialogLook.h"
#include "widgets/UiHost.h"

#include <QWidget>

namespace {
// Fonts are stored at the screen resolution of the window they were chosen in.
int referenceDpiOf(const QWidget *window)
{
    return window ? window->logicalDpiY() : 96;
}
} // namespace

PrintCommand::PrintCommand(QWidget *parent, const CoverDocument &document, const QString &coverPath)
    : m_parent(parent)
    , m_document(document)
    , m_coverPath(coverPath)
{
}

bool PrintCommand::run()
{
    m_report.reset();
    CPrintPaperDlg dialog(m_document.covertype, m_parent);
    dialog.setCover(&m_document, m_coverPath, referenceDpiOf(m_parent));
    const int result = UiHost::instance().execDialog(dialog);
    if (result != QDialog::Accepted && result != CPrintPaperDlg::SavedAsPdf)
        return false;
    m_position = dialog.discLabelPosition();
    if (result == CPrintPaperDlg::SavedAsPdf)
        return true;

    const std::shared_ptr<PrinterDevice> printer = printerDevice(m_parent);
    InsertPaperPrompt prompt(m_parent);
    PrintEngine engine(*printer, prompt, PrintEngine::coverName(m_coverPath));
    m_report = engine.runPrintJob(m_document, m_position, referenceDpiOf(m_parent));
    showPrintNotices(m_parent, m_report->notices);
    return true;
}
