// How texts are stored (Windows-1252 when a field fits, else UTF-8; face
// names cut between characters) and which texts a cover file cannot hold.
#include "document/CoverFile.h"
#include "document/CoverTextCheck.h"
#include "document/DisplayText.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

TEST(StoredText, Windows1252WhenEveryCharacterFitsElseUtf8)
{
    const std::pair<QString, QByteArray> cases[] = {
        {QStringLiteral("Live 1999\r\n"), "Live 1999\r\n"},
        {QStringLiteral("Caf\u00e9 \u20ac5 \u201cq\u201d \u2013"),
            "Caf\xe9 \x80"
            "5 \x93q\x94 \x96"},
        {QStringLiteral("a\u0081"), "a\x81"}, // an undefined byte's control
        {QStringLiteral("a\u0080"), "a\xc2\x80"}, // a control with no byte there
        {QStringLiteral("Caf\u00e9 \u03a9"), "Caf\xc3\xa9 \xce\xa9"}, // one misfit: all UTF-8
        {QStringLiteral("\u00c3\u00a9"), "\xc3\x83\xc2\xa9"}, // its bytes would read as "é"
        {QStringLiteral("\U0001F3B5"), "\xf0\x9f\x8e\xb5"},
    };
    for (const auto &[text, stored] : cases) {
        EXPECT_EQ(storedText(text).toHex(' '), stored.toHex(' ')) << text.toStdString();
        EXPECT_EQ(displayText(storedText(text)), text);
    }
}

TEST(StoredText, FaceNamesAreCutToThirtyOneBytesBetweenCharacters)
{
    const QString omega = QStringLiteral("\u03a9"), e = QStringLiteral("\u00e9");
    const QString note = QStringLiteral("\U0001F3B5");
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("Arial"), QStringLiteral("Arial")},
        {e.repeated(40), e.repeated(31)}, // a byte a character
        {omega.repeated(20), omega.repeated(15)}, // never half a character
        {QLatin1Char('A') + omega.repeated(20), QLatin1Char('A') + omega.repeated(15)},
        {e.repeated(30) + omega, e.repeated(30)}, // the part kept decides the encoding
        {note.repeated(10), note.repeated(7)}, // never half a surrogate pair
    };
    for (const auto &[name, kept] : cases) {
        EXPECT_EQ(displayText(storedFaceName(name)), kept) << name.toStdString();
        EXPECT_LE(storedFaceName(name).size(), 31);
    }
    // The reader cuts a long UTF-8 name between characters too.
    CoverDocument doc;
    const QByteArray file
        = "[fCoverTextFontFace]=" + storedText(omega.repeated(20)) + "[ENDfCoverTextFontFace][END]";
    ASSERT_EQ(readCoverBytes(doc, file, {96, false}).status, CoverReadResult::Status::Ok);
    EXPECT_EQ(displayText(doc.fCoverTextFont.faceName), omega.repeated(15));
}

TEST(CoverTextCheck, FindsTheFirstTagOfTheCoverFile)
{
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"Live [END] tour", "[END]"},
        {"[BEGIN]", "[BEGIN]"},
        {"x[ENDbCoverTitle]", "[ENDbCoverTitle]"},
        {"[IMAGE3]", "[IMAGE3]"},
        {"[[END]]", "[END]"},
        {"b [ENDcovertype] [END]", "[ENDcovertype]"},
        {"[END", ""},
        {"[end]", ""},
        {"[ END]", ""},
        {"[ENDIMAGE5]", ""},
        {"[fcovertext]", ""},
        {"[DELIM]1.[/DELIM]", ""},
        {"", ""},
    };
    for (const auto &[text, tag] : cases) {
        const CoverTagHit hit = coverFileTagIn(text);
        EXPECT_EQ(hit.tag, tag) << text.toStdString();
        EXPECT_EQ(hit.offset, tag.isEmpty() ? -1 : text.indexOf(tag));
    }
    // Every key's two tags, the text part's two and the picture blocks' eight.
    QList<QByteArray> expected = {"[BEGIN]", "[END]"};
    for (const QByteArray &key : coverFileKeys())
        expected << '[' + key + ']' << "[END" + key + ']';
    for (char n : {'1', '2', '3', '4'})
        expected << QByteArray("[IMAGE") + n + ']' << QByteArray("[ENDIMAGE") + n + ']';
    EXPECT_EQ(coverFileTags().size(), expected.size());
    for (const QByteArray &tag : expected)
        EXPECT_EQ(coverFileTagIn("\xe9" + tag + "]").offset, 1) << tag.toStdString();
    EXPECT_EQ(trackMarkerIn("1.[/DELIM] [DELIM]").tag, QByteArray("[/DELIM]"));
    EXPECT_FALSE(trackMarkerIn("[END] [DELIM ]").found());
}

// Texts built around the file's tags and near misses of them: every text the
// check lets through reads back from a cover file exactly as written.
TEST(CoverTextCheck, TextsItAcceptsReadBackAsWritten)
{
    QRandomGenerator random(7);
    const QList<QByteArray> &tags = coverFileTags();
    auto nearMiss = [&] {
        QByteArray tag = tags[random.bounded(int(tags.size()))];
        switch (random.bounded(6)) {
        case 0: return tag;
        case 1: return tag.chopped(1);
        case 2: return tag.mid(1);
        case 3: return tag.toLower();
        case 4: return tag.insert(1, ' ');
        default: return tag.replace(']', "]]");
        }
    };
    const QByteArray noise[] = {"", "[", "]", "=", "END", "x", "\xe9", "\r\n", "[END"};
    auto some = [&] { return noise[random.bounded(int(std::size(noise)))]; };
    int accepted = 0, refused = 0;
    for (int round = 0; round < 600; ++round) {
        CoverDocument written;
        resetDocumentForType(written, StandardDVD);
        QByteArray *fields[] = {&written.fCoverText, &written.bCoverText, &written.dCoverText,
            &written.fCoverTitle, &written.bCoverTitle, &written.dCoverTitle,
            &written.fCoverTextFontName, &written.dCoverTextFontName, &written.frontCoverSpineText,
            &written.backCoverSpineText};
        QByteArray &text = *fields[random.bounded(int(std::size(fields)))];
        text = some() + nearMiss() + some() + nearMiss() + some();
        if (coverFileTagIn(text).found()) {
            ++refused;
            continue;
        }
        ++accepted;
        CoverDocument read;
        resetDocumentForType(read, StandardDVD);
        const CoverBytesResult bytes = coverFileBytes(written);
        ASSERT_EQ(
            readCoverBytes(read, bytes.bytes, {96, false}).status, CoverReadResult::Status::Ok);
        EXPECT_EQ(read, written) << text.toStdString();
    }
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}
