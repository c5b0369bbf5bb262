// The help file as built: it opens, every topic the windows ask for has its
// page, every link, picture and style sheet inside every page is in the
// archive, the contents list every page, and the pages render with their
// pictures and style.
#include <gtest/gtest.h>

#include "widgets/CHelpBrowser.h"
#include "widgets/ChmArchive.h"
#include "widgets/HelpSitemap.h"
#include "widgets/HelpTopics.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <memory>

namespace {

const QString kShippedHelp = QStringLiteral(DISCORA_BINARY_DIR "/share/discora/help.chm");

class ShippedHelp : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString reason;
        archive = ChmArchive::open(kShippedHelp, &reason);
        ASSERT_TRUE(archive) << reason.toStdString();
    }

    QStringList pages() const { return archive->files().filter(QRegularExpression("\\.html$")); }
    QString text(const QString &path) const
    {
        return QString::fromUtf8(archive->read(path).value());
    }

    // Where a link inside `page` leads, and whether it leads into the archive.
    static QUrl target(const QString &page, const QString &link)
    {
        return CHelpBrowser::pageUrl(page).resolved(QUrl(link));
    }

    bool hasAnchor(const QString &page, const QString &fragment) const
    {
        return text(page).contains(QRegularExpression(
            QStringLiteral("\\b(id|name)=\"%1\"").arg(QRegularExpression::escape(fragment))));
    }

    std::unique_ptr<ChmArchive> archive;
};

TEST_F(ShippedHelp, OpensWithItsTitleStartPageContentsAndIndex)
{
    EXPECT_EQ(archive->title(), QStringLiteral("Discora Help"));
    EXPECT_EQ(archive->defaultTopic(), QStringLiteral("/index.html"));
    EXPECT_TRUE(archive->contains(archive->contentsFile()));
    EXPECT_TRUE(archive->contains(archive->indexFile()));
    EXPECT_GE(pages().size(), 8);
}

TEST_F(ShippedHelp, EveryTopicTheWindowsAskForHasItsPage)
{
    const QStringList asked = {"", "mainwindow", "covertype", "images", "covertext", "tracklisting",
        "templates", "printing", "calibration", "commandline", "fileformat", "fonts"};
    for (const QString &topic : asked) {
        SCOPED_TRACE(topic.toStdString());
        EXPECT_TRUE(HelpTopics::topics().contains(topic));
        const QString page = HelpTopics::page(topic);
        EXPECT_TRUE(archive->contains(page)) << page.toStdString();
        // Each topic has a page of its own, except that the start page is
        // the start page.
        EXPECT_EQ(page == QLatin1String("/index.html"), topic.isEmpty());
    }
    EXPECT_EQ(HelpTopics::page(QStringLiteral("no such topic")), QStringLiteral("/index.html"));
}

TEST_F(ShippedHelp, EveryLinkPictureAndStyleSheetIsInTheArchive)
{
    static const QRegularExpression reference(QStringLiteral("\\b(href|src)=\"([^\"]*)\""));
    int checked = 0;
    for (const QString &page : pages()) {
        for (auto it = reference.globalMatch(text(page)); it.hasNext();) {
            const QString link = it.next().captured(2);
            SCOPED_TRACE((page + QLatin1String(" -> ") + link).toStdString());
            const QUrl url = target(page, link);
            if (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"))
                continue;
            ASSERT_EQ(url.scheme(), QStringLiteral("chm"));
            const QString file = ChmArchive::normalizedPath(url.path());
            EXPECT_TRUE(archive->contains(file));
            if (url.hasFragment()) {
                EXPECT_TRUE(hasAnchor(file, url.fragment()));
            }
            ++checked;
        }
        EXPECT_TRUE(text(page).contains(QLatin1String("href=\"style.css\""))) << page.toStdString();
    }
    EXPECT_GT(checked, 100);
}

TEST_F(ShippedHelp, ContentsListEveryPageAndEveryEntryLeadsToOne)
{
    const auto contents = HelpSitemap::parse(archive->read(archive->contentsFile()).value());
    const auto index = HelpSitemap::parse(archive->read(archive->indexFile()).value());
    QSet<QString> listed;
    for (const QString &local : HelpSitemap::pages(contents) + HelpSitemap::pages(index)) {
        SCOPED_TRACE(local.toStdString());
        const QUrl url = target(QStringLiteral("/index.html"), local);
        EXPECT_TRUE(archive->contains(url.path()));
        if (url.hasFragment()) {
            EXPECT_TRUE(hasAnchor(ChmArchive::normalizedPath(url.path()), url.fragment()));
        }
    }
    for (const QString &local : HelpSitemap::pages(contents))
        listed << ChmArchive::normalizedPath(local);
    const QStringList all = pages();
    EXPECT_EQ(listed, QSet<QString>(all.cbegin(), all.cend()));
    EXPECT_GT(HelpSitemap::pages(index).size(), 40);
}

TEST_F(ShippedHelp, PagesRenderWithTheirPicturesAndStyle)
{
    CHelpBrowser browser(*archive);
    browser.resize(700, 500);
    for (const QString &page : pages()) {
        SCOPED_TRACE(page.toStdString());
        browser.setSource(CHelpBrowser::pageUrl(page));
        browser.document()->documentLayout()->documentSize(); // pictures load in layout
        EXPECT_EQ(browser.currentPage(), page);
        EXPECT_FALSE(browser.documentTitle().isEmpty());
        // The style sheet's heading colour reaches the first heading.
        QTextBlock block = browser.document()->begin();
        while (block.isValid() && block.blockFormat().headingLevel() != 1)
            block = block.next();
        ASSERT_TRUE(block.isValid());
        EXPECT_EQ(block.charFormat().foreground().color(), QColor(0x00, 0x33, 0x66));
    }
    EXPECT_TRUE(browser.missingResources().isEmpty())
        << browser.missingResources().join(QLatin1Char(' ')).toStdString();
    for (const QString &picture : archive->files().filter(QRegularExpression("\\.png$"))) {
        const QImage image = QImage::fromData(archive->read(picture).value());
        EXPECT_FALSE(image.isNull()) << picture.toStdString();
        EXPECT_LE(image.width(), 700) << picture.toStdString(); // fits the help window
    }
}

} // namespace
