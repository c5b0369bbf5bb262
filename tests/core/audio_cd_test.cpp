// Audio CDs through libcdio's disc-image drivers, on images made here: a
// CUE sheet with its BIN and a cdrdao TOC, both with CD-TEXT; and what a
// source that is no disc gives.
#include "document/AudioCdReader.h"
#include "document/DisplayText.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr int kSectorBytes = 2352;

// Five seconds of silent CD audio: three for the first track, two for the
// second. (libcdio looks for a CUE sheet's BIN beside it under its own
// name, and for a TOC's files from the working folder: the images name it
// by its full path.)
QString makeBin(const QString &dir, const QString &name = QStringLiteral("disc"))
{
    const QString bin = dir + QLatin1Char('/') + name + QStringLiteral(".bin");
    EXPECT_TRUE(writeFile(bin, QByteArray(5 * 75 * kSectorBytes, '\0')));
    return bin;
}

QString shown(const TrackImport &import)
{
    QStringList rows;
    for (const TrackRow &row : import.rows())
        rows << displayText(row[0]) + displayText(row[1]) + QLatin1Char(',') + displayText(row[2]);
    return rows.join(QLatin1Char('|'));
}

} // namespace

TEST(AudioCd, TracksTitlesAndLengthsFromImages)
{
    const QString dir = freshDir(QStringLiteral("cd"));
    const QByteArray bin = makeBin(dir).toUtf8();
    writeFile(dir + QStringLiteral("/disc.cue"),
        "PERFORMER \"Ann\"\nTITLE \"Dawn\"\nFILE \"disc.bin\" BINARY\n"
        "  TRACK 01 AUDIO\n    TITLE \"One\"\n    PERFORMER \"Ann\"\n    INDEX 01 00:00:00\n"
        "  TRACK 02 AUDIO\n    TITLE \"Two\"\n    PERFORMER \"Bo\"\n    INDEX 01 00:03:00\n");
    const TrackImport cue = AudioCdReader::read(dir + QStringLiteral("/disc.cue"));
    ASSERT_TRUE(cue.ok) << cue.problems.join(u'\n').toStdString();
    EXPECT_EQ(shown(cue), QStringLiteral("1.One,0:03|2.Bo - Two,0:02"));
    EXPECT_EQ(cue.spineText(), QStringLiteral("Ann - Dawn"));

    // Without CD-TEXT the tracks are numbered: a cdrdao TOC, a bare CUE.
    writeFile(dir + QStringLiteral("/disc.toc"),
        "CD_DA\nTRACK AUDIO\nFILE \"" + bin + "\" 0 00:03:00\nTRACK AUDIO\nFILE \"" + bin
            + "\" 00:03:00 00:02:00\n");
    const TrackImport toc = AudioCdReader::read(dir + QStringLiteral("/disc.toc"));
    EXPECT_EQ(shown(toc), QStringLiteral("1.Track 01,0:03|2.Track 02,0:02"));
    makeBin(dir, QStringLiteral("plain"));
    writeFile(dir + QStringLiteral("/plain.cue"),
        "FILE \"plain.bin\" BINARY\n  TRACK 01 AUDIO\n"
        "    INDEX 01 00:00:00\n");
    const TrackImport plain = AudioCdReader::read(dir + QStringLiteral("/plain.cue"));
    EXPECT_EQ(shown(plain), QStringLiteral("1.Track 01,0:05"));
    EXPECT_EQ(plain.spineText(), QString());
}

TEST(AudioCd, CdTextOfTocImagesNamesTracksAndTheSpine)
{
    // A cdrdao TOC of the five seconds: the disc's CD-TEXT block, then
    // each track's block (or none) before its file.
    const QString dir = freshDir(QStringLiteral("cdtext"));
    const QByteArray bin = makeBin(dir).toUtf8();
    const auto language = [](const QByteArray &title, const QByteArray &performer) {
        QByteArray fields;
        if (!title.isEmpty())
            fields += "    TITLE \"" + title + "\"\n";
        if (!performer.isEmpty())
            fields += "    PERFORMER \"" + performer + "\"\n";
        return "CD_TEXT {\n  LANGUAGE 0 {\n" + fields + "  }\n}\n";
    };
    const auto toc = [&bin](const QByteArray &disc, const QByteArray &one, const QByteArray &two) {
        return "CD_DA\n" + disc + "TRACK AUDIO\n" + one + "FILE \"" + bin + "\" 0 00:03:00\n"
            + "TRACK AUDIO\n" + two + "FILE \"" + bin + "\" 00:03:00 00:02:00\n";
    };
    const QByteArray dawn = language("Dawn", "Ann");
    const struct {
        const char *what;
        QByteArray image;
        const char *rows;
        const char *spine;
    } cases[] = {
        {"titles from the tracks' CD-TEXT; a performer other than the disc's names the track",
            toc(dawn, language("One", "Ann"), language("Two", "Bo")), "1.One,0:03|2.Bo - Two,0:02",
            "Ann - Dawn"},
        {"a language map on one line",
            toc(QByteArray(dawn).replace("CD_TEXT {\n", "CD_TEXT {\n  LANGUAGE_MAP { 0 : EN }\n"),
                language("One", {}), language("Two", {})),
            "1.One,0:03|2.Two,0:02", "Ann - Dawn"},
        {"a track without CD-TEXT is numbered", toc(dawn, language("One", {}), {}),
            "1.One,0:03|2.Track 02,0:02", "Ann - Dawn"},
        {"CD-TEXT for the disc alone: every track numbered", toc(dawn, {}, {}),
            "1.Track 01,0:03|2.Track 02,0:02", "Ann - Dawn"},
        {"a disc title without a performer is the spine alone",
            toc(language("Dawn", {}), language("One", "Cy"), language("Two", "Cy")),
            "1.Cy - One,0:03|2.Cy - Two,0:02", "Dawn"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir + QStringLiteral("/disc.toc");
        ASSERT_TRUE(writeFile(path, c.image));
        const TrackImport found = AudioCdReader::read(path);
        EXPECT_TRUE(found.ok) << found.problems.join(u'\n').toStdString() << "\n"
                              << c.image.toStdString();
        EXPECT_EQ(shown(found), QString::fromUtf8(c.rows));
        EXPECT_EQ(found.spineText(), QString::fromUtf8(c.spine));
    }
}

TEST(AudioCd, WhatIsNoAudioDiscSaysSo)
{
    const QString dir = freshDir(QStringLiteral("nocd"));
    makeBin(dir, QStringLiteral("data"));
    writeFile(dir + QStringLiteral("/data.cue"),
        "FILE \"data.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n");
    writeFile(dir + QStringLiteral("/broken.cue"), "this is no CUE sheet\n");
    const std::pair<QString, const char *> cases[] = {
        {dir + QStringLiteral("/data.cue"), "holds no audio tracks"},
        {dir + QStringLiteral("/broken.cue"), "cannot be opened as a CD"},
        {dir + QStringLiteral("/missing.toc"), "cannot be opened as a CD"},
    };
    for (const auto &[source, message] : cases) {
        const TrackImport cd = AudioCdReader::read(source);
        EXPECT_FALSE(cd.ok) << source.toStdString();
        ASSERT_EQ(cd.problems.size(), 1) << source.toStdString();
        EXPECT_TRUE(cd.problems[0].contains(QLatin1String(message)))
            << cd.problems[0].toStdString();
    }
}

TEST(AudioCd, NoDriveSaysSo)
{
    for (const char *device : {"/dev/sr0", "/dev/cdrom", "/dev/sr1"}) {
        if (QFile::exists(QLatin1String(device)))
            GTEST_SKIP() << "this machine has a CD drive";
    }
    const TrackImport cd = AudioCdReader::read();
    EXPECT_FALSE(cd.ok);
    EXPECT_EQ(cd.problems, QStringList{QStringLiteral("No CD drive was found.")});
}
