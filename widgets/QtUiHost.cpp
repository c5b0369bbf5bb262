#include "QtUiHost.h"

#include "AppPaths.h"
#include "CFontChooserDlg.h"
#include "CHelpWindow.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

QtUiHost::~QtUiHost()
{
    // The program's host outlives the application object, whose end takes
    // every window with it; a host made while it runs cleans up after itself.
    if (QCoreApplication::instance())
        delete m_printDialog;
}

namespace {

QMessageBox::StandardButtons standardButtons(UiHost::Buttons buttons)
{
    switch (buttons) {
    case UiHost::Buttons::Ok: return QMessageBox::Ok;
    case UiHost::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case UiHost::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(UiHost::Icon icon)
{
    switch (icon) {
    case UiHost::Icon::None: return QMessageBox::NoIcon;
    case UiHost::Icon::Information: return QMessageBox::Information;
    case UiHost::Icon::Question: return QMessageBox::Question;
    case UiHost::Icon::Exclamation: return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

} // namespace

UiHost::Answer QtUiHost::message(
    QWidget *parent, const QString &text, const QString &caption, Buttons buttons, Icon icon)
{
    QMessageBox box(messageIcon(icon), caption, text, standardButtons(buttons), parent);
    if (buttons == Buttons::YesNo) {
        // Escape and the close box would otherwise count as No, and a "No,
        // don't save" the user never gave loses the cover. A hidden Cancel
        // takes them instead.
        box.addButton(QMessageBox::Cancel)->hide();
        box.setEscapeButton(QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

bool QtUiHost::noticeWithAction(
    QWidget *parent, const QString &text, const QString &caption, const QString &actionText)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    QAbstractButton *action = box.addButton(actionText, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == action;
}

QString QtUiHost::saveFileName(
    QWidget *parent, const QString &caption, const QString &startPath, const QString &filter)
{
    // After a save the start path names the saved cover. Qt would offer that
    // name again; Save As starts with an empty name, in the cover's folder.
    const QFileInfo start(startPath);
    const QString folder = startPath.isEmpty() || start.isDir() ? startPath : start.absolutePath();
    // The program asks its own overwrite question after adding the extension.
    return QFileDialog::getSaveFileName(
        parent, caption, folder, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString QtUiHost::exportFileName(
    QWidget *parent, const QString &caption, const QString &proposedPath, const QString &filter)
{
    const QFileInfo proposed(proposedPath);
    QFileDialog dialog(parent, caption, proposed.absolutePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(proposed.suffix());
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtUiHost::openFileName(
    QWidget *parent, const QString &caption, const QString &startPath, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, startPath, filter);
}

QString QtUiHost::existingFolder(QWidget *parent, const QString &caption, const QString &startPath)
{
    return QFileDialog::getExistingDirectory(parent, caption, startPath);
}

bool QtUiHost::confirmAction(
    QWidget *parent, const QString &text, const QString &caption, const QString &actionText)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Cancel, parent);
    QAbstractButton *action = box.addButton(actionText, QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == action;
}

bool QtUiHost::textInput(
    QWidget *parent, const QString &caption, const QString &label, QString &text)
{
    bool ok = false;
    const QString answer
        = QInputDialog::getText(parent, caption, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return false;
    text = answer;
    return true;
}

bool QtUiHost::chooseColor(QWidget *parent, QColor &color)
{
    const QColor chosen = QColorDialog::getColor(color, parent);
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool QtUiHost::chooseFont(QWidget *parent, FontChoice &choice)
{
    CFontChooserDlg dialog(parent);
    dialog.setChoice(choice);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    return true;
}

bool QtUiHost::printerDialog(QWidget *parent, QPrinter &printer)
{
    // One dialog per printer, shown again for every print: Qt's dialog starts
    // its properties (tray, quality) from the driver's defaults whenever one
    // is made, so a new one would forget what the user set there.
    if (!m_printDialog || m_printDialog->printer() != &printer) {
        delete m_printDialog;
        m_printDialog = new QPrintDialog(&printer);
        m_printDialog->setOptions(QAbstractPrintDialog::PrintShowPageSize);
    }
    // It belongs to the window of this print only while it is shown: that
    // window may be gone by the next print.
    m_printDialog->setParent(parent, m_printDialog->windowFlags());
    const bool accepted = m_printDialog->exec() == QDialog::Accepted;
    if (m_printDialog)
        m_printDialog->setParent(nullptr, m_printDialog->windowFlags());
    return accepted;
}

void QtUiHost::showHelp(QWidget *owner, const QString &topic)
{
    // Desktops seldom have a viewer for compiled help, so the program
    // shows its help itself.
    CHelpWindow::open(owner, programDataFile(QStringLiteral("help.chm")), topic);
}

bool QtUiHost::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

int QtUiHost::execDialog(QDialog &dialog)
{
    return dialog.exec();
}
