// The help window on the shipped help file: it opens on the topic's page as
// a window of the window that asked (also while that one runs modally, and
// closes with it), follows links back and forward, hands web addresses to
// the desktop, and a missing or damaged help file gives a message, not a
// crash.
#include <gtest/gtest.h>

#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CHelpBrowser.h"
#include "widgets/CHelpWindow.h"
#include "widgets/QtUiHost.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

namespace {

const QString kShippedHelp = QStringLiteral(DISCORA_BINARY_DIR "/share/discora/help.chm");

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override { UiHost::setInstance(&host); }
    void TearDown() override { UiHost::setInstance(nullptr); }

    // The rule by which a modal window lets another take input.
    static bool takesInputWhileOwnerRuns(QWidget *help, QWidget *owner)
    {
        return help->windowHandle() && owner->windowHandle()
            && owner->windowHandle()->isAncestorOf(
                help->windowHandle(), QWindow::IncludeTransients);
    }

    ScriptedUiHost host{ScriptedUiHost::AnswerNoticesWithOk};
};

TEST_F(HelpWindowTest, OpensOnTheTopicsPageAsAWindowOfItsOwner)
{
    const struct {
        const char *topic;
        const char *page;
        const char *contentsEntry;
    } cases[] = {
        {"", "/index.html", "Discora Help"},
        {"printing", "/printing.html", "Printing a cover"},
        {"tracklisting", "/tracklisting.html", "The track listing"},
        {"calibration", "/calibration.html", "Calibrating the printer"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.topic);
        QDialog owner;
        owner.show();
        QPointer<CHelpWindow> help
            = CHelpWindow::open(&owner, kShippedHelp, QString::fromLatin1(c.topic));
        ASSERT_TRUE(help);
        EXPECT_TRUE(host.messages.isEmpty());
        EXPECT_EQ(help->parentWidget(), &owner);
        EXPECT_TRUE(help->isWindow());
        EXPECT_TRUE(help->isVisible());
        EXPECT_TRUE(takesInputWhileOwnerRuns(help, &owner));
        EXPECT_EQ(help->currentPage(), QString::fromLatin1(c.page));
        ASSERT_TRUE(help->contentsTree()->currentItem());
        EXPECT_EQ(
            help->contentsTree()->currentItem()->text(0), QString::fromLatin1(c.contentsEntry));
        EXPECT_TRUE(help->windowTitle().endsWith(help->browser()->documentTitle()));
        owner.hide();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(help) << "the help window outlived its owner's run";
    }
}

TEST_F(HelpWindowTest, QtHostOpensTheInstalledHelpForTheWindowRunningModally)
{
    QDialog dialog;
    QPointer<CHelpWindow> help;
    bool tookInput = false;
    QTimer::singleShot(0, &dialog, [&] {
        QtUiHost().showHelp(&dialog, QStringLiteral("covertype"));
        help = dialog.findChild<CHelpWindow *>();
        tookInput = help && QApplication::activeModalWidget() == &dialog
            && takesInputWhileOwnerRuns(help, &dialog);
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(tookInput);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(help);
}

TEST_F(HelpWindowTest, OneWindowPerOwnerFollowingLinksBackAndForward)
{
    QDialog owner;
    owner.show();
    CHelpWindow *help = CHelpWindow::open(&owner, kShippedHelp, QStringLiteral("printing"));
    ASSERT_TRUE(help);
    EXPECT_EQ(CHelpWindow::open(&owner, kShippedHelp, QStringLiteral("mainwindow")), help);
    EXPECT_EQ(help->currentPage(), QStringLiteral("/mainwindow.html"));

    auto *back = help->findChild<QToolButton *>(QStringLiteral("helpBack"));
    auto *forward = help->findChild<QToolButton *>(QStringLiteral("helpForward"));
    Q_EMIT help->browser()->anchorClicked(QUrl(QStringLiteral("templates.html")));
    EXPECT_EQ(help->currentPage(), QStringLiteral("/templates.html"));
    EXPECT_EQ(help->contentsTree()->currentItem()->text(0), QStringLiteral("Ready-made templates"));
    back->click();
    EXPECT_EQ(help->currentPage(), QStringLiteral("/mainwindow.html"));
    forward->click();
    EXPECT_EQ(help->currentPage(), QStringLiteral("/templates.html"));

    Q_EMIT help->browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/more")));
    EXPECT_EQ(help->currentPage(), QStringLiteral("/templates.html"));
    ASSERT_EQ(host.openedUrls.size(), 1);
    EXPECT_EQ(host.openedUrls[0], QUrl(QStringLiteral("https://example.org/more")));

    Q_EMIT help->browser()->anchorClicked(QUrl(QStringLiteral("gone.html")));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QLatin1String("not in the help file")));
}

TEST_F(HelpWindowTest, AMissingOrDamagedHelpFileGivesAMessageNotACrash)
{
    const QByteArray shipped = testsupport::readFile(kShippedHelp);
    ASSERT_GT(shipped.size(), 4096);
    QByteArray garbage(shipped.size(), '\0');
    QRandomGenerator rng(11);
    for (char &c : garbage)
        c = char(rng.bounded(256));
    const QString dir = testsupport::freshDir(QStringLiteral("help"));

    QList<QPair<QString, QByteArray>> files = {
        {QStringLiteral("empty"), QByteArray()},
        {QStringLiteral("garbage"), garbage},
        {QStringLiteral("header only"), shipped.left(0x60)},
    };
    for (qsizetype cut : {qsizetype(0x100), qsizetype(0x1000), shipped.size() / 3,
             shipped.size() / 2, shipped.size() - 4096, shipped.size() - 1})
        files.append({QStringLiteral("cut at %1").arg(cut), shipped.left(cut)});

    QDialog owner;
    for (const auto &[name, bytes] : files) {
        SCOPED_TRACE(name.toStdString());
        const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".chm");
        ASSERT_TRUE(testsupport::writeFile(path, bytes));
        host.messages.clear();
        EXPECT_FALSE(CHelpWindow::open(&owner, path, QStringLiteral("printing")));
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].caption, QStringLiteral("Help"));
        EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Exclamation);
        EXPECT_TRUE(host.messages[0].text.contains(QLatin1String("cannot be read")));
        EXPECT_TRUE(host.messages[0].text.contains(path));
    }

    host.messages.clear();
    const QString missing = dir + QStringLiteral("/missing.chm");
    EXPECT_FALSE(CHelpWindow::open(&owner, missing, QString()));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].text.contains(QLatin1String("is missing")));
    EXPECT_TRUE(host.messages[0].text.contains(missing));
    EXPECT_TRUE(owner.findChildren<CHelpWindow *>().isEmpty());

    // Bytes overwritten inside the compressed pages cannot always be told
    // from sound ones; whatever they give, it is a window or a message.
    for (qsizetype at : {shipped.size() / 4, shipped.size() / 2, shipped.size() * 3 / 4}) {
        QByteArray damaged = shipped;
        damaged.replace(at, 2048, garbage.mid(at, 2048));
        const QString path = dir + QStringLiteral("/overwritten.chm");
        ASSERT_TRUE(testsupport::writeFile(path, damaged));
        host.messages.clear();
        CHelpWindow *help = CHelpWindow::open(&owner, path, QStringLiteral("printing"));
        EXPECT_NE(help != nullptr, host.messages.size() == 1);
        if (help)
            help->close();
    }
}

} // namespace
