// A real program killed after a change: what it leaves and what the next
// start offers. The program is tests/support/recovery_child.cpp, the real
// windowed program with a scripted first change; the next start runs in
// this process with a scripted host.
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

constexpr int kNever = 3600 * 1000; // an autosave interval no test outlives

// Folders of their own for the programs of one test: the recovery folder
// under XDG_DATA_HOME, the picture copies under TMPDIR.
struct Sandbox {
    QString root = freshDir(QStringLiteral("kill"));
    QString data = root + "/data";
    QString temp = root + "/tmp";
    QString recovery = data + "/discora/recovery";
    Sandbox() { QDir().mkpath(temp); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", data);
        env.insert("TMPDIR", temp);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        return env;
    }
    QStringList copies() const { return QDir(recovery).entryList({"*.zcv"}, QDir::Files); }
    QStringList locks() const { return QDir(recovery).entryList({"*.lock"}, QDir::Files); }
};

// A cover with a picture, so that the program has picture copies.
QString coverWithPicture(const Sandbox &box)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    doc.bImagePath = QFile::encodeName(DISCORA_TEST_DATA_DIR "/pictures/cmyk-cells.jpg");
    const QString path = box.root + "/cover.zcv";
    EXPECT_TRUE(writeCoverFile(doc, path).ok);
    return path;
}

struct Program {
    QProcess process;
    qint64 pid = 0;
    QString pictures;
    QByteArray output;

    bool start(const Sandbox &box, int autosaveMs, const QString &title)
    {
        process.setProcessEnvironment(box.environment());
        process.start(
            DISCORA_RECOVERY_CHILD, {coverWithPicture(box), QString::number(autosaveMs), title});
        const QDeadlineTimer deadline(60s);
        while (!output.contains('\n') || !output.contains("ready ")) {
            if (deadline.hasExpired() || !process.waitForReadyRead(1000)) {
                if (process.state() == QProcess::NotRunning || deadline.hasExpired())
                    return false;
                continue;
            }
            output += process.readAllStandardOutput();
        }
        const QList<QByteArray> ready
            = output.mid(output.indexOf("ready ")).split('\n').first().split(' ');
        pid = ready.value(1).toLongLong();
        pictures = QString::fromLocal8Bit(ready.value(3));
        return pid == process.processId() && QFileInfo(pictures).isDir();
    }
    void kill(int signalNumber)
    {
        ::kill(pid_t(pid), signalNumber);
        process.waitForFinished(60000);
        output += process.readAllStandardOutput();
    }
};

bool waitForCopies(const Sandbox &box, int count)
{
    const QDeadlineTimer deadline(30s);
    while (box.copies().size() < count && !deadline.hasExpired())
        QThread::msleep(20);
    return box.copies().size() == count;
}

QByteArray titleIn(const QString &path)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    readCoverFile(doc, path);
    return doc.bCoverTitle;
}

// The next start of the program, in this process: its folders are the
// sandbox's while it runs.
int nextStart(const Sandbox &box)
{
    const QByteArray oldData = qgetenv("XDG_DATA_HOME"), oldTemp = qgetenv("TMPDIR");
    const QString oldName = QCoreApplication::applicationName();
    qputenv("XDG_DATA_HOME", box.data.toLocal8Bit());
    qputenv("TMPDIR", box.temp.toLocal8Bit());
    QCoreApplication::setApplicationName("discora");
    CoverLoopOptions options;
    options.skipCoverTypeDialog = true;
    const int code = CCoverApp::runWindowed(options);
    QCoreApplication::setApplicationName(oldName);
    qputenv("XDG_DATA_HOME", oldData);
    qputenv("TMPDIR", oldTemp);
    return code;
}

// The recovered cover in the window: modified, without a file name; then
// Exit without saving.
ScriptedUiHost::DialogScript expectRecovered(ScriptedUiHost &host, const QByteArray &title)
{
    return [&host, title](QDialog &d) {
        auto &w = static_cast<CMainDlg &>(d);
        EXPECT_EQ(w.document().bCoverTitle, title);
        EXPECT_TRUE(w.isModified());
        EXPECT_TRUE(w.filePath().isEmpty());
        EXPECT_TRUE(QFileInfo(QFile::decodeName(w.document().bImagePath)).isFile());
        // No state of its history is a saved one.
        editCover(w, [](CoverDocument &doc) { doc.fCoverTitle = "undone"; });
        w.undoAction()->trigger();
        EXPECT_TRUE(w.isModified());
        host.answers = {UiHost::Answer::No};
        w.button(MainDlgId::Exit)->click();
        return w.result();
    };
}

} // namespace

TEST(RecoveryKill, ASignalEndsTheProgramCleanlyWithTheChangesInACopy)
{
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(sig));
        Sandbox box;
        Program program;
        ASSERT_TRUE(program.start(box, kNever, "Kept on a signal")) << program.output.data();
        EXPECT_TRUE(box.copies().isEmpty()); // written at the signal, not before
        program.kill(sig);
        EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.process.exitCode(), 128 + sig);
        ASSERT_EQ(box.copies().size(), 1);
        EXPECT_TRUE(box.locks().isEmpty());
        EXPECT_EQ(titleIn(box.recovery + '/' + box.copies()[0]), "Kept on a signal");
        EXPECT_FALSE(QFileInfo::exists(program.pictures));
        EXPECT_FALSE(program.output.contains("question:")) << program.output.data();

        if (sig != SIGTERM)
            continue;
        ScriptedUiHost host;
        host.answers = {UiHost::Answer::Yes};
        host.dialogs.push_back(expectRecovered(host, "Kept on a signal"));
        EXPECT_EQ(nextStart(box), 0);
        ASSERT_EQ(host.messages.size(), 2);
        EXPECT_EQ(host.messages[0].text, recoveryQuestionText());
        EXPECT_EQ(host.messages[0].caption, recoveryQuestionCaption());
        EXPECT_EQ(host.messages[0].buttons, UiHost::Buttons::YesNo);
        EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Question);
        EXPECT_TRUE(box.copies().isEmpty()); // Exit without saving: the user chose
    }
}

TEST(RecoveryKill, AfterSigkillTheNextStartOffersTheLastCopyAndClearsThePictures)
{
    Sandbox box;
    Program program;
    ASSERT_TRUE(program.start(box, 50, "Kept after SIGKILL")) << program.output.data();
    ASSERT_TRUE(waitForCopies(box, 1));
    program.kill(SIGKILL);
    EXPECT_EQ(program.process.exitStatus(), QProcess::CrashExit);
    ASSERT_EQ(box.copies().size(), 1);
    EXPECT_EQ(box.locks().size(), 1); // its owner could not remove it
    EXPECT_TRUE(QFileInfo::exists(program.pictures));

    ScriptedUiHost host;
    host.answers = {UiHost::Answer::Yes};
    host.dialogs.push_back(expectRecovered(host, "Kept after SIGKILL"));
    EXPECT_EQ(nextStart(box), 0);
    EXPECT_EQ(host.messages.value(0).text, recoveryQuestionText());
    EXPECT_FALSE(QFileInfo::exists(program.pictures));
    EXPECT_TRUE(box.copies().isEmpty());
    EXPECT_TRUE(box.locks().isEmpty());
}

TEST(RecoveryKill, TwoRunningProgramsKeepTheirOwnCopies)
{
    Sandbox box;
    Program first, second;
    ASSERT_TRUE(first.start(box, 50, "First")) << first.output.data();
    ASSERT_TRUE(waitForCopies(box, 1));
    ASSERT_TRUE(second.start(box, 50, "Second")) << second.output.data();
    ASSERT_TRUE(waitForCopies(box, 2));
    EXPECT_FALSE(second.output.contains("question:")) << second.output.data();
    const auto copyOf = [&](const Program &p) {
        for (const QString &name : box.copies())
            if (name.startsWith(QStringLiteral("cover-%1-").arg(p.pid)))
                return box.recovery + '/' + name;
        return QString();
    };
    EXPECT_EQ(titleIn(copyOf(first)), "First");
    EXPECT_EQ(titleIn(copyOf(second)), "Second");

    RecoveryStore starting(box.recovery);
    EXPECT_TRUE(starting.claimAbandoned().isEmpty());
    first.kill(SIGTERM);
    EXPECT_EQ(starting.claimAbandoned(), QStringList{copyOf(first)});
    second.kill(SIGTERM);
    EXPECT_EQ(second.process.exitCode(), 128 + SIGTERM);
}
