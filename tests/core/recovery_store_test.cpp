// The autosave of the recovery copy: when it writes, and when the copy goes.
#include "document/CoverSession.h"
#include "document/RecoveryAutosave.h"
#include "document/RecoveryStore.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
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
