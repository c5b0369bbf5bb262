// The fuzzer's seed corpus, read as the program reads cover files: "valid-"
// and "old-" files read, "invalid-" files are refused, "damaged-" files read
// with what can be saved of them; none may crash or write outside the copy
// folder.
#include "document/CoverFile.h"
#include "document/DisplayText.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

using namespace testsupport;

namespace {

const QString kCorpus = QStringLiteral(DISCORA_TEST_DATA_DIR "/coverfile-corpus");

struct Read {
    CoverDocument doc;
    CoverReadResult result;
};

Read readCorpusFile(const QString &name)
{
    Read r;
    resetDocumentForType(r.doc, StandardCD);
    CoverReadOptions options;
    options.storeCoverTypeInSettings = false;
    r.result = readCoverFile(r.doc, kCorpus + '/' + name, options);
    return r;
}

qint64 fileSizeOfPng(const QByteArray &copyPath)
{
    return readFile(QFile::decodeName(copyPath)).startsWith("\x89PNG")
        ? QFileInfo(QFile::decodeName(copyPath)).size()
        : -1;
}

} // namespace

TEST(CoverFileCorpus, EveryFileReadsAsItsNameSays)
{
    const QStringList names = QDir(kCorpus).entryList({"*.zcv"}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 12);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const Read r = readCorpusFile(name);
        if (name.startsWith("valid-") || name.startsWith("old-")) {
            EXPECT_EQ(r.result.status, CoverReadResult::Status::Ok);
            EXPECT_GE(r.doc.covertype, 1);
            EXPECT_LE(r.doc.covertype, 5);
        } else if (name.startsWith("invalid-")) {
            EXPECT_EQ(r.result.status, CoverReadResult::Status::Invalid);
        } else {
            ASSERT_TRUE(name.startsWith("damaged-"));
            EXPECT_EQ(r.result.status, CoverReadResult::Status::Ok);
            EXPECT_GE(r.doc.covertype, 1);
            EXPECT_LE(r.doc.covertype, 5);
            // A picture is a copy of its block in the copy folder, or none.
            const QByteArray *paths[]
                = {&r.doc.fImagePath, &r.doc.bImagePath, &r.doc.sImagePath, &r.doc.dImagePath};
            qint64 blockBytes = 0;
            for (int n = 0; n < 4; ++n) {
                SCOPED_TRACE(n);
                blockBytes += r.result.pictureBytes[n];
                const QFileInfo copy(QFile::decodeName(*paths[n]));
                EXPECT_EQ(paths[n]->isEmpty(), r.result.pictureBytes[n] == 0);
                if (paths[n]->isEmpty())
                    continue;
                EXPECT_EQ(copy.absolutePath(), pictureCopyFolder());
                EXPECT_EQ(copy.size(), r.result.pictureBytes[n]);
            }
            EXPECT_LT(blockBytes, QFileInfo(kCorpus + '/' + name).size());
        }
    }
    for (const QString &copy :
        QDir(pictureCopyFolder())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        EXPECT_TRUE(copy.startsWith("tmp")) << copy.toStdString();
        EXPECT_FALSE(copy.contains('/'));
    }
}

TEST(CoverFileCorpus, WhatTheFilesHold)
{
    const struct {
        const char *file;
        std::function<void(const Read &)> check;
    } rows[] = {
        {"valid-standard-cd.zcv",
            [](const Read &r) {
                EXPECT_EQ(r.doc.covertype, StandardCD);
                EXPECT_EQ(r.doc.CoverOption, SeparateImages);
                EXPECT_EQ(r.doc.fCoverTitle, "Greatest Hits");
                EXPECT_EQ(r.doc.fCoverText, "Line one\r\nLine two");
                EXPECT_EQ(r.doc.fCoverTextFont.weight, 700);
                EXPECT_EQ(r.doc.fCoverTextColor, 255u);
                EXPECT_EQ(r.doc.bBackPrintOverSpines, 0);
                EXPECT_EQ(r.doc.backCoverSpineText, "GREATEST HITS");
                EXPECT_GT(r.result.pictureBytes[0], 0);
                EXPECT_EQ(fileSizeOfPng(r.doc.fImagePath), r.result.pictureBytes[0]);
                EXPECT_TRUE(r.doc.fImagePath.endsWith("/tmpfront.png"));
            }},
        {"valid-standard-dvd.zcv",
            [](const Read &r) {
                EXPECT_EQ(r.doc.covertype, StandardDVD);
                EXPECT_EQ(r.doc.fCoverTextFont.height, -19);
                EXPECT_EQ(r.doc.fCoverAlign, AlignCenter);
                EXPECT_EQ(r.doc.bCoverAlign, AlignRight);
                EXPECT_EQ(r.doc.fBGColor, 0u);
                EXPECT_TRUE(r.doc.fImagePath.isEmpty());
                EXPECT_TRUE(r.doc.sImagePath.endsWith("/tmpstretch.png"));
            }},
        {"valid-slimline-cd.zcv",
            [](const Read &r) {
                EXPECT_EQ(r.doc.covertype, SlimlineCD);
                EXPECT_FALSE(r.doc.dShowBorder);
                EXPECT_TRUE(r.doc.bImagePath.endsWith("/tmpback.png"));
                EXPECT_TRUE(r.doc.dImagePath.endsWith("/tmpdisc.png"));
            }},
        {"valid-slimline-dvd.zcv",
            [](const Read &r) {
                EXPECT_EQ(r.doc.dBGColor, 8421504u);
                EXPECT_EQ(r.doc.printOverInnerCircleDisc, 0);
                EXPECT_EQ(r.doc.dCoverTextFont.italic, 1);
            }},
        {"valid-front-listing-cd.zcv",
            [](const Read &r) { EXPECT_EQ(r.doc.fCoverText, "1. Alpha 1:00\r2. Beta\r"); }},
        {"valid-windows-1252.zcv",
            [](const Read &r) {
                EXPECT_EQ(
                    displayText(r.doc.fCoverTitle), QStringLiteral("Sch\u00f6ne Gr\u00fc\u00dfe"));
                EXPECT_EQ(r.doc.fCoverTextFont.faceName, "Verdana");
                // The last "." of a Windows path names the extension.
                EXPECT_TRUE(r.doc.fImagePath.endsWith("/tmpfront.png"));
            }},
        {"old-no-disc-entries.zcv",
            [](const Read &r) {
                EXPECT_EQ(r.doc.dBGColor, 0xFFFFFFu);
                EXPECT_EQ(r.doc.dCoverTextFont.faceName, "Arial");
                EXPECT_EQ(r.doc.dCoverTextFont.height, -16);
                EXPECT_TRUE(r.doc.dShowBorder);
                EXPECT_GT(r.result.pictureBytes[0], 0);
                EXPECT_GT(r.result.pictureBytes[1], 0);
            }},
        {"old-no-picture-blocks.zcv",
            [](const Read &r) {
                EXPECT_EQ(r.result.pictureBytes, (std::array<qint64, 4>{0, 0, 0, 0}));
                EXPECT_TRUE(r.doc.fImagePath.isEmpty() && r.doc.sImagePath.isEmpty());
            }},
        {"damaged-traversal-paths.zcv",
            [](const Read &r) {
                for (const QByteArray *p :
                    {&r.doc.fImagePath, &r.doc.bImagePath, &r.doc.sImagePath, &r.doc.dImagePath})
                    EXPECT_EQ(QFileInfo(QFile::decodeName(*p)).absolutePath(), pictureCopyFolder());
            }},
        {"damaged-nested-tags.zcv",
            [](const Read &r) {
                EXPECT_EQ(r.result.status, CoverReadResult::Status::Ok);
                EXPECT_EQ(r.doc.covertype, 1);
                EXPECT_EQ(r.doc.bCoverText, "b[DELIM]c[ENDfCoverText][covertype]=1x[ENDcovertype]");
                EXPECT_EQ(r.doc.fCoverText, "c\r"); // a type 1 listing, cut short
                // Blocks overlap: each runs to its own first closing tag.
                EXPECT_EQ(r.result.pictureBytes[1], qint64(sizeof("early[END][IMAGE1]") - 1));
                EXPECT_EQ(readFile(QFile::decodeName(r.doc.fImagePath)), "[ENDIMAGE2]pic");
            }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.file);
        const Read r = readCorpusFile(row.file);
        ASSERT_EQ(r.result.status, CoverReadResult::Status::Ok);
        row.check(r);
    }
}
