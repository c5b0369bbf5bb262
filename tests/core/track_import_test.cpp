// CUE sheets and playlists read into track listing rows: titles,
// performers, lengths from the sheet, the playlist or the audio files, the
// encodings, and what broken or hostile inputs give.
#include "document/CueSheet.h"
#include "document/DisplayText.h"
#include "document/PlaylistReader.h"
#include "tests/support/AudioFiles.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace testsupport;

// Readable failures.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// Rows as "title,length" joined by "|".
QString shown(const TrackImport &import)
{
    QStringList rows;
    for (const TrackRow &row : import.rows())
        rows << displayText(row[1]) + QLatin1Char(',') + displayText(row[2]);
    return rows.join(QLatin1Char('|'));
}

// A folder with a 2 s FLAC "two.flac" titled "Tagged" by "Tagger", a 3 s
// untagged WAV "03 - three.wav" and a file that is no audio, "bad.flac".
QString audioFolder()
{
    static QString dir;
    if (dir.isEmpty()) {
        dir = freshDir(QStringLiteral("import-audio"));
        EXPECT_TRUE(makeAudio(dir + QStringLiteral("/two.flac"), 2));
        EXPECT_TRUE(writeTags(dir + QStringLiteral("/two.flac"), {"Tagged", "Tagger", {}, {}}));
        EXPECT_TRUE(writeWav(dir + QStringLiteral("/03 - three.wav"), 3));
        EXPECT_TRUE(writeFile(dir + QStringLiteral("/bad.flac"), "fLaC nothing"));
    }
    return dir;
}

TrackImport cue(const QByteArray &sheet)
{
    TrackImport import = CueSheet::parse(sheet, audioFolder() + QStringLiteral("/disc.cue"));
    import.readAudioFiles();
    return import;
}

struct Case {
    const char *what;
    QByteArray input;
    const char *rows;
    QStringList problems; // each a part of one message, in order
};

void check(const Case &c, const TrackImport &import)
{
    SCOPED_TRACE(c.what);
    EXPECT_EQ(shown(import), QString::fromUtf8(c.rows));
    EXPECT_EQ(import.ok, *c.rows != 0);
    ASSERT_EQ(import.problems.size(), c.problems.size())
        << import.problems.join(u'\n').toStdString();
    for (qsizetype i = 0; i < c.problems.size(); ++i)
        EXPECT_TRUE(import.problems[i].contains(c.problems[i])) << import.problems[i].toStdString();
}

} // namespace

TEST(CueSheet, TracksTitlesAndLengths)
{
    const Case cases[] = {
        {"one file for the disc; the last track runs to the file's end",
            "REM GENRE Rock\r\nPERFORMER \"Band\"\r\nTITLE \"Album\"\r\n"
            "FILE \"03 - three.wav\" WAVE\r\n"
            "  TRACK 01 AUDIO\r\n    TITLE \"Intro\"\r\n    PERFORMER \"Band\"\r\n"
            "    INDEX 01 00:00:00\r\n"
            "  TRACK 02 AUDIO\r\n    TITLE \"Duet\"\r\n    PERFORMER \"Guest\"\r\n"
            "    INDEX 00 00:01:00\r\n    INDEX 01 00:01:37\r\n",
            "Intro,0:01|Guest - Duet,0:02", {}},
        {"one file per track: titles from the tags, else the file name",
            "FILE two.flac FLAC\nTRACK 1 AUDIO\nINDEX 01 00:00:00\n"
            "FILE \"03 - three.wav\" WAVE\nTRACK 2 AUDIO\nINDEX 01 00:00:00\n",
            "Tagged,0:02|three,0:03", {}},
        {"a track sharing its file keeps a number for a title; hours",
            "FILE \"big.wav\" WAVE\nTRACK 07 AUDIO\nINDEX 01 00:00:00\nTRACK 08 AUDIO\n"
            "INDEX 01 75:00:00\nTRACK 09 AUDIO\nINDEX 01 76:00:00\n",
            "Track 07,1:15:00|Track 08,1:00|Track 09,", {"\"big.wav\" does not exist"}},
        {"a track without INDEX 01, times out of order, a bad time",
            "FILE \"03 - three.wav\" WAVE\nTRACK 01 AUDIO\nTITLE A\nINDEX 01 00:10:00\n"
            "TRACK 02 AUDIO\nTITLE B\nINDEX 01 00:05:00\nTRACK 03 AUDIO\nTITLE C\n"
            "TRACK 04 AUDIO\nTITLE D\nINDEX 01 00:02:99\n",
            "A,|B,|C,|D,",
            {"Track 4: the time \"00:02:99\"", "Track 2 starts before track 1",
                "Track 3 has no INDEX 01"}},
        {"a missing FILE, a FILE that is no audio, a track before any FILE",
            "TRACK 01 AUDIO\nINDEX 01 00:00:00\nFILE \"gone.flac\" FLAC\nTRACK 02 AUDIO\n"
            "INDEX 01 00:00:00\nFILE bad.flac FLAC\nTRACK 03 AUDIO\nINDEX 01 00:00:00\n",
            "Track 01,|gone,|bad,",
            {"Track 1 comes before any FILE", "\"gone.flac\" does not exist",
                "\"bad.flac\" is not an audio file"}},
        {"Windows-1252 where not UTF-8; UTF-8 with a byte order mark",
            "TITLE \"Caf\xe9\"\nFILE x.wav WAVE\nTRACK 01 AUDIO\nTITLE \"M\xfcller\"\n"
            "INDEX 01 00:00:00\nTRACK 02 AUDIO\nTITLE \"\xe9t\xe9\"\nINDEX 01 01:00:00\n",
            "M\u00fcller,1:00|\u00e9t\u00e9,", {"\"x.wav\" does not exist"}},
        {"texts lose the cover file's tags and line breaks",
            "FILE x.wav WAVE\nTRACK 01 AUDIO\nTITLE \"[END]Sun[DELIM]\"\nINDEX 01 00:00:00\n"
            "TRACK 02 AUDIO\nTITLE \"B\"\nINDEX 01 00:04:05\n",
            "ENDSunDELIM,0:04|B,", {"\"x.wav\" does not exist"}},
        {"no tracks", "REM nothing here\nTITLE \"Album\"\n", "", {"\"disc.cue\" holds no tracks"}},
    };
    for (const Case &c : cases)
        check(c, cue(c.input));

    const TrackImport utf8 = cue("\xEF\xBB\xBFPERFORMER \"\xce\xa9 Band\"\nTITLE Best Of\n"
                                 "FILE x.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
    EXPECT_EQ(utf8.spineText(), QStringLiteral("\u03a9 Band - Best Of"));
    EXPECT_EQ(cue("TITLE Alone\n").spineText(), QStringLiteral("Alone"));
}

TEST(CueSheet, TimesAreMinutesSecondsAndFrames)
{
    const std::pair<const char *, qint64> cases[]
        = {{"00:00:00", 0}, {"01:02:03", 4653}, {"99:59:74", 449999}, {"00:60:00", -1},
            {"00:00:75", -1}, {"1:2", -1}, {"a:b:c", -1}, {"-1:00:00", -1}, {"", -1}};
    for (const auto &[time, frames] : cases)
        EXPECT_EQ(CueSheet::framesOf(QString::fromLatin1(time)), frames) << time;
}

TEST(CueSheet, GarbageParsesSafelyAndIsCut)
{
    QByteArray garbage(10 * 1024 * 1024, '\0');
    QRandomGenerator random(7);
    for (char &c : garbage)
        c = char(random.bounded(256));
    // Sprinkled keywords: tracks by the thousand, FILE lines, quotes left open.
    for (qsizetype at = 0; at + 64 < garbage.size(); at += 997) {
        const char *line = at % 3 ? "\nTRACK 01 AUDIO\nINDEX 01 00:0" : "\nFILE \"x";
        garbage.replace(at, qsizetype(strlen(line)), line);
    }
    const TrackImport import = CueSheet::parse(garbage, QStringLiteral("/nowhere/g.cue"));
    EXPECT_EQ(import.tracks.size(), CueSheet::kMaxTracks);
    EXPECT_TRUE(import.problems.last().contains(QStringLiteral("more than 99 tracks")));
    EXPECT_LE(import.filesToRead().size(), CueSheet::kMaxTracks);
}

TEST(Playlist, EntriesTitlesAndLengths)
{
    const Case m3u[] = {
        {"EXTINF gives title and length; without it the file's tags",
            "#EXTM3U\r\n#EXTINF:245,Artist - Song, with comma\r\ngone.mp3\r\n"
            "two.flac\r\n#EXTINF:-1,Unknown length\r\n03 - three.wav\r\n",
            "Artist - Song, with comma,4:05|Tagger - Tagged,0:02|Unknown length,0:03", {}},
        {"streams, missing files, files that are no audio",
            "http://radio.example/live.ogg\nmissing/01 - Lost.mp3\nbad.flac\n",
            "live.ogg,|Lost,|bad,",
            {"\"01 - Lost.mp3\" does not exist", "\"bad.flac\" is not an audio file"}},
        {"a path of another machine finds the file beside the list",
            "#EXTINF:1,Far\nC:\\Music\\Album\\two.flac\n/elsewhere/03 - three.wav\n",
            "Far,0:01|three,0:03", {}},
        {"absolute paths and file URLs",
            QByteArray("file://") + audioFolder().toUtf8() + "/two.flac\n", "Tagger - Tagged,0:02",
            {}},
        {"an empty playlist", "#EXTM3U\n\n#EXTINF:10,Alone\n", "", {"holds no tracks"}},
    };
    const QString at = audioFolder() + QStringLiteral("/list.m3u");
    for (const Case &c : m3u) {
        TrackImport import = PlaylistReader::parseM3u(c.input, at);
        import.readAudioFiles();
        check(c, import);
    }

    const Case pls[] = {
        {"numbered keys in any order and case",
            "[playlist]\nNumberOfEntries=3\nFile2=two.flac\nTitle1=First\nFile1=gone.mp3\n"
            "Length1=61\ntitle3=Third\nfile3=03 - three.wav\nLength3=-1\nVersion=2\n",
            "First,1:01|Tagger - Tagged,0:02|Third,0:03", {}},
        {"an empty playlist", "[playlist]\nNumberOfEntries=0\n", "", {"holds no tracks"}},
    };
    for (const Case &c : pls) {
        TrackImport import = PlaylistReader::parsePls(c.input, at);
        import.readAudioFiles();
        check(c, import);
    }

    const Case xspf[] = {
        {"title, creator and milliseconds; a relative location read for the rest",
            "<?xml version=\"1.0\"?><playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">"
            "<trackList><track><location>gone.ogg</location><title>Song</title>"
            "<creator>Singer</creator><duration>125400</duration></track>"
            "<track><location>two.flac</location></track>"
            "<track><location>03%20-%20three.wav</location><title>Three</title></track>"
            "<track><title>Nowhere</title></track></trackList></playlist>",
            "Singer - Song,2:05|Tagger - Tagged,0:02|Three,0:03|Nowhere,", {}},
        {"broken XML", "<playlist><trackList><track><title>x</title></trackList>", "",
            {"is not a playlist that can be read (line 1"}},
        {"an empty playlist", "<playlist><trackList/></playlist>", "", {"holds no tracks"}},
    };
    for (const Case &c : xspf) {
        TrackImport import = PlaylistReader::parseXspf(c.input, at);
        import.readAudioFiles();
        check(c, import);
    }

    const TrackImport unreadable = TrackImport::readFile(audioFolder() + QStringLiteral("/no.pls"));
    EXPECT_FALSE(unreadable.ok);
    ASSERT_EQ(unreadable.problems.size(), 1);
    EXPECT_TRUE(unreadable.problems[0].startsWith(QStringLiteral("\"no.pls\" cannot be read")));
}

TEST(Playlist, ReadingCanBeStoppedAndSaysHowFarItGot)
{
    TrackImport import = PlaylistReader::parseM3u(
        "two.flac\n03 - three.wav\ntwo.flac\n", audioFolder() + QStringLiteral("/l.m3u"));
    QStringList seen;
    import.readAudioFiles([&seen](int done, int total, const QString &file) {
        seen << QStringLiteral("%1/%2 %3").arg(done).arg(total).arg(file.section(u'/', -1));
    return done < 1;
});
EXPECT_TRUE(import.cancelled);
EXPECT_EQ(seen, (QStringList{"0/2 two.flac", "1/2 03 - three.wav"}));
}
