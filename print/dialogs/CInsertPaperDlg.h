#pragma once

#include <QDialog>
#include <QString>

class CFlatHoverButton;
class CTransparentStatic;
class QWidget;

// "Print": asks the user to load the paper of the next sheet. Accepted with
// "&Print" or Enter; "&Skip", Escape and the close box leave the sheet out.
class CInsertPaperDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInsertPaperDlg(QWidget *parent = nullptr);

    // The text the window shows.
    void setMessage(const QString &message);
    QString message() const { return m_message; }

    // Shows the prompt modally (through UiHost): true when the user chose
    // to print.
    static bool ask(QWidget *parent, const QString &message);

    CTransparentStatic *messageLabel() const { return m_messageLabel; }
    CFlatHoverButton *printButton() const { return m_print; }
    CFlatHoverButton *skipButton() const { return m_skip; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_message;
    CTransparentStatic *m_messageLabel = nullptr;
    CFlatHoverButton *m_print = nullptr;
    CFlatHoverButton *m_skip = nullptr;
};
