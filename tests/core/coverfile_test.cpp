// The cover file: exact bytes written, every reading rule on hand-made
// files, and what happens when writing fails.
#include "document/CoverFile.h"
#include "document/UserSettings.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Unprivileged.h"

#include <QSet>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {

struct Read {
    CoverDocument doc;
    CoverReadResult result;
};

Read readBytes(const QByteArray &bytes, int32_t resetType = StandardCD, int dpi = 96)
{
    Read r;
    resetDocumentForType(r.doc, resetType, dpi);
    CoverReadOptions options;
    options.referenceDpiY = dpi;
    options.storeCoverTypeInSettings = false;
    r.result = readCoverBytes(r.doc, bytes, options);
    return r;
}

QByteArray entry(const QByteArray &key, const QByteArray &value)
{
    return '[' + key + "]=" + value + "[END" + key + ']';
}

QByteArray cover(const QByteArray &entries, const QByteArray &blocks = {})
{
    return "[BEGIN]" + entries + "[END]" + blocks;
}

QByteArray copyPath(const char *name)
{
    return QFile::encodeName(pictureCopyFolder() + QLatin1Char('/') + QLatin1String(name));
}

// A new cover as written by the program, with the cover type and the front
// and back font height of its type (fonts taken at 96 dpi).
const char kNewCoverTemplate[]
    = "[BEGIN][covertype]=%TYPE%[ENDcovertype][fBGColor]=16777215[ENDfBGColor]"
      "[bBGColor]=16777215[ENDbBGColor][dBGColor]=16777215[ENDdBGColor]"
      "[fShowBorder]=TRUE[ENDfShowBorder][bShowBorder]=TRUE[ENDbShowBorder]"
      "[dShowBorder]=TRUE[ENDdShowBorder][CoverOption]=0[ENDCoverOption]"
      "[fImagePath]=[ENDfImagePath][bImagePath]=[ENDbImagePath][sImagePath]=[ENDsImagePath]"
      "[dImagePath]=[ENDdImagePath][fCoverAlign]=LEFT[ENDfCoverAlign]"
      "[bCoverAlign]=LEFT[ENDbCoverAlign][dCoverAlign]=CENTER[ENDdCoverAlign]"
      "[fCoverText]=[ENDfCoverText][bCoverText]=[ENDbCoverText][dCoverText]=[ENDdCoverText]"
      "[fCoverTitle]=[ENDfCoverTitle][bCoverTitle]=[ENDbCoverTitle]"
      "[dCoverTitle]=[ENDdCoverTitle][fCoverTextFontName]=[ENDfCoverTextFontName]"
      "[bCoverTextFontName]=[ENDbCoverTextFontName][dCoverTextFontName]=[ENDdCoverTextFontName]"
      "[fCoverTextColor]=0[ENDfCoverTextColor][bCoverTextColor]=0[ENDbCoverTextColor]"
      "[dCoverTextColor]=0[ENDdCoverTextColor][fCoverTextFontFace]=Arial[ENDfCoverTextFontFace]"
      "[bCoverTextFontFace]=Arial[ENDbCoverTextFontFace]"
      "[dCoverTextFontFace]=Arial[ENDdCoverTextFontFace]"
      "[fCoverTextFontHeight]=%HEIGHT%[ENDfCoverTextFontHeight]"
      "[bCoverTextFontHeight]=%HEIGHT%[ENDbCoverTextFontHeight]"
      "[dCoverTextFontHeight]=-16[ENDdCoverTextFontHeight]"
      "[fCoverTextFontWeight]=0[ENDfCoverTextFontWeight]"
      "[bCoverTextFontWeight]=0[ENDbCoverTextFontWeight]"
      "[dCoverTextFontWeight]=0[ENDdCoverTextFontWeight]"
      "[fCoverTextFontItalic]=FALSE[ENDfCoverTextFontItalic]"
      "[bCoverTextFontItalic]=FALSE[ENDbCoverTextFontItalic]"
      "[dCoverTextFontItalic]=FALSE[ENDdCoverTextFontItalic]"
      "[fCoverTextFontStrikeout]=FALSE[ENDfCoverTextFontStrikeout]"
      "[bCoverTextFontStrikeout]=FALSE[ENDbCoverTextFontStrikeout]"
      "[dCoverTextFontStrikeout]=FALSE[ENDdCoverTextFontStrikeout]"
      "[fCoverTextFontUnderline]=FALSE[ENDfCoverTextFontUnderline]"
      "[bCoverTextFontUnderline]=FALSE[ENDbCoverTextFontUnderline]"
      "[dCoverTextFontUnderline]=FALSE[ENDdCoverTextFontUnderline]"
      "[bFrontPrintOverSpines]=1[ENDbFrontPrintOverSpines]"
      "[bBackPrintOverSpines]=1[ENDbBackPrintOverSpines]"
      "[printOverInnerCircleDisc]=1[ENDprintOverInnerCircleDisc]"
      "[frontCoverSpinesOn]=FALSE[ENDfrontCoverSpinesOn]"
      "[backCoverSpinesOn]=TRUE[ENDbackCoverSpinesOn]"
      "[frontCoverSpineText]=[ENDfrontCoverSpineText]"
      "[backCoverSpineText]=[ENDbackCoverSpineText]"
      "[fImageFit]=1[ENDfImageFit][fImageZoom]=100[ENDfImageZoom]"
      "[fImageCenterX]=500[ENDfImageCenterX][fImageCenterY]=500[ENDfImageCenterY]"
      "[fImageRotation]=0[ENDfImageRotation]"
      "[bImageFit]=1[ENDbImageFit][bImageZoom]=100[ENDbImageZoom]"
      "[bImageCenterX]=500[ENDbImageCenterX][bImageCenterY]=500[ENDbImageCenterY]"
      "[bImageRotation]=0[ENDbImageRotation]"
      "[sImageFit]=1[ENDsImageFit][sImageZoom]=100[ENDsImageZoom]"
      "[sImageCenterX]=500[ENDsImageCenterX][sImageCenterY]=500[ENDsImageCenterY]"
      "[sImageRotation]=0[ENDsImageRotation]"
      "[dImageFit]=1[ENDdImageFit][dImageZoom]=100[ENDdImageZoom]"
      "[dImageCenterX]=500[ENDdImageCenterX][dImageCenterY]=500[ENDdImageCenterY]"
      "[dImageRotation]=0[ENDdImageRotation]"
      "[fShrinkText]=FALSE[ENDfShrinkText][bShrinkText]=FALSE[ENDbShrinkText]"
      "[dShrinkText]=FALSE[ENDdShrinkText][dCurvedText]=FALSE[ENDdCurvedText]"
      "[fTitleFontFace]=Arial[ENDfTitleFontFace][fTitleFontHeight]=%TITLE%[ENDfTitleFontHeight]"
      "[fTitleFontWeight]=700[ENDfTitleFontWeight][fTitleFontItalic]=FALSE[ENDfTitleFontItalic]"
      "[fTitleColor]=0[ENDfTitleColor]"
      "[bTitleFontFace]=Arial[ENDbTitleFontFace][bTitleFontHeight]=%TITLE%[ENDbTitleFontHeight]"
      "[bTitleFontWeight]=700[ENDbTitleFontWeight][bTitleFontItalic]=FALSE[ENDbTitleFontItalic]"
      "[bTitleColor]=0[ENDbTitleColor]"
      "[dTitleFontFace]=Arial[ENDdTitleFontFace][dTitleFontHeight]=-19[ENDdTitleFontHeight]"
      "[dTitleFontWeight]=700[ENDdTitleFontWeight][dTitleFontItalic]=FALSE[ENDdTitleFontItalic]"
      "[dTitleColor]=0[ENDdTitleColor]"
      "[END]"
      "[IMAGE1][ENDIMAGE1][IMAGE2][ENDIMAGE2][IMAGE3][ENDIMAGE3][IMAGE4][ENDIMAGE4]";

} // namespace

// --- writing ---------------------------------------------------------------

TEST(CoverFileWrite, NewCoverOfEveryTypeIsByteExact)
{
    const struct {
        int32_t type;
        const char *height;
        const char *title; // two points larger
    } rows[] = {{1, "-24", "-27"}, {2, "-19", "-22"}, {3, "-24", "-27"}, {4, "-24", "-27"},
        {5, "-24", "-27"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.type);
        CoverDocument doc;
        resetDocumentForType(doc, row.type, 96);
        QByteArray expected(kNewCoverTemplate);
        expected.replace("%TYPE%", QByteArray::number(row.type));
        expected.replace("%HEIGHT%", row.height);
        expected.replace("%TITLE%", row.title);
        const CoverBytesResult bytes = coverFileBytes(doc);
        ASSERT_TRUE(bytes.ok) << bytes.reason.toStdString();
        EXPECT_EQ(bytes.bytes.toStdString(), expected.toStdString());

        const QString path = freshDir("golden") + QStringLiteral("/new.zcv");
        const CoverWriteResult written = writeCoverFile(doc, path);
        ASSERT_TRUE(written.ok) << written.reason.toStdString();
        EXPECT_EQ(readFile(path), expected);
    }
}

TEST(CoverFileWrite, EntriesFollowTheKeyTableInOrder)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    const QByteArray bytes = coverFileBytes(doc).bytes;
    qsizetype at = 0;
    ASSERT_EQ(coverFileKeys().size(), 91);
    EXPECT_EQ(QSet<QByteArray>(coverFileKeys().begin(), coverFileKeys().end()).size(), 91);
    for (const QByteArray &key : coverFileKeys()) {
        EXPECT_EQ(bytes.count('[' + key + "]="), 1) << key.constData();
        const qsizetype next = bytes.indexOf('[' + key + "]=", at);
        ASSERT_GE(next, at) << key.constData();
        at = next;
    }
}

TEST(CoverFileWrite, ValueEncodings)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardDVD);
    doc.fBGColor = 0xFFFFFFFF; // as "%ld" prints it
    doc.bCoverAlign = 2;
    doc.dCoverAlign = 7; // no word for it: no entry
    doc.fCoverTitle = QByteArray("Side A\0hidden", 13);
    doc.bCoverText = "line 1\r\nline 2";
    doc.fCoverTextFont.height = -2147483647 - 1;
    doc.fCoverTextFont.italic = 1;
    doc.bFrontPrintOverSpines = 0;
    doc.dCoverTextFont.faceName = QByteArray(40, 'x'); // a record holds 31
    const QByteArray bytes = coverFileBytes(doc).bytes;
    EXPECT_TRUE(bytes.contains(entry("fBGColor", "-1")));
    EXPECT_TRUE(bytes.contains(entry("bCoverAlign", "RIGHT")));
    EXPECT_FALSE(bytes.contains("[dCoverAlign]"));
    EXPECT_TRUE(bytes.contains(entry("fCoverTitle", "Side A")));
    EXPECT_TRUE(bytes.contains(entry("bCoverText", "line 1\r\nline 2")));
    EXPECT_TRUE(bytes.contains(entry("fCoverTextFontHeight", "-2147483648")));
    EXPECT_TRUE(bytes.contains(entry("fCoverTextFontItalic", "TRUE")));
    EXPECT_TRUE(bytes.contains(entry("bFrontPrintOverSpines", "0")));
    EXPECT_TRUE(bytes.contains(entry("dCoverTextFontFace", QByteArray(31, 'x'))));
}

TEST(CoverFileWrite, PictureBlocksHoldThePictureFilesUnchanged)
{
    const QString dir = freshDir("blocks");
    const QByteArray front("\x89PNG\r\n\x1a\n\0front", 14);
    const QByteArray disc = "disc bytes";
    ASSERT_TRUE(writeFile(dir + "/front.png", front));
    ASSERT_TRUE(writeFile(dir + "/disc.jpg", disc));
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    doc.fImagePath = QFile::encodeName(dir + "/front.png");
    doc.dImagePath = QFile::encodeName(dir + "/disc.jpg");
    const QByteArray bytes = coverFileBytes(doc).bytes;
    EXPECT_TRUE(bytes.endsWith("[END][IMAGE1]" + front + "[ENDIMAGE1][IMAGE2][ENDIMAGE2]"
        + "[IMAGE3][ENDIMAGE3][IMAGE4]" + disc + "[ENDIMAGE4]"));
}

// A picture that has gone (moved, deleted, a folder now) does not stop the
// save: its block is empty, the rest of the cover is written, and the
// result names it.
TEST(CoverFileWrite, AMissingPictureIsLeftOutAndNamed)
{
    const QString dir = freshDir("badpicture");
    const QString target = dir + "/cover.zcv";
    ASSERT_TRUE(writeFile(dir + "/disc.jpg", "disc bytes"));
    const struct {
        const char *what;
        QString picture;
    } rows[] = {
        {"missing file", dir + "/gone.jpg"},
        {"a folder", dir},
        {"a device", "/dev/zero"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(writeFile(target, "old contents"));
        CoverDocument doc;
        resetDocumentForType(doc, StandardCD);
        doc.bImagePath = QFile::encodeName(row.picture);
        doc.dImagePath = QFile::encodeName(dir + "/disc.jpg");
        doc.bCoverTitle = "kept";
        const CoverWriteResult r = writeCoverFile(doc, target);
        EXPECT_TRUE(r.ok) << r.reason.toStdString();
        EXPECT_EQ(r.missingPictures, QStringList{row.picture});
        const QByteArray bytes = readFile(target);
        EXPECT_TRUE(bytes.contains("[bCoverTitle]=kept[ENDbCoverTitle]"));
        EXPECT_TRUE(
            bytes.endsWith("[IMAGE2][ENDIMAGE2][IMAGE3][ENDIMAGE3][IMAGE4]disc bytes[ENDIMAGE4]"));
        EXPECT_EQ(coverFileBytes(doc).bytes, bytes);
    }
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), (QStringList{"cover.zcv", "disc.jpg"}));
}

// The file has no escapes: a text holding one of its tags would read back
// as another cover. Such a save is refused, naming the text and the tag,
// and the old file stays.
TEST(CoverFileWrite, ATextHoldingAFileTagIsRefused)
{
    const QString dir = freshDir("tags");
    const QString target = dir + "/cover.zcv";
    const struct {
        QByteArray CoverDocument::*field;
        QByteArray text;
        const char *named;
        const char *tag;
    } rows[] = {
        {&CoverDocument::fCoverTitle, "Live [END] tour", "front cover title", "[END]"},
        {&CoverDocument::bCoverText, "a[ENDbCoverText]b", "back cover text", "[ENDbCoverText]"},
        {&CoverDocument::dCoverTitle, "x[fCoverTextColor]=5", "disc title", "[fCoverTextColor]"},
        {&CoverDocument::fCoverText, "pic [IMAGE2] here", "front cover text", "[IMAGE2]"},
        {&CoverDocument::backCoverSpineText, "[ENDIMAGE4]", "spine text", "[ENDIMAGE4]"},
        {&CoverDocument::fCoverText, "[dCoverText]", "front cover text", "[dCoverText]"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        ASSERT_TRUE(writeFile(target, "old contents"));
        CoverDocument doc;
        resetDocumentForType(doc, StandardCD);
        doc.*row.field = row.text;
        const CoverWriteResult r = writeCoverFile(doc, target);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.reason.contains(QString::fromLatin1(row.named))) << r.reason.toStdString();
        EXPECT_TRUE(r.reason.contains(QString::fromLatin1(row.tag))) << r.reason.toStdString();
        EXPECT_EQ(readFile(target), "old contents");
    }
    // Brackets that are no tag of the file are ordinary text, and so is a
    // tag the reader has already passed when it comes.
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    doc.fCoverTitle = "[Live] [BEGIN] [END tour] [IMAGE5] [bBGColor]";
    EXPECT_TRUE(writeCoverFile(doc, target).ok);
    CoverDocument back;
    resetDocumentForType(back, StandardCD);
    CoverReadOptions options;
    options.storeCoverTypeInSettings = false;
    ASSERT_EQ(readCoverFile(back, target, options).status, CoverReadResult::Status::Ok);
    EXPECT_EQ(back.fCoverTitle, doc.fCoverTitle);
}

TEST(CoverFileWrite, UnreadableByPermissionIsLeftOut)
{
    // Permissions do not bind root: the write runs as an ordinary user.
    const UnprivilegedRun run = runUnprivileged([](const QString &dir) {
        if (!writeFile(dir + "/p.jpg", "x")
            || !QFile::setPermissions(dir + "/p.jpg", QFileDevice::WriteOwner))
            return QByteArray("set-up failed");
        CoverDocument doc;
        resetDocumentForType(doc, StandardCD);
        doc.fImagePath = QFile::encodeName(dir + "/p.jpg");
        const CoverWriteResult r = writeCoverFile(doc, dir + "/c.zcv");
        return QByteArray(r.ok ? "written" : "refused")
            + (QFile::exists(dir + "/c.zcv") ? " file" : " no file")
            + (r.missingPictures == QStringList{dir + "/p.jpg"} ? " p.jpg left out" : "");
    });
    ASSERT_TRUE(run.ran) << run.failure.toStdString();
    EXPECT_EQ(run.output.toStdString(), "written file p.jpg left out");
}

TEST(CoverFileWrite, UnwritableFolderReportsAReason)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    const CoverWriteResult r = writeCoverFile(doc, freshDir("x") + "/no/such/folder/c.zcv");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.isEmpty());

    // A read-only folder, as an ordinary user: the old file stays.
    const UnprivilegedRun run = runUnprivileged([&doc](const QString &dir) {
        if (!writeFile(dir + "/c.zcv", "old")
            || !QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner))
            return QByteArray("set-up failed");
        const CoverWriteResult denied = writeCoverFile(doc, dir + "/c.zcv");
        QFile::setPermissions(
            dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return QByteArray(denied.ok ? "written" : "refused")
            + (denied.reason.isEmpty() ? " silently" : " with a reason")
            + " old file: " + readFile(dir + "/c.zcv")
            + " files: " + QDir(dir).entryList(QDir::Files | QDir::Hidden).join(' ').toUtf8();
    });
    ASSERT_TRUE(run.ran) << run.failure.toStdString();
    EXPECT_EQ(run.output.toStdString(), "refused with a reason old file: old files: c.zcv");
}

// A disk that fills up midway (a file size limit, which binds root too).
TEST(CoverFileWrite, WriteFailingMidwayLeavesTheOldFile)
{
    const QString dir = freshDir("full");
    const QString target = dir + "/cover.zcv";
    const QByteArray old = "previous cover";
    ASSERT_TRUE(writeFile(target, old));
    ASSERT_TRUE(writeFile(dir + "/big.jpg", QByteArray(64 * 1024, 'p')));
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    doc.sImagePath = QFile::encodeName(dir + "/big.jpg");

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const CoverWriteResult r = writeCoverFile(doc, target);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(readFile(target), old);
    QStringList left = QDir(dir).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"big.jpg", "cover.zcv"}));
}

// --- reading: tags and values ----------------------------------------------

TEST(CoverFileTags, FindTag)
{
    const QByteArray text = "ab[END]cd[END]";
    const struct {
        qsizetype length;
        const char *tag;
        qsizetype expected;
    } rows[] = {
        {text.size(), "[END]", 2},
        {text.size(), "[end]", -1}, // case matters
        {6, "[END]", -1}, // the whole tag must lie in the range
        {7, "[END]", 2},
        {text.size(), "cd", 7},
        {0, "[END]", -1},
        {text.size(), "", -1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.tag);
        EXPECT_EQ(findTag(text.constData(), row.length, row.tag), row.expected);
    }
}

TEST(CoverFileTags, TagValue)
{
    const struct {
        const char *text;
        const char *expected;
    } rows[] = {
        {"[k]=value[ENDk]", "value"},
        {"junk[k]=a b\r\nc[ENDk]more", "a b\r\nc"},
        {"[k]=[ENDk]", ""},
        {"[k]=value", ""}, // no end tag
        {"=value[ENDk]", ""}, // no start tag
        {"[ENDk][k]=value", ""}, // end before start
        {"[k]=one[ENDk][k]=two[ENDk]", "one"}, // first occurrences win
        {"[k]xvalue[ENDk]", "value"}, // the byte after the tag is the "="
        {"[K]=upper[ENDK][k]=lower[ENDk]", "lower"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(tagValue(row.text, "k"), QByteArray(row.expected));
    }
}

// --- reading: hand-made files ----------------------------------------------

TEST(CoverFileRead, EmptyAndMissingEntriesTakeTheirEmptyValueRules)
{
    const QByteArray allEmpty = [] {
        QByteArray entries;
        for (const QByteArray &key : coverFileKeys())
            entries += entry(key, "");
        return cover(entries);
    }();
    const struct {
        const char *what;
        QByteArray bytes;
    } rows[] = {{"no entries", cover({})}, {"empty values", allEmpty}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const Read r = readBytes(row.bytes, StandardDVD);
        ASSERT_EQ(r.result.status, CoverReadResult::Status::Ok);
        const CoverDocument &d = r.doc;
        EXPECT_EQ(d.covertype, 0);
        EXPECT_EQ(d.CoverOption, 0);
        EXPECT_EQ(d.fBGColor, 0u);
        EXPECT_EQ(d.bBGColor, 0u);
        EXPECT_EQ(d.dBGColor, 0xFFFFFFu);
        EXPECT_TRUE(d.fShowBorder && d.bShowBorder && d.dShowBorder);
        // Alignments stay at the defaults of the reset.
        EXPECT_EQ(d.fCoverAlign, AlignLeft);
        EXPECT_EQ(d.bCoverAlign, AlignLeft);
        EXPECT_EQ(d.dCoverAlign, AlignCenter);
        EXPECT_EQ(d.bFrontPrintOverSpines, 1);
        EXPECT_EQ(d.bBackPrintOverSpines, 1);
        EXPECT_EQ(d.printOverInnerCircleDisc, 1);
        EXPECT_EQ(d.fCoverTextFont.faceName, "");
        EXPECT_EQ(d.bCoverTextFont.faceName, "");
        EXPECT_EQ(d.dCoverTextFont.faceName, "Arial");
        EXPECT_EQ(d.fCoverTextFont.height, 0);
        EXPECT_EQ(d.bCoverTextFont.height, 0);
        EXPECT_EQ(d.dCoverTextFont.height, -16);
        EXPECT_EQ(d.fCoverTextFont.weight, 0);
        for (const LogFont *f : {&d.fCoverTextFont, &d.bCoverTextFont}) {
            EXPECT_EQ(f->italic, 1);
            EXPECT_EQ(f->underline, 1);
            EXPECT_EQ(f->strikeOut, 1);
        }
        EXPECT_EQ(d.dCoverTextFont.italic, 0);
        EXPECT_EQ(d.dCoverTextFont.underline, 0);
        EXPECT_EQ(d.dCoverTextFont.strikeOut, 0);
        EXPECT_EQ(d.fCoverTextColor, 0u);
        EXPECT_TRUE(
            d.fCoverText.isEmpty() && d.bCoverTitle.isEmpty() && d.backCoverSpineText.isEmpty());
        EXPECT_TRUE(d.fImagePath.isEmpty() && d.bImagePath.isEmpty() && d.sImagePath.isEmpty()
            && d.dImagePath.isEmpty());
        EXPECT_EQ(r.result.pictureBytes, (std::array<qint64, 4>{0, 0, 0, 0}));
        // Pictures of files without placements are stretched, as they were
        // drawn before placements existed (a new cover fills).
        for (const PicturePlacement &p :
            {d.fImagePlacement, d.bImagePlacement, d.sImagePlacement, d.dImagePlacement})
            EXPECT_EQ(p, PicturePlacement{});
    }
}

TEST(CoverFileRead, PicturePlacementsAreHeldToTheirRanges)
{
    const struct {
        const char *fit, *zoom, *x, *y, *turn;
        PicturePlacement read;
    } rows[] = {
        {"1", "250", "100", "900", "90", {FitFill, 250, 100, 900, 90}},
        {"2", "400", "0", "1000", "270", {FitInside, 400, 0, 1000, 270}},
        {"0", "99", "-5", "1001", "180", {FitStretch, 100, 0, 1000, 180}},
        {"3", "100000", "500", "500", "45", {FitStretch, 400, 500, 500, 0}},
        {"-1", "", "", "", "360", {FitStretch, 100, 500, 500, 0}},
        {"x", "0", "abc", "12abc", "-90", {FitStretch, 100, 0, 12, 0}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.fit);
        for (const char *slot : {"f", "b", "s", "d"}) {
            const QByteArray k(slot);
            const Read r = readBytes(cover(entry(k + "ImageFit", row.fit)
                + entry(k + "ImageZoom", row.zoom) + entry(k + "ImageCenterX", row.x)
                + entry(k + "ImageCenterY", row.y) + entry(k + "ImageRotation", row.turn)));
            ASSERT_EQ(r.result.status, CoverReadResult::Status::Ok);
            const PicturePlacement *read[] = {&r.doc.fImagePlacement, &r.doc.bImagePlacement,
                &r.doc.sImagePlacement, &r.doc.dImagePlacement};
            for (const PicturePlacement *p : read)
                EXPECT_EQ(
                    *p, p == read[QByteArray("fbsd").indexOf(k)] ? row.read : PicturePlacement{})
                    << slot;
        }
    }
}

// The spine entries are never read: the spines keep their defaults, except
// that a DVD sheet's spine follows its back print-over flag ("Print Spine?"
// sets both).
TEST(CoverFileRead, SpinesFollowTheCoverTypeAndTheDvdPrintSpineBox)
{
    const struct {
        const char *type, *backOver, *frontSpines, *backSpines;
        bool frontOn, backOn;
    } rows[] = {
        {"1", "0", "TRUE", "FALSE", false, true},
        {"1", "1", "TRUE", "FALSE", false, true},
        {"4", "0", "FALSE", "TRUE", false, true},
        {"3", "0", "TRUE", "TRUE", false, true},
        {"2", "0", "TRUE", "TRUE", false, false},
        {"2", "1", "TRUE", "FALSE", false, true},
        {"2", "", "FALSE", "FALSE", false, true}, // a missing flag reads as 1
        {"5", "0", "FALSE", "TRUE", false, false},
        {"5", "1", "TRUE", "FALSE", false, true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.type) + " " + row.backOver);
        QByteArray entries = entry("covertype", row.type)
            + entry("frontCoverSpinesOn", row.frontSpines)
            + entry("backCoverSpinesOn", row.backSpines);
        if (*row.backOver)
            entries += entry("bBackPrintOverSpines", row.backOver);
        const Read r = readBytes(cover(entries));
        EXPECT_EQ(r.doc.frontCoverSpinesOn, row.frontOn);
        EXPECT_EQ(r.doc.backCoverSpinesOn, row.backOn);
    }
}

TEST(CoverFileRead, OrderIsFreeAndUnknownBytesAreHarmless)
{
    CoverDocument original;
    resetDocumentForType(original, SlimlineCD);
    original.fCoverTitle = "Front";
    original.bCoverText = "[DELIM]1.[/DELIM][DELIM]Intro[/DELIM][DELIM]3:45[/DELIM]\n\r";
    original.dBGColor = 255;
    original.bCoverAlign = AlignRight;
    original.dCoverTextFont.italic = 1;
    const QByteArray written = coverFileBytes(original).bytes;
    const QByteArray text = written.left(written.indexOf("[END]"));

    // Re-assemble the entries backwards, with junk of every kind between.
    QByteArray shuffled = "garbage\r\n[unknownKey]=x[ENDunknownKey]";
    const QList<QByteArray> &keys = coverFileKeys();
    for (qsizetype i = keys.size() - 1; i >= 0; --i) {
        const qsizetype at = text.indexOf('[' + keys[i] + "]=");
        if (at < 0)
            continue;
        const QByteArray endTag = "[END" + keys[i] + ']';
        const qsizetype end = text.indexOf(endTag, at) + endTag.size();
        shuffled += text.mid(at, end - at) + "\r\n\x01\xff ";
    }
    const Read inOrder = readBytes(written);
    const Read reordered = readBytes(shuffled + "[END]");
    ASSERT_EQ(reordered.result.status, CoverReadResult::Status::Ok);
    EXPECT_EQ(reordered.doc, inOrder.doc);
    EXPECT_EQ(inOrder.doc.fCoverTitle, "Front");
    EXPECT_EQ(inOrder.doc.dBGColor, 255u);
    EXPECT_EQ(inOrder.doc.bCoverAlign, AlignRight);
}

TEST(CoverFileRead, NumbersFollowAtoi)
{
    const struct {
        const char *value;
        int32_t expected;
    } rows[] = {
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"  -7x", -7},
        {"\t+5", 5},
        {"-", 0},
        {"007", 7},
        {"1 2", 1},
        {"2147483647", 2147483647},
        {"99999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        const Read r = readBytes(
            cover(entry("covertype", row.value) + entry("fCoverTextFontHeight", row.value)
                + entry("bCoverTextFontWeight", row.value) + entry("CoverOption", row.value)));
        EXPECT_EQ(r.doc.covertype, row.expected);
        EXPECT_EQ(r.doc.fCoverTextFont.height, row.expected);
        EXPECT_EQ(r.doc.bCoverTextFont.weight, row.expected);
        EXPECT_EQ(r.doc.CoverOption, row.expected);
    }
}

TEST(CoverFileRead, WordValues)
{
    const struct {
        const char *value;
        int32_t align; // -1: stays at the default
        bool outline; // fShowBorder
        uint8_t flag; // bFrontPrintOverSpines
        uint8_t style; // front italic
        uint8_t discStyle;
    } rows[] = {
        {"LEFT", 0, true, 1, 1, 1},
        {"CENTER", 1, true, 1, 1, 1},
        {"RIGHT", 2, true, 1, 1, 1},
        {"center", -1, true, 1, 1, 1},
        {"FALSE", -1, false, 1, 0, 0},
        {"false", -1, true, 1, 1, 1},
        {"TRUE", -1, true, 1, 1, 1},
        {"0", -1, true, 0, 1, 1},
        {"00", -1, true, 1, 1, 1},
        {"1", -1, true, 1, 1, 1},
        {" FALSE", -1, true, 1, 1, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        const Read r = readBytes(cover(entry("bCoverAlign", row.value)
            + entry("fShowBorder", row.value) + entry("bFrontPrintOverSpines", row.value)
            + entry("fCoverTextFontItalic", row.value)
            + entry("dCoverTextFontUnderline", row.value)));
        EXPECT_EQ(r.doc.bCoverAlign, row.align < 0 ? AlignLeft : row.align);
        EXPECT_EQ(r.doc.fShowBorder, row.outline);
        EXPECT_EQ(r.doc.bFrontPrintOverSpines, row.flag);
        EXPECT_EQ(r.doc.fCoverTextFont.italic, row.style);
        EXPECT_EQ(r.doc.dCoverTextFont.underline, row.discStyle);
    }
}

TEST(CoverFileRead, ColoursAndFaceNames)
{
    const Read r = readBytes(cover(entry("fBGColor", "-1") + entry("bBGColor", "255")
        + entry("dBGColor", "0") + entry("bCoverTextColor", "65280")
        + entry("fCoverTextFontFace", "A font name longer than thirty-one characters")
        + entry("dCoverTextFontFace", "Verdana")));
    EXPECT_EQ(r.doc.fBGColor, 0xFFFFFFFFu);
    EXPECT_EQ(r.doc.bBGColor, 255u);
    EXPECT_EQ(r.doc.dBGColor, 0u); // a value, not the empty default
    EXPECT_EQ(r.doc.bCoverTextColor, 0xFF00u);
    EXPECT_EQ(r.doc.fCoverTextFont.faceName, "A font name longer than thirty-");
    EXPECT_EQ(r.doc.dCoverTextFont.faceName, "Verdana");
}

TEST(CoverFileRead, FileWithoutDiscEntries)
{
    CoverDocument original;
    resetDocumentForType(original, StandardCD);
    original.dBGColor = 0x123456;
    original.dCoverTextFont.italic = 1;
    original.dCoverTextFont.faceName = "Courier";
    original.dShowBorder = false;
    original.dCoverAlign = AlignRight;
    QByteArray bytes = coverFileBytes(original).bytes;
    // Drop every disc entry, as files written before the disc existed.
    for (const QByteArray &key : coverFileKeys()) {
        if (!key.startsWith('d'))
            continue;
        const qsizetype at = bytes.indexOf('[' + key + "]=");
        const QByteArray endTag = "[END" + key + ']';
        const qsizetype end = bytes.indexOf(endTag, at) + endTag.size();
        bytes.remove(at, end - at);
    }
    ASSERT_FALSE(bytes.contains("[dBGColor]"));
    for (const int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        const Read r = readBytes(bytes, StandardCD, dpi);
        EXPECT_EQ(r.doc.dBGColor, 0xFFFFFFu);
        EXPECT_TRUE(r.doc.dShowBorder);
        EXPECT_EQ(r.doc.dCoverAlign, AlignCenter);
        EXPECT_EQ(r.doc.dCoverTextFont.faceName, "Arial");
        EXPECT_EQ(r.doc.dCoverTextFont.height, dpi == 96 ? -16 : -20);
        EXPECT_EQ(r.doc.dCoverTextFont.italic, 0);
        EXPECT_EQ(r.doc.dCoverTextFont.underline, 0);
        EXPECT_EQ(r.doc.dCoverTextFont.strikeOut, 0);
        EXPECT_TRUE(r.doc.dCoverText.isEmpty());
        EXPECT_TRUE(r.doc.dImagePath.isEmpty());
    }
}

TEST(CoverFileRead, FrontTrackListingBecomesTextOnlyForStandardCD)
{
    const QByteArray encoded = "[DELIM]1.[/DELIM][DELIM]Intro[/DELIM][DELIM]3:45[/DELIM]\n\r"
                               "[DELIM]2.[/DELIM][DELIM]Outro[/DELIM]\n\r";
    const struct {
        const char *type;
        QByteArray expected;
    } rows[] = {
        {"1", "1. Intro 3:45\r2. Outro\r"},
        {"2", encoded},
        {"4", encoded},
        {"01", "1. Intro 3:45\r2. Outro\r"}, // atoi of "01" is 1
        {"", encoded},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.type);
        const Read r = readBytes(cover(entry("covertype", row.type) + entry("fCoverText", encoded)
            + entry("bCoverText", encoded)));
        EXPECT_EQ(r.doc.fCoverText, row.expected);
        EXPECT_EQ(r.doc.bCoverText, encoded); // the back listing stays encoded
    }
    // A row cut short contributes what it has.
    const Read shortRow
        = readBytes(cover(entry("covertype", "1") + entry("fCoverText", "x[DELIM]only[/DELIM]")));
    EXPECT_EQ(shortRow.doc.fCoverText, "only\r");
    const Read plain = readBytes(cover(entry("covertype", "1") + entry("fCoverText", "no cells")));
    EXPECT_EQ(plain.doc.fCoverText, "no cells");
    // Cells in both encodings become lines in one, UTF-8.
    const Read mixed = readBytes(cover(entry("covertype", "1")
        + entry("fCoverText", "[DELIM]Caf\xe9[/DELIM][DELIM]\xce\xa9[/DELIM]")));
    EXPECT_EQ(mixed.doc.fCoverText, "Caf\xc3\xa9 \xce\xa9\r");
}

TEST(CoverFileRead, EndInsideAValueCutsTheTextRegion)
{
    const Read r = readBytes(cover(entry("fCoverTitle", "before") + entry("bCoverTitle", "a[END]b")
        + entry("dCoverTitle", "after")));
    ASSERT_EQ(r.result.status, CoverReadResult::Status::Ok);
    EXPECT_EQ(r.doc.fCoverTitle, "before");
    EXPECT_EQ(r.doc.bCoverTitle, ""); // its end tag lies beyond the region
    EXPECT_EQ(r.doc.dCoverTitle, "");
}

TEST(CoverFileRead, AStartTagInsideAnotherValueHidesTheRealValue)
{
    const Read r = readBytes(cover(entry("fCoverText", "x[bCoverTitle]=fake[ENDbCoverTitle]y")
        + entry("bCoverTitle", "real")));
    EXPECT_EQ(r.doc.fCoverText, "x[bCoverTitle]=fake[ENDbCoverTitle]y");
    EXPECT_EQ(r.doc.bCoverTitle, "fake");
}

TEST(CoverFileRead, WithoutEndTheFileIsInvalidAndNothingChanges)
{
    const struct {
        const char *what;
        QByteArray bytes;
    } rows[] = {
        {"empty file", ""},
        {"no [END]", "[BEGIN]" + entry("covertype", "2")},
        {"[END] only after a zero byte",
            QByteArray("[BEGIN][covertype]=2[ENDcovertype]\0[END]", 41)},
        {"lower case", "[BEGIN][end]"},
        {"cut [END", "[BEGIN][END"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        CoverDocument reset;
        resetDocumentForType(reset, SlimlineDVD);
        const Read r = readBytes(row.bytes, SlimlineDVD);
        EXPECT_EQ(r.result.status, CoverReadResult::Status::Invalid);
        EXPECT_EQ(r.doc, reset);
    }
    EXPECT_EQ(invalidCoverFileMessage(),
        "Unable to load a cover from the file you specified.\n\nPlease ensure the file you are "
        "attempting to load was created using Discora.");
    EXPECT_EQ(invalidCoverFileCaption(), "Invalid File");
}

// --- reading: pictures -----------------------------------------------------

TEST(CoverFileRead, PictureBlocksBecomeCopies)
{
    const QByteArray front("\x89PNG\0\r\n", 7);
    const QByteArray stretched = "stretched bytes";
    const Read r = readBytes(cover(entry("fImagePath", "C:\\My Pictures\\front.png")
            + entry("bImagePath", "/home/u/back.jpeg")
            + entry("sImagePath", "/no/such/place/stretch.JPG")
            + entry("dImagePath", "/tmp/disc.bmp"),
        "[IMAGE1]" + front + "[ENDIMAGE1][IMAGE2][ENDIMAGE2][IMAGE3]" + stretched
            + "[ENDIMAGE3][IMAGE4][ENDIMAGE4]"));
    ASSERT_EQ(r.result.status, CoverReadResult::Status::Ok);
    EXPECT_EQ(r.result.pictureBytes, (std::array<qint64, 4>{7, 0, 15, 0}));
    // Paths only where a block holds a picture; the stored path only lends
    // its extension.
    EXPECT_EQ(r.doc.fImagePath, copyPath("tmpfront.png"));
    EXPECT_EQ(r.doc.bImagePath, "");
    EXPECT_EQ(r.doc.sImagePath, copyPath("tmpstretch.JPG"));
    EXPECT_EQ(r.doc.dImagePath, "");
    EXPECT_EQ(readFile(QFile::decodeName(copyPath("tmpfront.png"))), front);
    EXPECT_EQ(readFile(QFile::decodeName(copyPath("tmpstretch.JPG"))), stretched);
    // Front, back and stretched copies are written even when empty; the
    // disc copy only with a picture.
    EXPECT_TRUE(QFileInfo::exists(QFile::decodeName(copyPath("tmpback.jpeg"))));
    EXPECT_EQ(QFileInfo(QFile::decodeName(copyPath("tmpback.jpeg"))).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(QFile::decodeName(copyPath("tmpdisc.bmp"))));
}

TEST(CoverFileRead, PictureBlockRules)
{
    const struct {
        const char *what;
        QByteArray blocks;
        QByteArray frontBytes;
    } rows[] = {
        {"cut at its own closing tag", "[IMAGE1]abc[ENDIMAGE1]def[ENDIMAGE1]", "abc"},
        {"no closing tag", "[IMAGE1]abc", ""},
        {"no opening tag", "abc[ENDIMAGE1]", ""},
        {"closing before opening", "[ENDIMAGE1][IMAGE1]abc", ""},
        {"other blocks' tags inside", "[IMAGE1]a[IMAGE2]b[ENDIMAGE2]c[ENDIMAGE1]",
            "a[IMAGE2]b[ENDIMAGE2]c"},
        {"no blocks at all", "", ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const Read r = readBytes(cover(entry("fImagePath", "f.gif"), row.blocks));
        EXPECT_EQ(r.result.pictureBytes[0], qint64(row.frontBytes.size()));
        EXPECT_EQ(r.doc.fImagePath.isEmpty(), row.frontBytes.isEmpty());
        EXPECT_EQ(readFile(QFile::decodeName(copyPath("tmpfront.gif"))), row.frontBytes);
    }
    // The opening tag is searched for over the whole file, the text part too.
    const Read early = readBytes(cover(entry("fCoverTitle", "[IMAGE4]"), "[ENDIMAGE4]"));
    EXPECT_EQ(early.result.pictureBytes[3], qint64(QByteArray("[ENDfCoverTitle][END]").size()));
}

TEST(CoverFileRead, PictureExtensions)
{
    const struct {
        const char *stored;
        const char *copy;
    } rows[] = {
        {"/pictures/cover", "tmpfront.tmp"},
        {"", "tmpfront.tmp"},
        {"photo.jpg", "tmpfront.jpg"},
        {"archive.tar.gz", "tmpfront.gz"},
        {"dot.", "tmpfront."},
        {"C:\\My.Pictures\\front", "tmpfront.Pictures_front"},
        {"x./../../evil", "tmpfront._evil"},
        {"a.b/c/../../../../x", "tmpfront._x"},
        {"n.\n\x01\x7f\xe9", "tmpfront.____"},
        {"long.0123456789012345678901234567890123456789", "tmpfront.tmp"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.stored);
        const Read r = readBytes(cover(entry("fImagePath", row.stored), "[IMAGE1]P[ENDIMAGE1]"));
        EXPECT_EQ(r.doc.fImagePath, copyPath(row.copy));
        EXPECT_EQ(readFile(QFile::decodeName(copyPath(row.copy))), "P");
    }
    for (const QString &name :
        QDir(pictureCopyFolder())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden))
        EXPECT_TRUE(name.startsWith("tmp")) << name.toStdString();
    EXPECT_FALSE(QFileInfo::exists(QDir::tempPath() + "/evil"));
}

TEST(CoverFileRead, ALaterReadOverwritesTheCopies)
{
    readBytes(cover(entry("fImagePath", "a.png"), "[IMAGE1]first picture[ENDIMAGE1]"));
    const Read second = readBytes(cover(entry("fImagePath", "b.png"), "[IMAGE1]2nd[ENDIMAGE1]"));
    EXPECT_EQ(readFile(QFile::decodeName(second.doc.fImagePath)), "2nd");
    readBytes(cover(entry("fImagePath", "c.png"), ""));
    EXPECT_EQ(readFile(QFile::decodeName(second.doc.fImagePath)), ""); // emptied, still there
}

TEST(CoverFileRead, CopyFolderIsPrivateToTheProcess)
{
    const QString folder = pictureCopyFolder();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(pictureCopyFolder(), folder);
    EXPECT_EQ(QFileInfo(folder).permissions(),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
            | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    EXPECT_FALSE(folder.startsWith(QCoreApplication::applicationDirPath() + '/'));
}

// --- reading from a path -----------------------------------------------------

TEST(CoverFileRead, FromAPath)
{
    clearSettings();
    const QString dir = freshDir("readpath");
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    const CoverDocument reset = doc;

    EXPECT_EQ(readCoverFile(doc, dir + "/missing.zcv").status, CoverReadResult::Status::Missing);
    EXPECT_EQ(doc, reset);
    EXPECT_FALSE(QFileInfo::exists(UserSettings::storePath()));

    const CoverReadResult folder = readCoverFile(doc, dir);
    EXPECT_EQ(folder.status, CoverReadResult::Status::Invalid);
    EXPECT_FALSE(folder.reason.isEmpty());
    EXPECT_EQ(doc, reset);

    ASSERT_TRUE(writeFile(dir + "/c.zcv",
        cover(entry("covertype", "5") + entry("fCoverTitle", "T"), "[IMAGE2]back[ENDIMAGE2]")));
    CoverReadOptions storeType;
    storeType.storeCoverTypeInSettings = true;
    const CoverReadResult ok = readCoverFile(doc, dir + "/c.zcv", storeType);
    EXPECT_EQ(ok.status, CoverReadResult::Status::Ok);
    EXPECT_EQ(ok.pictureBytes[1], 4);
    EXPECT_EQ(doc.covertype, 5);
    EXPECT_EQ(doc.fCoverTitle, "T");
    EXPECT_EQ(UserSettings().Option, 5u); // the next new cover starts from it

    ASSERT_TRUE(writeFile(dir + "/d.zcv", cover(entry("covertype", "2"))));
    readCoverFile(doc, dir + "/d.zcv"); // readers other than the window leave it
    EXPECT_EQ(doc.covertype, 2);
    EXPECT_EQ(UserSettings().Option, 5u);
    clearSettings();
}

TEST(CoverFileRead, PipesAreNotOpened)
{
    const QString fifo = freshDir("fifo") + "/pipe.zcv";
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    // Opening a pipe without a writer would block for ever.
    EXPECT_EQ(readCoverFile(doc, fifo).status, CoverReadResult::Status::Invalid);
}
