#include "RecoveryStore.h"

#include "CoverFile.h"
#include "CoverLayout.h"
#include "Numbers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

namespace {

const QString kPrefix = QStringLiteral("cover-");

// A name no other program can have: the process id alone could be a dead
// program's, whose copy waits for the next start under it.
QString newId()
{
    return QStringLiteral("%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
}

// The id in "cover-<id>.zcv", "cover-<id>.lock" and the writer's temporary
// "cover-<id>.zcv.XXXXXX"; empty for any other name.
QString idOf(const QString &name)
{
    if (!name.startsWith(kPrefix))
        return {};
    const qsizetype dot = name.indexOf(QLatin1Char('.'), kPrefix.size());
    return dot > kPrefix.size() ? name.mid(kPrefix.size(), dot - kPrefix.size()) : QString();
}

std::unique_ptr<QLockFile> lockFor(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // The lock is held for a program's whole run: Qt's default would call
    // a live program's lock stale after 30 s. Without a time limit it is
    // stale only when its program is no longer running.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

RecoveryStore::RecoveryStore(const QString &folder)
    : m_folder(folder)
    , m_id(newId())
{
}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
        + QStringLiteral("/recovery");
}

QString RecoveryStore::pathOf(const QString &id, const char *suffix) const
{
    return m_folder + QLatin1Char('/') + kPrefix + id + QLatin1String(suffix);
}

QString RecoveryStore::copyPath() const
{
    return pathOf(m_id, ".zcv");
}

bool RecoveryStore::hasCopy() const
{
    return QFileInfo(copyPath()).isFile();
}

bool RecoveryStore::makeFolder() const
{
    if (!QDir().mkpath(m_folder))
        return false;
    // The copies hold the user's covers with their pictures.
    return QFile::setPermissions(
        m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

bool RecoveryStore::lockOwnCopy()
{
    if (m_lock)
        return true;
    if (!makeFolder())
        return false;
    for (int attempt = 0; attempt < 4; ++attempt) {
        auto lock = lockFor(pathOf(m_id, ".lock"));
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            return true;
        }
        if (lock->error() != QLockFile::LockFailedError)
            return false;
        m_id = newId(); // taken, however unlikely: another name
    }
    return false;
}

RecoveryStore::WriteResult RecoveryStore::write(const CoverDocument &doc)
{
    WriteResult result;
    if (!m_adopted.isEmpty() && lostPictureCopies(m_adopted) > 0) {
        result.reason = QStringLiteral(
            "The pictures of the recovered cover could not be copied to the temporary folder, "
            "so the cover shows none. Its recovery copy, which holds them, is kept as it was: "
            "unless the cover is saved, the next start offers it again.");
        return result;
    }
    const QString shownFolder = QDir::toNativeSeparators(m_folder);
    if (!lockOwnCopy()) {
        result.reason = QStringLiteral("The folder \"%1\" cannot be written.").arg(shownFolder);
        return result;
    }
    const CoverWriteResult written = writeCoverFile(doc, copyPath());
    if (!written.ok) {
        result.reason = QStringLiteral("It cannot be written to the folder \"%1\": %2")
                            .arg(shownFolder, written.reason);
        return result;
    }
    // The copy on disk is this program's own now.
    m_adopted.clear();
    result.ok = true;
    return result;
}

void RecoveryStore::remove(bool coverSaved)
{
    if (!coverSaved && !m_adopted.isEmpty() && lostPictureCopies(m_adopted) > 0) {
        // Unlocked, it belongs to no running program: the next start offers
        // it. A new name keeps this program's next copy off it.
        m_adopted.clear();
        m_lock.reset();
        m_id = newId();
        return;
    }
    QFile::remove(copyPath());
    m_adopted.clear();
    // Nothing left to guard; the next write locks again.
    m_lock.reset();
}

QStringList RecoveryStore::claimAbandoned()
{
    const QDir dir(m_folder);
    QSet<QString> ids;
    for (const QString &name :
        dir.entryList({kPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QString id = idOf(name);
        if (!id.isEmpty() && id != m_id)
            ids.insert(id);
    }

    struct Found {
        QString path;
        QDateTime written;
    };
    std::vector<Found> found;
    for (const QString &id : std::as_const(ids)) {
        const QString copy = pathOf(id, ".zcv");
        if (m_claims.count(copy))
            continue;
        std::unique_ptr<QLockFile> lock = lockFor(pathOf(id, ".lock"));
        if (!lock->tryLock(0))
            continue; // its program is running (or the lock cannot be had)
        // A write that its program did not live to finish.
        for (const QString &left : dir.entryList({kPrefix + id + QStringLiteral(".zcv.*")},
                 QDir::Files | QDir::Hidden | QDir::System))
            if (!left.endsWith(QLatin1String(".lock")))
                QFile::remove(dir.filePath(left));
        const QFileInfo info(copy);
        if (!info.isFile() || info.isSymLink())
            continue; // a lock without a copy: unlocking removes it
        found.push_back({copy, info.lastModified()});
        m_claims[copy] = std::move(lock);
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        return a.written != b.written ? a.written > b.written : a.path < b.path;
    });
    QStringList paths;
    for (const Found &f : found)
        paths << f.path;
    return paths;
}

void RecoveryStore::discard(const QString &claimed)
{
    const auto it = m_claims.find(claimed);
    if (it == m_claims.end())
        return;
    QFile::remove(claimed);
    m_claims.erase(it);
}

void RecoveryStore::release(const QString &claimed)
{
    m_claims.erase(claimed);
}

QString RecoveryStore::adopt(const QString &claimed)
{
    const auto it = m_claims.find(claimed);
    if (it == m_claims.end())
        return {};
    // rename() replaces atomically: at every moment the cover is on disk
    // under one name or the other, and locked.
    if (!lockOwnCopy()
        || std::rename(
               QFile::encodeName(claimed).constData(), QFile::encodeName(copyPath()).constData())
            != 0) {
        // Read where it is; it stays claimed until this program ends.
        m_adopted = QFileInfo(claimed).absoluteFilePath();
        return claimed;
    }
    m_claims.erase(it);
    m_adopted = QFileInfo(copyPath()).absoluteFilePath();
    return copyPath();
}

RecoveryStore::CopyInfo RecoveryStore::describe(const QString &copy)
{
    CopyInfo info;
    const QFileInfo file(copy);
    info.written = file.lastModified();
    QFile device(copy);
    CoverLayout layout;
    QString error;
    // What cannot be read is described as far as it can be: the question
    // still names when the copy was written.
    if (!device.open(QIODevice::ReadOnly) || !layoutOfDevice(device, layout, error))
        return info;
    const QList<QByteArray> &keys = coverFileKeys();
    const QList<QByteArray> values = coverEntryValues(layout.text);
    const auto value = [&](const char *key) { return values.value(keys.indexOf(key)); };
    info.coverType = atoiValue(value("covertype"));
    for (const char *key : {"fCoverTitle", "bCoverTitle", "dCoverTitle"}) {
        const QByteArray title = value(key).trimmed();
        if (!title.isEmpty()) {
            info.title = title;
            break;
        }
    }
    return info;
}
