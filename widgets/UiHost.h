#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QUrl>

class QDialog;
class QPrinter;
class QWidget;

// Every message box, question, file dialog and shell hand-off of the
// program goes through this interface, so that tests can answer them with a
// script instead of a person. The Qt implementation is the default.
class UiHost {
public:
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Icon { None, Information, Question, Exclamation };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~UiHost() = default;

    virtual Answer message(
        QWidget *parent, const QString &text, const QString &caption, Buttons buttons, Icon icon)
        = 0;

    // A notice with OK and one more button that acts on what the notice
    // tells of ("Open" for a file just written). True when the user chose
    // that button; OK, Escape and the close box are false.
    virtual bool noticeWithAction(
        QWidget *parent, const QString &text, const QString &caption, const QString &actionText)
        = 0;

    // A question whose answer is to go on with something despite what
    // `text` warns of: `actionText` ("Print Anyway") or Cancel, which is
    // the default. True for the action.
    virtual bool confirmAction(
        QWidget *parent, const QString &text, const QString &caption, const QString &actionText)
        = 0;

    // Empty result: the user cancelled. `filter` is a Qt name filter such as
    // "Discora Files (*.zcv)".
    virtual QString saveFileName(
        QWidget *parent, const QString &caption, const QString &startPath, const QString &filter)
        = 0;
    // A save dialog for a file the program makes from a cover (a PDF): it
    // opens on `proposedPath` with that name filled in, adds the proposed
    // name's extension when the user types none, and asks before replacing a
    // file. Empty result: the user cancelled.
    virtual QString exportFileName(
        QWidget *parent, const QString &caption, const QString &proposedPath, const QString &filter)
        = 0;
    virtual QString openFileName(
        QWidget *parent, const QString &caption, const QString &startPath, const QString &filter)
        = 0;

    // Empty result: the user cancelled.
    virtual QString existingFolder(
        QWidget *parent, const QString &caption, const QString &startPath)
        = 0;

    // One line of text asked for with `label`, `text` filled in; false when
    // cancelled (an empty line is an answer).
    virtual bool textInput(
        QWidget *parent, const QString &caption, const QString &label, QString &text)
        = 0;

    // The colour chooser, `color` preselected; false when cancelled.
    virtual bool chooseColor(QWidget *parent, QColor &color) = 0;

    // A font with its text colour, as the font chooser returns them.
    struct FontChoice {
        FontChoice() = default;
        FontChoice(const QFont &chosenFont, const QColor &chosenColor)
            : font(chosenFont)
            , color(chosenColor)
        {
        }

        QFont font;
        QColor color;
        // A face with a title chooses its title's font and colour too.
        bool hasTitle = false;
        QFont titleFont;
        QColor titleColor;
        // The face's colour, which the sample is shown on.
        QColor background = Qt::white;
    };
    // The font chooser, `choice` preselected; false when cancelled.
    virtual bool chooseFont(QWidget *parent, FontChoice &choice) = 0;

    // The printer dialog on `printer` (no print to file, no page ranges, no
    // selection; copies are the printer's own setting). True: print with the
    // printer as the user left it.
    virtual bool printerDialog(QWidget *parent, QPrinter &printer) = 0;

    // Opens the help, on `topic` (a page of the help file) when given. The
    // help window belongs to `owner`, the window running modally now, so
    // that it takes input while that window runs.
    virtual void showHelp(QWidget *owner, const QString &topic = QString()) = 0;

    // Opens a file or web page with the desktop's associated program.
    virtual bool openUrl(const QUrl &url) = 0;

    // Runs a modal dialog and returns its result code.
    virtual int execDialog(QDialog &dialog) = 0;

    // The host in use; a QtUiHost unless a test installed its own.
    static UiHost &instance();
    // Installs `host` (not owned) or, with nullptr, the Qt default again.
    static void setInstance(UiHost *host);
};
