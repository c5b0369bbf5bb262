#pragma once

#include "CoverDocument.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class QLockFile;

// The folder of recovery copies: for each running program with unsaved
// changes, one cover file holding them, so that a program that is killed
// (a logout, a shutdown, a crash) loses nothing.
//
// Every copy has a lock file beside it that its program holds for as long
// as it runs. A copy whose lock nobody holds belongs to a program that is
// gone; a program claims such a copy by taking its lock, so two programs
// starting together never both take the same copy, and a running program
// never sees, overwrites or takes another running program's copy.
class RecoveryStore {
public:
    // `folder`: where the copies are; the default is the user's.
    explicit RecoveryStore(const QString &folder = defaultFolder());
    // Releases the locks. This program's copy stays unless remove() was
    // called: a program ended by a signal keeps it for the next start.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // "recovery" in the program's local data folder.
    static QString defaultFolder();
    const QString &folder() const { return m_folder; }

    // This program's copy (its name is fixed for the program's lifetime).
    QString copyPath() const;
    bool hasCopy() const;

    struct WriteResult {
        bool ok = false;
        QString reason; // for the user, when !ok
        explicit operator bool() const { return ok; }
    };
    // Writes `doc` as this program's copy with the cover writer: the old
    // copy is replaced only by a complete new one. Pictures that cannot be
    // found are left out, as a save leaves them. An adopted copy whose
    // pictures the program could not copy when it read it (a full temporary
    // folder) is not replaced at all: the document read from it lacks them,
    // and the copy is their only home until the cover is saved.
    WriteResult write(const CoverDocument &doc);
    // Removes this program's copy: the cover was saved (`coverSaved`), or
    // given up, or the user left the program. A recovered copy whose
    // pictures could not be copied is removed only with a saved cover;
    // otherwise it is left for the next start, which may have room for
    // them, and this program goes on with a copy of its own.
    void remove(bool coverSaved = false);

    // The copies of programs that are gone, newest first, each claimed for
    // this program until it is discarded, released or adopted. Lock files
    // and half-written files left by those programs are cleared away.
    QStringList claimAbandoned();
    // Removes a claimed copy (the user does not want it).
    void discard(const QString &claimed);
    // Leaves a claimed copy for the next start.
    void release(const QString &claimed);
    // Makes a claimed copy this program's own copy and returns the path it
    // now has, so that it stays until the cover is saved or the program
    // ends cleanly.
    QString adopt(const QString &claimed);

    // A claimed copy's cover, for the question that offers it.
    struct CopyInfo {
        QByteArray title; // the first title it has: front, back, disc
        int32_t coverType = 0;
        QDateTime written; // when its program last wrote it
    };
    static CopyInfo describe(const QString &copy);

private:
    QString pathOf(const QString &id, const char *suffix) const;
    bool lockOwnCopy();
    bool makeFolder() const;

    QString m_folder;
    QString m_id;
    // The copy adopted last, until this program replaces or removes it.
    QString m_adopted;
    std::unique_ptr<QLockFile> m_lock;
    std::map<QString, std::unique_ptr<QLockFile>> m_claims;
};
