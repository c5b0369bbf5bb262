// New, Save, Load and closing: prompts, file names and the window state
// they leave for the application loop.
#include "app/FileCommands.h"
#include "document/CoverFile.h"
#include "document/CoverSession.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <functional>
#include <gtest/gtest.h>

using namespace testsupport;
using Answer = UiHost::Answer;

namespace {

struct Fixture {
    ScriptedUiHost host;
    CoverSession session;
    FileCommands commands{nullptr, session};

    Fixture()
    {
        CoverDocument doc;
        resetDocumentForType(doc, StandardCD);
        session.reset(doc);
    }
    void edit(const CoverSession::Edit &e) { session.change(QStringLiteral("Test"), e); }
};

void expectSaveChangesPrompt(const ScriptedUiHost::Message &m)
{
    EXPECT_EQ(m.text,
        QStringLiteral("You have made changes to your cover, would you like to save the cover?"));
    EXPECT_EQ(m.caption, QStringLiteral("Save"));
    EXPECT_EQ(m.buttons, UiHost::Buttons::YesNo);
    EXPECT_EQ(m.icon, UiHost::Icon::Question);
}

} // namespace

TEST(CoverExtension, AppendedUnlessTheTextOccursAnywhere)
{
    const std::pair<const char *, const char *> cases[] = {
        {"/tmp/cover", "/tmp/cover.zcv"},
        {"/tmp/cover.zcv", "/tmp/cover.zcv"},
        {"/tmp/a.zcv.old", "/tmp/a.zcv.old"},
        {"/tmp/x.zcvdir/cover", "/tmp/x.zcvdir/cover"},
        {"/tmp/COVER.ZCV", "/tmp/COVER.ZCV.zcv"},
        {"/tmp/cover.Zcv", "/tmp/cover.Zcv.zcv"},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(
            FileCommands::withCoverExtension(QString::fromLatin1(in)), QString::fromLatin1(out));
}

TEST(SaveCommand, WritesTheCoverUnderTheChosenNameWithTheExtension)
{
    const QString dir = freshDir(QStringLiteral("save"));
    const std::pair<QString, QString> cases[] = {
        {dir + QStringLiteral("/plain"), dir + QStringLiteral("/plain.zcv")},
        {dir + QStringLiteral("/mid.zcv.cover"), dir + QStringLiteral("/mid.zcv.cover")},
        {dir + QStringLiteral("/CAPS.ZCV"), dir + QStringLiteral("/CAPS.ZCV.zcv")},
    };
    for (const auto &[chosen, written] : cases) {
        SCOPED_TRACE(chosen.toStdString());
        Fixture f;
        f.session.markModified();
        f.edit([](CoverDocument &d) { d.fCoverTitle = "Title"; });
        f.host.fileNames = {chosen};
        f.commands.save();
        EXPECT_TRUE(f.host.messages.isEmpty());
        EXPECT_FALSE(f.session.isModified());
        EXPECT_FALSE(f.commands.saveCancelled());
        EXPECT_EQ(f.session.filePath(), written);
        ASSERT_TRUE(QFileInfo::exists(written));
        CoverDocument back;
        resetDocumentForType(back, StandardCD);
        EXPECT_EQ(readCoverFile(back, written).status, CoverReadResult::Status::Ok);
        EXPECT_EQ(back.fCoverTitle, QByteArray("Title"));
    }
}

TEST(SaveCommand, AsksOnlyForACoverWithoutAFileThenWritesThereAtOnce)
{
    Fixture f;
    f.edit([](CoverDocument &d) { d.fCoverTitle = "Live: at the Hall / 2024"; });
    // Without a file of its own: the desktop, the title as the name.
    f.host.fileNames = {QString()};
    f.commands.save();
    ASSERT_EQ(f.host.fileRequests.size(), 1);
    const ScriptedUiHost::FileRequest &r = f.host.fileRequests[0];
    EXPECT_TRUE(r.save);
    EXPECT_EQ(r.filter, QStringLiteral("Discora Files (*.zcv)"));
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    EXPECT_EQ(r.startPath,
        QDir(QFileInfo(desktop).isDir() ? desktop : QDir::homePath())
            .filePath(QStringLiteral("Live at the Hall 2024.zcv")));
    EXPECT_TRUE(f.session.coverPath().isEmpty());

    const QString path = freshDir(QStringLiteral("again")) + QStringLiteral("/c.zcv");
    f.host.fileNames = {path};
    f.commands.save();
    EXPECT_EQ(f.session.coverPath(), path);
    // Saved once, the cover goes to its file without a question.
    f.edit([](CoverDocument &d) { d.fCoverTitle = "Second"; });
    f.commands.save();
    EXPECT_EQ(f.host.fileRequests.size(), 2);
    EXPECT_TRUE(f.host.messages.isEmpty());
    EXPECT_FALSE(f.session.isModified());
    CoverDocument back;
    resetDocumentForType(back, StandardCD);
    ASSERT_EQ(readCoverFile(back, path).status, CoverReadResult::Status::Ok);
    EXPECT_EQ(back.fCoverTitle, QByteArray("Second"));
    // Save As asks, with the cover's own file proposed.
    f.host.fileNames = {QString()};
    f.commands.saveAs();
    ASSERT_EQ(f.host.fileRequests.size(), 3);
    EXPECT_EQ(f.host.fileRequests[2].startPath, path);
    EXPECT_EQ(f.session.coverPath(), path);
}

TEST(SaveCommand, ATitleBecomesASafeFileName)
{
    const std::pair<QString, QString> cases[] = {
        {QString(), QStringLiteral("cover")},
        {QStringLiteral("  \r\n "), QStringLiteral("cover")},
        {QStringLiteral("a/b\\c:d*e?f\"g<h>i|j"), QStringLiteral("a b c d e f g h i j")},
        {QStringLiteral("..hidden"), QStringLiteral("hidden")},
        {QStringLiteral("Line one\r\nLine two"), QStringLiteral("Line one Line two")},
        {QStringLiteral("Caf\u00e9 \u00e0 Paris"), QStringLiteral("Caf\u00e9 \u00e0 Paris")},
        {QString(150, QLatin1Char('x')), QString(100, QLatin1Char('x'))},
    };
    for (const auto &[title, name] : cases)
        EXPECT_EQ(FileCommands::fileNameFromTitle(title), name) << title.toStdString();
}

TEST(SaveCommand, CancelMarksTheSaveCancelled)
{
    Fixture f;
    f.session.markModified();
    f.session.setFilePath(QStringLiteral("/somewhere/old.zcv"));
    f.host.fileNames = {QString()};
    f.commands.save();
    EXPECT_TRUE(f.commands.saveCancelled());
    EXPECT_TRUE(f.session.filePath().isEmpty());
    EXPECT_TRUE(f.session.isModified());
}

TEST(SaveCommand, OverwriteQuestion)
{
    const QString path = freshDir(QStringLiteral("overwrite")) + QStringLiteral("/c.zcv");
    ASSERT_TRUE(writeFile(path, "old bytes"));

    Fixture f;
    f.session.markModified();
    f.session.setFilePath(QStringLiteral("/before/x.zcv"));
    f.host.fileNames = {path};
    f.host.answers = {Answer::No};
    f.commands.save();
    ASSERT_EQ(f.host.messages.size(), 1);
    EXPECT_EQ(f.host.messages[0].text,
        QStringLiteral("A cover with this name already exists. Would you like to "
                       "overwrite this cover?"));
    EXPECT_EQ(f.host.messages[0].caption, QStringLiteral("Overwrite?"));
    EXPECT_EQ(f.host.messages[0].buttons, UiHost::Buttons::YesNo);
    EXPECT_EQ(f.host.messages[0].icon, UiHost::Icon::Question);
    EXPECT_TRUE(f.session.isModified());
    EXPECT_EQ(f.session.filePath(), QStringLiteral("/before/x.zcv"));
    EXPECT_EQ(readFile(path), QByteArray("old bytes"));

    // The name without the extension names the same file: still asked.
    f.host.fileNames = {path.chopped(4)};
    f.host.answers = {Answer::Yes};
    f.commands.save();
    EXPECT_EQ(f.host.messages.size(), 2);
    EXPECT_FALSE(f.session.isModified());
    EXPECT_EQ(f.session.filePath(), path);
    EXPECT_NE(readFile(path), QByteArray("old bytes"));
}

TEST(SaveCommand, AFailedSaveSaysWhyAndKeepsTheOldFile)
{
    const QString dir = freshDir(QStringLiteral("failed"));
    const QString path = dir + QStringLiteral("/c.zcv");
    ASSERT_TRUE(writeFile(path, "the old cover"));

    Fixture f;
    f.session.markModified();
    // A title the file cannot hold fails the write.
    f.edit([](CoverDocument &d) { d.fCoverTitle = "Live [END] tour"; });
    f.host.fileNames = {path};
    f.host.answers = {Answer::Yes, Answer::Ok};
    f.commands.save();
    ASSERT_EQ(f.host.messages.size(), 2);
    const ScriptedUiHost::Message &m = f.host.messages[1];
    EXPECT_EQ(m.caption, QStringLiteral("Save"));
    EXPECT_EQ(m.buttons, UiHost::Buttons::Ok);
    EXPECT_EQ(m.icon, UiHost::Icon::Exclamation);
    EXPECT_TRUE(m.text.contains(path)) << m.text.toStdString();
    const CoverWriteResult direct = writeCoverFile(f.session.document(), path);
    ASSERT_FALSE(direct.ok);
    EXPECT_FALSE(direct.reason.isEmpty());
    EXPECT_TRUE(m.text.contains(direct.reason)) << m.text.toStdString();
    EXPECT_TRUE(f.session.isModified());
    EXPECT_TRUE(f.session.filePath().isEmpty());
    EXPECT_EQ(readFile(path), QByteArray("the old cover"));

    // An unwritable place fails the same way.
    Fixture g;
    g.session.markModified();
    g.host.fileNames = {dir + QStringLiteral("/no/such/folder/c.zcv")};
    g.host.answers = {Answer::Ok};
    g.commands.save();
    ASSERT_EQ(g.host.messages.size(), 1);
    EXPECT_EQ(g.host.messages[0].icon, UiHost::Icon::Exclamation);
    EXPECT_TRUE(g.session.isModified());
}

TEST(NewCommand, AsksOnlyWithUnsavedChanges)
{
    Fixture f;
    EXPECT_EQ(f.commands.newCover(), 1);
    EXPECT_TRUE(f.host.messages.isEmpty());

    f.session.markModified();
    f.host.answers = {Answer::No};
    EXPECT_EQ(f.commands.newCover(), 1);
    ASSERT_EQ(f.host.messages.size(), 1);
    expectSaveChangesPrompt(f.host.messages[0]);
    EXPECT_FALSE(f.session.isModified());
    EXPECT_TRUE(f.host.fileRequests.isEmpty());
}

TEST(NewCommand, ACancelledSaveKeepsTheCover)
{
    Fixture f;
    f.session.markModified();
    f.host.answers = {Answer::Yes};
    f.host.fileNames = {QString()};
    EXPECT_EQ(f.commands.newCover(), std::nullopt);
    EXPECT_TRUE(f.session.isModified());
    EXPECT_TRUE(f.commands.saveCancelled());
}

TEST(NewCommand, StartsANewCoverEvenAfterASave)
{
    Fixture f;
    f.session.markModified();
    const QString path = freshDir(QStringLiteral("new")) + QStringLiteral("/c.zcv");
    f.host.answers = {Answer::Yes};
    f.host.fileNames = {path};
    EXPECT_EQ(f.commands.newCover(), 1);
    EXPECT_TRUE(QFileInfo::exists(path));
    // Else the loop would read the saved cover back instead of asking for a type.
    EXPECT_TRUE(f.session.filePath().isEmpty());
}

TEST(LoadCommand, OpensAnExistingCover)
{
    const QString dir = freshDir(QStringLiteral("load"));
    const QString path = dir + QStringLiteral("/c.zcv");
    ASSERT_TRUE(writeFile(path, "[BEGIN][END]"));

    Fixture f;
    f.host.fileNames = {path.chopped(4)}; // the extension is added as for Save
    EXPECT_EQ(f.commands.load(), 1);
    EXPECT_EQ(f.session.filePath(), path);
    ASSERT_EQ(f.host.fileRequests.size(), 1);
    EXPECT_FALSE(f.host.fileRequests[0].save);
    EXPECT_EQ(f.host.fileRequests[0].filter, QStringLiteral("Discora Files (*.zcv)"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(f.host.fileRequests[0].startPath,
        QFileInfo(documents).isDir() ? documents : QStringLiteral("/"));
}

TEST(LoadCommand, CancelOrAMissingFileOpensNothing)
{
    Fixture f;
    f.host.fileNames = {QString()};
    EXPECT_EQ(f.commands.load(), std::nullopt);
    EXPECT_TRUE(f.session.filePath().isEmpty());

    f.session.markModified();
    f.host.answers = {Answer::No};
    f.host.fileNames = {freshDir(QStringLiteral("missing")) + QStringLiteral("/none.zcv")};
    EXPECT_EQ(f.commands.load(), std::nullopt);
    // Nothing was opened: the cover in the window still has its changes.
    EXPECT_TRUE(f.session.isModified());
}

TEST(LoadCommand, ACancelledSaveShowsNoOpenDialog)
{
    Fixture f;
    f.session.markModified();
    f.host.answers = {Answer::Yes};
    f.host.fileNames = {QString()};
    EXPECT_EQ(f.commands.load(), std::nullopt);
    ASSERT_EQ(f.host.fileRequests.size(), 1);
    EXPECT_TRUE(f.host.fileRequests[0].save);
    EXPECT_TRUE(f.session.isModified());
}

TEST(CloseCommand, QuitsUnlessAWantedSaveDidNotHappen)
{
    Fixture f;
    f.session.setFilePath(QStringLiteral("/x/c.zcv"));
    EXPECT_EQ(f.commands.close(), 6);
    EXPECT_TRUE(f.session.filePath().isEmpty());
    EXPECT_TRUE(f.host.messages.isEmpty());

    f.session.markModified();
    f.host.answers = {Answer::Yes};
    f.host.fileNames = {QString()};
    EXPECT_EQ(f.commands.close(), std::nullopt);
    EXPECT_TRUE(f.session.isModified());

    // A save that fails keeps the window open too.
    f.host.answers = {Answer::Yes, Answer::Ok};
    f.host.fileNames = {QStringLiteral("/no/such/folder/c.zcv")};
    EXPECT_EQ(f.commands.close(), std::nullopt);

    f.host.answers = {Answer::No};
    EXPECT_EQ(f.commands.close(), 6);
    EXPECT_FALSE(f.commands.saveCancelled());
}

TEST(SaveCommand, MissingPicturesAreLeftOutAndNamedOnce)
{
    const QString dir = freshDir(QStringLiteral("missing-pictures"));
    const QString path = dir + QStringLiteral("/c.zcv");
    const QString gone = dir + QStringLiteral("/gone.png");
    const QString folder = dir + QStringLiteral("/a-folder.jpg");
    ASSERT_TRUE(QDir().mkpath(folder));

    Fixture f;
    f.edit([&](CoverDocument &d) {
        d.fCoverTitle = "Kept";
        d.fImagePath = QFile::encodeName(gone);
        d.dImagePath = QFile::encodeName(folder);
    });
    f.host.fileNames = {path};
    f.host.answers = {Answer::Ok};
    f.commands.save();
    EXPECT_FALSE(f.session.isModified());
    EXPECT_EQ(f.session.filePath(), path);
    ASSERT_EQ(f.host.messages.size(), 1);
    EXPECT_EQ(f.host.messages[0].caption, QStringLiteral("Save"));
    EXPECT_EQ(f.host.messages[0].buttons, UiHost::Buttons::Ok);
    EXPECT_TRUE(f.host.messages[0].text.contains(gone)) << f.host.messages[0].text.toStdString();
    EXPECT_TRUE(f.host.messages[0].text.contains(folder));

    CoverDocument back;
    resetDocumentForType(back, StandardCD);
    CoverReadOptions options;
    options.storeCoverTypeInSettings = false;
    const CoverReadResult read = readCoverFile(back, path, options);
    ASSERT_EQ(read.status, CoverReadResult::Status::Ok);
    EXPECT_EQ(back.fCoverTitle, QByteArray("Kept"));
    EXPECT_EQ(read.pictureBytes, (std::array<qint64, 4>{0, 0, 0, 0}));
}

// Escape or the close box on a Yes/No question cancels the command that
// asked it: nothing is saved, quit, started over or opened.
TEST(FileCommands, ADismissedQuestionCancelsTheCommand)
{
    using Command = std::function<std::optional<int>(FileCommands &)>;
    const std::pair<const char *, Command> commands[] = {
        {"close", [](FileCommands &c) { return c.close(); }},
        {"new", [](FileCommands &c) { return c.newCover(); }},
        {"load", [](FileCommands &c) { return c.load(); }},
    };
    for (const auto &[name, run] : commands) {
        SCOPED_TRACE(name);
        Fixture f;
        f.session.markModified();
        f.session.setFilePath(QStringLiteral("/x/kept.zcv"));
        f.host.answers = {Answer::Cancel};
        EXPECT_EQ(run(f.commands), std::nullopt);
        EXPECT_TRUE(f.session.isModified());
        EXPECT_EQ(f.session.filePath(), QStringLiteral("/x/kept.zcv"));
        EXPECT_TRUE(f.host.fileRequests.isEmpty());
        EXPECT_EQ(f.host.messages.size(), 1);
    }

    // The overwrite question dismissed keeps the other cover.
    const QString path = freshDir(QStringLiteral("dismissed")) + QStringLiteral("/c.zcv");
    ASSERT_TRUE(writeFile(path, "other"));
    Fixture f;
    f.session.markModified();
    f.host.fileNames = {path};
    f.host.answers = {Answer::Cancel};
    f.commands.save();
    EXPECT_EQ(readFile(path), QByteArray("other"));
    EXPECT_TRUE(f.session.isModified());
}
