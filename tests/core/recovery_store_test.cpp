// The autosave of the recovery copy: when it writes, and when the copy goes;
// the copy of a recovered cover whose pictures were lost; what a copy is
// described by.
#include "document/CoverFile.h"
#include "document/CoverLayout.h"
#include "document/CoverSession.h"
#include "document/RecoveryAutosave.h"
#include "document/RecoveryStore.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSignalSpy>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

using namespace testsupport;
using namespace std::chrono_literals;

namespace {

void setTitle(CoverSession &s, const QByteArray &title)
{
    s.change("Title", [&](CoverDocument &d) { d.bCoverTitle = title; });
}

} // namespace

TEST(RecoveryAutosave, WritesWithinAnIntervalOfAChangeAndAtMostOnceAnInterval)
{
    RecoveryStore store(freshDir("recovery"));
    CoverSession session;
    RecoveryAutosave autosave(store, 50ms);
    autosave.watch(&session);
    const auto writtenTitle = [&](const QByteArray &title) {
        const QDeadlineTimer deadline(20s);
        while (backTitleIn(store.copyPath()) != title && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        return backTitleIn(store.copyPath()) == title;
    };
    setTitle(session, "one");
    EXPECT_FALSE(store.hasCopy()); // not at every change
    EXPECT_TRUE(writtenTitle("one"));
    setTitle(session, "two");
    EXPECT_EQ(backTitleIn(store.copyPath()), "one"); // not straight after the last write
    EXPECT_TRUE(writtenTitle("two"));
    setTitle(session, "three");
    EXPECT_TRUE(autosave.writeNow()); // a signal: at once
    EXPECT_EQ(backTitleIn(store.copyPath()), "three");
    EXPECT_FALSE(autosave.writeScheduled());
    EXPECT_FALSE(store.write(coverTitled("holds [END]"))); // cannot be written...
    EXPECT_EQ(backTitleIn(store.copyPath()), "three"); // ...and leaves the last copy whole
}

TEST(RecoveryAutosave, TheCopyGoesWhenTheCoverHasNoUnsavedChanges)
{
    const auto undoAll = [](CoverSession &s) { s.undoStack().setIndex(0); };
    const struct Row {
        const char *name;
        bool recovered; // opened as the window opens a recovered cover
        std::function<void(CoverSession &)> action;
        bool copyStays;
    } rows[] = {
        {"save", false, [](CoverSession &s) { s.markSaved("/x.zcv"); }, false},
        {"New", false, [](CoverSession &s) { s.discardChanges(); }, false},
        {"undo back to the saved state", false, undoAll, false},
        {"undo of one of two changes", false, [](CoverSession &s) { s.undoStack().undo(); }, true},
        {"recovered, undo of every change", true, undoAll, true},
        {"recovered, save", true, [](CoverSession &s) { s.markSaved("/x.zcv"); }, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        RecoveryStore store(freshDir("recovery"));
        CoverSession session;
        RecoveryAutosave autosave(store, 1h);
        autosave.watch(&session);
        if (row.recovered) {
            session.undoStack().resetClean();
            session.markModified();
        }
        setTitle(session, "a");
        setTitle(session, "b");
        ASSERT_TRUE(autosave.writeNow());
        row.action(session);
        EXPECT_EQ(store.hasCopy(), row.copyStays);
        EXPECT_EQ(autosave.writeScheduled(), row.copyStays);
    }
}

// A recovered cover whose picture copies could not be written (a full
// temporary folder) shows no pictures: its recovery copy, which has them, is
// not replaced by one without them, and unless the cover is saved it is left
// for the next start.
TEST(RecoveryStore, ARecoveredCopyKeepsItsPicturesUntilTheCoverIsSaved)
{
    const QString pictures = freshDir("recovered-pictures");
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(pictures + "/back.png"));
    const auto pictureBytesIn = [](const QString &copy) {
        const QByteArray bytes = readFile(copy);
        return layoutOfBytes(bytes.constData(), bytes.size()).block(1).size;
    };
    // Looked at without reading it as a cover: a read would make its
    // pictures' copies anew.
    const auto titleIn = [](const QString &copy) {
        const QByteArray bytes = readFile(copy);
        return tagValue(layoutOfBytes(bytes.constData(), bytes.size()).text, "bCoverTitle");
    };
    const struct Row {
        const char *name;
        bool copiesFail;
        bool saved; // else given up (New, or Exit without saving)
        bool leftForTheNextStart;
    } rows[] = {
        {"picture copies written, saved", false, true, false},
        {"picture copies written, given up", false, false, false},
        {"picture copies lost, saved", true, true, false},
        {"picture copies lost, given up", true, false, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString folder = freshDir("recovery");
        {
            RecoveryStore gone(folder); // a program that wrote its copy and was killed
            CoverDocument doc = coverTitled("recovered");
            doc.bImagePath = QFile::encodeName(pictures + "/back.png");
            ASSERT_TRUE(gone.write(doc));
        }
        RecoveryStore store(folder);
        const QStringList abandoned = store.claimAbandoned();
        ASSERT_EQ(abandoned.size(), 1);
        const QString copy = store.adopt(abandoned[0]);
        ASSERT_EQ(copy, store.copyPath());
        const qint64 pictureBytes = pictureBytesIn(copy);
        ASSERT_GT(pictureBytes, 0);

        // What stands where the back picture's copy goes keeps it from being
        // written, as a full folder does.
        const QString obstacle = pictureCopyFolder() + "/tmpback.png";
        QFile::remove(obstacle);
        if (row.copiesFail) {
            ASSERT_TRUE(QDir().mkpath(obstacle + "/in-the-way"));
        }
        CoverDocument read;
        resetDocumentForType(read, StandardCD);
        const CoverReadResult result = readCoverFile(read, copy);
        QDir(obstacle).removeRecursively();
        ASSERT_EQ(result.status, CoverReadResult::Status::Ok);
        EXPECT_EQ(result.lostPictureCopies, row.copiesFail ? 1 : 0);
        EXPECT_EQ(result.lostPicturesReason.isEmpty(), !row.copiesFail);
        EXPECT_EQ(lostPictureCopies(copy), row.copiesFail ? 1 : 0);
        EXPECT_EQ(read.bImagePath.isEmpty(), row.copiesFail);

        // Opened as the window opens a recovered cover, then changed.
        CoverSession session;
        session.reset(read);
        session.undoStack().resetClean();
        session.markModified();
        RecoveryAutosave autosave(store, 10ms);
        QSignalSpy failures(&autosave, &RecoveryAutosave::writeFailed);
        autosave.watch(&session);
        setTitle(session, "changed since");
        EXPECT_EQ(autosave.writeNow(), !row.copiesFail);
        EXPECT_EQ(titleIn(copy), row.copiesFail ? "recovered" : "changed since");
        if (row.copiesFail) {
            EXPECT_EQ(pictureBytesIn(copy), pictureBytes); // the pictures are still there
            // The interval's write fails too, and says why.
            ASSERT_TRUE(failures.wait(20000));
            EXPECT_TRUE(failures[0][0].toString().contains("recovered cover"))
                << failures[0][0].toString().toStdString();
            EXPECT_EQ(pictureBytesIn(copy), pictureBytes);
        } else {
            EXPECT_EQ(pictureBytesIn(copy), pictureBytes); // from the picture's copy
        }

        if (row.saved)
            session.markSaved("/saved.zcv");
        else
            session.discardChanges();
        EXPECT_FALSE(store.hasCopy());
        EXPECT_EQ(QFileInfo::exists(copy), row.leftForTheNextStart);
        // Later changes get a copy of their own.
        setTitle(session, "after it");
        EXPECT_TRUE(autosave.writeNow());
        EXPECT_EQ(titleIn(store.copyPath()), "after it");
        if (row.leftForTheNextStart) {
            EXPECT_NE(store.copyPath(), copy);
            EXPECT_EQ(titleIn(copy), "recovered");
            EXPECT_EQ(pictureBytesIn(copy), pictureBytes);
            EXPECT_EQ(RecoveryStore(folder).claimAbandoned(), QStringList{copy});
        }
    }
}

TEST(RecoveryStore, AFolderThatCannotBeWrittenIsNamedInTheReason)
{
    const QString file = freshDir("not-a-folder") + "/file";
    ASSERT_TRUE(writeFile(file, "a file, not a folder"));
    RecoveryStore store(file + "/recovery");
    const RecoveryStore::WriteResult written = store.write(coverTitled("lost"));
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.reason.contains(file + "/recovery")) << written.reason.toStdString();
    EXPECT_FALSE(store.hasCopy());
}

// What the start-up question says about a copy.
TEST(RecoveryStore, DescribesACopyByItsTitleTypeAndTime)
{
    const QString folder = freshDir("describe");
    const struct Row {
        QByteArray front, back, disc;
        int32_t type;
        QByteArray title;
    } rows[] = {
        {"Front", "Back", "Disc", StandardDVD, "Front"},
        {"", "  Back  ", "Disc", SlimlineCD, "Back"},
        {"", "", "Disc", StandardCD, "Disc"},
        {"", "", "", SlimlineDVD, ""},
    };
    for (const Row &row : rows) {
        CoverDocument doc;
        resetDocumentForType(doc, row.type);
        doc.fCoverTitle = row.front;
        doc.bCoverTitle = row.back;
        doc.dCoverTitle = row.disc;
        const QString path = folder + "/c.zcv";
        ASSERT_TRUE(writeCoverFile(doc, path).ok);
        const RecoveryStore::CopyInfo info = RecoveryStore::describe(path);
        EXPECT_EQ(info.title, row.title);
        EXPECT_EQ(info.coverType, row.type);
        EXPECT_EQ(info.written, QFileInfo(path).lastModified());
    }
    const RecoveryStore::CopyInfo missing = RecoveryStore::describe(folder + "/none.zcv");
    EXPECT_TRUE(missing.title.isEmpty());
    EXPECT_EQ(missing.coverType, 0);
}
