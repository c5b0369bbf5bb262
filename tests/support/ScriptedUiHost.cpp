#include "ScriptedUiHost.h"

#include <QMetaObject>
#include <gtest/gtest.h>

ScriptedUiHost::ScriptedUiHost(Mode mode)
    : m_mode(mode)
{
    UiHost::setInstance(this);
}

ScriptedUiHost::~ScriptedUiHost()
{
    UiHost::setInstance(nullptr);
}

UiHost::Answer ScriptedUiHost::message(
    QWidget *, const QString &text, const QString &caption, Buttons buttons, Icon icon)
{
    messages.append({text, caption, buttons, icon});
    if (answers.empty() && buttons == Buttons::Ok && m_mode == AnswerNoticesWithOk)
        return Answer::Ok;
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << caption.toStdString() << ": "
                      << text.toStdString();
        return buttons == Buttons::Ok ? Answer::Ok
                                      : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

bool ScriptedUiHost::noticeWithAction(
    QWidget *, const QString &text, const QString &caption, const QString &actionText)
{
    messages.append({text, caption, Buttons::Ok, Icon::Information});
    actionTexts.append(actionText);
    if (actionAnswers.empty())
        return false;
    const bool act = actionAnswers.front();
    actionAnswers.pop_front();
    return act;
}

QString ScriptedUiHost::nextFileName(
    bool save, const QString &caption, const QString &startPath, const QString &filter)
{
    fileRequests.append({save, caption, startPath, filter});
    if (fileNames.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << caption.toStdString();
        return {};
    }
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedUiHost::saveFileName(
    QWidget *, const QString &caption, const QString &startPath, const QString &filter)
{
    return nextFileName(true, caption, startPath, filter);
}

QString ScriptedUiHost::exportFileName(
    QWidget *, const QString &caption, const QString &proposedPath, const QString &filter)
{
    return nextFileName(true, caption, proposedPath, filter);
}

QString ScriptedUiHost::openFileName(
    QWidget *, const QString &caption, const QString &startPath, const QString &filter)
{
    return nextFileName(false, caption, startPath, filter);
}

QString ScriptedUiHost::existingFolder(QWidget *, const QString &caption, const QString &startPath)
{
    fileRequests.append({false, caption, startPath, QString()});
    if (folderNames.empty()) {
        ADD_FAILURE() << "unexpected folder dialog: " << caption.toStdString();
        return {};
    }
    const QString name = folderNames.front();
    folderNames.pop_front();
    return name;
}

bool ScriptedUiHost::confirmAction(
    QWidget *parent, const QString &text, const QString &caption, const QString &actionText)
{
    // Recorded as a notice is, with the warning's icon.
    const bool act = noticeWithAction(parent, text, caption, actionText);
    messages.last().icon = Icon::Exclamation;
    return act;
}

bool ScriptedUiHost::textInput(QWidget *, const QString &caption, const QString &, QString &text)
{
    textCaptions.append(caption);
    if (texts.empty()) {
        ADD_FAILURE() << "unexpected text prompt: " << caption.toStdString();
        return false;
    }
    const std::optional<QString> answer = texts.front();
    texts.pop_front();
    if (!answer)
        return false;
    text = *answer;
    return true;
}

bool ScriptedUiHost::chooseColor(QWidget *, QColor &color)
{
    colorRequests.append(color);
    if (colors.empty()) {
        ADD_FAILURE() << "unexpected colour chooser";
        return false;
    }
    const std::optional<QColor> answer = colors.front();
    colors.pop_front();
    if (!answer)
        return false;
    color = *answer;
    return true;
}

bool ScriptedUiHost::chooseFont(QWidget *, FontChoice &choice)
{
    fontRequests.append(choice);
    if (fonts.empty()) {
        ADD_FAILURE() << "unexpected font chooser";
        return false;
    }
    const std::optional<FontChoice> answer = fonts.front();
    fonts.pop_front();
    if (!answer)
        return false;
    choice = *answer;
    return true;
}

bool ScriptedUiHost::printerDialog(QWidget *, QPrinter &printer)
{
    dialogClasses.append(QStringLiteral("QPrintDialog"));
    if (printerDialogs.empty()) {
        ADD_FAILURE() << "unexpected printer dialog";
        return false;
    }
    PrinterScript script = std::move(printerDialogs.front());
    printerDialogs.pop_front();
    return script(printer);
}

void ScriptedUiHost::showHelp(QWidget *owner, const QString &topic)
{
    helpRequests.append({owner, topic});
}

bool ScriptedUiHost::openUrl(const QUrl &url)
{
    openedUrls.append(url);
    return true;
}

int ScriptedUiHost::execDialog(QDialog &dialog)
{
    dialogClasses.append(QString::fromLatin1(dialog.metaObject()->className()));
    if (dialogs.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << dialog.metaObject()->className();
        return 0;
    }
    DialogScript script = std::move(dialogs.front());
    dialogs.pop_front();
    return script(dialog);
}
