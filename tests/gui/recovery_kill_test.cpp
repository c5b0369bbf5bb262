// A real program killed after a change (tests/support/recovery_child.cpp:
// the windowed program with a scripted first change), and the next start,
// run in this process with a scripted host.
#include "app/CCoverApp.h"
#include "app/RecoveryOffer.h"
#include "document/CoverFile.h"
#include "document/RecoveryStore.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

using namespace testsupport;
using namespace std::chrono_literals;

namespace {

// The folders of one test's programs: recovery copies under XDG_DATA_HOME,
// picture copies under TMPDIR.
struct Sandbox {
    QString root = freshDir("kill"), data = root + "/data", temp = root + "/tmp";
    QString recovery = data + "/discora/recovery";
    QStringList files(const char *pattern) const
    {
        return QDir(recovery).entryList({pattern}, QDir::Files);
    }
    // Blocks until the folder holds `count` copies.
    bool copies(int count) const
    {
        const QDeadlineTimer deadline(30s);
        while (files("*.zcv").size() < count && !deadline.hasExpired())
            QThread::msleep(20);
        return files("*.zcv").size() == count;
    }
};

struct Program {
    QProcess process;
    QByteArray output;
    qint64 pid = 0;
    QString pictures;

    // Starts on a cover with a picture, so that it has picture copies.
    bool start(const Sandbox &box, int autosaveMs, const QString &title)
    {
        CoverDocument doc = coverTitled("");
        doc.bImagePath = DISCORA_TEST_DATA_DIR "/pictures/cmyk-cells.jpg";
        if (!QDir().mkpath(box.temp) || !writeCoverFile(doc, box.root + "/c.zcv").ok)
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", box.data);
        env.insert("TMPDIR", box.temp);
        process.setProcessEnvironment(env);
        process.start(
            DISCORA_RECOVERY_CHILD, {box.root + "/c.zcv", QString::number(autosaveMs), title});
        while (!output.contains("ready ") || !output.endsWith('\n')) {
            if (!process.waitForReadyRead(30000))
                return false;
            output += process.readAllStandardOutput();
        }
        const QList<QByteArray> ready = output.mid(output.indexOf("ready ")).trimmed().split(' ');
        pid = ready.value(1).toLongLong();
        pictures = QString::fromLocal8Bit(ready.value(3));
        return pid == process.processId() && QFileInfo(pictures).isDir();
    }
    void kill(int signalNumber)
    {
        ::kill(pid_t(pid), signalNumber);
        process.waitForFinished(60000);
    }
};

// The next start of the program, with the sandbox's folders; Yes to the
// recovery question, then a look at the window and Exit without saving.
void nextStartRecovers(const Sandbox &box, const QByteArray &title)
{
    ScriptedUiHost host;
    host.answers = {UiHost::Answer::Yes};
    host.dialogs.push_back([&](QDialog &d) {
        auto &w = static_cast<CMainDlg &>(d);
        EXPECT_EQ(w.document().bCoverTitle, title);
        EXPECT_TRUE(w.isModified());
        EXPECT_TRUE(w.filePath().isEmpty()); // Save asks for a name
        EXPECT_TRUE(QFileInfo(QFile::decodeName(w.document().bImagePath)).isFile());
        editCover(w, [](CoverDocument &doc) { doc.fCoverTitle = "undone"; });
        w.undoAction()->trigger();
        EXPECT_TRUE(w.isModified()); // no state of its history is a saved one
        host.answers = {UiHost::Answer::No};
        w.button(MainDlgId::Exit)->click();
        return w.result();
    });
    const QByteArray data = qgetenv("XDG_DATA_HOME"), temp = qgetenv("TMPDIR");
    const QString name = QCoreApplication::applicationName();
    qputenv("XDG_DATA_HOME", box.data.toLocal8Bit());
    qputenv("TMPDIR", box.temp.toLocal8Bit());
    QCoreApplication::setApplicationName("discora");
    CoverLoopOptions options;
    options.skipCoverTypeDialog = true;
    EXPECT_EQ(CCoverApp::runWindowed(options), 0);
    QCoreApplication::setApplicationName(name);
    qputenv("XDG_DATA_HOME", data);
    qputenv("TMPDIR", temp);

    ASSERT_EQ(host.messages.size(), 2); // the recovery question, the save question
    EXPECT_TRUE(host.messages[0].text.contains("\u201c" + QString::fromUtf8(title) + "\u201d"))
        << host.messages[0].text.toStdString();
    EXPECT_EQ(host.messages[0].caption, recoveryQuestionCaption());
    EXPECT_EQ(host.messages[0].buttons, UiHost::Buttons::YesNo);
    EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Question);
    EXPECT_TRUE(box.files("*").isEmpty()); // Exit without saving: the user chose
}

} // namespace

TEST(RecoveryKill, ASignalEndsTheProgramCleanlyWithTheChangesInACopy)
{
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(sig));
        Sandbox box;
        Program program;
        ASSERT_TRUE(program.start(box, 3600000, "Kept")) << program.output.data();
        EXPECT_TRUE(box.files("*.zcv").isEmpty()); // written at the signal
        program.kill(sig);
        EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.process.exitCode(), 128 + sig);
        EXPECT_FALSE(QFileInfo::exists(program.pictures));
        EXPECT_TRUE(box.files("*.lock").isEmpty());
        ASSERT_EQ(box.files("*.zcv").size(), 1);
        if (sig == SIGTERM)
            nextStartRecovers(box, "Kept");
    }
}

TEST(RecoveryKill, AfterSigkillTheNextStartOffersTheLastCopyAndClearsThePictures)
{
    Sandbox box;
    Program program;
    ASSERT_TRUE(program.start(box, 50, "Autosaved")) << program.output.data();
    ASSERT_TRUE(box.copies(1));
    program.kill(SIGKILL);
    EXPECT_EQ(program.process.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(box.files("*.lock").size(), 1); // its owner could not remove it
    ASSERT_TRUE(QFileInfo::exists(program.pictures));
    nextStartRecovers(box, "Autosaved");
    EXPECT_FALSE(QFileInfo::exists(program.pictures));
}

TEST(RecoveryKill, TwoRunningProgramsKeepTheirOwnCopies)
{
    Sandbox box;
    Program first, second;
    ASSERT_TRUE(first.start(box, 50, "First")) << first.output.data();
    ASSERT_TRUE(box.copies(1));
    ASSERT_TRUE(second.start(box, 50, "Second")) << second.output.data();
    ASSERT_TRUE(box.copies(2));
    EXPECT_FALSE(second.output.contains("question:")) << second.output.data();
    EXPECT_TRUE(QFileInfo::exists(first.pictures)); // a running program's
    const auto copyOf = [&](const Program &p) {
        return box.recovery + '/'
            + box.files("*.zcv").filter(QStringLiteral("-%1-").arg(p.pid)).value(0);
    };
    EXPECT_EQ(backTitleIn(copyOf(first)), "First");
    EXPECT_EQ(backTitleIn(copyOf(second)), "Second");

    RecoveryStore starting(box.recovery);
    EXPECT_TRUE(starting.claimAbandoned().isEmpty());
    first.kill(SIGTERM);
    EXPECT_EQ(starting.claimAbandoned(), QStringList{copyOf(first)});
    EXPECT_TRUE(RecoveryStore(box.recovery).claimAbandoned().isEmpty()); // claimed
    second.kill(SIGTERM);
}
