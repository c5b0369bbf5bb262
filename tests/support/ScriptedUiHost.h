#pragma once

#include "widgets/UiHost.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>

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

    // Messages with an OK button alone are notices: with this, they are
    // answered without a script (questions still need one).
    enum Mode { Strict, AnswerNoticesWithOk };
    explicit ScriptedUiHost(Mode mode = Strict);
    ~ScriptedUiHost() override;

    // Answers in order; an unexpected question fails the test and gets
    // the safe answer (No, Cancel or Ok).
    std::deque<Answer> answers;
    // File names in order (save, export and open dialogs alike); an empty
    // name is a cancelled dialog.
    std::deque<QString> fileNames;
    // Dialog scripts in order; a dialog without a script fails the test and
    // ends with 0.
    std::deque<DialogScript> dialogs;

    // Folder names in order; an empty name is a cancelled dialog.
    std::deque<QString> folderNames;
    // Typed lines in order; an empty optional is a cancelled prompt.
    std::deque<std::optional<QString>> texts;
    QStringList textCaptions; // the text prompts asked, in order
    // Colours in order; an empty optional is a cancelled chooser.
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<FontChoice>> fonts;
    // Printer dialog scripts: they may change the printer; the result is
    // whether the user chose to print.
    using PrinterScript = std::function<bool(QPrinter &)>;
    std::deque<PrinterScript> printerDialogs;

    QList<Message> messages;
    // Notices with an action button ("Open") and questions with one ("Print
    // Anyway"), recorded as messages with the OK button; whether the action
    // is chosen, in order. Without an answer a notice is answered with OK
    // and a question with Cancel, in both modes.
    std::deque<bool> actionAnswers;
    QStringList actionTexts;
    QList<QColor> colorRequests; // the preselected colours, in order
    QList<FontChoice> fontRequests;
    struct HelpRequest {
        QWidget *owner;
        QString topic;
    };
    QList<HelpRequest> helpRequests;
    QList<FileRequest> fileRequests;
    QList<QUrl> openedUrls;
    QStringList dialogClasses; // class names of the dialogs run, in order

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
    QString nextFileName(
        bool save, const QString &caption, const QString &startPath, const QString &filter);
    Mode m_mode;
};
