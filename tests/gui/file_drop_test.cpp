// Files dropped on the main window: pictures for the face in view, cover
// files to open.
#include "render/preview/CDVDCoverButton.h"
#include "render/preview/CMyFlatButton.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <gtest/gtest.h>

using namespace testsupport;
namespace Id = MainDlgId;

TEST(FileDrop, OnlyTheFirstFileCounts)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    EXPECT_TRUE(dropFiles(*w,
        {QStringLiteral("/pics/one.jpg"), QStringLiteral("/pics/two.png"),
            QStringLiteral("/pics/three.bmp")}));
    EXPECT_EQ(w->document().bImagePath, QByteArray("/pics/one.jpg"));
    EXPECT_EQ(w->document().sImagePath, QByteArray("/pics/one.jpg"));
    EXPECT_TRUE(w->isModified());
    EXPECT_EQ(w->lastPath, QStringLiteral("/pics/one.jpg"));
    EXPECT_TRUE(shown(w->control(Id::ClearImage)));
    EXPECT_FALSE(shown(w->control(Id::ChooseImage)));
    EXPECT_EQ(w->cdBackPreview()->renderer().imagePath, QByteArray("/pics/one.jpg"));
}

TEST(FileDrop, APictureGoesToTheFaceInView)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    clickControl(*w, Id::ViewDisc);
    dropFiles(*w, {QStringLiteral("/pics/photo.jpg")});
    EXPECT_EQ(w->document().dImagePath, QByteArray("/pics/photo.jpg"));
    EXPECT_TRUE(w->document().fImagePath.isEmpty());
    EXPECT_TRUE(w->document().bImagePath.isEmpty());
    EXPECT_TRUE(w->document().sImagePath.isEmpty());
    EXPECT_TRUE(w->isModified());

    clickControl(*w, Id::ViewFront);
    EXPECT_TRUE(shown(w->control(Id::ChooseImage))); // the front has no picture yet
    dropFiles(*w, {QStringLiteral("/pics/front.PNG")});
    EXPECT_EQ(w->document().fImagePath, QByteArray("/pics/front.PNG"));
    EXPECT_EQ(w->document().dImagePath, QByteArray("/pics/photo.jpg"));
}

TEST(FileDrop, DvdBackDropSetsTheBackAndTheSheetPicture)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardDVD);
    dropFiles(*w, {QStringLiteral("/pics/wide.tiff")});
    EXPECT_EQ(w->document().bImagePath, QByteArray("/pics/wide.tiff"));
    EXPECT_EQ(w->document().sImagePath, QByteArray("/pics/wide.tiff"));
    EXPECT_TRUE(w->document().fImagePath.isEmpty());
    EXPECT_EQ(w->dvdPreview()->renderer().sheetImagePath, QByteArray("/pics/wide.tiff"));
}

TEST(FileDrop, ACoverFileReopensTheWindowWithoutAsking)
{
    ScriptedUiHost host; // a save question would fail the test
    auto w = newMainWindow(StandardCD);
    w->windowState().modified = true;
    FinishedRecorder finished(*w);
    dropFiles(*w, {QStringLiteral("/covers/cover.zcv"), QStringLiteral("/pics/x.jpg")});
    EXPECT_EQ(finished.results, QList<int>{0});
    EXPECT_EQ(w->filePath(), QStringLiteral("/covers/cover.zcv"));
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST(FileDrop, NamesAreClassifiedBySubstring)
{
    struct Case {
        const char *name;
        bool picture; // stored as the face's picture without ending the run
        bool opens; // ends the run to open it
    };
    const Case cases[] = {
        {"/covers/COVER.ZCV", true, false}, // capitals: a (broken) picture, not a cover
        {"/covers/cover.zcv.bak", true, false},
        {"/pics/PICS.BMP/cover.txt", true, false},
        {"/pics/cover.bmp.old", true, false},
        {"/pics/a.jpeg", true, false},
        {"/pics/a.gif", true, false},
        {"/pics/a.ico", true, false},
        {"/covers/c.zcv", true, true},
        {"/docs/readme.txt", false, false},
        {"/docs/noextension", false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUiHost host;
        auto w = newMainWindow(StandardCD);
        FinishedRecorder finished(*w);
        dropFiles(*w, {QString::fromLatin1(c.name)});
        EXPECT_EQ(w->document().bImagePath, c.picture ? QByteArray(c.name) : QByteArray());
        EXPECT_EQ(w->isModified(), c.picture);
        EXPECT_EQ(finished.results.size(), c.opens ? 1 : 0);
        EXPECT_EQ(w->filePath().isEmpty(), !c.opens);
        if (!c.picture)
            EXPECT_TRUE(w->lastPath.isEmpty());
    }
}

TEST(FileDrop, RemoteAndEmptyDropsAreIgnored)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/pic.jpg"))});
    EXPECT_FALSE(dragAndDrop(*w, remote));
    QMimeData text;
    text.setText(QStringLiteral("/pics/a.jpg"));
    EXPECT_FALSE(dragAndDrop(*w, text));
    EXPECT_TRUE(w->document().bImagePath.isEmpty());
    EXPECT_FALSE(w->isModified());
}
