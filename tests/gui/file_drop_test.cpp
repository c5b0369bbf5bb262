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
    EXPECT_EQ(std::get<CdFaceRenderer>(*w->cdBackPreview()->boundFace()).imagePath,
        QByteArray("/pics/one.jpg"));
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
    EXPECT_EQ(std::get<DvdSheetRenderer>(*w->dvdPreview()->boundFace()).sheetImagePath,
        QByteArray("/pics/wide.tiff"));
}

// A dropped cover replaces the one in the window, which is not lost
// without asking: as for Load, the save question comes first.
TEST(FileDrop, ACoverFileAsksAboutUnsavedChangesBeforeItReplacesTheCover)
{
    using Answer = UiHost::Answer;
    const struct {
        const char *name;
        bool modified;
        std::deque<Answer> answers;
        bool opens;
    } cases[] = {
        {"unmodified", false, {}, true},
        {"no", true, {Answer::No}, true},
        {"dismissed", true, {Answer::Cancel}, false},
        {"yes, save cancelled", true, {Answer::Yes}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUiHost host;
        host.answers = c.answers;
        host.fileNames = {QString()}; // the save dialog, if it comes
        auto w = newMainWindow(StandardCD);
        if (c.modified)
            w->session().markModified();
        FinishedRecorder finished(*w);
        dropFiles(*w, {QStringLiteral("/covers/cover.zcv"), QStringLiteral("/pics/x.jpg")});
        EXPECT_EQ(host.messages.size(), c.modified ? 1 : 0);
        EXPECT_EQ(finished.results, c.opens ? QList<int>{0} : QList<int>{});
        EXPECT_EQ(w->filePath(), c.opens ? QStringLiteral("/covers/cover.zcv") : QString());
        EXPECT_EQ(w->isModified(), c.modified && !c.opens);
    }
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
        {"/covers/c.zcv", false, true},
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
        EXPECT_EQ(w->lastPath.isEmpty(), !c.picture && !c.opens);
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
