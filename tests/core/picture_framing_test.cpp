// Where a placed picture goes: the one framing every output draws by, and
// what it looks like drawn.
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "render/PictureFraming.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

PicturePlacement placed(
    int32_t fit, int32_t zoom = 100, int32_t x = 500, int32_t y = 500, int32_t turn = 0)
{
    return PicturePlacement{fit, zoom, x, y, turn};
}

// A 300 x 200 picture with a circle of diameter 180 in its middle, red on
// white.
QImage circlePicture()
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::red);
    p.drawEllipse(QPointF(150, 100), 90, 90);
    return image;
}

// The red pixels' extent in `image`.
QRect redExtent(const QImage &image)
{
    QRect extent;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                extent |= QRect(x, y, 1, 1);
        }
    return extent;
}

QImage drawPlaced(const QByteArray &path, const PicturePlacement &placement, QSize face,
    uint32_t background = 0x00FF0000) // blue
{
    QImage image(face, QImage::Format_RGB32);
    image.fill(Qt::black);
    const FacePicturePtr picture = LoadFacePicture(path, face);
    EXPECT_TRUE(picture);
    QPainter painter(&image);
    DeviceContext dc(painter, 96, 96);
    if (picture)
        DrawPicturePlaced(dc, image.rect(), *picture, placement, background);
    return image;
}

// A JPEG of `image` with an Exif segment whose orientation entry is
// `orientation`, as a phone writes it.
QByteArray jpegWithOrientation(const QImage &image, int orientation)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    QByteArray tiff("MM\0\x2a\0\0\0\x08", 8);
    tiff += QByteArray("\0\x01", 2); // one entry
    tiff += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8); // 274, SHORT, one
    tiff += char(0);
    tiff += char(orientation);
    tiff += QByteArray(2, 0);
    tiff += QByteArray(4, 0); // no next directory
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    const quint16 length = quint16(payload.size() + 2);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    segment += payload;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

} // namespace

TEST(PictureFraming, SourceAndTargetForEachFitAspectZoomCentreAndTurn)
{
    const QRectF square(0, 0, 100, 100);
    const struct {
        const char *what;
        QSizeF picture;
        PicturePlacement placement;
        QRectF box;
        bool round;
        QRectF source, target;
    } rows[] = {
        {"stretch ignores the rest", {300, 200}, placed(FitStretch, 300, 0, 0, 0), square, false,
            {0, 0, 300, 200}, square},
        {"fill, wider: the middle", {300, 200}, placed(FitFill), square, false, {50, 0, 200, 200},
            square},
        {"fill, taller", {200, 300}, placed(FitFill), square, false, {0, 50, 200, 200}, square},
        {"fill, same shape", {200, 200}, placed(FitFill), square, false, {0, 0, 200, 200}, square},
        {"fill, moved left, held at the edge", {300, 200}, placed(FitFill, 100, 0), square, false,
            {0, 0, 200, 200}, square},
        {"fill, moved right", {300, 200}, placed(FitFill, 100, 1000), square, false,
            {100, 0, 200, 200}, square},
        {"fill, zoom 200 at a corner", {300, 200}, placed(FitFill, 200, 0, 0), square, false,
            {0, 0, 100, 100}, square},
        {"fill, zoom 200 centred", {300, 200}, placed(FitFill, 200), square, false,
            {100, 50, 100, 100}, square},
        {"fit, wider: bands above and below", {300, 200}, placed(FitInside), square, false,
            {0, 0, 300, 200}, {0, 50.0 / 3, 100, 200.0 / 3}},
        {"fit, taller", {200, 400}, placed(FitInside), square, false, {0, 0, 200, 400},
            {25, 0, 50, 100}},
        {"fit, zoom 120: cut across, whole down", {300, 200}, placed(FitInside, 120), square, false,
            {25, 0, 250, 200}, {0, 10, 100, 80}},
        {"fit, zoom 200: cut both ways", {300, 200}, placed(FitInside, 200), square, false,
            {75, 25, 150, 150}, square},
        {"fit on a disc: the diagonal is the diameter", {300, 400}, placed(FitInside), square, true,
            {0, 0, 300, 400}, {20, 10, 60, 80}},
        {"fill on a disc covers the square", {300, 200}, placed(FitFill), square, true,
            {50, 0, 200, 200}, square},
        {"a quarter turn makes it taller", {300, 200}, placed(FitFill, 100, 500, 500, 90), square,
            false, {0, 50, 200, 200}, square},
        {"turned, the centre turns with it", {300, 200}, placed(FitFill, 100, 0, 500, 90), square,
            false, {0, 0, 200, 200}, square},
        {"turned the other way", {300, 200}, placed(FitFill, 100, 0, 500, 270), square, false,
            {0, 100, 200, 200}, square},
        {"zoom beyond the range is held", {300, 200}, placed(FitFill, 1000), square, false,
            {125, 75, 50, 50}, square},
        {"centre beyond the range is held", {300, 200}, placed(FitFill, 100, -40), square, false,
            {0, 0, 200, 200}, square},
        {"an empty picture frames nothing", {0, 200}, placed(FitFill), square, false, {}, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const PictureFrame frame = framePicture(row.picture, row.placement, row.box, row.round);
        for (const auto &[got, want] :
            {std::pair{frame.source, row.source}, std::pair{frame.target, row.target}}) {
            EXPECT_NEAR(got.x(), want.x(), 1e-9);
            EXPECT_NEAR(got.y(), want.y(), 1e-9);
            EXPECT_NEAR(got.width(), want.width(), 1e-9);
            EXPECT_NEAR(got.height(), want.height(), 1e-9);
        }
    }
}

TEST(PictureFraming, ACircleStaysRoundFilledOrFittedAndIsSqueezedStretched)
{
    const QString path = freshDir(QStringLiteral("framing")) + QStringLiteral("/circle.png");
    ASSERT_TRUE(circlePicture().save(path));
    const QByteArray file = QFile::encodeName(path);
    const QSize face(200, 200);

    const QRect fill = redExtent(drawPlaced(file, placed(FitFill), face));
    EXPECT_NEAR(fill.width(), fill.height(), 3);
    EXPECT_NEAR(fill.width(), 180, 4); // 200 / 200 of the picture's height

    const QImage fitted = drawPlaced(file, placed(FitInside), face);
    const QRect fit = redExtent(fitted);
    EXPECT_NEAR(fit.width(), fit.height(), 3);
    EXPECT_NEAR(fit.width(), 120, 4); // 180 x 200 / 300
    // The face's colour above and below the picture.
    EXPECT_EQ(fitted.pixelColor(100, 10), QColor(Qt::black));
    EXPECT_EQ(fitted.pixelColor(100, 190), QColor(Qt::black));
    EXPECT_EQ(fitted.pixelColor(5, 100), QColor(Qt::white));

    const QRect stretched = redExtent(drawPlaced(file, placed(FitStretch), face));
    EXPECT_NEAR(stretched.width(), 120, 4);
    EXPECT_NEAR(stretched.height(), 180, 4);
}

TEST(PictureFraming, PhotosWithAnExifTurnStandUpright)
{
    // Upright: red on top, blue below; stored on its side as a camera does.
    QImage upright(60, 90, QImage::Format_RGB32);
    upright.fill(Qt::blue);
    QPainter(&upright).fillRect(0, 0, 60, 45, Qt::red);
    const struct {
        int orientation;
        QTransform stored; // how the camera turned the rows it stored
    } rows[] = {{1, QTransform()}, {6, QTransform().rotate(-90)}, {8, QTransform().rotate(90)},
        {3, QTransform().rotate(180)}};
    const QString dir = freshDir(QStringLiteral("exif"));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.orientation);
        const QString path = dir + QStringLiteral("/o%1.jpg").arg(row.orientation);
        ASSERT_TRUE(
            writeFile(path, jpegWithOrientation(upright.transformed(row.stored), row.orientation)));
        const FacePicturePtr picture = LoadFacePicture(QFile::encodeName(path));
        ASSERT_TRUE(picture);
        EXPECT_EQ(facePictureSize(*picture), QSize(60, 90));
        const QImage drawn = facePictureToImage(*picture);
        const QColor top = drawn.pixelColor(30, 10);
        const QColor bottom = drawn.pixelColor(30, 80);
        EXPECT_GT(top.red(), 200);
        EXPECT_LT(top.blue(), 60);
        EXPECT_GT(bottom.blue(), 200);
        EXPECT_LT(bottom.red(), 60);
    }
}
