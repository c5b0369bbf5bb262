#include "CInsertPaperDlg.h"

#include "PrintNotices.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogLook.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QKeyEvent>

using namespace DialogLook;

CInsertPaperDlg::CInsertPaperDlg(QWidget *parent)
    : QDialog(parent)
{
    setUpDialog(*this, QStringLiteral("Print"), 193, 70);
    addLogo(this, QRect(1, 2, 59, 19));

    // Short of the white strip at the right edge, which is drawn above it.
    m_messageLabel = addLabel(this, QStringLiteral("Insert Paper"), QRect(49, 6, 140, 24));
    m_messageLabel->setFont(headingFont());

    m_skip
        = addDialogButton(this, QStringLiteral("&Skip"), Icons::cancel(), QRect(105, 34, 40, 31));
    m_skip->setTooltipText(QStringLiteral("Leave this sheet out."));
    connect(m_skip, &CFlatHoverButton::clicked, this, &QDialog::reject);

    m_print
        = addDialogButton(this, QStringLiteral("&Print"), Icons::print(), QRect(149, 34, 40, 31));
    m_print->setDefault(true, false);
    m_print->setTooltipText(QStringLiteral("Print this sheet."));
    connect(m_print, &CFlatHoverButton::clicked, this, &QDialog::accept);

    // The white strip keeps its place at the right edge, above the others.
    auto *white = new QWidget(this);
    white->setGeometry(dialogUnitRect(190, 0, 5, 71));
    white->setAutoFillBackground(true);
    QPalette pal = white->palette();
    pal.setColor(QPalette::Window, Qt::white);
    white->setPalette(pal);
    white->raise();

    setTabOrder(m_print, m_skip);
    m_print->setFocus();
}

void CInsertPaperDlg::setMessage(const QString &message)
{
    m_message = message;
    m_messageLabel->setText(message);
}

bool CInsertPaperDlg::ask(QWidget *parent, const QString &message)
{
    CInsertPaperDlg prompt(parent);
    prompt.setMessage(message);
    return UiHost::instance().execDialog(prompt) == QDialog::Accepted;
}

void CInsertPaperDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        UiHost::instance().showHelp(this, QStringLiteral("printing"));
        return;
    }
    if (handleEnter(*this, event, m_print))
        return;
    QDialog::keyPressEvent(event);
}
