// Writes the picture fuzzer's seeds (tests/data/picture-corpus), which the
// hostile-picture tests read too: "valid-" files of every format and depth,
// small, and "damaged-" files claiming absurd sizes or cut short. Files of
// crashes found by fuzzing ("crash-") are kept beside them by hand. Run by
// hand, the results are committed. Usage: make_picture_corpus DIR
#include "tests/support/HostilePictures.h"
#include "tests/support/TestPictures.h"

#include <FreeImage.h>
#include <QDir>
#include <QFile>
#include <cstdio>

using namespace testpictures;

namespace {

QString folder;

bool write(const QString &name, const QByteArray &bytes)
{
    QFile file(folder + QLatin1Char('/') + name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray saved(FIBITMAP *dib, FREE_IMAGE_FORMAT format, int flags = 0)
{
    QByteArray bytes;
    if (!dib)
        return bytes;
    FIMEMORY *memory = FreeImage_OpenMemory();
    if (FreeImage_SaveToMemory(format, dib, memory, flags)) {
        BYTE *data = nullptr;
        DWORD size = 0;
        FreeImage_AcquireMemory(memory, &data, &size);
        bytes = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
    }
    FreeImage_CloseMemory(memory);
    FreeImage_Unload(dib);
    return bytes;
}

int cellAlpha(int column, int row)
{
    static const int alphas[rows][columns] = {{255, 0, 128, 64}, {200, 255, 0, 32}};
    return alphas[row][column];
}

FIBITMAP *withAlpha(FIBITMAP *dib)
{
    if (dib)
        setCellAlpha(dib, cellAlpha);
    return dib;
}

FIBITMAP *withTransparentIndex(FIBITMAP *dib)
{
    if (dib)
        FreeImage_SetTransparentIndex(dib, 1);
    return dib;
}

FIBITMAP *cmyk()
{
    FIBITMAP *dib = FreeImage_Allocate(4, 2, 32);
    for (int y = 0; y < 2; ++y) {
        BYTE *line = FreeImage_GetScanLine(dib, 1 - y);
        for (int x = 0; x < 4; ++x) {
            const QRgb c = cellColor(x, y);
            line[4 * x] = BYTE(255 - qRed(c));
            line[4 * x + 1] = BYTE(255 - qGreen(c));
            line[4 * x + 2] = BYTE(255 - qBlue(c));
            line[4 * x + 3] = 0;
        }
    }
    return dib;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_picture_corpus DIR\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    FreeImage_Initialise(FALSE);

    // Icons come in square sizes only: 4 × 8 pixels a cell.
    const struct {
        const char *name;
        Layout layout;
        FREE_IMAGE_FORMAT format;
        int flags;
        int cell;
    } pictures[] = {
        {"bmp1.bmp", Layout::Palette1, FIF_BMP, 0, 1},
        {"bmp4.bmp", Layout::Palette4, FIF_BMP, 0, 1},
        {"bmp8.bmp", Layout::Palette8, FIF_BMP, 0, 1},
        {"bmp8rle.bmp", Layout::Palette8, FIF_BMP, BMP_SAVE_RLE, 3},
        {"bmp555.bmp", Layout::Rgb555, FIF_BMP, 0, 1},
        {"bmp565.bmp", Layout::Rgb565, FIF_BMP, 0, 1},
        {"bmp24.bmp", Layout::Bgr24, FIF_BMP, 0, 1},
        {"bmp32.bmp", Layout::Bgra32, FIF_BMP, 0, 1},
        {"png1.png", Layout::Palette1, FIF_PNG, 0, 1},
        {"png4.png", Layout::Palette4, FIF_PNG, 0, 1},
        {"png8.png", Layout::Palette8, FIF_PNG, 0, 1},
        {"png24.png", Layout::Bgr24, FIF_PNG, 0, 1},
        {"png32.png", Layout::Bgra32, FIF_PNG, 0, 1},
        {"png48.png", Layout::Rgb48, FIF_PNG, 0, 1},
        {"png64.png", Layout::Rgba64, FIF_PNG, 0, 1},
        {"pnggrey16.png", Layout::Grey16, FIF_PNG, 0, 1},
        {"tif1.tif", Layout::Palette1, FIF_TIFF, 0, 1},
        {"tif4.tif", Layout::Palette4, FIF_TIFF, 0, 1},
        {"tif8.tif", Layout::Palette8, FIF_TIFF, 0, 1},
        {"tif24lzw.tif", Layout::Bgr24, FIF_TIFF, TIFF_LZW, 1},
        {"tif24deflate.tif", Layout::Bgr24, FIF_TIFF, TIFF_DEFLATE, 1},
        {"tif24packbits.tif", Layout::Bgr24, FIF_TIFF, TIFF_PACKBITS, 1},
        {"tif24jpeg.tif", Layout::Bgr24, FIF_TIFF, TIFF_JPEG, 8},
        {"tif32.tif", Layout::Bgra32, FIF_TIFF, 0, 1},
        {"tif48.tif", Layout::Rgb48, FIF_TIFF, 0, 1},
        {"tif64.tif", Layout::Rgba64, FIF_TIFF, 0, 1},
        {"tifgrey16.tif", Layout::Grey16, FIF_TIFF, 0, 1},
        {"gif8.gif", Layout::Palette8, FIF_GIF, 0, 1},
        {"gif8cells.gif", Layout::Palette8, FIF_GIF, 0, 5},
        {"gif1.gif", Layout::Palette1, FIF_GIF, 0, 1},
        {"gif4.gif", Layout::Palette4, FIF_GIF, 0, 1},
        {"ico1.ico", Layout::Palette1, FIF_ICO, 0, 4},
        {"ico4.ico", Layout::Palette4, FIF_ICO, 0, 4},
        {"ico8.ico", Layout::Palette8, FIF_ICO, 0, 4},
        {"ico24.ico", Layout::Bgr24, FIF_ICO, 0, 4},
        {"ico32.ico", Layout::Bgra32, FIF_ICO, 0, 4},
        {"jpg24.jpg", Layout::Bgr24, FIF_JPEG, JPEG_QUALITYGOOD, 8},
        {"jpg24progressive.jpg", Layout::Bgr24, FIF_JPEG, JPEG_PROGRESSIVE, 8},
    };
    bool ok = true;
    for (const auto &p : pictures) {
        const int cellHeight = p.format == FIF_ICO ? 2 * p.cell : p.cell;
        ok &= write(QLatin1String("valid-") + QLatin1String(p.name),
            saved(makeBitmap(p.layout, p.cell, cellHeight), p.format, p.flags));
    }
    ok &= write(QStringLiteral("valid-jpggrey.jpg"),
        saved(FreeImage_ConvertToGreyscale(makeBitmap(Layout::Bgr24, 8)), FIF_JPEG));
    ok &= write(QStringLiteral("valid-tifcmyk.tif"), saved(cmyk(), FIF_TIFF, TIFF_CMYK));
    ok &= write(QStringLiteral("valid-tifalpha32.tif"),
        saved(withAlpha(makeBitmap(Layout::Bgra32)), FIF_TIFF));
    ok &= write(QStringLiteral("valid-pngalpha32.png"),
        saved(withAlpha(makeBitmap(Layout::Bgra32)), FIF_PNG));
    ok &= write(QStringLiteral("valid-icoalpha32.ico"),
        saved(withAlpha(makeBitmap(Layout::Bgra32, 4, 8)), FIF_ICO));
    ok &= write(QStringLiteral("valid-giftransparent.gif"),
        saved(withTransparentIndex(makeBitmap(Layout::Palette8)), FIF_GIF));
    ok &= write(QStringLiteral("valid-icomasked.ico"),
        saved(withTransparentIndex(makeBitmap(Layout::Palette8, 4, 8)), FIF_ICO));
    ok &= write(QStringLiteral("valid-icopng.ico"), [] {
        // A PNG inside an icon, as newer icons carry their large sizes.
        const QByteArray png = saved(makeBitmap(Layout::Bgra32, 4, 8), FIF_PNG);
        QByteArray b(6 + 16, '\0');
        hostilepictures::put16(b, 2, 1);
        hostilepictures::put16(b, 4, 1);
        b[6] = 16;
        b[7] = 16;
        hostilepictures::put16(b, 10, 1);
        hostilepictures::put16(b, 12, 32);
        hostilepictures::put32(b, 14, unsigned(png.size()));
        hostilepictures::put32(b, 18, 22);
        return b + png;
    }());
    ok &= write(
        QStringLiteral("valid-bmpv5-24.bmp"), bmpVersion5(24, [](int, int) { return 255; }));
    ok &= write(QStringLiteral("valid-bmpv5-32.bmp"), bmpVersion5(32, cellAlpha));

    using namespace hostilepictures;
    const struct {
        const char *name;
        QByteArray bytes;
    } damaged[] = {
        {"tall.ico", icoClaiming(32, 300'000'000)},
        {"wide.ico", icoClaiming(40'000, 32)},
        {"wide.bmp", bmpClaiming(30'001, 1)},
        {"topdown.bmp", bmpClaiming(100, -30'001)},
        {"huge.bmp", bmpClaiming(20'000, 20'000)},
        {"huge32.bmp", bmpClaiming(16'000, 16'000, 32)},
        {"huge.png", pngClaiming(30'000, 30'000)},
        {"tall.png", pngClaiming(1, 30'001)},
        {"huge.gif", gifClaiming(65'535, 65'535)},
        {"wide.tif", tiffClaiming(40'000, 10)},
        {"huge.tif", tiffClaiming(20'000, 20'000)},
        {"bomb.tif", tiffClaiming(10'000, 10'000)}, // within the limits, not within the file
        {"huge.jpg", jpegClaiming(60'000, 60'000)},
        // The codec allocates coefficients for the whole claimed picture as
        // it starts: progressive frames, and a first scan without every
        // component.
        {"progressive.jpg", jpegClaiming(60'000, 60'000, 0xC2)},
        {"progressivegrey.jpg", jpegClaiming(60'000, 60'000, 0xC2, 1)},
        {"arithmetic.jpg", jpegClaiming(60'000, 60'000, 0xCA)},
        {"noninterleaved.jpg", jpegClaiming(30'000, 30'000, 0xC0, 3, 1)},
        {"bomb.jpg", jpegClaiming(20'000, 10'000, 0xC2, 1)}, // within the limits, not the file
        {"lossless.jpg", jpegClaiming(16, 16, 0xC3)},
        {"wide.png", pngClaiming(1'000'000, 1)},
        {"huge-png.ico", icoWithPngClaiming(30'000, 30'000)},
    };
    for (const auto &d : damaged)
        ok &= write(QLatin1String("damaged-") + QLatin1String(d.name), d.bytes);

    // Sound pictures carrying thumbnails that claim half a gigabyte or more,
    // which FreeImage would decode in full: they load, without the cost.
    const QByteArray jpeg = saved(makeBitmap(Layout::Bgr24, 4), FIF_JPEG);
    const QByteArray bomb = jpegClaiming(16'000, 16'000, 0xC2, 1);
    const struct {
        const char *name;
        QByteArray bytes;
    } thumbnails[] = {
        {"jpgexifthumbnail.jpg", withExifThumbnail(jpeg, bomb)},
        {"jpgjfxxthumbnail.jpg", withJfxxThumbnail(jpeg, bomb)},
        {"tifexifthumbnail.tif", tiffWithThumbnail(20'000, false)},
        {"tifsubifdthumbnail.tif", tiffWithThumbnail(20'000, true)},
    };
    for (const auto &t : thumbnails)
        ok &= write(QLatin1String("valid-") + QLatin1String(t.name), t.bytes);

    // Compressed texts that libpng would inflate on every load.
    const QByteArray zeros = qCompress(QByteArray(1'000'000, '\0'), 9).mid(4); // zlib stream
    ok &= write(QStringLiteral("valid-pngcompressedtexts.png"),
        withPngChunk(withPngChunk(saved(makeBitmap(Layout::Bgr24), FIF_PNG),
                         pngChunk("zTXt", QByteArray("Comment\0\0", 9) + zeros)),
            pngChunk("iTXt", QByteArray("Comment\0\1\0\0\0", 12) + zeros)));
    FreeImage_DeInitialise();
    return ok ? 0 : 1;
}
