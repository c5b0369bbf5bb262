// The desktop's request to save at logout, the end of the program's
// session, a recovery copy that cannot be written, and the recovered covers
// the next start offers.
#include "app/CoverLoop.h"
#include "app/RecoveryOffer.h"
#include "app/SessionGuard.h"
#include "document/CoverFile.h"
#include "document/RecoveryStore.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QSignalSpy>
#include <QTimer>
#include <functional>
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

// The Images dialog shows its changes in the cover while it is open: a
// logout then asks, and a signal keeps them in a copy, as for any change.
TEST(SessionEnd, ChangesShownLiveByAnOpenDialogAreKept)
{
    const struct Row {
        const char *name;
        std::function<void(CoverSession &)> whileOpen;
        bool kept;
    } rows[] = {
        {"a change",
            [](CoverSession &s) { s.liveEdit([](CoverDocument &d) { d.bCoverTitle = "live"; }); },
            true},
        {"a change taken back",
            [](CoverSession &s) {
                s.liveEdit([](CoverDocument &d) { d.bCoverTitle = "live"; });
                s.liveEdit([](CoverDocument &d) { d.bCoverTitle.clear(); });
            },
            false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedUiHost host;
        Guarded g(false);
        g.session.beginLiveEdit();
        row.whileOpen(g.session);
        // The logout's question, answered Cancel: the session goes on.
        if (row.kept)
            host.answers = {Answer::Cancel};
        FakeRequest request;
        EXPECT_EQ(g.guard->commitData(request),
            row.kept ? CommitDataAnswer::Cancelled : CommitDataAnswer::NothingToSave);
        EXPECT_EQ(host.messages.size(), row.kept ? 1 : 0);
        g.guard->endProgram(143); // SIGTERM
        g.guard.reset();
        EXPECT_EQ(g.store.hasCopy(), row.kept);
        if (row.kept) {
            EXPECT_EQ(backTitleIn(g.store.copyPath()), "live");
        }
        resumeEventLoops();
    }
}

// A copy that cannot be written is said once, however often it is tried.
TEST(SessionEnd, ACopyThatCannotBeWrittenIsSaidOnce)
{
    ScriptedUiHost host(ScriptedUiHost::AnswerNoticesWithOk);
    const QString file = freshDir("unwritable") + "/file";
    ASSERT_TRUE(writeFile(file, "not a folder"));
    RecoveryStore store(file + "/recovery");
    SessionGuard guard(store, 5ms);
    CoverSession session;
    guard.watch(&session, nullptr);
    QSignalSpy failures(&guard.autosave(), &RecoveryAutosave::writeFailed);
    session.change("Title", [](CoverDocument &d) { d.bCoverTitle = "unsaved"; });
    while (failures.size() < 3)
        ASSERT_TRUE(failures.wait(20000));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].caption, SessionGuard::copyFailureCaption());
    EXPECT_EQ(host.messages[0].text, SessionGuard::copyFailureText(failures[0][0].toString()));
    EXPECT_TRUE(host.messages[0].text.contains(file + "/recovery"));
    EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Exclamation);
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
        // Each question names its cover and says what No does.
        const char *asked[] = {"newer", "older"};
        ASSERT_EQ(host.messages.size(), qsizetype(row.answers.size()));
        for (qsizetype i = 0; i < host.messages.size(); ++i) {
            const QString text = host.messages[i].text;
            EXPECT_TRUE(text.contains(QStringLiteral("\u201c%1\u201d").arg(asked[i])))
                << text.toStdString();
            EXPECT_TRUE(text.contains("(standard CD)")) << text.toStdString();
            EXPECT_TRUE(text.contains("last changed ")) << text.toStdString();
            EXPECT_TRUE(text.contains("No discards it")) << text.toStdString();
            EXPECT_EQ(host.messages[i].caption, recoveryQuestionCaption());
        }
        QList<QByteArray> left;
        for (const QString &copy : RecoveryStore(folder).claimAbandoned())
            left << backTitleIn(copy);
        EXPECT_EQ(left, row.left);
    }
}

TEST(RecoveryOffer, TheQuestionNamesTheCover)
{
    const QDateTime when(QDate(2024, 6, 11), QTime(14, 3));
    const QString at = QLocale().toString(when, QLocale::ShortFormat);
    const QString start = "Discora was closed while a cover had unsaved changes.\n\n";
    const QString end = ".\n\nOpen the recovered cover? No discards it for good.";
    const struct Row {
        RecoveryStore::CopyInfo cover;
        QString named;
    } rows[] = {
        {{"Blue Train", StandardCD, when},
            "The cover \u201cBlue Train\u201d (standard CD), last changed " + at},
        {{"Caf\xe9\r\nsecond line", SlimlineDVD, when},
            "The cover \u201c" + QString::fromUtf8("Caf\u00e9")
                + "\u201d (slimline DVD), last changed " + at},
        {{QByteArray(70, 'x'), StandardDVD, when},
            "The cover \u201c" + QString(59, 'x') + QChar(0x2026)
                + "\u201d (standard DVD), last changed " + at},
        {{"", SlimlineCD, when}, "An untitled cover (slimline CD), last changed " + at},
        {{"Odd", Other, QDateTime()}, "The cover \u201cOdd\u201d (custom size)"},
        {{"", 0, QDateTime()}, "An untitled cover"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.named.toStdString());
        EXPECT_EQ(recoveryQuestionText(row.cover), start + row.named + end);
    }
}
