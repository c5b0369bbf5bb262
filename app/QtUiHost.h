#pragma once

#include "UiHost.h"

// The real host: Qt's message boxes, file dialogs and desktop services.
class QtUiHost : public UiHost {
public:
    Answer message(QWidget *parent, const QString &text, const QString &caption, Buttons buttons,
        Icon icon) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &startPath,
        const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &startPath,
        const QString &filter) override;
    bool openUrl(const QUrl &url) override;
    int execDialog(QDialog &dialog) override;
};
