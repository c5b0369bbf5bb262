// The cover session: every change one undo step, `modified` following the
// saved state through undo and redo.
#include "document/CoverSession.h"

#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

namespace {

CoverDocument newCover()
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    return doc;
}

void setTitle(CoverSession &s, const QByteArray &title)
{
    s.change(QStringLiteral("Title"), [&](CoverDocument &d) { d.fCoverTitle = title; });
}

} // namespace

TEST(CoverSession, EachChangeIsOneStepAndUndoGoesBackToTheSavedState)
{
    CoverSession s;
    s.reset(newCover());
    QSignalSpy changed(&s, &CoverSession::changed);
    EXPECT_FALSE(s.isModified());

    EXPECT_TRUE(s.change(QStringLiteral("Colour"), [](CoverDocument &d) {
        d.fBGColor = 0xFF;
        d.bBGColor = 0xFF;
    }));
    setTitle(s, "A");
    EXPECT_EQ(s.undoStack().count(), 2);
    EXPECT_EQ(s.undoStack().undoText(), QStringLiteral("Title"));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(s.isModified());

    s.undoStack().undo();
    EXPECT_TRUE(s.document().fCoverTitle.isEmpty());
    EXPECT_EQ(s.document().bBGColor, 0xFFu); // the colour step is whole
    s.undoStack().undo();
    EXPECT_TRUE(s.document() == newCover());
    EXPECT_FALSE(s.isModified()); // back where the cover started
    s.undoStack().redo();
    EXPECT_EQ(s.document().fBGColor, 0xFFu);
    EXPECT_TRUE(s.isModified());
    EXPECT_EQ(changed.count(), 5);

    // Saved with the colour: undoing to the save is unmodified, undoing
    // past it is modified again.
    s.markSaved(QStringLiteral("/c.zcv"));
    EXPECT_EQ(s.filePath(), QStringLiteral("/c.zcv"));
    setTitle(s, "B");
    s.undoStack().undo();
    EXPECT_FALSE(s.isModified());
    s.undoStack().undo();
    EXPECT_TRUE(s.isModified());
}

TEST(CoverSession, ACommandThatChangedNothingStillCountsButLeavesNoStep)
{
    CoverSession s;
    s.reset(newCover());
    EXPECT_FALSE(s.change(QStringLiteral("Alignment"), [](CoverDocument &d) {
        d.fCoverAlign = AlignLeft; // already so
    }));
    EXPECT_TRUE(s.isModified());
    EXPECT_EQ(s.undoStack().count(), 0);

    // A real step undone to the start is the saved state again.
    setTitle(s, "X");
    s.undoStack().undo();
    EXPECT_FALSE(s.isModified());
}

TEST(CoverSession, ResetAndAdjustAreNoSteps)
{
    CoverSession s;
    s.reset(newCover());
    setTitle(s, "old cover");
    CoverDocument other = newCover();
    other.covertype = StandardDVD;
    s.reset(other);
    EXPECT_EQ(s.undoStack().count(), 0);
    EXPECT_FALSE(s.isModified());

    s.adjust([](CoverDocument &d) { d.dCoverAlign = AlignCenter; });
    EXPECT_EQ(s.undoStack().count(), 0);
    EXPECT_FALSE(s.isModified());
    EXPECT_EQ(s.document().covertype, StandardDVD);

    // A recovered cover: modified without a step; a save clears it.
    s.markModified();
    EXPECT_TRUE(s.isModified());
    s.adjust([](CoverDocument &d) { d.bCoverAlign = AlignLeft; });
    EXPECT_TRUE(s.isModified());
    s.markSaved(QStringLiteral("/r.zcv"));
    EXPECT_FALSE(s.isModified());
}

// Whoever hears of a change sees the cover as it is after it.
TEST(CoverSession, TheChangeIsAnnouncedWithTheStateAfterIt)
{
    CoverSession s;
    s.reset(newCover());
    s.markModified();
    s.markSaved(QStringLiteral("/c.zcv"));
    QList<bool> seen;
    QObject::connect(&s, &CoverSession::changed, &s, [&] { seen << s.isModified(); });
    setTitle(s, "A");
    s.markModified(); // a no-op command on top
    s.undoStack().undo();
    s.undoStack().redo();
    EXPECT_EQ(seen, (QList<bool>{true, true, false, true}));
}

// A dialog that shows its edits while it is open: they count as unsaved
// while they differ from the cover as it was (or as it was saved while the
// dialog was open), and become one step when it closes.
TEST(CoverSession, LiveEditsCountAsUnsavedWhileTheDialogIsOpen)
{
    const auto live = [](CoverSession &s, const QByteArray &title) {
        s.liveEdit([&](CoverDocument &d) { d.fCoverTitle = title; });
    };
    const struct Row {
        const char *name;
        std::function<void(CoverSession &)> whileOpen;
        bool modifiedOpen, stepAfter, modifiedAfter, modifiedAfterUndo;
    } rows[] = {
        {"nothing", [](CoverSession &) {}, false, false, false, false},
        {"a change", [&](CoverSession &s) { live(s, "A"); }, true, true, true, false},
        {"a change taken back", [&](CoverSession &s) { live(s, "A"), live(s, ""); }, false, false,
            false, false},
        {"saved after a change", [&](CoverSession &s) { live(s, "A"), s.markSaved("/c.zcv"); },
            false, true, false, true},
        {"changed again after the save",
            [&](CoverSession &s) { live(s, "A"), s.markSaved("/c.zcv"), live(s, "B"); }, true, true,
            true, true},
        {"taken back after the save",
            [&](CoverSession &s) { live(s, "A"), s.markSaved("/c.zcv"), live(s, ""); }, true, false,
            true, true},
        {"discarded after a change", [&](CoverSession &s) { live(s, "A"), s.discardChanges(); },
            false, true, false, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        CoverSession s;
        s.reset(newCover());
        QList<bool> announced;
        QObject::connect(&s, &CoverSession::changed, &s, [&] { announced << s.isModified(); });
        const auto lastAnnounced = [&] { return announced.value(announced.size() - 1, false); };
        s.beginLiveEdit();
        row.whileOpen(s);
        EXPECT_EQ(s.isModified(), row.modifiedOpen);
        EXPECT_EQ(lastAnnounced(), row.modifiedOpen);
        EXPECT_EQ(s.finishLiveEdit(QStringLiteral("Images")), row.stepAfter);
        EXPECT_EQ(s.undoStack().count(), row.stepAfter ? 1 : 0);
        EXPECT_EQ(s.isModified(), row.modifiedAfter);
        EXPECT_EQ(lastAnnounced(), row.modifiedAfter);
        if (row.stepAfter) { // undone, the cover is as it was before the dialog
            s.undoStack().undo();
            EXPECT_TRUE(s.document() == newCover());
            EXPECT_EQ(s.isModified(), row.modifiedAfterUndo);
        }
    }
}

// Unmodified is not always saved: discarded changes are in no file.
TEST(CoverSession, SavedAsIsOnlyWhatASaveWrote)
{
    CoverSession s;
    s.reset(newCover());
    QList<bool> seen{s.isSavedAsIs()};
    setTitle(s, "A");
    s.markSaved(QStringLiteral("/c.zcv"));
    seen << s.isSavedAsIs();
    setTitle(s, "B");
    seen << s.isSavedAsIs();
    s.undoStack().undo();
    seen << s.isSavedAsIs();
    s.undoStack().redo();
    s.discardChanges();
    seen << (s.isSavedAsIs() || s.isModified());
    s.reset(newCover());
    seen << s.isSavedAsIs();
    EXPECT_EQ(seen, (QList<bool>{false, true, false, true, false, false}));
}
