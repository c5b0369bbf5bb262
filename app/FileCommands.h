#pragma once

#include <QString>
#include <optional>

class CoverSession;
class QWidget;

// New, Save, Load and closing of the main window. The commands that end the
// window's modal run return the result to end it with; the window calls
// done() with it. Every prompt and file dialog goes through UiHost. A
// Yes/No question the user dismisses (Escape, the close box) cancels the
// command that asked it.
class FileCommands {
public:
    static constexpr int kResultStartOver = 1; // New, Load
    static constexpr int kResultQuit = 6; // Exit, close box

    FileCommands(QWidget *parent, CoverSession &session);

    // 1 when the window is to end for a new cover; nothing when the user
    // kept the current one (a save that did not happen).
    std::optional<int> newCover();
    // Writes the cover to its own file at once; a cover without one asks
    // for a name as Save As does.
    void save();
    // Asks for the name, the cover's own file proposed (or, for a cover
    // without one, its front title made a file name, else "cover").
    void saveAs();
    // 1 when a cover file was chosen (its path is left in filePath).
    std::optional<int> load();
    // 6 when the window may close; nothing when a wanted save did not happen.
    std::optional<int> close();

    // Whether the caller may go on: true without unsaved changes, after No,
    // or after a save that happened.
    bool querySave();

    // The last Save ended in its file dialog's Cancel.
    bool saveCancelled() const { return m_saveCancelled; }

    // The chosen name, with ".zcv" appended unless the text ".zcv" occurs
    // anywhere in it (case-sensitive).
    static QString withCoverExtension(const QString &path);

    static QString saveChangesText();
    static QString saveChangesCaption();
    static QString overwriteText();
    static QString overwriteCaption();
    // The note after a save that left out pictures it could not find.
    static QString missingPicturesText(const QStringList &pictures);
    // A file name made of a cover's title: without the characters file
    // systems and desktops refuse, at most 100 characters, "cover" when
    // nothing is left.
    static QString fileNameFromTitle(const QString &title);

private:
    enum class Go { Save, DontSave, Stop };
    // The save question, asked when the cover has unsaved changes.
    Go askSaveChanges();
    void writeTo(const QString &path);

    QWidget *m_parent;
    CoverSession &m_session;
    bool m_saveCancelled = false;
};
