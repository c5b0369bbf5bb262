// How texts are stored: Windows-1252 when a field fits it, else UTF-8; face
// names cut between characters; and which texts a cover file cannot hold.
#include "document/CoverFile.h"
#include "document/CoverTextCheck.h"
#include "document/DisplayText.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace {

std::string hex(const QByteArray &b)
{
    return b.toHex(' ').toStdString();
}

} // namespace

TEST(StoredText, Windows1252WhenEveryCharacterFitsElseUtf8)
{
    struct Case {
        const char *why;
        QString text;
        QByteArray stored;
    };
    const Case cases[] = {
        {"ASCII", QStringLiteral("Live 1999"), "Live 1999"},
        {"empty", QString(), ""},
        {"Latin-1 letter", QStringLiteral("Caf\u00e9"), "Caf\xe9"},
        {"line breaks kept", QStringLiteral("one\r\ntwo"), "one\r\ntwo"},
        {"the 0x80 row", QStringLiteral("\u20ac 5 \u201cquoted\u201d \u2013 \u0153"),
            "\x80 5 \x93quoted\x94 \x96 \x9c"},
        {"an undefined byte's control", QStringLiteral("a\u0081b"),
            "a\x81"
            "b"},
        {"a control the code page has no byte for", QStringLiteral("a\u0080b"),
            "a\xc2\x80"
            "b"},
        {"Greek", QStringLiteral("\u0395\u03bb\u03bb\u03ac\u03b4\u03b1"),
            "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1"},
        {"one character that does not fit makes the whole field UTF-8",
            QStringLiteral("Caf\u00e9 \u03a9"), "Caf\xc3\xa9 \xce\xa9"},
        {"Windows-1252 bytes that read as other UTF-8", QStringLiteral("\u00c3\u00a9"),
            "\xc3\x83\xc2\xa9"},
        {"outside the basic plane", QStringLiteral("\U0001F3B5"), "\xf0\x9f\x8e\xb5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(hex(storedText(c.text)), hex(c.stored));
        EXPECT_EQ(displayText(storedText(c.text)), c.text);
    }
}

TEST(StoredText, FaceNamesAreCutToThirtyOneBytesBetweenCharacters)
{
    struct Case {
        const char *why;
        QString name;
        QString kept; // what reads back
        qsizetype bytes;
    };
    const QString omega = QStringLiteral("\u03a9");
    const QString eAcute = QStringLiteral("\u00e9");
    const Case cases[] = {
        {"short", QStringLiteral("Arial"), QStringLiteral("Arial"), 5},
        {"ASCII", QString(40, QLatin1Char('x')), QString(31, QLatin1Char('x')), 31},
        {"Windows-1252, a byte a character", eAcute.repeated(40), eAcute.repeated(31), 31},
        {"UTF-8, never half a character", omega.repeated(20), omega.repeated(15), 30},
        {"UTF-8 to the last byte", QStringLiteral("A") + omega.repeated(20),
            QStringLiteral("A") + omega.repeated(15), 31},
        {"the cut part decides the encoding", eAcute.repeated(30) + omega, eAcute.repeated(30), 30},
        {"never half a surrogate pair", QStringLiteral("\U0001F3B5").repeated(10),
            QStringLiteral("\U0001F3B5").repeated(7), 28},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const QByteArray stored = storedFaceName(c.name);
        EXPECT_EQ(stored.size(), c.bytes);
        EXPECT_EQ(displayText(stored), c.kept);

        // A record (and the cover file reader) cuts stored bytes between
        // characters too, without choosing the encoding again.
        LogFont record;
        record.setFaceName(storedText(c.name));
        EXPECT_LE(record.faceName.size(), 31);
        EXPECT_TRUE(c.name.startsWith(displayText(record.faceName)));
        EXPECT_GE(record.faceName.size(), qMin<qsizetype>(storedText(c.name).size(), 28));
    }
}

TEST(StoredText, ReaderCutsLongUtf8FaceNamesBetweenCharacters)
{
    const QByteArray name = storedText(QStringLiteral("\u03a9").repeated(20));
    CoverDocument doc;
    resetDocumentForType(doc, StandardDVD);
    CoverReadOptions options;
    options.storeCoverTypeInSettings = false;
    const QByteArray file = "[BEGIN][fCoverTextFontFace]=" + name + "[ENDfCoverTextFontFace][END]";
    ASSERT_EQ(readCoverBytes(doc, file, options).status, CoverReadResult::Status::Ok);
    EXPECT_EQ(displayText(doc.fCoverTextFont.faceName), QStringLiteral("\u03a9").repeated(15));
}

TEST(CoverTextCheck, FindsTheFirstTagOfTheCoverFile)
{
    struct Case {
        QByteArray text;
        QByteArray tag; // empty: none
        qsizetype offset;
    };
    const Case cases[] = {
        {"Live [END] tour", "[END]", 5},
        {"[BEGIN]", "[BEGIN]", 0},
        {"a [fCoverText] b", "[fCoverText]", 2},
        {"x[ENDbCoverTitle]", "[ENDbCoverTitle]", 1},
        {"[covertype]=2", "[covertype]", 0},
        {"[IMAGE3]", "[IMAGE3]", 0},
        {"ends [ENDIMAGE4]", "[ENDIMAGE4]", 5},
        {"[[END]]", "[END]", 1},
        {"b [ENDcovertype] a [END]", "[ENDcovertype]", 2},
        {"[backCoverSpineText] [IMAGE1]", "[backCoverSpineText]", 0},
        // Near misses are text.
        {"no tags at all", "", -1},
        {"[END", "", -1},
        {"[end]", "", -1},
        {"[ END]", "", -1},
        {"[ENDIMAGE5]", "", -1},
        {"[fcovertext]", "", -1},
        {"[fCoverText ]", "", -1},
        {"[DELIM]1.[/DELIM]", "", -1},
        {"[[]]", "", -1},
        {"", "", -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const CoverTagHit hit = coverFileTagIn(c.text);
        EXPECT_EQ(hit.tag, c.tag);
        EXPECT_EQ(hit.offset, c.offset);
        EXPECT_EQ(hit.found(), c.offset >= 0);
    }

    // Every key's two tags, the text part's two and the picture blocks' eight.
    QList<QByteArray> expected = {"[BEGIN]", "[END]"};
    for (const QByteArray &key : coverFileKeys())
        expected << '[' + key + ']' << "[END" + key + ']';
    for (char n : {'1', '2', '3', '4'})
        expected << QByteArray("[IMAGE") + n + ']' << QByteArray("[ENDIMAGE") + n + ']';
    EXPECT_EQ(coverFileTags().size(), 114);
    for (const QByteArray &tag : expected)
        EXPECT_EQ(coverFileTagIn("\xe9" + tag + "]").tag, tag) << tag.toStdString();

    EXPECT_EQ(trackMarkerIn("1.[/DELIM] [DELIM]").tag, QByteArray("[/DELIM]"));
    EXPECT_EQ(trackMarkerIn("1.[/DELIM] [DELIM]").offset, 2);
    EXPECT_FALSE(trackMarkerIn("[END] [DELIM ]").found());
    EXPECT_EQ(coverTagMessage(QStringLiteral("Front Cover Title"), "[END]"),
        QStringLiteral("The Front Cover Title contains \"[END]\", which a cover file cannot "
                       "store in a text.\n\nPlease change the Front Cover Title."));
}

// Texts built around the file's tags and near misses of them: every text the
// check lets through reads back from a cover file exactly as written.
TEST(CoverTextCheck, TextsItAcceptsReadBackAsWritten)
{
    QRandomGenerator random(7);
    const QList<QByteArray> &tags = coverFileTags();
    auto pick = [&](std::initializer_list<const char *> pieces) {
        return QByteArray(pieces.begin()[random.bounded(int(pieces.size()))]);
    };
    auto nearMiss = [&](QByteArray tag) {
        switch (random.bounded(6)) {
        case 0: return tag; // the tag itself
        case 1: return tag.chopped(1);
        case 2: return tag.mid(1);
        case 3: return tag.toLower();
        case 4: return tag.insert(1, ' ');
        default: return tag.replace(']', "]]");
        }
    };
    auto noise = [&] { return pick({"", "[", "]", "=", "END", "x", "\xe9", "\r\n", "[END"}); };

    int accepted = 0, refused = 0;
    for (int round = 0; round < 600; ++round) {
        CoverDocument written;
        resetDocumentForType(written, StandardDVD);
        QByteArray *fields[] = {&written.fCoverText, &written.bCoverText, &written.dCoverText,
            &written.fCoverTitle, &written.bCoverTitle, &written.dCoverTitle,
            &written.fCoverTextFontName, &written.bCoverTextFontName, &written.dCoverTextFontName,
            &written.frontCoverSpineText, &written.backCoverSpineText};
        QByteArray &text = *fields[random.bounded(int(std::size(fields)))];
        text = noise() + nearMiss(tags[random.bounded(int(tags.size()))]) + noise()
            + nearMiss(tags[random.bounded(int(tags.size()))]) + noise();
        if (coverFileTagIn(text).found()) {
            ++refused;
            continue;
        }
        ++accepted;
        SCOPED_TRACE(text.toStdString());
        const CoverBytesResult bytes = coverFileBytes(written);
        ASSERT_TRUE(bytes.ok);
        CoverDocument read;
        resetDocumentForType(read, StandardDVD);
        CoverReadOptions options;
        options.storeCoverTypeInSettings = false;
        ASSERT_EQ(readCoverBytes(read, bytes.bytes, options).status, CoverReadResult::Status::Ok);
        EXPECT_EQ(read, written);
    }
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}
