#pragma once

#include "UiHost.h"

#include <QPointer>

class QPrintDialog;

// The real host: Qt's message boxes, file, colour, font and printer dialogs,
// the help window and desktop services.
class QtUiHost : public UiHost {
public:
    ~QtUiHost() override;

    Answer message(QWidget *parent, const QString &text, const QString &caption, Buttons buttons,
        Icon icon) override;
    bool noticeWithAction(QWidget *parent, const QString &text, const QString &caption,
        const QString &actionText) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &startPath,
        const QString &filter) override;
    QString exportFileName(QWidget *parent, const QString &caption, const QString &proposedPath,
        const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &startPath,
        const QString &filter) override;
    QString existingFolder(
        QWidget *parent, const QString &caption, const QString &startPath) override;
    bool confirmAction(QWidget *parent, const QString &text, const QString &caption,
        const QString &actionText) override;
    bool textInput(
        QWidget *parent, const QString &caption, const QString &label, QString &text) override;
    bool chooseColor(QWidget *parent, QColor &color) override;
    bool chooseFont(QWidget *parent, FontChoice &choice) override;
    bool printerDialog(QWidget *parent, QPrinter &printer) override;
    void showHelp(QWidget *owner, const QString &topic = QString()) override;
    bool openUrl(const QUrl &url) override;
    int execDialog(QDialog &dialog) override;

private:
    // The printer dialog of the printer shown last, kept between prints.
    QPointer<QPrintDialog> m_printDialog;
};
