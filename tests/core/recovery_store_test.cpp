// Recovery copies: one per program, never another running program's; the
// autosave that writes them while the cover has unsaved changes; the
// picture-copy folders that killed programs leave behind.
#include "document/CoverFile.h"
#include "document/CoverSession.h"
#include "document/RecoveryAutosave.h"
#include "document/RecoveryStore.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

using namespace testsupport;
using namespace std::chrono_literals;

namespace {

CoverDocument coverTitled(const QByteArray &title)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    doc.bCoverTitle = title;
    return doc;
}

QByteArray titleIn(const QString &path)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    if (readCoverFile(doc, path).status != CoverReadResult::Status::Ok)
        return "(unreadable)";
    return doc.bCoverTitle;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Runs the event loop until `done` (the autosave's timer fires in it).
bool waitFor(const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(20s);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return done();
}

// A copy whose program is gone: a store that wrote it and ended.
void leaveAbandonedCopy(const QString &folder, const QByteArray &title)
{
    RecoveryStore gone(folder);
    ASSERT_TRUE(gone.write(coverTitled(title)));
}

qint64 deadPid()
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

} // namespace

TEST(RecoveryStore, RunningProgramsNeverTakeEachOthersCopies)
{
    const QString folder = freshDir(QStringLiteral("recovery"));
    auto first = std::make_unique<RecoveryStore>(folder);
    RecoveryStore second(folder);
    ASSERT_TRUE(first->write(coverTitled("first")));
    ASSERT_TRUE(second.write(coverTitled("second")));
    EXPECT_NE(first->copyPath(), second.copyPath());
    EXPECT_TRUE(second.claimAbandoned().isEmpty()); // the first is running
    const QString firstCopy = first->copyPath();
    first.reset(); // the first program is gone; its copy stays
    EXPECT_EQ(titleIn(firstCopy), "first");

    RecoveryStore third(folder);
    EXPECT_EQ(second.claimAbandoned(), QStringList{firstCopy});
    EXPECT_TRUE(third.claimAbandoned().isEmpty()); // claimed by the second
    second.release(firstCopy);
    EXPECT_EQ(third.claimAbandoned(), QStringList{firstCopy});
    EXPECT_EQ(titleIn(second.copyPath()), "second");
}

TEST(RecoveryStore, AbandonedCopiesComeNewestFirstAndAreDiscardedReleasedOrAdopted)
{
    const QString folder = freshDir(QStringLiteral("recovery"));
    for (const QByteArray title : {"old", "newest", "middle"})
        leaveAbandonedCopy(folder, title);
    const QDateTime now = QDateTime::currentDateTime();
    for (const QString &name : QDir(folder).entryList({"*.zcv"})) {
        QFile f(folder + '/' + name);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const QByteArray title = titleIn(f.fileName());
        const int age = title == "newest" ? 10 : title == "middle" ? 20 : 30;
        f.setFileTime(now.addSecs(-age), QFileDevice::FileModificationTime);
    }
    // A half-written copy of a program that was killed while it wrote.
    ASSERT_TRUE(writeFile(folder + "/cover-1-dead.zcv.Ab12Cd", "half"));

    RecoveryStore store(folder);
    const QStringList copies = store.claimAbandoned();
    ASSERT_EQ(copies.size(), 3);
    EXPECT_EQ(titleIn(copies[0]), "newest");
    EXPECT_EQ(titleIn(copies[1]), "middle");
    EXPECT_EQ(titleIn(copies[2]), "old");
    EXPECT_FALSE(QFile::exists(folder + "/cover-1-dead.zcv.Ab12Cd"));

    store.discard(copies[0]);
    EXPECT_FALSE(QFile::exists(copies[0]));
    const QString adopted = store.adopt(copies[1]);
    EXPECT_EQ(adopted, store.copyPath());
    EXPECT_EQ(titleIn(adopted), "middle");
    EXPECT_FALSE(QFile::exists(copies[1]));
    store.release(copies[2]);
    EXPECT_EQ(RecoveryStore(folder).claimAbandoned(), QStringList{copies[2]});
}

TEST(RecoveryStore, AFailedWriteLeavesNoPartialFile)
{
    const QString folder = freshDir(QStringLiteral("recovery"));
    RecoveryStore store(folder);
    ASSERT_TRUE(store.write(coverTitled("complete")));
    // A text the cover file cannot hold fails the writer.
    EXPECT_FALSE(store.write(coverTitled("holds [END] a tag")));
    EXPECT_EQ(titleIn(store.copyPath()), "complete");
    EXPECT_EQ(QDir(folder).entryList({"*.zcv*"}, QDir::Files | QDir::Hidden).size(), 1);

    const QString file = freshDir(QStringLiteral("notafolder")) + "/file";
    ASSERT_TRUE(writeFile(file, "x"));
    RecoveryStore nowhere(file + "/recovery");
    EXPECT_FALSE(nowhere.write(coverTitled("anything")));
    store.remove();
    EXPECT_TRUE(entries(folder).isEmpty());
}

TEST(RecoveryAutosave, WritesWithinAnIntervalOfAChangeAndAtMostOnceAnInterval)
{
    const QString folder = freshDir(QStringLiteral("recovery"));
    RecoveryStore store(folder);
    CoverSession session;
    session.reset(coverTitled(""));
    RecoveryAutosave autosave(store, 50ms);
    autosave.watch(&session);
    const auto title = [&](const QByteArray &t) {
        session.change("Title", [&](CoverDocument &d) { d.bCoverTitle = t; });
    };

    title("one");
    EXPECT_FALSE(store.hasCopy()); // not at every change
    EXPECT_TRUE(autosave.writeScheduled());
    ASSERT_TRUE(waitFor([&] { return store.hasCopy(); }));
    EXPECT_EQ(titleIn(store.copyPath()), "one");
    EXPECT_FALSE(autosave.writeScheduled());

    title("two");
    EXPECT_EQ(titleIn(store.copyPath()), "one"); // not straight after the last write
    ASSERT_TRUE(waitFor([&] { return titleIn(store.copyPath()) == "two"; }));

    title("three");
    EXPECT_TRUE(autosave.writeNow()); // a signal: at once
    EXPECT_EQ(titleIn(store.copyPath()), "three");
    EXPECT_FALSE(autosave.writeScheduled());
}

TEST(RecoveryAutosave, TheCopyGoesWhenTheCoverHasNoUnsavedChanges)
{
    struct Row {
        const char *name;
        bool recovered; // opened as the window opens a recovered cover
        std::function<void(CoverSession &)> action;
        bool copyStays;
    };
    const auto undoAll = [](CoverSession &s) { s.undoStack().setIndex(0); };
    const Row rows[] = {
        {"save", false, [](CoverSession &s) { s.markSaved("/somewhere/cover.zcv"); }, false},
        {"New", false, [](CoverSession &s) { s.discardChanges(); }, false},
        {"undo back to the saved state", false, undoAll, false},
        {"undo of one of two changes", false, [](CoverSession &s) { s.undoStack().undo(); }, true},
        {"recovered cover, undo of every change", true, undoAll, true},
        {"recovered cover, save", true, [](CoverSession &s) { s.markSaved("/x.zcv"); }, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        RecoveryStore store(freshDir(QStringLiteral("recovery")));
        CoverSession session;
        session.reset(coverTitled(""));
        RecoveryAutosave autosave(store, 1h);
        autosave.watch(&session);
        if (row.recovered) {
            session.undoStack().resetClean();
            session.markModified();
        }
        session.change("Title", [](CoverDocument &d) { d.bCoverTitle = "a"; });
        session.change("Title", [](CoverDocument &d) { d.bCoverTitle = "b"; });
        ASSERT_TRUE(autosave.writeNow());
        row.action(session);
        EXPECT_EQ(store.hasCopy(), row.copyStays);
        EXPECT_EQ(autosave.writeScheduled(), row.copyStays);
    }
}

TEST(RecoveryAutosave, AnAdoptedCopyOutlivesTheOpeningOfItsCover)
{
    const QString folder = freshDir(QStringLiteral("recovery"));
    leaveAbandonedCopy(folder, "recovered");
    RecoveryStore store(folder);
    const QString path = store.adopt(store.claimAbandoned().value(0));
    CoverSession session;
    RecoveryAutosave autosave(store, 1h);
    autosave.watch(&session);
    session.reset(coverTitled("recovered")); // the window opens it
    session.markModified();
    EXPECT_TRUE(QFile::exists(path));
    autosave.freeze(); // the program is ending: nothing touches the copy now
    session.discardChanges();
    EXPECT_TRUE(QFile::exists(path));
}

TEST(PictureCopyFolders, OnlyFoldersOfProgramsThatAreGoneAreRemoved)
{
    // The names are made from this program's own folder name.
    const QString own = QFileInfo(pictureCopyFolder()).fileName();
    const QStringList parts = own.split('-'); // discora pictures PID START XXXXXX
    ASSERT_EQ(parts.size(), 5) << own.toStdString();
    const auto name = [&](qint64 pid, const QString &start) {
        return QStringLiteral("discora-pictures-%1-%2-Zz09Ab").arg(pid).arg(start);
    };
    const qint64 me = QCoreApplication::applicationPid();
    const QString start = parts[3];
    const QString otherStart = QString::number(start.toULongLong() + 1);
    const QString temp = freshDir(QStringLiteral("temp"));
    struct Row {
        QString name;
        enum { Dir, File, Link } kind;
        bool removed;
    };
    const qint64 dead = deadPid();
    const Row rows[] = {
        {name(me, start), Row::Dir, false}, // running
        {name(dead, start), Row::Dir, true}, // gone
        {name(me, otherStart), Row::Dir, true}, // its pid now another program's
        {name(dead, QStringLiteral("0")), Row::Dir, true}, // start unknown, pid gone
        {QStringLiteral("discora-pictures-AbCdEf"), Row::Dir, false}, // owner unknown
        {name(dead, start + "1"), Row::File, false},
        {name(dead, start + "2"), Row::Link, false},
    };
    const QString target = freshDir(QStringLiteral("target"));
    for (const Row &row : rows) {
        const QString path = temp + '/' + row.name;
        if (row.kind == Row::Dir) {
            ASSERT_TRUE(QDir().mkpath(path + "/inner"));
            ASSERT_TRUE(writeFile(path + "/inner/tmpfront.png", "x"));
        } else if (row.kind == Row::File) {
            ASSERT_TRUE(writeFile(path, "x"));
        } else {
            ASSERT_TRUE(QFile::link(target, path));
        }
    }
    ASSERT_TRUE(writeFile(target + "/keep", "x"));
    EXPECT_EQ(removeAbandonedPictureCopyFolders(temp), 3);
    for (const Row &row : rows)
        EXPECT_EQ(QFileInfo::exists(temp + '/' + row.name)
                || QFileInfo(temp + '/' + row.name).isSymLink(),
            !row.removed)
            << row.name.toStdString();
    EXPECT_TRUE(QFile::exists(target + "/keep"));
    EXPECT_TRUE(QFileInfo::exists(pictureCopyFolder()));
}
