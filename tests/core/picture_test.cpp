#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "render/PictureView.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

constexpr uint32_t kBackgroundRef = 0x00336699; // RGB(0x99, 0x66, 0x33)
const QColor kUnderneath(10, 200, 10); // what the canvas held before

QString pictureDir()
{
    static const QString dir = testsupport::freshDir(QStringLiteral("pictures"));
    return dir;
}

QString picturePath(const QString &name)
{
    return pictureDir() + QLatin1Char('/') + name;
}

FacePicturePtr load(const QString &path)
{
    return LoadFacePicture(QFile::encodeName(path));
}

QImage drawInto(const FacePicture &picture, QSize canvas, QRect box,
    QImage::Format format = QImage::Format_RGB32, uint32_t background = kBackgroundRef)
{
    QImage image(canvas, format);
    image.fill(kUnderneath);
    QPainter painter(&image);
    DeviceContext dc(painter, 96, 96);
    DrawPictureStretched(dc, box, picture, background);
    painter.end();
    return image;
}

// Every pixel of each cell's block of `image` (4 × 2 blocks over `area`),
// or the block's middle only when `insetDivisor` > 0, compared with `expected`.
// Enlarged pictures are drawn smooth, so cells blend at their edges: drawn
// cells are checked in their middles (kMiddle), where a cell of several
// source pixels keeps its colour (within 1 of rounding).
template <typename Expected>
void expectCells(
    const QImage &image, QRect area, Expected expected, int tolerance = 0, int insetDivisor = 0)
{
    const int blockW = area.width() / columns;
    const int blockH = area.height() / rows;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            QRect block(area.left() + column * blockW, area.top() + row * blockH, blockW, blockH);
            if (insetDivisor > 0)
                block.adjust(blockW / insetDivisor, blockH / insetDivisor, -blockW / insetDivisor,
                    -blockH / insetDivisor);
            const QRgb want = expected(column, row);
            int wrong = 0;
            QRgb first = 0;
            for (int y = block.top(); y <= block.bottom(); ++y) {
                for (int x = block.left(); x <= block.right(); ++x) {
                    const QRgb got = image.pixel(x, y);
                    if (std::abs(qRed(got) - qRed(want)) > tolerance
                        || std::abs(qGreen(got) - qGreen(want)) > tolerance
                        || std::abs(qBlue(got) - qBlue(want)) > tolerance) {
                        if (!wrong++)
                            first = got;
                    }
                }
            }
            EXPECT_EQ(wrong, 0) << "cell " << column << "," << row << ": want #" << std::hex << want
                                << " got #" << first;
        }
    }
}

constexpr int kMiddle = 4;

int cellAlpha(int column, int row)
{
    static const int alphas[rows][columns] = {{255, 0, 128, 64}, {200, 255, 0, 32}};
    return alphas[row][column];
}

// ---------------------------------------------------------------------------

TEST(PictureFormat, ChosenByTheExtensionTableLastMatchWinning)
{
    const struct {
        const char *path;
        int format;
    } cases[] = {
        {"/covers/photo.jpeg", FIF_JPEG},
        {"/covers/PHOTO.JPG", FIF_JPEG},
        {"/covers/Photo.Jpg", FIF_JPEG},
        {"scan.tiff", FIF_TIFF},
        {"scan.tif", FIF_TIFF},
        {"logo.png", FIF_PNG},
        {"logo.bmp", FIF_BMP},
        {"anim.gif", FIF_GIF},
        {"app.ico", FIF_ICO},
        {"picture.png.bmp", FIF_BMP},
        {"picture.bmp.png", FIF_BMP}, // rows are tried in table order
        {"icon.ico.gif", FIF_ICO},
        {"holiday.jpg.gif", FIF_GIF},
        {"scan.tif.jpg", FIF_TIFF}, // ".TIF" is tested after ".JPG"
        {"/pictures.png/photo", FIF_PNG}, // anywhere in the path, not only at the end
        {"image.tmp", -1},
        {"noextension", -1},
        {"jpg", -1},
        {"", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pictureFormatForPath(c.path), c.format) << c.path;
}

TEST(PictureLoading, NothingForAnEmptyPathAnUnknownExtensionOrAMissingFile)
{
    ASSERT_TRUE(save(makeBitmap(Layout::Bgr24), FIF_PNG, picturePath("real.tmp")));
    EXPECT_FALSE(LoadFacePicture(QByteArray()));
    EXPECT_FALSE(load(picturePath("real.tmp"))) << "a PNG without a known extension";
    EXPECT_FALSE(load(picturePath("missing.png")));
    ASSERT_TRUE(QFile::copy(picturePath("real.tmp"), picturePath("real.png")));
    EXPECT_TRUE(load(picturePath("real.png")));

    FacePicturePtr none;
    ReleaseFacePicture(none); // releasing nothing does nothing
    FacePicturePtr picture = load(picturePath("real.png"));
    ReleaseFacePicture(picture);
    EXPECT_FALSE(picture);
}

// ---------------------------------------------------------------------------
// Every depth of every format, decoded and drawn: colours and orientation.

struct DepthCase {
    const char *name;
    Layout layout;
    FREE_IMAGE_FORMAT format;
    const char *extension;
    int saveFlags = 0;
    // Several pixels a cell, so that each keeps a flat middle when drawn
    // smooth. Icons come in square sizes only.
    int cellWidth = 4;
    int cellHeight = 4;
};

void PrintTo(const DepthCase &c, std::ostream *os)
{
    *os << c.name;
}

class PictureDepths : public ::testing::TestWithParam<DepthCase> { };

TEST_P(PictureDepths, DrawTheirColoursTheRightWayUpOnEveryCanvasFormat)
{
    const DepthCase &c = GetParam();
    const QString path = picturePath(QString::fromLatin1(c.name) + QLatin1String(c.extension));
    ASSERT_TRUE(save(makeBitmap(c.layout, c.cellWidth, c.cellHeight), c.format, path, c.saveFlags))
        << "FreeImage wrote no " << c.name;

    FacePicturePtr picture = load(path);
    ASSERT_TRUE(picture);
    const QSize size(columns * c.cellWidth, rows * c.cellHeight);
    EXPECT_EQ(facePictureSize(*picture), size);
    const auto expected = [&](int column, int row) { return expectedColor(c.layout, column, row); };

    for (const QImage::Format format :
        {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888}) {
        SCOPED_TRACE(int(format));
        const QImage drawn = drawInto(*picture, QSize(60, 30), QRect(10, 5, 40, 20), format);
        expectCells(drawn, QRect(10, 5, 40, 20), expected, 1, kMiddle);
        // Nothing outside the box.
        EXPECT_EQ(drawn.pixel(9, 15), kUnderneath.rgb());
        EXPECT_EQ(drawn.pixel(50, 15), kUnderneath.rgb());
        EXPECT_EQ(drawn.pixel(30, 4), kUnderneath.rgb());
        EXPECT_EQ(drawn.pixel(30, 25), kUnderneath.rgb());
    }
    const QImage whole = facePictureToImage(*picture);
    ASSERT_EQ(whole.size(), size);
    expectCells(whole, whole.rect(), expected);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, PictureDepths,
    ::testing::Values(DepthCase{"bmp1", Layout::Palette1, FIF_BMP, ".bmp"},
        DepthCase{"bmp4", Layout::Palette4, FIF_BMP, ".bmp"},
        DepthCase{"bmp8", Layout::Palette8, FIF_BMP, ".bmp"},
        DepthCase{"bmp8rle", Layout::Palette8, FIF_BMP, ".bmp", BMP_SAVE_RLE},
        DepthCase{"bmp8rlecells", Layout::Palette8, FIF_BMP, ".bmp", BMP_SAVE_RLE, 7, 5},
        DepthCase{"bmp555", Layout::Rgb555, FIF_BMP, ".bmp"},
        DepthCase{"bmp565", Layout::Rgb565, FIF_BMP, ".bmp"},
        DepthCase{"bmp24", Layout::Bgr24, FIF_BMP, ".BMP"},
        DepthCase{"bmp32", Layout::Bgra32, FIF_BMP, ".bmp"},
        DepthCase{"png1", Layout::Palette1, FIF_PNG, ".png"},
        DepthCase{"png4", Layout::Palette4, FIF_PNG, ".png"},
        DepthCase{"png8", Layout::Palette8, FIF_PNG, ".png"},
        DepthCase{"png24", Layout::Bgr24, FIF_PNG, ".png"},
        DepthCase{"png32", Layout::Bgra32, FIF_PNG, ".png"},
        DepthCase{"png48", Layout::Rgb48, FIF_PNG, ".png"},
        DepthCase{"png64", Layout::Rgba64, FIF_PNG, ".png"},
        DepthCase{"pnggrey16", Layout::Grey16, FIF_PNG, ".png"},
        DepthCase{"tif1", Layout::Palette1, FIF_TIFF, ".tif"},
        DepthCase{"tif4", Layout::Palette4, FIF_TIFF, ".tif"},
        DepthCase{"tif8", Layout::Palette8, FIF_TIFF, ".tiff"},
        DepthCase{"tif24", Layout::Bgr24, FIF_TIFF, ".tif", TIFF_LZW},
        DepthCase{"tif32", Layout::Bgra32, FIF_TIFF, ".tif"},
        DepthCase{"tif48", Layout::Rgb48, FIF_TIFF, ".tif"},
        DepthCase{"tif64", Layout::Rgba64, FIF_TIFF, ".tif"},
        DepthCase{"tifgrey16", Layout::Grey16, FIF_TIFF, ".tif"},
        DepthCase{"gif8", Layout::Palette8, FIF_GIF, ".gif"},
        DepthCase{"ico4", Layout::Palette4, FIF_ICO, ".ico", 0, 4, 8},
        DepthCase{"ico8", Layout::Palette8, FIF_ICO, ".ico", 0, 4, 8},
        DepthCase{"ico24", Layout::Bgr24, FIF_ICO, ".ico", 0, 4, 8},
        DepthCase{"ico32", Layout::Bgra32, FIF_ICO, ".ico", 0, 4, 8}),
    [](const ::testing::TestParamInfo<DepthCase> &info) { return std::string(info.param.name); });

TEST(PictureDepths, JpegInColourGreyAndCmyk)
{
    const QString colour = picturePath("cells.jpg");
    ASSERT_TRUE(save(makeBitmap(Layout::Bgr24, 16), FIF_JPEG, colour,
        JPEG_QUALITYSUPERB | JPEG_SUBSAMPLING_444));
    FIBITMAP *grey = FreeImage_ConvertToGreyscale(makeBitmap(Layout::Bgr24, 16));
    ASSERT_TRUE(grey);
    QRgb greyOf[rows][columns];
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            BYTE value = 0;
            FreeImage_GetPixelIndex(
                grey, unsigned(column * 16 + 8), unsigned(31 - (row * 16 + 8)), &value);
            greyOf[row][column] = qRgb(value, value, value);
        }
    ASSERT_TRUE(save(grey, FIF_JPEG, picturePath("grey.jpeg"), JPEG_QUALITYSUPERB));

    const struct {
        QString path;
        std::function<QRgb(int, int)> expected;
        int tolerance;
    } cases[] = {
        {colour, cellColor, 12},
        {picturePath("grey.jpeg"), [&](int c, int r) { return greyOf[r][c]; }, 6},
        // CMYK through a naive conversion and back: close, not exact.
        {QStringLiteral(DISCORA_TEST_DATA_DIR "/pictures/cmyk-cells.jpg"), cellColor, 40},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        FacePicturePtr picture = load(c.path);
        ASSERT_TRUE(picture);
        EXPECT_EQ(facePictureSize(*picture), QSize(64, 32));
        expectCells(drawInto(*picture, QSize(40, 20), QRect(0, 0, 40, 20)), QRect(0, 0, 40, 20),
            c.expected, c.tolerance, 4);
    }
}

TEST(PictureDepths, CmykTiffComesOutInRgb)
{
    FIBITMAP *dib = FreeImage_Allocate(4, 2, 32);
    for (int y = 0; y < 2; ++y) {
        BYTE *line = FreeImage_GetScanLine(dib, 1 - y);
        for (int x = 0; x < 4; ++x) {
            const QRgb c = cellColor(x, y);
            BYTE *p = line + 4 * x; // C, M, Y, K in file order
            p[0] = BYTE(255 - qRed(c));
            p[1] = BYTE(255 - qGreen(c));
            p[2] = BYTE(255 - qBlue(c));
            p[3] = 0;
        }
    }
    const QString path = picturePath("cmyk.tif");
    ASSERT_TRUE(save(dib, FIF_TIFF, path, TIFF_CMYK));
    FacePicturePtr picture = load(path);
    ASSERT_TRUE(picture);
    const QImage whole = facePictureToImage(*picture);
    expectCells(whole, whole.rect(), cellColor);
}

// ---------------------------------------------------------------------------
// Transparency is composed over the face's background colour, not over
// whatever the canvas held.

TEST(PictureTransparency, AlphaChannelsComposeOverTheBackground)
{
    const QRgb background = colorFromRef(kBackgroundRef).rgb();
    const auto expected = [&](int column, int row) {
        return blendOver(cellColor(column, row), cellAlpha(column, row), background);
    };
    const struct {
        const char *name;
        Layout layout;
        FREE_IMAGE_FORMAT format;
    } cases[] = {
        {"alpha32.png", Layout::Bgra32, FIF_PNG},
        {"alpha64.png", Layout::Rgba64, FIF_PNG},
        {"alpha32.tif", Layout::Bgra32, FIF_TIFF},
        {"alpha32.ico", Layout::Bgra32, FIF_ICO},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const bool icon = c.format == FIF_ICO;
        FIBITMAP *dib = makeBitmap(c.layout, 4, icon ? 8 : 4);
        setCellAlpha(dib, cellAlpha);
        ASSERT_TRUE(save(dib, c.format, picturePath(c.name)));
        FacePicturePtr picture = load(picturePath(c.name));
        ASSERT_TRUE(picture);
        for (const QImage::Format format :
            {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            expectCells(drawInto(*picture, QSize(40, 20), QRect(0, 0, 40, 20), format),
                QRect(0, 0, 40, 20), expected, 2, kMiddle);
        }
        const QImage whole = facePictureToImage(*picture, kBackgroundRef);
        expectCells(whole, whole.rect(), expected, 2);
    }
}

TEST(PictureDepths, BitmapsWithVersion5HeadersLoadToo)
{
    // FreeImage refuses these; they still show.
    const QRgb background = colorFromRef(kBackgroundRef).rgb();
    ASSERT_TRUE(testsupport::writeFile(
        picturePath("v5-24.bmp"), bmpVersion5(24, [](int, int) { return 255; })));
    ASSERT_TRUE(testsupport::writeFile(picturePath("v5-32.bmp"), bmpVersion5(32, cellAlpha)));
    const struct {
        const char *name;
        std::function<QRgb(int, int)> expected;
    } cases[] = {
        {"v5-24.bmp", cellColor},
        {"v5-32.bmp",
            [&](int c, int r) { return blendOver(cellColor(c, r), cellAlpha(c, r), background); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FacePicturePtr picture = load(picturePath(c.name));
        ASSERT_TRUE(picture);
        EXPECT_EQ(facePictureSize(*picture), QSize(4, 2));
        const QImage whole = facePictureToImage(*picture, kBackgroundRef);
        expectCells(whole, whole.rect(), c.expected, 2);
    }
}

TEST(PictureTransparency, TransparentPaletteEntriesShowTheBackground)
{
    const QRgb background = colorFromRef(kBackgroundRef).rgb();
    // Palette 1 (green) fully transparent, palette 2 (blue) half.
    const auto expected = [&](int column, int row) {
        const int index = row * 4 + column;
        const int alpha = index == 1 ? 0 : index == 2 ? 128 : 255;
        return blendOver(cellColor(column, row), alpha, background);
    };
    BYTE table[256];
    std::fill(std::begin(table), std::end(table), BYTE(255));
    table[1] = 0;
    table[2] = 128;

    FIBITMAP *png = makeBitmap(Layout::Palette8, 4);
    FreeImage_SetTransparencyTable(png, table, 256);
    ASSERT_TRUE(save(png, FIF_PNG, picturePath("trns8.png")));
    FIBITMAP *png4 = makeBitmap(Layout::Palette4, 4);
    FreeImage_SetTransparencyTable(png4, table, 16);
    ASSERT_TRUE(save(png4, FIF_PNG, picturePath("trns4.png")));

    for (const char *name : {"trns8.png", "trns4.png"}) {
        SCOPED_TRACE(name);
        FacePicturePtr picture = load(picturePath(name));
        ASSERT_TRUE(picture);
        expectCells(drawInto(*picture, QSize(40, 20), QRect(0, 0, 40, 20)), QRect(0, 0, 40, 20),
            expected, 2, kMiddle);
    }

    // GIF and icon masks are all or nothing: palette 1 transparent.
    const auto onOff = [&](int column, int row) {
        return row * 4 + column == 1 ? background : cellColor(column, row);
    };
    FIBITMAP *gif = makeBitmap(Layout::Palette8, 4);
    FreeImage_SetTransparentIndex(gif, 1);
    ASSERT_TRUE(save(gif, FIF_GIF, picturePath("transparent.gif")));
    FIBITMAP *ico = makeBitmap(Layout::Palette8, 4, 8);
    FreeImage_SetTransparentIndex(ico, 1);
    ASSERT_TRUE(save(ico, FIF_ICO, picturePath("masked.ico")));
    for (const char *name : {"transparent.gif", "masked.ico"}) {
        SCOPED_TRACE(name);
        FacePicturePtr picture = load(picturePath(name));
        ASSERT_TRUE(picture);
        expectCells(drawInto(*picture, QSize(40, 20), QRect(0, 0, 40, 20)), QRect(0, 0, 40, 20),
            onOff, 1, kMiddle);
    }
}

TEST(PictureTransparency, AZeroFourthByteOfA32BitBitmapIsNoTransparency)
{
    FIBITMAP *dib = makeBitmap(Layout::Bgra32, 4);
    setCellAlpha(dib, [](int, int) { return 0; });
    ASSERT_TRUE(save(dib, FIF_BMP, picturePath("zeroalpha.bmp")));
    FacePicturePtr picture = load(picturePath("zeroalpha.bmp"));
    ASSERT_TRUE(picture);
    for (const QImage::Format format :
        {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        const QImage drawn = drawInto(*picture, QSize(40, 20), QRect(0, 0, 40, 20), format);
        expectCells(drawn, QRect(0, 0, 40, 20), cellColor, 1, kMiddle);
        EXPECT_EQ(qAlpha(drawn.pixel(5, 5)), 255);
    }
}

// ---------------------------------------------------------------------------
// Stretching: the whole picture over the whole box, smooth.

QRgb gradientColor(int x, int y)
{
    return qRgb(x * 2 + 5, y * 5, (x * 7 + y * 3) % 256);
}

FIBITMAP *makeGradient(int width, int height, unsigned bitsPerPixel)
{
    FIBITMAP *dib = FreeImage_Allocate(width, height, int(bitsPerPixel));
    for (int y = 0; y < height; ++y) {
        BYTE *line = FreeImage_GetScanLine(dib, height - 1 - y);
        for (int x = 0; x < width; ++x) {
            BYTE *p = line + x * int(bitsPerPixel / 8);
            const QRgb c = gradientColor(x, y);
            p[FI_RGBA_RED] = BYTE(qRed(c));
            p[FI_RGBA_GREEN] = BYTE(qGreen(c));
            p[FI_RGBA_BLUE] = BYTE(qBlue(c));
            if (bitsPerPixel == 32)
                p[FI_RGBA_ALPHA] = 255;
        }
    }
    return dib;
}

// Where a box pixel's centre falls in the picture, in picture pixels
// (centres at whole numbers), held to the picture's edge pixels.
double sourceCoordinate(int boxPixel, double scale, int pictureSize)
{
    return std::clamp((boxPixel + 0.5) / scale - 0.5, 0.0, double(pictureSize - 1));
}

TEST(PictureStretch, HundredByFiftyFillsThreeHundredSquareSmoothly)
{
    // The red and green of the gradient grow linearly with x and y, so a
    // smooth enlargement reproduces them between the picture's pixels; a
    // blocky one is off by up to 2 in green at every block's edge.
    ASSERT_TRUE(save(makeGradient(100, 50, 24), FIF_BMP, picturePath("gradient24.bmp")));
    ASSERT_TRUE(save(makeGradient(100, 50, 32), FIF_PNG, picturePath("gradient32.png")));
    for (const char *name : {"gradient24.bmp", "gradient32.png"}) {
        FacePicturePtr picture = load(picturePath(name));
        ASSERT_TRUE(picture);
        ASSERT_EQ(facePictureSize(*picture), QSize(100, 50));
        for (const QImage::Format format :
            {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            SCOPED_TRACE(std::string(name) + " on format " + std::to_string(int(format)));
            const QImage drawn
                = drawInto(*picture, QSize(320, 330), QRect(10, 20, 300, 300), format);
            int wrong = 0;
            for (int y = 0; y < 330; ++y) {
                for (int x = 0; x < 320; ++x) {
                    const QRgb got = drawn.pixel(x, y);
                    const bool inside = x >= 10 && x < 310 && y >= 20 && y < 320;
                    bool right = (got & 0xFFFFFF) == (kUnderneath.rgb() & 0xFFFFFF);
                    if (inside) {
                        const double u = sourceCoordinate(x - 10, 3.0, 100);
                        const double v = sourceCoordinate(y - 20, 6.0, 50);
                        right = std::abs(qRed(got) - (2 * u + 5)) <= 1.0
                            && std::abs(qGreen(got) - 5 * v) <= 1.0;
                    }
                    if (!right && wrong++ < 3)
                        ADD_FAILURE() << "pixel " << x << "," << y << ": #" << std::hex << got;
                }
            }
            EXPECT_EQ(wrong, 0);
        }
    }
}

TEST(PictureStretch, SmoothUnderThePainterTransformWhateverTheCallerSet)
{
    // Two colours side by side, enlarged: the middle blends them.
    FIBITMAP *dib = FreeImage_Allocate(2, 1, 24);
    BYTE *line = FreeImage_GetScanLine(dib, 0);
    line[FI_RGBA_RED] = 255;
    line[3 + FI_RGBA_BLUE] = 255;
    ASSERT_TRUE(save(dib, FIF_BMP, picturePath("twocolours.bmp")));
    FacePicturePtr picture = load(picturePath("twocolours.bmp"));
    ASSERT_TRUE(picture);

    QImage image(300, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(1.5, 1.0); // a preview scaled by its caller
    DeviceContext dc(painter, 96, 96);
    DrawPictureStretched(dc, QRect(0, 0, 99, 20), *picture);
    EXPECT_FALSE(painter.testRenderHint(QPainter::SmoothPixmapTransform))
        << "the caller's hints are restored";
    painter.end();
    const QRgb middle = image.pixel(74, 10);
    EXPECT_GT(qRed(middle), 64);
    EXPECT_GT(qBlue(middle), 64);
    EXPECT_EQ(qGreen(middle), 0);
    EXPECT_EQ(image.pixel(2, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(145, 10) & 0xFFFFFF, 0x0000FFu);
    // The picture's edges stay sharp: the box ends at 148.5 device pixels.
    EXPECT_EQ(image.pixel(147, 10) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(149, 10) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(74, 20) & 0xFFFFFF, 0xFFFFFFu);

    // An empty or inverted box draws nothing.
    const QImage untouched = drawInto(*picture, QSize(10, 10), QRect(5, 5, 0, 4));
    EXPECT_EQ(untouched.pixel(5, 5), kUnderneath.rgb());
}

// ---------------------------------------------------------------------------
// The formats Qt shares with FreeImage are drawn from the bitmap's own rows.

TEST(PictureView, SharesTheBitmapRowsWhereQtHasTheLayout)
{
    const struct {
        Layout layout;
        bool translucent;
        bool shared;
    } cases[] = {
        {Layout::Palette8, false, true},
        {Layout::Rgb555, false, true},
        {Layout::Rgb565, false, true},
        {Layout::Bgr24, false, true},
        {Layout::Bgra32, false, true},
        {Layout::Bgra32, true, true},
        {Layout::Rgba64, false, true},
        {Layout::Rgba64, true, true},
        {Layout::Grey16, false, true},
        {Layout::Palette1, false, false},
        {Layout::Palette4, false, false},
        {Layout::Rgb48, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.layout));
        FIBITMAP *dib = makeBitmap(c.layout, 3);
        if (c.translucent)
            setCellAlpha(dib, cellAlpha);
        {
            const PictureView view(dib, qRgb(255, 255, 255));
            ASSERT_FALSE(view.isNull());
            EXPECT_EQ(view.image().size(), QSize(12, 6));
            EXPECT_EQ(view.translucent(), c.translucent);
            EXPECT_EQ(view.sharesBitmap(), c.shared);
            if (c.shared) {
                EXPECT_EQ(view.image().constBits(), FreeImage_GetBits(dib));
            }
        }
        FreeImage_Unload(dib);
    }
}

// ---------------------------------------------------------------------------
// A large JPEG decoded for a small destination.

TEST(PictureReduction, JpegDecodesAtTheSmallestReductionCoveringTheTarget)
{
    const QString jpeg = picturePath("large.jpg");
    ASSERT_TRUE(save(makeBitmap(Layout::Bgr24, 200), FIF_JPEG, jpeg,
        JPEG_QUALITYSUPERB | JPEG_SUBSAMPLING_444)); // 800 × 400
    const QString png = picturePath("large.png");
    ASSERT_TRUE(save(makeBitmap(Layout::Bgr24, 200), FIF_PNG, png));
    const QByteArray jpegPath = QFile::encodeName(jpeg);

    const struct {
        QSize target;
        QSize decoded;
    } cases[] = {
        {QSize(100, 50), QSize(100, 50)},
        {QSize(90, 10), QSize(100, 50)},
        {QSize(101, 50), QSize(200, 100)},
        {QSize(300, 150), QSize(400, 200)},
        {QSize(400, 201), QSize(800, 400)},
        {QSize(401, 10), QSize(800, 400)},
        {QSize(), QSize(800, 400)},
        {QSize(2000, 2000), QSize(800, 400)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1x%2").arg(c.target.width()).arg(c.target.height()).toStdString());
        FacePicturePtr picture = LoadFacePicture(jpegPath, c.target);
        ASSERT_TRUE(picture);
        EXPECT_EQ(facePictureSize(*picture), c.decoded);
        // The same picture whatever the reduction.
        expectCells(drawInto(*picture, QSize(100, 50), QRect(0, 0, 100, 50)), QRect(0, 0, 100, 50),
            cellColor, 12, 4);
    }
    FacePicturePtr full = LoadFacePicture(QFile::encodeName(png), QSize(100, 50));
    ASSERT_TRUE(full);
    EXPECT_EQ(facePictureSize(*full), QSize(800, 400)) << "only JPEGs are reduced";
}

TEST(PictureReduction, DevicePixelSizeFollowsThePainterTransform)
{
    QImage image(400, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    DeviceContext dc(painter, 96, 96);
    EXPECT_EQ(devicePixelSize(dc, QRect(10, 10, 100, 50)), QSize(100, 50));
    painter.scale(2.0, 3.0);
    EXPECT_EQ(devicePixelSize(dc, QRect(10, 10, 100, 50)), QSize(200, 150));
}

// ---------------------------------------------------------------------------
// PDF output (export and printing) embeds the pixels with the same colours
// and orientation.

TEST(PictureDevices, PdfShowsTheSameColoursTheRightWayUp)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";

    ASSERT_TRUE(save(makeBitmap(Layout::Bgr24), FIF_BMP, picturePath("pdf24.bmp")));
    ASSERT_TRUE(save(makeBitmap(Layout::Palette8), FIF_PNG, picturePath("pdf8.png")));
    ASSERT_TRUE(save(makeBitmap(Layout::Rgb565), FIF_BMP, picturePath("pdf565.bmp")));
    ASSERT_TRUE(save(makeBitmap(Layout::Palette1), FIF_BMP, picturePath("pdf1.bmp")));
    FIBITMAP *alpha = makeBitmap(Layout::Bgra32);
    setCellAlpha(alpha, cellAlpha);
    ASSERT_TRUE(save(alpha, FIF_PNG, picturePath("pdfalpha.png")));

    const QString pdfPath = picturePath("pictures.pdf");
    {
        QPdfWriter writer(pdfPath);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(400, 100), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        DeviceContext dc(painter);
        int left = 0;
        for (const char *name :
            {"pdf24.bmp", "pdf8.png", "pdf565.bmp", "pdf1.bmp", "pdfalpha.png"}) {
            FacePicturePtr picture = load(picturePath(name));
            ASSERT_TRUE(picture) << name;
            DrawPictureStretched(dc, QRect(left, 0, 80, 40), *picture, kBackgroundRef);
            left += 80;
        }
    }
    QProcess rasterise;
    rasterise.start(pdftoppm,
        {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
            QStringLiteral("-singlefile"), pdfPath, picturePath("pictures")});
    ASSERT_TRUE(rasterise.waitForFinished(60000));
    ASSERT_EQ(rasterise.exitCode(), 0);
    const QImage page(picturePath("pictures.png"));
    ASSERT_EQ(page.size(), QSize(400, 100));

    const QRgb background = colorFromRef(kBackgroundRef).rgb();
    expectCells(page, QRect(0, 0, 80, 40), cellColor, 8, 4);
    expectCells(page, QRect(80, 0, 80, 40), cellColor, 8, 4);
    expectCells(page, QRect(160, 0, 80, 40), cellColor, 8, 4);
    expectCells(page, QRect(240, 0, 80, 40), monoColor, 8, 4);
    expectCells(
        page, QRect(320, 0, 80, 40),
        [&](int c, int r) { return blendOver(cellColor(c, r), cellAlpha(c, r), background); }, 8,
        4);
}

TEST(PictureLibrary, NestsAndLoadsWithOrWithoutAnInstance)
{
    ASSERT_TRUE(save(makeBitmap(Layout::Bgr24), FIF_PNG, picturePath("library.png")));
    {
        const PictureLibrary outer;
        {
            const PictureLibrary inner;
            EXPECT_TRUE(load(picturePath("library.png")));
        }
        EXPECT_TRUE(load(picturePath("library.png")));
    }
    EXPECT_TRUE(load(picturePath("library.png")));
}

} // namespace
