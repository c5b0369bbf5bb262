#pragma once

#include "CoverDocument.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <optional>

// The cover being edited: the document, whether it has unsaved changes, the
// file it was read from or saved to, and the history of its changes.
//
// Every change of the document goes through change(), which records the
// document before and after as one undo step and announces it with
// changed(). Nothing else writes the document, so a snapshot of it (for a
// print, an export, a recovery copy) stays what it was while the window
// repaints.
class CoverSession : public QObject {
    Q_OBJECT
public:
    using Edit = std::function<void(CoverDocument &)>;

    explicit CoverSession(QObject *parent = nullptr);
    ~CoverSession() override;

    const CoverDocument &document() const { return m_doc; }

    // Applies `edit` to the document as one undo step named `name` ("Colour",
    // "Font", ...) and marks the cover modified, also when the edit left the
    // document as it was (the command ran; there is just nothing to undo).
    // Returns whether the document changed.
    bool change(const QString &name, const Edit &edit);

    // A dialog that shows its changes in the window while it is open (the
    // Images dialog) makes them live edits: each is in the document at once,
    // and finishLiveEdit records all of them as one undo step named `name`.
    // Returns whether the document changed since beginLiveEdit. While the
    // dialog is open, a document its edits changed counts as modified, so
    // that a logout asks and a signal keeps a recovery copy of them.
    void beginLiveEdit();
    void liveEdit(const Edit &edit);
    bool finishLiveEdit(const QString &name);

    // A change that is part of opening the cover, not an edit of the user's:
    // no undo step, and `modified` stays as it is.
    void adjust(const Edit &edit);

    // Starts over on `doc` (a new cover, a cover read from a file): no
    // history, not modified.
    void reset(const CoverDocument &doc);

    bool isModified() const
    {
        return m_modifiedWithoutStep || !m_undo.isClean() || liveEditChanged();
    }
    // Marks the cover modified without a change of the document (a command
    // that counts as a change whatever it did; a recovered cover).
    void markModified();
    // The document as it is now is what `path` holds.
    void markSaved(const QString &path);
    // Forgets the changes: the cover counts as unmodified (a user who chose
    // to discard them).
    void discardChanges();
    // Whether the document as it is now is what this session last saved
    // (not merely unmodified: changes discarded are in no file).
    bool isSavedAsIs() const { return m_saved && *m_saved == m_doc; }

    // The cover file the application loop opens when the window's run ends
    // with it set (Load, a file dropped on the window).
    const QString &filePath() const { return m_filePath; }
    void setFilePath(const QString &path) { m_filePath = path; }

    // The file this cover belongs to: the one it was read from or last saved
    // to; empty for a new or a recovered cover. Save writes there at once.
    const QString &coverPath() const { return m_coverPath; }
    void setCoverPath(const QString &path)
    {
        m_coverPath = path;
        Q_EMIT changed();
    }

    QUndoStack &undoStack() { return m_undo; }

Q_SIGNALS:
    // The document or the modified state changed (an edit, an undo, a redo,
    // a reset, a save).
    void changed();

private:
    class Step;
    // The document an open live edit started from, and the one that counts
    // as unmodified while it is open (a save during it moves that on).
    struct LiveEdit {
        CoverDocument before;
        CoverDocument unmodified;
    };
    void setDocument(const CoverDocument &doc);
    void clearHistory();
    bool liveEditChanged() const { return m_liveEdit && m_doc != m_liveEdit->unmodified; }

    CoverDocument m_doc;
    QUndoStack m_undo;
    bool m_modifiedWithoutStep = false;
    // Set while the history is emptied, which moves the index too.
    bool m_clearing = false;
    std::optional<LiveEdit> m_liveEdit;
    std::optional<CoverDocument> m_saved;
    QString m_filePath;
    QString m_coverPath;
};
