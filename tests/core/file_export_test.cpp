// The command-line export: PNG faces and the printed pages as PDF.
#include "document/CoverDocument.h"
#include "document/CoverFile.h"
#include "document/UserSettings.h"
#include "print/FileExport.h"
#include "tests/support/FaceImage.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QString kSamples = QStringLiteral(DISCORA_SAMPLES_DIR);

QString sample(const char *name)
{
    return kSamples + QLatin1Char('/') + QLatin1String(name);
}

struct ExportRun {
    int code = 0;
    QString err;
};

ExportRun png(const QString &cover, const QString &dir, int dpi)
{
    QString err;
    QTextStream stream(&err);
    const int code = exportCoverPng(cover, dir, dpi, stream);
    stream.flush();
    return {code, err};
}

ExportRun pdf(const QString &cover, const QString &out, const PdfExportOptions &options = {})
{
    QString err;
    QTextStream stream(&err);
    const int code = exportCoverPdf(cover, out, options, stream);
    stream.flush();
    return {code, err};
}

// The pages of a PDF as images at `dpi`.
QList<QImage> rasterise(const QString &pdfPath, int dpi)
{
    const QString dir = freshDir(QStringLiteral("pages"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdfPath,
            dir + "/page"});
    p.waitForFinished(120000);
    QList<QImage> pages;
    QStringList files = QDir(dir).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
    for (const QString &f : files)
        pages.append(QImage(dir + QLatin1Char('/') + f).convertToFormat(QImage::Format_RGB32));
    return pages;
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class FileExport : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
};

} // namespace

TEST_F(FileExport, PngFacesOfEverySampleAtNominalSize)
{
    struct Case {
        const char *cover;
        QList<QPair<QString, QSize>> faces;
    } cases[] = {
        {"standard-cd.zcv",
            {{"back.png", {568, 444}}, {"disc.png", {449, 449}}, {"front.png", {454, 454}}}},
        {"standard-dvd.zcv", {{"cover.png", {1030, 691}}, {"disc.png", {449, 449}}}},
        {"slimline-cd.zcv", {{"cover.png", {589, 457}}, {"disc.png", {449, 449}}}},
        {"slimline-dvd.zcv", {{"cover.png", {1013, 691}}, {"disc.png", {449, 449}}}},
    };
    for (const Case &c : cases) {
        const QString dir = freshDir(QStringLiteral("png"));
        const ExportRun run = png(sample(c.cover), dir, 96);
        ASSERT_EQ(run.code, 0) << c.cover << run.err.toStdString();
        QStringList names;
        for (const auto &face : c.faces)
            names << face.first;
        EXPECT_EQ(filesIn(dir), names) << c.cover;
        for (const auto &face : c.faces) {
            const QImage image(dir + QLatin1Char('/') + face.first);
            EXPECT_EQ(image.size(), face.second) << c.cover << " " << face.first.toStdString();
            // The faces carry their pictures: far from a blank page.
            EXPECT_LT(countColor(image, image.rect(), Qt::white, 8),
                long(image.width()) * image.height() / 2)
                << c.cover << " " << face.first.toStdString();
        }
    }
}

TEST_F(FileExport, PngSizesFollowTheResolutionAndTheCalibration)
{
    QString dir = freshDir(QStringLiteral("png"));
    ASSERT_EQ(png(sample("standard-cd.zcv"), dir, 600).code, 0);
    EXPECT_EQ(QImage(dir + "/front.png").size(), QSize(2841, 2841));
    // 4.685 x 600 is a hair below 2811 in binary floating point.
    EXPECT_EQ(QImage(dir + "/disc.png").size(), QSize(2810, 2810));

    UserSettings settings;
    settings.calibration.expandCoverMM = QStringLiteral("5");
    settings.calibration.expandDiscMM = QStringLiteral("-2");
    settings.save();
    dir = freshDir(QStringLiteral("png"));
    ASSERT_EQ(png(sample("standard-cd.zcv"), dir, 96).code, 0);
    EXPECT_EQ(QImage(dir + "/front.png").size(), QSize(473, 473));
    EXPECT_EQ(QImage(dir + "/back.png").size(), QSize(587, 462));
    EXPECT_EQ(QImage(dir + "/disc.png").size(), QSize(442, 442));
}

TEST_F(FileExport, ExportLeavesTheSettingsAlone)
{
    UserSettings before;
    before.Option = StandardDVD;
    before.save();
    ASSERT_EQ(png(sample("slimline-cd.zcv"), freshDir(QStringLiteral("png")), 96).code, 0);
    EXPECT_EQ(UserSettings().Option, uint32_t(StandardDVD));
}

TEST_F(FileExport, RefusedCoversLeaveNoOutput)
{
    const QString dir = freshDir(QStringLiteral("bad"));
    const QString garbage = dir + "/garbage.zcv";
    writeFile(garbage, QByteArray("this is not a cover file at all\n"));
    CoverDocument other;
    resetDocumentForType(other, Other, 96);
    const QString otherPath = dir + "/other.zcv";
    ASSERT_TRUE(writeCoverFile(other, otherPath).ok);

    struct Case {
        QString cover;
        QString message;
    } cases[] = {
        {dir + "/missing.zcv", QStringLiteral("no such cover")},
        {garbage, invalidCoverFileMessage()},
        {otherPath, QStringLiteral("has no printable faces")},
    };
    for (const Case &c : cases) {
        const QString out = freshDir(QStringLiteral("out"));
        ExportRun run = png(c.cover, out + "/faces", 96);
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(filesIn(out).isEmpty());
        EXPECT_FALSE(QFileInfo::exists(out + "/faces"));
        run = pdf(c.cover, out + "/pages.pdf");
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(filesIn(out).isEmpty()) << filesIn(out).join(" ").toStdString();
    }
}

TEST_F(FileExport, AFaceThatCannotBeWrittenLeavesNoneOfTheSet)
{
    const QString out = freshDir(QStringLiteral("blocked"));
    ASSERT_TRUE(QDir(out).mkdir(QStringLiteral("disc.png"))); // in the way of the last face
    const ExportRun run = png(sample("standard-cd.zcv"), out, 96);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("disc.png"))) << run.err.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList({QStringLiteral("disc.png")}));

    writeFile(out + "/plain-file", "x");
    EXPECT_EQ(png(sample("standard-cd.zcv"), out + "/plain-file", 96).code, 2);
}

TEST_F(FileExport, PaperNamesThatNameNoStockAreRefused)
{
    const QString out = freshDir(QStringLiteral("out"));
    PdfExportOptions options;
    options.discPaper = QStringLiteral("neato CD/DVD Labels (A4)"); // case matters
    ExportRun run = pdf(sample("standard-cd.zcv"), out + "/x.pdf", options);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("neato CD/DVD Labels (A4)")));
    options = {};
    options.coversPaper = QStringLiteral("Glossy Photo");
    run = pdf(sample("standard-cd.zcv"), out + "/x.pdf", options);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(filesIn(out).isEmpty());

    // A stored choice that names no stock is refused the same way.
    UserSettings settings;
    settings.setPapersFor(StandardCD, QStringLiteral("Plain Paper"), QStringLiteral("Avery 1234"));
    settings.save();
    run = pdf(sample("standard-cd.zcv"), out + "/x.pdf");
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Avery 1234")));
    EXPECT_TRUE(filesIn(out).isEmpty());
}

TEST_F(FileExport, AFailedPdfKeepsThePreviousFile)
{
    const QString out = freshDir(QStringLiteral("out")) + "/keep.pdf";
    writeFile(out, QByteArray("previous"));
    PdfExportOptions options;
    options.coversPaper = QStringLiteral("nothing");
    EXPECT_EQ(pdf(sample("standard-cd.zcv"), out, options).code, 2);
    EXPECT_EQ(readFile(out), QByteArray("previous"));
}

TEST_F(FileExport, PdfPagesPutTheFacesWhereTheCatalogueSays)
{
    const QString out = freshDir(QStringLiteral("pdf")) + "/cd.pdf";
    PdfExportOptions options;
    options.discPaper = QStringLiteral("Avery 8960 CD/DVD Labels (Letter)");
    options.position = DiscLabelPosition::Bottom;
    const ExportRun run = pdf(sample("standard-cd.zcv"), out, options);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QList<QImage> pages = rasterise(out, 100);
    ASSERT_EQ(pages.size(), 2);

    // Covers page: A4 portrait; front at (0.5, 0.5) 4.735 square, back at
    // (0.5, 5.48) 5.925 x 4.625.
    const QImage &covers = pages[0];
    EXPECT_EQ(covers.width(), 827);
    EXPECT_NEAR(covers.height(), 1169, 1);
    EXPECT_EQ(inkBounds(covers, QRect(0, 0, 827, 540), Qt::white, 24), QRect(50, 50, 474, 474));
    EXPECT_EQ(inkBounds(covers, QRect(0, 540, 827, 629), Qt::white, 24), QRect(50, 548, 593, 463));

    // Disc page: Letter, the bottom Avery label at (1.9375, 5.6875).
    const QImage &disc = pages[1];
    EXPECT_EQ(disc.size(), QSize(850, 1100));
    const QRect ink = inkBounds(disc, disc.rect(), Qt::white, 24);
    EXPECT_NEAR(ink.left(), 194, 1);
    EXPECT_NEAR(ink.top(), 569, 1);
    EXPECT_NEAR(ink.width(), 462, 2);
    EXPECT_NEAR(ink.height(), 465, 2);
    // The hub stays paper white.
    EXPECT_TRUE(sameColor(disc.pixel(ink.center()), Qt::white, 8));
}

TEST_F(FileExport, DvdCoversPageIsLandscapeAndFontsAreEmbedded)
{
    const QString out = freshDir(QStringLiteral("pdf")) + "/dvd.pdf";
    ASSERT_EQ(pdf(sample("standard-dvd.zcv"), out).code, 0);
    const QList<QImage> pages = rasterise(out, 50);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_GT(pages[0].width(), pages[0].height()); // A4 landscape
    EXPECT_NEAR(pages[0].width(), 585, 1);
    EXPECT_NEAR(pages[0].height(), 413, 1);
    EXPECT_NEAR(pages[1].width(), 413, 1); // the disc page stays portrait
    EXPECT_NEAR(pages[1].height(), 585, 1);
    // The sheet at (0.1, 0.1), 10.73 x 7.2 inches.
    const QRect sheet = inkBounds(pages[0], pages[0].rect(), Qt::white, 24);
    EXPECT_NEAR(sheet.left(), 5, 1);
    EXPECT_NEAR(sheet.top(), 5, 1);
    EXPECT_NEAR(sheet.width(), 537, 2);
    EXPECT_NEAR(sheet.height(), 360, 2);
    // Plain paper: the disc at its plain-paper top position (0.237, 0.832).
    const QRect disc = inkBounds(pages[1], pages[1].rect(), Qt::white, 24);
    EXPECT_NEAR(disc.left(), 42, 1);
    EXPECT_NEAR(disc.top(), 12, 1);

    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {out});
    fonts.waitForFinished(60000);
    const QStringList lines = QString::fromLocal8Bit(fonts.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .mid(2);
    ASSERT_FALSE(lines.isEmpty());
    for (const QString &line : lines)
        EXPECT_TRUE(line.contains(QStringLiteral(" yes "))) << line.toStdString();
}

TEST_F(FileExport, PdfUsesTheStoredPapersAndCalibration)
{
    UserSettings settings;
    settings.setPapersFor(
        SlimlineCD, QStringLiteral("Plain Paper"), QStringLiteral("Neato CD/DVD Labels (A4)"));
    settings.calibration.moveDiscMMX = QStringLiteral("10");
    settings.calibration.moveDiscLeftRight = QStringLiteral("1");
    settings.save();
    const QString out = freshDir(QStringLiteral("pdf")) + "/slim.pdf";
    ASSERT_EQ(pdf(sample("slimline-cd.zcv"), out).code, 0);
    const QList<QImage> pages = rasterise(out, 100);
    ASSERT_EQ(pages.size(), 2);
    // Neato's top label at (1.021, 1.793), moved 10 mm right.
    const QRect disc = inkBounds(pages[1], pages[1].rect(), Qt::white, 24);
    EXPECT_NEAR(disc.left(), 179.3 + 39.4, 1.5);
    EXPECT_NEAR(disc.top(), 102, 1.5);
    // The slimline sheet at (0.25, 0.25), 156 x 121 mm.
    const QRect sheet = inkBounds(pages[0], pages[0].rect(), Qt::white, 24);
    EXPECT_EQ(sheet.topLeft(), QPoint(25, 25));
    EXPECT_NEAR(sheet.width(), 614, 2);
}
