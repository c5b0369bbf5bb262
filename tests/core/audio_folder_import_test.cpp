// Reading a folder of audio files into track listing rows: order, titles,
// lengths, the spine text, files that cannot be read, and the text rule
// that keeps the cover file's tags out of what the tags bring in.
#include "document/AudioFolderImport.h"
#include "document/CoverTextCheck.h"
#include "document/DisplayText.h"
#include "tests/support/AudioFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

using Rows = QList<QStringList>; // number, title, length

Rows shownRows(const AudioFolderImport &found)
{
    Rows rows;
    for (const TrackRow &row : found.rows)
        rows << QStringList{displayText(row[0]), displayText(row[1]), displayText(row[2])};
    return rows;
}

struct AudioFile {
    QString name;
    double seconds;
    AudioTags tags;
};

QString makeFolder(const QList<AudioFile> &files)
{
    const QString dir = freshDir(QStringLiteral("audio"));
    for (const AudioFile &f : files) {
        const QString path = dir + QLatin1Char('/') + f.name;
        EXPECT_TRUE(makeAudio(path, f.seconds)) << f.name.toStdString();
        if (!f.tags.title.isEmpty() || !f.tags.album.isEmpty() || f.tags.track > 0) {
            EXPECT_TRUE(writeTags(path, f.tags)) << f.name.toStdString();
        }
    }
    return dir;
}

} // namespace

TEST(AudioFolderImport, RowsComeInTagOrderElseNaturalNameOrder)
{
    const QString cafe = QStringLiteral("Caf\u00e9 M\u00fcller"),
                  tokyo = QStringLiteral("\u6771\u4eac");
    const struct {
        const char *what;
        QList<AudioFile> files;
        Rows rows;
        QString spine;
    } cases[] = {
        {"disc and track tags order the rows, whatever the names",
            {{"a.flac", 3, {"Third", "Joni", "Blue", {}, 3, 1}},
                {"b.ogg", 1, {"First", "Joni", "Blue", {}, 1, 1}},
                {"c.mp3", 2, {"Second", "Joni", "Blue", {}, 2, 1}},
                {"d.opus", 4, {"Other Disc", "Joni", "Blue", {}, 1, 2}},
                {"e.wav", 5, {"Fourth", "Joni", "Blue", {}, 4, 0}}},
            {{"1.", "First", "0:01"}, {"2.", "Second", "0:02"}, {"3.", "Third", "0:03"},
                {"4.", "Fourth", "0:05"}, {"5.", "Other Disc", "0:04"}},
            "Joni - Blue"},
        {"no tags: natural name order, titles from the names",
            {{"10 - Ten.flac", 1, {}}, {"2 - Two.ogg", 2, {}}, {"1-01 Intro.mp3", 3, {}},
                {"Outro.wav", 62, {}}, {"1979.opus", 1, {}}},
            {{"1.", "Intro", "0:03"}, {"2.", "Two", "0:02"}, {"3.", "Ten", "0:01"},
                {"4.", "1979", "0:01"}, {"5.", "Outro", "1:02"}},
            ""},
        {"one file without a track number: name order; different artists: the album alone",
            {{"02 b.flac", 1, {"B", "X", "Mix", {}, 1}}, {"01 a.ogg", 1, {"A", "Y", "Mix", {}, 0}}},
            {{"1.", "A", "0:01"}, {"2.", "B", "0:01"}}, "Mix"},
        {"non-ASCII titles from tags and from names; the album artist names the spine",
            {{"01.flac", 1, {cafe, "Pina", "Tanz", "Wuppertal", 1}},
                {"02.mp3", 2, {tokyo, "Other", "Tanz", "Wuppertal", 2}},
                {"03 \u00c4rger.ogg", 3, {{}, {}, "Tanz", "Wuppertal", 3}}},
            {{"1.", cafe, "0:01"}, {"2.", tokyo, "0:02"}, {"3.", "\u00c4rger", "0:03"}},
            "Wuppertal - Tanz"},
        {"tag text loses line breaks and the cover file's tags; albums that differ: no spine",
            {{"1.flac", 1, {"Line\r\nBreak\nHere", "AC[END]DC", "[[DELIM]]", {}, 1}},
                {"2.flac", 1, {"[END]", "AC[END]DC", "Other", {}, 2}}},
            {{"1.", "Line Break Here", "0:01"}, {"2.", "END", "0:01"}}, ""},
        {"the same album and artist with tag text mended",
            {{"1.flac", 1, {"A", "AC[END]DC", "[[DELIM]]", {}, 1}}}, {{"1.", "A", "0:01"}},
            "ACENDDC - DELIM"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const AudioFolderImport found = AudioFolderImport::read(makeFolder(c.files));
        EXPECT_EQ(found.status, AudioFolderImport::Status::Ok);
        EXPECT_EQ(shownRows(found), c.rows);
        EXPECT_EQ(displayText(found.spineText), c.spine);
        EXPECT_TRUE(found.unreadableFiles.isEmpty());
    }
}

TEST(AudioFolderImport, RowsKeepToOneEncoding)
{
    const QString cafe = QStringLiteral("Caf\u00e9"), omega = QStringLiteral("\u03a9mega");
    const struct {
        const char *what;
        QList<AudioFile> files;
        QList<QByteArray> titles;
    } cases[] = {
        {"titles that fit Windows-1252 are stored so", {{"1.flac", 1, {cafe, {}, {}, {}, 1}}},
            {"Caf\xe9"}},
        {"one title beyond it turns every cell to UTF-8",
            {{"1.flac", 1, {cafe, {}, {}, {}, 1}}, {"2.flac", 1, {omega, {}, {}, {}, 2}}},
            {"Caf\xc3\xa9", "\xce\xa9mega"}},
        {"a character beyond 16 bits comes through whole",
            {{"1.ogg", 1, {QStringLiteral("Note \U0001F3B5"), {}, {}, {}, 1}}},
            {"Note \xf0\x9f\x8e\xb5"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const AudioFolderImport found = AudioFolderImport::read(makeFolder(c.files));
        QList<QByteArray> titles;
        for (const TrackRow &row : found.rows)
            titles << row.value(1);
        EXPECT_EQ(titles, c.titles);
    }
}

TEST(AudioFolderImport, OnlyTheFolderOwnReadableAudioFilesBecomeRows)
{
    const QString dir = makeFolder({{"01 Song.flac", 2, {}}, {"03 Last.wav", 1, {}}});
    QDir(dir).mkdir(QStringLiteral("CD2"));
    ASSERT_TRUE(makeAudio(dir + QStringLiteral("/CD2/02 Deeper.flac"), 1));
    ASSERT_TRUE(makeAudio(dir + QStringLiteral("/.02 Hidden.flac"), 1));
    writeFile(dir + QStringLiteral("/cover.jpg"), "not audio");
    writeFile(dir + QStringLiteral("/02 Broken.mp3"), QByteArray(4000, 'x'));
    writeFile(dir + QStringLiteral("/10 Empty.flac"), {});
    writeWav(dir + QStringLiteral("/04 Silent.wav"), 0);

    const AudioFolderImport found = AudioFolderImport::read(dir);
    EXPECT_EQ(shownRows(found), (Rows{{"1.", "Song", "0:02"}, {"2.", "Last", "0:01"}}));
    EXPECT_EQ(
        found.unreadableFiles, (QStringList{"02 Broken.mp3", "04 Silent.wav", "10 Empty.flac"}));

    // Folders without audio files say so; one with only unreadable files names them.
    const QString other = freshDir(QStringLiteral("other"));
    EXPECT_EQ(AudioFolderImport::read(other).status, AudioFolderImport::Status::NoAudioFiles);
    QDir(other).mkdir(QStringLiteral("folder.mp3"));
    EXPECT_EQ(AudioFolderImport::read(other).status, AudioFolderImport::Status::NoAudioFiles);
    EXPECT_EQ(AudioFolderImport::read(other + QStringLiteral("/missing")).status,
        AudioFolderImport::Status::FolderUnreadable);
    writeFile(other + QStringLiteral("/bad.ogg"), "OggS");
    const AudioFolderImport bad = AudioFolderImport::read(other);
    EXPECT_EQ(bad.status, AudioFolderImport::Status::Ok);
    EXPECT_TRUE(bad.rows.isEmpty());
    EXPECT_EQ(bad.unreadableFiles, QStringList{"bad.ogg"});
}

TEST(AudioFolderImport, LengthsRoundAndNamesGiveTitles)
{
    const std::pair<qint64, const char *> lengths[]
        = {{0, "0:00"}, {499, "0:00"}, {500, "0:01"}, {59500, "1:00"}, {754000, "12:34"},
            {3599499, "59:59"}, {3599500, "1:00:00"}, {3723000, "1:02:03"}, {36000000, "10:00:00"}};
    for (const auto &[ms, text] : lengths)
        EXPECT_EQ(AudioFolderImport::lengthText(ms), QLatin1String(text)) << ms;

    const std::pair<const char *, const char *> titles[] = {{"01 - Intro.mp3", "Intro"},
        {"01. Intro.flac", "Intro"}, {"01_Intro.ogg", "Intro"}, {"Mr. Blue.wav", "Mr. Blue"},
        {"2 Become 1.mp3", "Become 1"}, {"Track01.wav", "Track01"}, {"07 [END].flac", "END"},
        {"01.Part.2.flac", "Part.2"}, {"1-01x.mp3", "01x"}, {"12.opus", "12"}};
    for (const auto &[name, title] : titles)
        EXPECT_EQ(AudioFolderImport::titleFromFileName(QString::fromUtf8(name)),
            QString::fromUtf8(title));

    EXPECT_LT(
        AudioFolderImport::compareNames(QStringLiteral("track 9"), QStringLiteral("Track 10")), 0);
    EXPECT_LT(AudioFolderImport::compareNames(QStringLiteral("01 b"), QStringLiteral("1 c")), 0);
    EXPECT_NE(AudioFolderImport::compareNames(QStringLiteral("01"), QStringLiteral("1")), 0);
    EXPECT_LT(AudioFolderImport::compareNames(QStringLiteral("a"), QStringLiteral("B")), 0);
    EXPECT_LT(
        AudioFolderImport::compareNames(QStringLiteral("\u00c9a"), QStringLiteral("\u00e9b")), 0);
}

TEST(AudioFolderImport, TagTextBecomesOneTrimmedLine)
{
    const std::pair<const char16_t *, const char16_t *> texts[] = {{u"Plain title", u"Plain title"},
        {u"", u""}, {u"  Padded\t", u"Padded"}, {u"\u00a0Wide\u00a0", u"Wide"},
        {u"Two\r\nLines", u"Two Lines"}, {u"Bell\u0007", u"Bell"}, {u"C1\u0085here", u"C1 here"},
        {u"Line\u2028Para\u2029End", u"Line Para End"}, {u"Just ]", u"Just ]"},
        {u"[END] of it", u"END of it"}};
    for (const auto &[text, cell] : texts) {
        EXPECT_EQ(AudioFolderImport::cellText(QString::fromUtf16(text)), QString::fromUtf16(cell))
            << QString::fromUtf16(text).toStdString();
    }
}

TEST(CoverTextCheck, TagsAreFoundAndLoseTheirBracketsUntilNoneIsLeft)
{
    const std::pair<const char *, const char *> found[]
        = {{"Intro [end] [END", ""}, {"a[END]b", "[END]"}, {"1 [/DELIM] 2 [END]", "[/DELIM]"},
            {"[covertype]", "[covertype]"}, {"[ENDbackCoverSpineText]", "[ENDbackCoverSpineText]"},
            {"[ENDIMAGE4]", "[ENDIMAGE4]"}, {"[BEGIN]", "[BEGIN]"}, {"[DELIM]", "[DELIM]"}};
    for (const auto &[text, tag] : found)
        EXPECT_EQ(coverFileTagOrMarkerIn(QByteArray(text)).tag, QByteArray(tag)) << text;

    const std::pair<const char *, const char *> mended[]
        = {{"[[END]]", "END"}, {"[[[DELIM]]]", "DELIM"}, {"[Intro]", "[Intro]"},
            {"[x[END]", "[xEND"}, {"a[BEGIN]b[/DELIM]c", "aBEGINb/DELIMc"}, {"[END]]", "END]"},
            {"[[covertype]x]", "[covertypex]"}, {"[IMAGE1][ENDIMAGE1]", "IMAGE1ENDIMAGE1"}};
    for (const auto &[text, clean] : mended) {
        const QString result = withoutFileTags(QString::fromUtf8(text));
        EXPECT_EQ(result, QString::fromUtf8(clean)) << text;
        EXPECT_FALSE(coverFileTagOrMarkerIn(storedText(result)).found()) << text;
    }
}

TEST(AudioFolderImport, EveryFormatTagLibReadsIsAnAudioFile)
{
    const std::pair<const char *, bool> names[] = {{"a.MP3", true}, {"a.flac", true},
        {"a.aiff", true}, {"a.AIF", true}, {"a.wv", true}, {"a.ape", true}, {"a.mpc", true},
        {"a.wma", true}, {"a.asf", true}, {"a.tta", true}, {"a.spx", true}, {"a.opus", true},
        {"a.cue", false}, {"a.m3u", false}, {"a.txt", false}, {".flac", false}, {"flac", false}};
    for (const auto &[name, audio] : names)
        EXPECT_EQ(AudioFolderImport::isAudioFileName(QString::fromLatin1(name)), audio) << name;
}
