// The desktop's request to save at logout, the end of the program's
// session, and the recovered covers the next start offers.
#include "app/CoverLoop.h"
#include "app/RecoveryOffer.h"
#include "app/SessionGuard.h"
#include "document/CoverFile.h"
#include "document/RecoveryStore.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QTimer>
#include <gtest/gtest.h>

using namespace testsupport;
using namespace std::chrono_literals;
using Answer = UiHost::Answer;

namespace {

struct FakeRequest : CommitDataRequest {
    bool interaction = true;
    int cancels = 0;
    bool allowsInteraction() override { return interaction; }
    void cancel() override { ++cancels; }
};

// A guard over a session with unsaved changes, its copy in a fresh folder.
struct Guarded {
    RecoveryStore store{freshDir("recovery")};
    std::optional<SessionGuard> guard{std::in_place, store, 1h};
    CoverSession session;
    explicit Guarded(bool modified = true)
    {
        guard->watch(&session, nullptr);
        if (modified)
            session.change("Title", [](CoverDocument &d) { d.bCoverTitle = "unsaved"; });
    }
};

// An ended program leaves every later event loop returning at once; the
// next test needs them back.
void resumeEventLoops()
{
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

} // namespace

TEST(CommitData, AsksWithCancelAndActsOnEachAnswer)
{
    const QString dir = freshDir("commit");
    const struct Row {
        const char *name;
        bool modified, interaction;
        Answer answer;
        QString file; // chosen in Save As; empty: cancelled
        CommitDataAnswer expected;
        int cancels;
        bool modifiedAfter, copyWritten;
    } rows[] = {
        {"nothing to save", false, true, Answer::Ok, "", CommitDataAnswer::NothingToSave, 0, false,
            false},
        {"may not ask", true, false, Answer::Ok, "", CommitDataAnswer::NotAsked, 0, true, true},
        {"saved", true, true, Answer::Yes, dir + "/a", CommitDataAnswer::Saved, 0, false, false},
        {"Save As cancelled", true, true, Answer::Yes, "", CommitDataAnswer::Cancelled, 1, true,
            false},
        {"save failed", true, true, Answer::Yes, dir + "/none/a", CommitDataAnswer::Cancelled, 1,
            true, false},
        {"No", true, true, Answer::No, "", CommitDataAnswer::NotSaved, 0, true, false},
        {"Cancel", true, true, Answer::Cancel, "", CommitDataAnswer::Cancelled, 1, true, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedUiHost host(ScriptedUiHost::AnswerNoticesWithOk);
        const bool asked = row.modified && row.interaction;
        if (asked)
            host.answers = {row.answer};
        if (row.answer == Answer::Yes)
            host.fileNames = {row.file};
        Guarded g(row.modified);
        FakeRequest request;
        request.interaction = row.interaction;
        EXPECT_EQ(g.guard->commitData(request), row.expected);
        EXPECT_EQ(request.cancels, row.cancels);
        EXPECT_EQ(g.session.isModified(), row.modifiedAfter);
        EXPECT_EQ(g.store.hasCopy(), row.copyWritten);
        ASSERT_EQ(host.messages.isEmpty(), !asked);
        if (!asked)
            continue;
        EXPECT_EQ(host.messages[0].text,
            "You have made changes to your cover, would you like to save the cover?");
        EXPECT_EQ(host.messages[0].caption, "Save");
        EXPECT_EQ(host.messages[0].buttons, UiHost::Buttons::YesNoCancel);
        EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Question);
    }
}

TEST(SessionEnd, TheDesktopsQuitKeepsTheChangesUnlessTheUserDeclinedThem)
{
    const struct Row {
        bool declined, changedAfter, kept;
    } rows[] = {{false, false, true}, {true, false, false}, {true, true, true}};
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.declined << row.changedAfter);
        ScriptedUiHost host;
        Guarded g;
        if (row.declined) {
            host.answers = {Answer::No};
            FakeRequest request;
            g.guard->commitData(request);
        }
        if (row.changedAfter)
            g.session.change("Title", [](CoverDocument &d) { d.bCoverTitle = "later"; });
        QEvent quit(QEvent::Quit); // how the session manager ends a program
        QCoreApplication::sendEvent(qApp, &quit);
        EXPECT_TRUE(g.guard->ending());
        EXPECT_EQ(g.guard->exitCode(), 0);
        g.guard.reset();
        EXPECT_EQ(g.store.hasCopy(), row.kept);
        resumeEventLoops();
    }
}

TEST(SessionEnd, TheLoopOpensNoWindowOnceTheProgramEnds)
{
    const QString cover = freshDir("loop") + "/cover.zcv";
    ASSERT_TRUE(writeCoverFile(coverTitled("pending"), cover).ok);
    ScriptedUiHost host;
    Guarded g(false);
    // A cover is left to open, on which the loop would run the window again.
    host.dialogs.push_back([&](QDialog &d) {
        static_cast<CMainDlg &>(d).setFilePath(cover);
        g.guard->endProgram(143);
        return 0;
    });
    CoverLoopOptions options;
    options.skipCoverTypeDialog = true;
    options.guard = &*g.guard;
    runCoverLoop(options);
    EXPECT_EQ(host.dialogClasses.size(), 1);
    resumeEventLoops();
}

TEST(RecoveryOffer, NewestFirstUntilOneIsTaken)
{
    const struct Row {
        std::deque<Answer> answers;
        QByteArray opened;
        QList<QByteArray> left; // for the next start, newest first
    } rows[] = {
        {{Answer::Yes}, "newer", {"older"}},
        {{Answer::No, Answer::Yes}, "older", {}},
        {{Answer::No, Answer::No}, "", {}},
        {{Answer::Cancel}, "", {"newer", "older"}},
    };
    for (const Row &row : rows) {
        const QString folder = freshDir("recovery");
        for (const auto &[title, age] : {std::pair{"older", 60}, std::pair{"newer", 10}}) {
            RecoveryStore gone(folder); // a program that wrote its copy and was killed
            ASSERT_TRUE(gone.write(coverTitled(title)));
            QFile f(gone.copyPath());
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            f.setFileTime(
                QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime);
        }
        ScriptedUiHost host;
        host.answers = row.answers;
        RecoveryStore store(folder);
        const QString opened = offerRecoveredCover(store);
        EXPECT_EQ(backTitleIn(opened), row.opened);
        EXPECT_TRUE(host.answers.empty());
        QList<QByteArray> left;
        for (const QString &copy : RecoveryStore(folder).claimAbandoned())
            left << backTitleIn(copy);
        EXPECT_EQ(left, row.left);
    }
}
