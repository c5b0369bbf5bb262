// The application loop: Cover Type dialog, main window, re-runs for a cover
// file to open, and the end of the program.
#include "app/CoverLoop.h"
#include "dialogs/CCoverTypeDlg.h"
#include "document/CoverFile.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testsupport;
namespace Id = MainDlgId;

namespace {

const QString kTypeDialog = QStringLiteral("CCoverTypeDlg");
const QString kMainWindow = QStringLiteral("CMainDlg");

// A pass of the main window: look at it, then press a button; the run ends
// with the result that button gave.
ScriptedUiHost::DialogScript mainWindow(std::function<void(CMainDlg &)> check, int buttonId)
{
    return [check, buttonId](QDialog &d) {
        auto *w = qobject_cast<CMainDlg *>(&d);
        EXPECT_NE(w, nullptr) << "expected the main window, got " << d.metaObject()->className();
        if (!w)
            return 0;
        if (check)
            check(*w);
        w->button(buttonId)->click();
        return w->result();
    };
}

ScriptedUiHost::DialogScript chooseCoverType(int type)
{
    return [type](QDialog &d) {
        auto *dlg = qobject_cast<CCoverTypeDlg *>(&d);
        EXPECT_NE(dlg, nullptr) << "expected the Cover Type dialog";
        if (!dlg)
            return 0;
        dlg->choiceButton(type)->click();
        dlg->accept();
        return dlg->result();
    };
}

QString writeCover(int coverType, const QByteArray &title)
{
    CoverDocument doc;
    resetDocumentForType(doc, coverType);
    doc.bCoverTitle = title;
    const QString path = freshDir(QStringLiteral("loop")) + QStringLiteral("/cover.zcv");
    EXPECT_TRUE(writeCoverFile(doc, path).ok);
    return path;
}

} // namespace

TEST(CoverLoop, WithoutArgumentsAsksForTheTypeThenOpensTheWindow)
{
    storeCoverType(StandardCD);
    ScriptedUiHost host;
    host.dialogs.push_back(chooseCoverType(StandardDVD));
    host.dialogs.push_back(mainWindow(
        [](CMainDlg &w) {
            EXPECT_EQ(w.document().covertype, StandardDVD);
            EXPECT_TRUE(shown(w.control(Id::DvdPreview)));
        },
        Id::Exit));
    runCoverLoop({});
    EXPECT_EQ(host.dialogClasses, (QStringList{kTypeDialog, kMainWindow}));
    EXPECT_TRUE(host.dialogs.empty());
}

TEST(CoverLoop, AClosedTypeDialogKeepsTheTypeChosenLast)
{
    storeCoverType(SlimlineCD);
    ScriptedUiHost host;
    host.dialogs.push_back([](QDialog &) { return 0; });
    host.dialogs.push_back(
        mainWindow([](CMainDlg &w) { EXPECT_EQ(w.document().covertype, SlimlineCD); }, Id::Exit));
    runCoverLoop({});
    EXPECT_EQ(host.dialogClasses, (QStringList{kTypeDialog, kMainWindow}));
}

TEST(CoverLoop, ACoverNamedAtStartOpensDirectlyAndNewAsksForATypeAgain)
{
    storeCoverType(StandardCD);
    const QString path = writeCover(SlimlineDVD, "From the command line");
    ScriptedUiHost host;
    host.dialogs.push_back(mainWindow(
        [](CMainDlg &w) {
            EXPECT_EQ(w.document().covertype, SlimlineDVD);
            EXPECT_EQ(w.document().bCoverTitle, QByteArray("From the command line"));
            EXPECT_TRUE(w.filePath().isEmpty());
            EXPECT_FALSE(w.isModified());
        },
        Id::New));
    host.dialogs.push_back(chooseCoverType(StandardCD));
    host.dialogs.push_back(mainWindow(
        [](CMainDlg &w) {
            EXPECT_EQ(w.document().covertype, StandardCD);
            EXPECT_TRUE(w.document().bCoverTitle.isEmpty());
        },
        Id::Exit));
    CoverLoopOptions options;
    options.pendingPath = path;
    runCoverLoop(options);
    EXPECT_EQ(host.dialogClasses, (QStringList{kMainWindow, kTypeDialog, kMainWindow}));
}

TEST(CoverLoop, LoadReopensTheSameWindowWithoutTheTypeDialog)
{
    storeCoverType(StandardCD);
    const QString path = writeCover(StandardDVD, "Loaded");
    ScriptedUiHost host;
    const CMainDlg *first = nullptr;
    host.dialogs.push_back(chooseCoverType(StandardCD));
    host.dialogs.push_back([&](QDialog &d) {
        auto &w = static_cast<CMainDlg &>(d);
        first = &w;
        w.session().markModified();
        host.answers = {UiHost::Answer::No};
        host.fileNames = {path};
        w.button(Id::Load)->click();
        EXPECT_EQ(w.result(), 1);
        return w.result();
    });
    host.dialogs.push_back([&](QDialog &d) {
        auto &w = static_cast<CMainDlg &>(d);
        EXPECT_EQ(&w, first);
        EXPECT_EQ(w.document().covertype, StandardDVD);
        EXPECT_EQ(w.document().bCoverTitle, QByteArray("Loaded"));
        EXPECT_TRUE(shown(w.control(Id::DvdPreview)));
        EXPECT_FALSE(w.isModified());
        w.button(Id::Exit)->click();
        return w.result();
    });
    runCoverLoop({});
    EXPECT_EQ(host.dialogClasses, (QStringList{kTypeDialog, kMainWindow, kMainWindow}));
}

TEST(CoverLoop, ADroppedCoverReopensTheWindowOnIt)
{
    storeCoverType(StandardCD);
    const QString path = writeCover(SlimlineCD, "Dropped");
    ScriptedUiHost host;
    host.answers = {UiHost::Answer::No}; // do not save the changes
    host.dialogs.push_back(chooseCoverType(StandardCD));
    host.dialogs.push_back([&](QDialog &d) {
        auto &w = static_cast<CMainDlg &>(d);
        w.session().markModified();
        dropFiles(w, {path});
        return w.result();
    });
    host.dialogs.push_back(mainWindow(
        [](CMainDlg &w) {
            EXPECT_EQ(w.document().covertype, SlimlineCD);
            EXPECT_EQ(w.document().bCoverTitle, QByteArray("Dropped"));
            EXPECT_TRUE(w.document().bImagePath.isEmpty()); // the drop's picture is gone
        },
        Id::Exit));
    runCoverLoop({});
    EXPECT_EQ(host.dialogClasses, (QStringList{kTypeDialog, kMainWindow, kMainWindow}));
    EXPECT_EQ(host.messages.size(), 1);
}

TEST(CoverLoop, AnInvalidCoverFileIsReportedAndANewCoverShown)
{
    storeCoverType(SlimlineCD);
    const QString path = freshDir(QStringLiteral("invalid")) + QStringLiteral("/bad.zcv");
    ASSERT_TRUE(writeFile(path, "not a cover file"));
    ScriptedUiHost host;
    host.answers = {UiHost::Answer::Ok};
    host.dialogs.push_back(mainWindow(
        [](CMainDlg &w) {
            EXPECT_EQ(w.document().covertype, SlimlineCD);
            EXPECT_TRUE(shown(w.control(Id::SlimlinePreview)));
        },
        Id::Exit));
    CoverLoopOptions options;
    options.pendingPath = path;
    runCoverLoop(options);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, invalidCoverFileMessage());
    EXPECT_EQ(host.messages[0].caption, invalidCoverFileCaption());
    EXPECT_EQ(host.messages[0].buttons, UiHost::Buttons::Ok);
    EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Exclamation);
}

TEST(CoverLoop, AMissingCoverFileShowsANewCoverSilently)
{
    storeCoverType(StandardDVD);
    ScriptedUiHost host;
    host.dialogs.push_back(
        mainWindow([](CMainDlg &w) { EXPECT_EQ(w.document().covertype, StandardDVD); }, Id::Exit));
    CoverLoopOptions options;
    options.pendingPath = freshDir(QStringLiteral("missing")) + QStringLiteral("/none.zcv");
    runCoverLoop(options);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(host.dialogClasses, QStringList{kMainWindow});
}

TEST(CoverLoop, AWindowReadAfterAnotherTypeIsLaidOutAfresh)
{
    // A DVD run moves the disc button; a following CD run of the same window
    // puts it back between the other two.
    storeCoverType(StandardDVD);
    const QString cd = writeCover(StandardCD, "CD");
    ScriptedUiHost host;
    host.dialogs.push_back([&](QDialog &d) {
        auto &w = static_cast<CMainDlg &>(d);
        EXPECT_EQ(w.control(Id::ViewDisc)->x(), 146);
        host.fileNames = {cd};
        w.button(Id::Load)->click();
        return w.result();
    });
    host.dialogs.push_back(mainWindow(
        [](CMainDlg &w) {
            EXPECT_EQ(w.document().covertype, StandardCD);
            EXPECT_EQ(w.control(Id::ViewDisc)->geometry(), QRect(269, 85, 111, 26));
            EXPECT_EQ(placeInWindow(w, Id::DiscPreview), QRect(39, 120, 360, 348));
            EXPECT_EQ(w.button(Id::ViewBack)->text(), QStringLiteral("VIEW BACK COVER"));
            EXPECT_EQ(w.button(Id::EditTexts)->text(), QStringLiteral("Track Listing"));
            EXPECT_EQ(w.button(Id::ChooseImage)->text(), QStringLiteral("Choose Image"));
            EXPECT_EQ(
                w.button(Id::ExtendImage)->text(), QStringLiteral("Extend image over spines?"));
            EXPECT_FALSE(shown(w.control(Id::AlignmentLabel)));
        },
        Id::Exit));
    runCoverLoop({.skipCoverTypeDialog = true});
}
