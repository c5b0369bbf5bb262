#pragma once

#include "CoverDocument.h"

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
    // Writes `doc` as this program's copy with the cover writer: the old
    // copy is replaced only by a complete new one. Pictures that cannot be
    // found are left out, as a save leaves them. Returns whether it was
    // written; a failure is for the caller to pass over in silence.
    bool write(const CoverDocument &doc);
    // Removes this program's copy.
    void remove();

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

private:
    QString pathOf(const QString &id, const char *suffix) const;
    bool lockOwnCopy();
    bool makeFolder() const;

    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
    std::map<QString, std::unique_ptr<QLockFile>> m_claims;
};
