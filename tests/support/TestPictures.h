#pragma once

#include "document/Colors.h"

// Reference pictures of the picture-loading tests, made with FreeImage at
// test time: a grid of 4 × 2 cells of known colours in every pixel layout a
// supported file format can carry.

#include <FreeImage.h>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstring>

namespace testpictures {

enum class Layout {
    Palette1,
    Palette4,
    Palette8,
    Rgb555,
    Rgb565,
    Bgr24,
    Bgra32,
    Rgb48,
    Rgba64,
    Grey16
};

constexpr int columns = 4;
constexpr int rows = 2;

// Top row first; every channel is 0 or 255, so each layout holds them exactly.
inline QRgb cellColor(int column, int row)
{
    static const QRgb colours[rows][columns] = {
        {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)},
        {qRgb(0, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255)},
    };
    return colours[row][column];
}

// Two-colour pictures alternate these; neither is black or white, so a
// palette that is not honoured shows.
inline QRgb monoColor(int column, int row)
{
    return ((column + row) & 1) ? qRgb(0x20, 0xC0, 0xF0) : qRgb(0x80, 0x10, 0x00);
}

inline int greyLevel(int column, int row)
{
    static const int levels[rows][columns] = {{0, 40, 80, 120}, {160, 200, 240, 255}};
    return levels[row][column];
}

inline QRgb expectedColor(Layout layout, int column, int row)
{
    if (layout == Layout::Palette1)
        return monoColor(column, row);
    if (layout == Layout::Grey16) {
        const int g = greyLevel(column, row);
        return qRgb(g, g, g);
    }
    return cellColor(column, row);
}

// `cellWidth` × `cellHeight` pixels per cell (square when no height is
// given). FreeImage's scan line 0 is the bottom row.
inline FIBITMAP *makeBitmap(Layout layout, int cellWidth = 1, int cellHeight = 0)
{
    if (cellHeight <= 0)
        cellHeight = cellWidth;
    const int width = columns * cellWidth;
    const int height = rows * cellHeight;
    FIBITMAP *dib = nullptr;
    switch (layout) {
    case Layout::Palette1: dib = FreeImage_Allocate(width, height, 1); break;
    case Layout::Palette4: dib = FreeImage_Allocate(width, height, 4); break;
    case Layout::Palette8: dib = FreeImage_Allocate(width, height, 8); break;
    case Layout::Rgb555:
        dib = FreeImage_Allocate(
            width, height, 16, FI16_555_RED_MASK, FI16_555_GREEN_MASK, FI16_555_BLUE_MASK);
        break;
    case Layout::Rgb565:
        dib = FreeImage_Allocate(
            width, height, 16, FI16_565_RED_MASK, FI16_565_GREEN_MASK, FI16_565_BLUE_MASK);
        break;
    case Layout::Bgr24: dib = FreeImage_Allocate(width, height, 24); break;
    case Layout::Bgra32: dib = FreeImage_Allocate(width, height, 32); break;
    case Layout::Rgb48: dib = FreeImage_AllocateT(FIT_RGB16, width, height); break;
    case Layout::Rgba64: dib = FreeImage_AllocateT(FIT_RGBA16, width, height); break;
    case Layout::Grey16: dib = FreeImage_AllocateT(FIT_UINT16, width, height); break;
    }
    if (!dib)
        return nullptr;
    if (RGBQUAD *palette = FreeImage_GetPalette(dib)) {
        const unsigned count = FreeImage_GetColorsUsed(dib);
        for (unsigned i = 0; i < count; ++i) {
            QRgb c = layout == Layout::Palette1 ? monoColor(int(i), 0)
                                                : (i < 8 ? cellColor(int(i % 4), int(i / 4)) : 0);
            palette[i].rgbRed = BYTE(qRed(c));
            palette[i].rgbGreen = BYTE(qGreen(c));
            palette[i].rgbBlue = BYTE(qBlue(c));
            palette[i].rgbReserved = 0;
        }
    }
    for (int y = 0; y < height; ++y) {
        BYTE *line = FreeImage_GetScanLine(dib, height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const int column = x / cellWidth;
            const int row = y / cellHeight;
            const QRgb c = cellColor(column, row);
            switch (layout) {
            case Layout::Palette1:
                if ((column + row) & 1)
                    line[x >> 3] |= BYTE(0x80 >> (x & 7));
                else
                    line[x >> 3] &= BYTE(~(0x80 >> (x & 7)));
                break;
            case Layout::Palette4: {
                const BYTE index = BYTE(row * 4 + column);
                line[x >> 1] = (x & 1) ? BYTE((line[x >> 1] & 0xF0) | index)
                                       : BYTE((line[x >> 1] & 0x0F) | (index << 4));
                break;
            }
            case Layout::Palette8: line[x] = BYTE(row * 4 + column); break;
            case Layout::Rgb555: {
                const WORD v
                    = WORD(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
                std::memcpy(line + 2 * x, &v, 2);
                break;
            }
            case Layout::Rgb565: {
                const WORD v
                    = WORD(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3));
                std::memcpy(line + 2 * x, &v, 2);
                break;
            }
            case Layout::Bgr24:
            case Layout::Bgra32: {
                const int step = layout == Layout::Bgr24 ? 3 : 4;
                BYTE *p = line + step * x;
                p[FI_RGBA_RED] = BYTE(qRed(c));
                p[FI_RGBA_GREEN] = BYTE(qGreen(c));
                p[FI_RGBA_BLUE] = BYTE(qBlue(c));
                if (step == 4)
                    p[FI_RGBA_ALPHA] = 0xFF;
                break;
            }
            case Layout::Rgb48: {
                auto *p = reinterpret_cast<FIRGB16 *>(line) + x;
                p->red = WORD(qRed(c) * 257);
                p->green = WORD(qGreen(c) * 257);
                p->blue = WORD(qBlue(c) * 257);
                break;
            }
            case Layout::Rgba64: {
                auto *p = reinterpret_cast<FIRGBA16 *>(line) + x;
                p->red = WORD(qRed(c) * 257);
                p->green = WORD(qGreen(c) * 257);
                p->blue = WORD(qBlue(c) * 257);
                p->alpha = 0xFFFF;
                break;
            }
            case Layout::Grey16:
                reinterpret_cast<WORD *>(line)[x] = WORD(greyLevel(column, row) * 257);
                break;
            }
        }
    }
    return dib;
}

// Sets every pixel's alpha of a 32-bit or RGBA16 bitmap to `alphaOf(column,
// row)` (0..255) of its cell.
template <typename AlphaOf> void setCellAlpha(FIBITMAP *dib, AlphaOf alphaOf)
{
    const int width = int(FreeImage_GetWidth(dib));
    const int height = int(FreeImage_GetHeight(dib));
    const int cellWidth = width / columns;
    const int cellHeight = height / rows;
    const bool wide = FreeImage_GetImageType(dib) == FIT_RGBA16;
    for (int y = 0; y < height; ++y) {
        BYTE *line = FreeImage_GetScanLine(dib, height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const int a = alphaOf(x / cellWidth, y / cellHeight);
            if (wide)
                reinterpret_cast<FIRGBA16 *>(line)[x].alpha = WORD(a * 257);
            else
                line[4 * x + FI_RGBA_ALPHA] = BYTE(a);
        }
    }
}

inline QRgb blendOver(QRgb colour, int alpha, QRgb background)
{
    const auto mix = [alpha](int c, int b) { return (c * alpha + b * (255 - alpha) + 127) / 255; };
    return qRgb(mix(qRed(colour), qRed(background)), mix(qGreen(colour), qGreen(background)),
        mix(qBlue(colour), qBlue(background)));
}

inline bool save(FIBITMAP *dib, FREE_IMAGE_FORMAT format, const QString &path, int flags = 0)
{
    const bool saved
        = dib && FreeImage_Save(format, dib, QFile::encodeName(path).constData(), flags);
    if (dib)
        FreeImage_Unload(dib);
    return saved;
}

// A BMP with a version 5 header (as ImageMagick and GIMP write them) of the
// 4 × 2 cells: 24-bit BI_RGB, or 32-bit BI_BITFIELDS with an alpha mask and
// `alphaOf` per cell.
template <typename AlphaOf> QByteArray bmpVersion5(int bitsPerPixel, AlphaOf alphaOf)
{
    const int rowBytes = (columns * bitsPerPixel / 8 + 3) / 4 * 4;
    const int pixelOffset = 14 + 124;
    QByteArray b(pixelOffset + rowBytes * rows, '\0');
    const auto put = [&b](int at, unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, unsigned(b.size()), 4);
    put(10, pixelOffset, 4);
    put(14, 124, 4);
    put(18, columns, 4);
    put(22, rows, 4);
    put(26, 1, 2);
    put(28, unsigned(bitsPerPixel), 2);
    put(30, bitsPerPixel == 32 ? 3 : 0, 4); // BI_BITFIELDS or BI_RGB
    put(34, unsigned(rowBytes * rows), 4);
    if (bitsPerPixel == 32) {
        put(54, 0x00FF0000, 4);
        put(58, 0x0000FF00, 4);
        put(62, 0x000000FF, 4);
        put(66, 0xFF000000, 4);
    }
    put(70, 0x73524742, 4); // 'sRGB'
    put(122, 4, 4); // LCS_GM_IMAGES
    for (int row = 0; row < rows; ++row) {
        const int at = pixelOffset + (rows - 1 - row) * rowBytes;
        for (int column = 0; column < columns; ++column) {
            const QRgb c = cellColor(column, row);
            const int p = at + column * bitsPerPixel / 8;
            b[p] = char(qBlue(c));
            b[p + 1] = char(qGreen(c));
            b[p + 2] = char(qRed(c));
            if (bitsPerPixel == 32)
                b[p + 3] = char(alphaOf(column, row));
        }
    }
    return b;
}

using ::colorFromRef;

} // namespace testpictures
