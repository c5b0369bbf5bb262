// Where each face puts its pictures.
#include "document/CoverDocument.h"
#include "document/CoverFile.h"
#include "print/CoverLoading.h"
#include "print/FileExport.h"
#include "print/LabelStock.h"
#include "render/CdFaceRenderer.h"
#include "render/DiscRenderer.h"
#include "render/DvdSheetRenderer.h"
#include "render/FacePicture.h"
#include "render/SlimlineSheetRenderer.h"
#include "tests/support/BoundFace.h"
#include "tests/support/FaceRendering.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kYellow(255, 255, 0);
const QColor kWhite(Qt::white);
const ColorRef kGreyRef = 0x00808080;
const QColor kGrey(128, 128, 128);

class FacePictureLayout : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library = new PictureLibrary; }
    static void TearDownTestSuite()
    {
        delete library;
        library = nullptr;
    }
    static inline PictureLibrary *library = nullptr;

    void SetUp() override { dir = freshDir(QStringLiteral("pictures")); }

    // A picture of four coloured quarters: red, green / blue, yellow.
    QByteArray quarters(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        QPainter p(&image);
        p.fillRect(0, 0, w / 2, h / 2, kRed);
        p.fillRect(w / 2, 0, w - w / 2, h / 2, kGreen);
        p.fillRect(0, h / 2, w / 2, h - h / 2, kBlue);
        p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, kYellow);
        p.end();
        return save(image, QStringLiteral("quarters.png"));
    }
    QByteArray solid(QColor c, const QString &name)
    {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(c);
        return save(image, name);
    }
    QByteArray save(const QImage &image, const QString &name)
    {
        const QString path = dir + QLatin1Char('/') + name;
        EXPECT_TRUE(image.save(path, "PNG"));
        return QFile::encodeName(path);
    }
    QString dir;
};

} // namespace

TEST_F(FacePictureLayout, PictureIsStretchedOverTheWholeFace)
{
    // A 100 x 50 picture over a 300 x 300 face: no aspect ratio kept.
    CdFaceRenderer face;
    face.showBorder = false;
    face.imagePath = quarters(100, 50);
    face.nominalWidth = face.nominalHeight = 300;
    // Drawn smooth, the quarters blend within a picture pixel (3 x 6 here)
    // of where they meet.
    const QImage img = printFace(face, 96).image;
    EXPECT_TRUE(allColor(img, QRect(0, 0, 147, 144), kRed));
    EXPECT_TRUE(allColor(img, QRect(153, 0, 147, 144), kGreen));
    EXPECT_TRUE(allColor(img, QRect(0, 156, 147, 144), kBlue));
    EXPECT_TRUE(allColor(img, QRect(153, 156, 147, 144), kYellow));
}

TEST_F(FacePictureLayout, CdBackPictureLeavesTheSpinesUnlessPrintedOver)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.bBGColor = kGreyRef;
    doc.bShowBorder = false;
    doc.bImagePath = solid(kRed, QStringLiteral("red.png"));
    for (bool over : {false, true}) {
        doc.bBackPrintOverSpines = over;
        CdFaceRenderer back = testsupport::boundFace<CdFaceRenderer>(
            doc, FaceKind::CdBack, baseLabelStock(StockRow::PlainStandardCD), 96);
        const QImage img = printFace(back, 96).image;
        const QColor spine = over ? kRed : kGrey;
        EXPECT_TRUE(allColor(img, QRect(0, 0, 24, 444), spine)) << over;
        EXPECT_TRUE(allColor(img, QRect(568 - 24, 0, 24, 444), spine)) << over;
        EXPECT_TRUE(allColor(img, QRect(24, 0, 568 - 48, 444), kRed)) << over;
    }
}

TEST_F(FacePictureLayout, MissingPictureLeavesTheBackground)
{
    CdFaceRenderer face;
    face.showBorder = false;
    face.backgroundColor = kGreyRef;
    face.imagePath = QFile::encodeName(dir + QStringLiteral("/nothing-here.jpg"));
    face.nominalWidth = face.nominalHeight = 100;
    EXPECT_TRUE(allColor(printFace(face, 96).image, QRect(0, 0, 100, 100), kGrey));
}

TEST_F(FacePictureLayout, DvdSheetPictureModes)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardDVD, 96);
    doc.bBGColor = kGreyRef;
    doc.bShowBorder = false;
    doc.sImagePath = solid(kYellow, QStringLiteral("sheet.png"));
    doc.bImagePath = solid(kBlue, QStringLiteral("back.png"));
    const LabelStock row = baseLabelStock(StockRow::PlainStandardDVD);
    // 1030 wide, spine 51 from 490.
    auto render = [&](int mode, bool withFront) {
        doc.CoverOption = mode;
        doc.fImagePath = withFront ? solid(kRed, QStringLiteral("front.png")) : QByteArray();
        DvdSheetRenderer sheet
            = testsupport::boundFace<DvdSheetRenderer>(doc, FaceKind::DvdSheet, row, 96);
        return printFace(sheet, 96).image;
    };
    QImage img = render(SeparateImages, false);
    EXPECT_TRUE(allColor(img, QRect(0, 0, 515 - 25, 691), kBlue));
    EXPECT_TRUE(allColor(img, QRect(490, 0, 1030 - 490, 691), kGrey)); // spine and front
    img = render(SeparateImages, true);
    EXPECT_TRUE(allColor(img, QRect(515 + 25, 0, 1030 - 540, 691), kRed));
    EXPECT_TRUE(allColor(img, QRect(490, 0, 50, 691), kGrey)); // the spine shows the colour
    img = render(StretchedImage, true);
    EXPECT_TRUE(allColor(img, QRect(0, 0, 1030, 691), kYellow));
    img = render(7, true);
    EXPECT_TRUE(allColor(img, QRect(0, 0, 1030, 691), kGrey));
}

TEST_F(FacePictureLayout, SlimlinePictureStartsAfterFlapAndSpineAndIsCutAtTheEdge)
{
    CoverDocument doc;
    resetDocumentForType(doc, SlimlineCD, 96);
    doc.bBGColor = kGreyRef;
    doc.bShowBorder = false;
    doc.bImagePath = quarters(100, 50);
    doc.bBackPrintOverSpines = 0;
    SlimlineSheetRenderer sheet = testsupport::boundFace<SlimlineSheetRenderer>(
        doc, FaceKind::SlimlineSheet, baseLabelStock(StockRow::PlainSlimlineCD), 96);
    // 589 x 457, flap 56, spine 11: the picture box is (67, 0) with width
    // 589 - 22, so its right part (11 pixels) falls beyond the sheet.
    const QImage img = printFace(sheet, 96).image;
    EXPECT_TRUE(allColor(img, QRect(0, 10, 67, 400), kGrey));
    const int boxWidth = 589 - 22;
    // Smooth: red and green blend within a picture pixel (about 6 here)
    // of where they meet.
    EXPECT_TRUE(allColor(img, QRect(67, 10, boxWidth / 2 - 6, 200), kRed));
    EXPECT_TRUE(
        allColor(img, QRect(67 + boxWidth / 2 + 6, 10, 589 - 67 - boxWidth / 2 - 6, 200), kGreen));
}

TEST_F(FacePictureLayout, DiscPictureNeverInsideTheHubAndCutToTheDisc)
{
    for (int dpi : {96, 600}) {
        CoverDocument doc;
        resetDocumentForType(doc, StandardCD, 96);
        doc.dImagePath = solid(kRed, QStringLiteral("disc.png"));
        doc.dBGColor = 0x00FF0000;
        doc.printOverInnerCircleDisc = 0;
        DiscRenderer disc = testsupport::boundFace<DiscRenderer>(
            doc, FaceKind::Disc, baseLabelStock(StockRow::PlainStandardCD), dpi);
        const RenderedFace out = printFace(disc, dpi, kGrey);
        const int n = disc.nominalWidth;
        const int hub = disc.innerCircleDiameterPx;
        const QPoint c(n / 2, n / 2);
        // Pixels whose centres lie inside the hub's circle (its box is
        // centre -+ hub/2, the centre on a pixel corner).
        long redInHub = 0, inHub = 0;
        const double r = hub / 2;
        for (int y = -hub / 2 - 1; y <= hub / 2; ++y)
            for (int x = -hub / 2 - 1; x <= hub / 2; ++x)
                if ((x + 0.5) * (x + 0.5) + (y + 0.5) * (y + 0.5) <= r * r) {
                    ++inHub;
                    if (sameColor(out.image.pixel(c + QPoint(x, y)), kRed, 30))
                        ++redInHub;
                }
        EXPECT_GT(inHub, 3.1 * r * r);
        EXPECT_EQ(redInHub, 0) << dpi;
        EXPECT_TRUE(sameColor(out.image.pixel(c), kWhite));
        EXPECT_TRUE(sameColor(out.image.pixel(c.x(), c.y() + hub), kRed));
        EXPECT_TRUE(sameColor(out.image.pixel(1, 1), kGrey)); // outside the disc
        EXPECT_TRUE(sameColor(out.image.pixel(n - 2, n - 2), kGrey));

        doc.printOverInnerCircleDisc = 1;
        doc.dShowBorder = false;
        disc = testsupport::boundFace<DiscRenderer>(
            doc, FaceKind::Disc, baseLabelStock(StockRow::PlainStandardCD), dpi);
        const RenderedFace over = printFace(disc, dpi, kGrey);
        EXPECT_TRUE(
            allColor(over.image, QRect(c - QPoint(hub / 2, hub / 2), QSize(hub, hub)), kRed))
            << dpi;
    }
}

TEST_F(FacePictureLayout, ACoverReadIntoMemoryDrawsLikeItsPictureCopiesAndLeavesNoFile)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.fImagePath = quarters(60, 40);
    doc.bImagePath = solid(kBlue, QStringLiteral("back.png"));
    doc.dImagePath = quarters(50, 50);
    const QString path = dir + QStringLiteral("/cover.zcv");
    ASSERT_TRUE(writeCoverFile(doc, path).ok);

    LoadedCover inMemory;
    QString error;
    ASSERT_TRUE(loadCover(path, {96, true}, inMemory, error)) << error.toStdString();
    EXPECT_TRUE(QDir(pictureCopyFolder()).isEmpty());
    EXPECT_TRUE(inMemory.document.fImagePath.startsWith(kMemoryPicturePrefix));
    LoadedCover copied;
    ASSERT_TRUE(loadCover(path, {96, false}, copied, error));

    const CoverFaces faces = *CoverFaces::onPlainPaper(StandardCD);
    for (const CoverFace &face : faces.all()) {
        const QImage fromMemory = renderFaceImage(inMemory.document, faces, face, 96,
            DrawTarget::file(96).withPictures(inMemory.pictures.get()));
        const QImage fromCopies
            = renderFaceImage(copied.document, faces, face, 96, DrawTarget::file(96));
        EXPECT_EQ(fromMemory, fromCopies) << face.fileStem.toStdString();
        // The pictures are there: the front's red quarter shows.
        if (face.kind == FaceKind::CdFront) {
            EXPECT_TRUE(sameColor(fromMemory.pixel(20, 20), kRed));
        }
    }
}
