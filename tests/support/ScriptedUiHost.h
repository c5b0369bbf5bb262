#pragma once

#include "app/UiHost.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QUrl>
#include <deque>
#include <functional>

// A UiHost that answers from a script and records what was asked, so that
// window flows run headless. Installed for its lifetime.
class ScriptedUiHost : public UiHost {
public:
    struct Message {
        QString text;
        QString caption;
        Buttons buttons;
        Icon icon;
    };
    struct FileRequest {
        bool save;
        QString caption;
        QString startPath;
        QString filter;
    };
    // Runs in place of a dialog's modal loop; returns its result code.
    using DialogScript = std::function<int(QDialog &)>;

    ScriptedUiHost();
    ~ScriptedUiHost() override;

    // Answers in order; an unexpected question fails the test and gets
    // the safe answer (No, Cancel or Ok).
    std::deque<Answer> answers;
    // File names in order; an empty name is a cancelled dialog.
    std::deque<QString> fileNames;
    // Dialog scripts in order; a dialog without a script fails the test and
    // ends with 0.
    std::deque<DialogScript> dialogs;

    QList<Message> messages;
    QList<FileRequest> fileRequests;
    QList<QUrl> openedUrls;
    QStringList dialogClasses; // class names of the dialogs run, in order

    Answer message(QWidget *parent, const QString &text, const QString &caption, Buttons buttons,
        Icon icon) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &startPath,
        const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &startPath,
        const QString &filter) override;
    bool openUrl(const QUrl &url) override;
    int execDialog(QDialog &dialog) override;

private:
    QString nextFileName(
        bool save, const QString &caption, const QString &startPath, const QString &filter);
    UiHost *m_previous = nullptr;
};
