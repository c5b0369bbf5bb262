// The end of a program's session: the desktop's request to save, signals,
// the desktop's quit, the cover loop stopping, and the recovered covers the
// next start offers.
#include "app/CoverLoop.h"
#include "app/RecoveryOffer.h"
#include "app/SessionGuard.h"
#include "document/CoverFile.h"
#include "document/RecoveryStore.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"
#include "widgets/QtUiHost.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTimer>
#include <csignal>
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
    readCoverFile(doc, path);
    return doc.bCoverTitle;
}

void setTitle(CoverSession &session, const QByteArray &title)
{
    session.change("Title", [&](CoverDocument &d) { d.bCoverTitle = title; });
}

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
    const QString dir = freshDir(QStringLiteral("commit"));
    struct Row {
        const char *name;
        bool modified, interaction;
        std::deque<Answer> answers;
        std::deque<QString> files;
        CommitDataAnswer expected;
        int cancels;
        bool modifiedAfter, copyWritten;
    };
    const Row rows[] = {
        {"nothing to save", false, true, {}, {}, CommitDataAnswer::NothingToSave, 0, false, false},
        {"may not ask", true, false, {}, {}, CommitDataAnswer::NotAsked, 0, true, true},
        {"Yes, saved", true, true, {Answer::Yes}, {dir + "/saved"}, CommitDataAnswer::Saved, 0,
            false, false},
        {"Yes, Save As cancelled", true, true, {Answer::Yes}, {QString()},
            CommitDataAnswer::Cancelled, 1, true, false},
        {"Yes, save failed", true, true, {Answer::Yes}, {dir + "/no/such/folder/x"},
            CommitDataAnswer::Cancelled, 1, true, false},
        {"No", true, true, {Answer::No}, {}, CommitDataAnswer::NotSaved, 0, true, false},
        {"Cancel", true, true, {Answer::Cancel}, {}, CommitDataAnswer::Cancelled, 1, true, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedUiHost host(ScriptedUiHost::AnswerNoticesWithOk);
        host.answers = row.answers;
        host.fileNames = row.files;
        RecoveryStore store(freshDir(QStringLiteral("recovery")));
        SessionGuard guard(store, 1h);
        CoverSession session;
        session.reset(coverTitled(""));
        if (row.modified)
            setTitle(session, "unsaved");
        guard.watch(&session, nullptr);
        FakeRequest request;
        request.interaction = row.interaction;
        EXPECT_EQ(guard.commitData(request), row.expected);
        EXPECT_EQ(request.cancels, row.cancels);
        EXPECT_EQ(session.isModified(), row.modifiedAfter);
        EXPECT_EQ(store.hasCopy(), row.copyWritten);
        EXPECT_TRUE(host.answers.empty() && host.fileNames.empty());
        if (row.answers.empty())
            continue;
        EXPECT_EQ(host.messages[0].text,
            "You have made changes to your cover, would you like to save the cover?");
        EXPECT_EQ(host.messages[0].caption, "Save");
        EXPECT_EQ(host.messages[0].buttons, UiHost::Buttons::YesNoCancel);
        EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Question);
    }
}

TEST(SessionEnd, EveryWayOfEndingWritesTheCopyAtOnceAndKeepsIt)
{
    const std::pair<int, int> ways[] = {{SIGTERM, 143}, {SIGINT, 130}, {SIGHUP, 129}, {0, 0}};
    for (const auto &[sig, exitCode] : ways) {
        SCOPED_TRACE(sig);
        RecoveryStore store(freshDir(QStringLiteral("recovery")));
        {
            SessionGuard guard(store, 1h);
            CoverSession session;
            session.reset(coverTitled(""));
            guard.watch(&session, nullptr);
            setTitle(session, "at the end");
            if (sig) {
                std::raise(sig);
            } else {
                QEvent quit(QEvent::Quit); // the desktop's session manager
                QCoreApplication::sendEvent(qApp, &quit);
            }
            const QDeadlineTimer deadline(20s);
            while (!guard.ending() && !deadline.hasExpired())
                QCoreApplication::processEvents();
            ASSERT_TRUE(guard.ending());
            EXPECT_EQ(guard.exitCode(), exitCode);
            EXPECT_EQ(titleIn(store.copyPath()), "at the end");
            session.discardChanges(); // too late: the copy stays as it is
        }
        EXPECT_EQ(titleIn(store.copyPath()), "at the end");
        if (sig) {
            struct sigaction now { };
            sigaction(sig, nullptr, &now);
            EXPECT_EQ(now.sa_handler, SIG_DFL);
        }
        resumeEventLoops();
    }
}

TEST(SessionEnd, ChangesDeclinedAtLogoutAreNotKept)
{
    struct Row {
        bool declined, changedAfter, kept;
    } const rows[] = {{false, false, true}, {true, false, false}, {true, true, true}};
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.declined << row.changedAfter);
        ScriptedUiHost host;
        RecoveryStore store(freshDir(QStringLiteral("recovery")));
        {
            SessionGuard guard(store, 1h);
            CoverSession session;
            session.reset(coverTitled(""));
            guard.watch(&session, nullptr);
            setTitle(session, "one");
            if (row.declined) {
                host.answers = {Answer::No};
                FakeRequest request;
                guard.commitData(request);
            }
            if (row.changedAfter)
                setTitle(session, "two");
            guard.endProgram(143);
        }
        EXPECT_EQ(store.hasCopy(), row.kept);
        resumeEventLoops();
    }
}

TEST(SessionEnd, TheLoopStopsAndModalLoopsEnd)
{
    const QString cover = freshDir(QStringLiteral("loop")) + "/cover.zcv";
    ASSERT_TRUE(writeCoverFile(coverTitled("pending"), cover).ok);
    for (const bool ended : {false, true}) {
        SCOPED_TRACE(ended);
        ScriptedUiHost host;
        RecoveryStore store(freshDir(QStringLiteral("recovery")));
        SessionGuard guard(store, 1h);
        // A cover to open is pending: without the end the loop runs the
        // window again on it.
        host.dialogs.push_back([&](QDialog &d) {
            static_cast<CMainDlg &>(d).setFilePath(cover);
            if (ended)
                guard.endProgram(143);
            return 0;
        });
        if (!ended)
            host.dialogs.push_back([](QDialog &d) {
                auto &w = static_cast<CMainDlg &>(d);
                w.button(MainDlgId::Exit)->click();
                return w.result();
            });
        CoverLoopOptions options;
        options.skipCoverTypeDialog = true;
        options.guard = &guard;
        runCoverLoop(options);
        EXPECT_EQ(host.dialogClasses.size(), ended ? 1 : 2);
        EXPECT_TRUE(host.messages.isEmpty());
    }
    resumeEventLoops();

    // A question open when the program ends is dismissed, and one asked
    // afterwards returns at once.
    RecoveryStore store(freshDir(QStringLiteral("recovery")));
    SessionGuard guard(store, 1h);
    QTimer::singleShot(50, &guard, [&] { guard.endProgram(143); });
    QtUiHost qt;
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(qt.message(nullptr, "Question?", "Caption", UiHost::Buttons::YesNo,
                      UiHost::Icon::Question),
            Answer::Cancel);
    resumeEventLoops();
}

TEST(RecoveryOffer, NewestFirstUntilOneIsTaken)
{
    struct Row {
        std::deque<Answer> answers;
        QByteArray opened;
        QList<QByteArray> left; // for the next start, newest first
    };
    const Row rows[] = {
        {{Answer::Yes}, "newer", {"older"}},
        {{Answer::No, Answer::Yes}, "older", {}},
        {{Answer::No, Answer::No}, "", {}},
        {{Answer::Cancel}, "", {"newer", "older"}},
    };
    for (const Row &row : rows) {
        const QString folder = freshDir(QStringLiteral("recovery"));
        for (const auto &[title, age] : {std::pair{"older", 60}, std::pair{"newer", 10}}) {
            RecoveryStore gone(folder);
            ASSERT_TRUE(gone.write(coverTitled(title)));
            QFile f(gone.copyPath());
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            f.setFileTime(
                QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime);
        }
        ScriptedUiHost host;
        host.answers = row.answers;
        QList<QByteArray> left;
        {
            RecoveryStore store(folder);
            const QString opened = offerRecoveredCover(store);
            EXPECT_EQ(opened.isEmpty() ? QByteArray() : titleIn(opened), row.opened);
            EXPECT_EQ(host.messages.size(), row.answers.size());
            RecoveryStore next(folder);
            for (const QString &copy : next.claimAbandoned())
                left << titleIn(copy);
        }
        EXPECT_EQ(left, row.left);
    }
}
