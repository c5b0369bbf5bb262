// Cover files from anyone: whatever the bytes, reading returns, in time
// linear in the size, and writes nothing but the four copies in the copy
// folder.
#include "document/CoverFile.h"
#include "document/CoverLayout.h"
#include "document/DisplayText.h"
#include "document/TrackListing.h"
#include "document/UserSettings.h"
#include "print/LabelStock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace testsupport;

namespace {

CoverReadResult readHostile(const QByteArray &bytes, CoverDocument *out = nullptr)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    CoverReadOptions options;
    options.storeCoverTypeInSettings = false;
    const CoverReadResult r = readCoverBytes(doc, bytes, options);
    if (out)
        *out = doc;
    return r;
}

// Only the four copy names, each with an extension that holds no separator.
void expectOnlyCopiesInFolder()
{
    static const QRegularExpression allowed(
        QStringLiteral("^tmp(front|back|stretch|disc)(\\.[^/\\\\]*)?$"));
    const QDir folder(pictureCopyFolder());
    const QStringList names
        = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        EXPECT_TRUE(allowed.match(name).hasMatch()) << name.toStdString();
        EXPECT_TRUE(QFileInfo(folder.filePath(name)).isFile()) << name.toStdString();
    }
}

// A random mixture of the file's own tags and words, with odd bytes between.
QByteArray tagSoup(QRandomGenerator &random, int pieces)
{
    static const QList<QByteArray> words = [] {
        QList<QByteArray> w = {"[BEGIN]", "[END]", "[END", "[", "]", "=", "[DELIM]", "[/DELIM]",
            "TRUE", "FALSE", "LEFT", "CENTER", "RIGHT", "0", "1", "-12x", ".jpg", "/../",
            QByteArray(1, '\0'), "\r\n", "\xff\xfe"};
        for (const QByteArray &key : coverFileKeys()) {
            w << '[' + key + "]="
              << "[END" + key + ']' << key;
        }
        for (int n = 1; n <= 4; ++n)
            w << "[IMAGE" + QByteArray::number(n) + ']'
              << "[ENDIMAGE" + QByteArray::number(n) + ']';
        return w;
    }();
    QByteArray soup;
    for (int i = 0; i < pieces; ++i) {
        if (random.bounded(3) == 0)
            soup += char(random.bounded(256));
        else
            soup += words[random.bounded(int(words.size()))];
    }
    return soup;
}

// The reading rules applied literally with findTag and tagValue, for the
// fields whose rule needs no more than the value.
void expectLiteralRules(const QByteArray &bytes, const CoverDocument &doc)
{
    const qsizetype zero = bytes.indexOf('\0');
    const qsizetype limit = zero < 0 ? bytes.size() : zero;
    const qsizetype end = findTag(bytes.constData(), limit, "[END]");
    ASSERT_GE(end, 0);
    const QByteArray text = bytes.left(end);
    auto value = [&](const char *key) { return tagValue(text, key); };
    EXPECT_EQ(doc.covertype, atoiValue(value("covertype")));
    EXPECT_EQ(doc.fBGColor, ColorRef(atoiValue(value("fBGColor"))));
    EXPECT_EQ(doc.dBGColor,
        value("dBGColor").isEmpty() ? 0xFFFFFFu : ColorRef(atoiValue(value("dBGColor"))));
    EXPECT_EQ(doc.bShowBorder, value("bShowBorder") != "FALSE");
    EXPECT_EQ(doc.bCoverText, value("bCoverText"));
    EXPECT_EQ(doc.dCoverTitle, value("dCoverTitle"));
    EXPECT_EQ(doc.backCoverSpineText, value("backCoverSpineText"));
    EXPECT_EQ(doc.dCoverTextFont.faceName,
        value("dCoverTextFontFace").isEmpty() ? QByteArray("Arial")
                                              : cutStoredText(value("dCoverTextFontFace"), 31));
    EXPECT_EQ(doc.bCoverTextFont.height, atoiValue(value("bCoverTextFontHeight")));
    EXPECT_EQ(doc.printOverInnerCircleDisc, value("printOverInnerCircleDisc") == "0" ? 0 : 1);
    if (doc.covertype != StandardCD || !value("fCoverText").contains("[DELIM]")) {
        EXPECT_EQ(doc.fCoverText, value("fCoverText"));
    }
}

qsizetype literalBlockSize(const QByteArray &bytes, int n)
{
    const QByteArray open = "[IMAGE" + QByteArray::number(n) + ']';
    const QByteArray close = "[ENDIMAGE" + QByteArray::number(n) + ']';
    const qsizetype o = findTag(bytes.constData(), bytes.size(), open);
    const qsizetype c = findTag(bytes.constData(), bytes.size(), close);
    if (o < 0 || c < 0)
        return 0;
    return qMax<qsizetype>(0, c - (o + 8));
}

} // namespace

TEST(CoverFileHostile, RandomBytesAndTagSoup)
{
    QRandomGenerator random(20240611);
    int valid = 0;
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE(i);
        QByteArray bytes;
        if (i % 3 == 0) {
            bytes.resize(random.bounded(2048));
            for (char &c : bytes)
                c = char(random.bounded(256));
        } else {
            bytes = tagSoup(random, random.bounded(1, 400));
            if (i % 2 == 0)
                bytes.prepend("[BEGIN]").insert(random.bounded(int(bytes.size()) + 1), "[END]");
        }
        CoverDocument doc;
        const CoverReadResult r = readHostile(bytes, &doc);
        if (r.status != CoverReadResult::Status::Ok)
            continue;
        ++valid;
        expectLiteralRules(bytes, doc);
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(r.pictureBytes[n - 1], literalBlockSize(bytes, n)) << n;
    }
    EXPECT_GT(valid, 500); // the soup does reach the entry rules
    expectOnlyCopiesInFolder();
}

TEST(CoverFileHostile, EveryTruncationOfAValidFile)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardDVD);
    doc.fCoverTitle = "Title";
    const QByteArray full = coverFileBytes(doc).bytes;
    const qsizetype end = full.indexOf("[END]");
    for (qsizetype n = 0; n <= full.size(); ++n) {
        const CoverReadResult r = readHostile(full.left(n));
        EXPECT_EQ(r.status == CoverReadResult::Status::Ok, n >= end + 5) << n;
    }
    expectOnlyCopiesInFolder();
}

TEST(CoverFileHostile, PathTraversalInStoredPaths)
{
    const QString outside = freshDir("outside");
    const QByteArray attempts[] = {
        "x./../../evil",
        "a.jpg/../../../../" + QFile::encodeName(outside) + "/evil",
        "." + QFile::encodeName(outside) + "/evil",
        "../../../../../../../../../../tmp/evil.png",
        "c:.\\..\\..\\evil",
        ".\n/evil",
        ".",
        "..",
        "./",
    };
    for (const QByteArray &path : attempts) {
        SCOPED_TRACE(path.toStdString());
        QByteArray entries;
        for (const char *key : {"fImagePath", "bImagePath", "sImagePath", "dImagePath"})
            entries += '[' + QByteArray(key) + "]=" + path + "[END" + key + ']';
        CoverDocument doc;
        const CoverReadResult r = readHostile("[BEGIN]" + entries
                + "[END][IMAGE1]f[ENDIMAGE1][IMAGE2]b[ENDIMAGE2]"
                  "[IMAGE3]s[ENDIMAGE3][IMAGE4]d[ENDIMAGE4]",
            &doc);
        ASSERT_EQ(r.status, CoverReadResult::Status::Ok);
        for (const QByteArray *p :
            {&doc.fImagePath, &doc.bImagePath, &doc.sImagePath, &doc.dImagePath}) {
            const QFileInfo copy(QFile::decodeName(*p));
            EXPECT_EQ(copy.absolutePath(), QFileInfo(pictureCopyFolder()).absoluteFilePath());
            EXPECT_EQ(readFile(copy.filePath()).size(), 1);
        }
    }
    expectOnlyCopiesInFolder();
    EXPECT_TRUE(QDir(outside).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QDir::tempPath() + "/evil"));
    EXPECT_FALSE(QFileInfo::exists(QDir::tempPath() + "/evil.png"));
}

TEST(CoverFileHostile, ZeroBytes)
{
    // A zero byte ends the text part's search for "[END]"; after "[END]"
    // zero bytes are picture data.
    const QByteArray zeroFirst("\0[BEGIN][END]", 13);
    EXPECT_EQ(readHostile(zeroFirst).status, CoverReadResult::Status::Invalid);
    const QByteArray zeroInPicture("[BEGIN][END][IMAGE1]\0\0\0[ENDIMAGE1]", 34);
    const CoverReadResult r = readHostile(zeroInPicture);
    EXPECT_EQ(r.status, CoverReadResult::Status::Ok);
    EXPECT_EQ(r.pictureBytes[0], 3);
    const QByteArray zeros(100000, '\0');
    EXPECT_EQ(readHostile(zeros).status, CoverReadResult::Status::Invalid);
}

// Sizes at which a search repeated per tag or per cell, or a copy per
// overlapping value, would take hours or exhaust the memory.
TEST(CoverFileHostile, HugeTagCountsStayLinear)
{
    const struct {
        const char *what;
        QByteArray bytes;
    } rows[] = {
        {"8 MB of brackets", QByteArray(8 << 20, '[') + "[END]"},
        {"a million start tags", QByteArray("[fCoverText]=").repeated(1 << 20) + "[END]"},
        {"a million almost-tags", QByteArray("[ENDfCoverTex[").repeated(1 << 20) + "[END]"},
        {"a million picture tags", "[BEGIN][END]" + QByteArray("[IMAGE1][IMAGE").repeated(1 << 20)},
        {"four million unclosed cells",
            "[BEGIN][covertype]=1[ENDcovertype][fCoverText]="
                + QByteArray("[DELIM]").repeated(4 << 20) + "[/DELIM][ENDfCoverText][END]"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const CoverReadResult r = readHostile(row.bytes);
        EXPECT_EQ(r.status, CoverReadResult::Status::Ok);
    }
    expectOnlyCopiesInFolder();
}

TEST(CoverFileHostile, NestedValuesDoNotMultiplyTheMemory)
{
    // Every text value spans the whole text part: reading them all would
    // hold eleven copies of it.
    QByteArray starts, ends;
    for (const QByteArray &key : coverFileKeys()) {
        starts += '[' + key + "]=";
        ends += "[END" + key + ']';
    }
    const QByteArray bytes = "[BEGIN]" + starts + QByteArray(8 << 20, 'x') + ends + "[END]";
    const CoverReadResult r = readHostile(bytes);
    EXPECT_EQ(r.status, CoverReadResult::Status::Invalid);
    EXPECT_FALSE(r.reason.isEmpty());

    // Small overlaps, as a value holding another entry's tags makes, read.
    const CoverReadResult small
        = readHostile("[BEGIN][fCoverText]=a[bCoverText]=b[ENDfCoverText]c[ENDbCoverText][END]");
    EXPECT_EQ(small.status, CoverReadResult::Status::Ok);
}

TEST(CoverFileHostile, DamagedTrackListingsDecodeInBoundedSpace)
{
    // n unclosed cells would decode to n * n / 2 cell bytes.
    const QByteArray unclosed = QByteArray("[DELIM]").repeated(200000);
    qsizetype decoded = 0;
    for (const TrackRow &row : readTrackListing(unclosed))
        for (const QByteArray &cell : row)
            decoded += cell.size();
    EXPECT_LE(decoded, 2 * unclosed.size() + (1 << 16));
    // A few unclosed cells decode as the rules say.
    const QList<TrackRow> rows = readTrackListing("[DELIM]a[DELIM]b[DELIM]c");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], (TrackRow{"a[DELIM]b[DELIM]c", "b[DELIM]c", "c"}));
}

TEST(CoverFileHostile, ReadingWithoutStoringTouchesNoSettings)
{
    clearSettings();
    readHostile("[BEGIN][covertype]=4[ENDcovertype][END]");
    EXPECT_FALSE(QFileInfo::exists(UserSettings::storePath()));
}

// Files are laid out chunk by chunk; a tag cut by a chunk boundary, a zero
// byte or "[END]" at any offset must give what the whole bytes give.
TEST(CoverFileHostile, ChunkedLayoutMatchesTheWholeBytes)
{
    QRandomGenerator random(77);
    for (int i = 0; i < 1500; ++i) {
        SCOPED_TRACE(i);
        QByteArray bytes = tagSoup(random, random.bounded(1, 120));
        if (i % 2 == 0)
            bytes.prepend("[BEGIN]").insert(random.bounded(int(bytes.size()) + 1), "[END]");
        const CoverLayout whole = layoutOfBytes(bytes.constData(), bytes.size());
        QBuffer device(&bytes);
        device.open(QIODevice::ReadOnly);
        CoverLayout chunked;
        QString error;
        const qsizetype chunk = random.bounded(1, 64);
        ASSERT_TRUE(layoutOfDevice(device, chunked, error, chunk));
        EXPECT_EQ(chunked.hasEnd, whole.hasEnd) << chunk;
        EXPECT_EQ(chunked.text, whole.text) << chunk;
        if (whole.hasEnd) {
            EXPECT_EQ(chunked.pictureTags, whole.pictureTags) << chunk;
        }
    }
}

TEST(CoverFileHostile, ReadingAFileMatchesReadingItsBytes)
{
    QRandomGenerator random(99);
    const QString path = freshDir("filevsbytes") + "/c.zcv";
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        QByteArray bytes = "[BEGIN]" + tagSoup(random, random.bounded(1, 300));
        bytes.insert(random.bounded(int(bytes.size()) + 1), "[END]");
        ASSERT_TRUE(writeFile(path, bytes));
        CoverDocument fromBytes, fromFile;
        const CoverReadResult b = readHostile(bytes, &fromBytes);
        std::array<QByteArray, 4> copies;
        for (const QByteArray *p : {&fromBytes.fImagePath, &fromBytes.bImagePath,
                 &fromBytes.sImagePath, &fromBytes.dImagePath})
            copies[p - &fromBytes.fImagePath] = readFile(QFile::decodeName(*p));
        resetDocumentForType(fromFile, StandardCD);
        CoverReadOptions options;
        options.storeCoverTypeInSettings = false;
        const CoverReadResult f = readCoverFile(fromFile, path, options);
        EXPECT_EQ(f.status, b.status);
        EXPECT_EQ(f.pictureBytes, b.pictureBytes);
        EXPECT_EQ(fromFile, fromBytes);
        for (const QByteArray *p : {&fromFile.fImagePath, &fromFile.bImagePath,
                 &fromFile.sImagePath, &fromFile.dImagePath})
            EXPECT_EQ(readFile(QFile::decodeName(*p)), copies[p - &fromFile.fImagePath]);
    }
}
