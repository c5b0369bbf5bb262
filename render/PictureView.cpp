#include "PictureView.h"

#include <QList>
#include <algorithm>
#include <cstring>

namespace {

static_assert(FREEIMAGE_COLORORDER == FREEIMAGE_COLORORDER_BGR,
    "the zero-copy views assume FreeImage's little-endian BGR(A) byte order");

// 256 entries whatever the palette's size, so that a damaged file's pixel
// indices beyond its palette still land inside the table Qt reads. Entries
// the file marks (partly) transparent are blended with the background here,
// which keeps palette pictures opaque and their rows shared.
QList<QRgb> colorTable(FIBITMAP *bitmap, QRgb background)
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    const RGBQUAD *palette = FreeImage_GetPalette(bitmap);
    const unsigned used = palette ? std::min(FreeImage_GetColorsUsed(bitmap), 256u) : 0u;
    const BYTE *alphas = nullptr;
    unsigned alphaCount = 0;
    if (FreeImage_IsTransparent(bitmap)) {
        alphas = FreeImage_GetTransparencyTable(bitmap);
        alphaCount = alphas ? std::min(FreeImage_GetTransparencyCount(bitmap), 256u) : 0u;
    }
    const auto blend = [](int colour, int under, int alpha) {
        return (colour * alpha + under * (255 - alpha) + 127) / 255;
    };
    for (unsigned i = 0; i < used; ++i) {
        const RGBQUAD &c = palette[i];
        const int alpha = i < alphaCount ? alphas[i] : 255;
        table[int(i)] = qRgb(blend(c.rgbRed, qRed(background), alpha),
            blend(c.rgbGreen, qGreen(background), alpha),
            blend(c.rgbBlue, qBlue(background), alpha));
    }
    return table;
}

// Qt has no 4-bit format, and its 1-bit formats mean a stencil to some
// paint engines (PDF draws a black-and-white one in the pen colour): both are
// widened to one byte per pixel.
QImage widenedIndices(FIBITMAP *bitmap, unsigned bitsPerPixel)
{
    const int width = int(FreeImage_GetWidth(bitmap));
    const int height = int(FreeImage_GetHeight(bitmap));
    QImage image(width, height, QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    for (int y = 0; y < height; ++y) {
        const BYTE *source = FreeImage_GetScanLine(bitmap, y);
        uchar *target = image.scanLine(y);
        if (bitsPerPixel == 4) {
            for (int x = 0; x < width; ++x)
                target[x] = (x & 1) ? (source[x >> 1] & 0x0F) : (source[x >> 1] >> 4);
        } else {
            for (int x = 0; x < width; ++x)
                target[x] = (source[x >> 3] >> (7 - (x & 7))) & 1;
        }
    }
    return image;
}

struct MaskChannel {
    unsigned mask = 0;
    int shift = 0;
    unsigned maximum = 0;

    explicit MaskChannel(unsigned m)
        : mask(m)
    {
        if (!mask)
            return;
        while (!((mask >> shift) & 1))
            ++shift;
        maximum = mask >> shift;
    }
    int value(unsigned pixel) const
    {
        return maximum ? int(((pixel & mask) >> shift) * 255 / maximum) : 0;
    }
};

// 16-bit pixels with bit fields other than 5-5-5 and 5-6-5.
QImage sixteenBitsByMasks(FIBITMAP *bitmap)
{
    const int width = int(FreeImage_GetWidth(bitmap));
    const int height = int(FreeImage_GetHeight(bitmap));
    const MaskChannel red(FreeImage_GetRedMask(bitmap));
    const MaskChannel green(FreeImage_GetGreenMask(bitmap));
    const MaskChannel blue(FreeImage_GetBlueMask(bitmap));
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < height; ++y) {
        const BYTE *source = FreeImage_GetScanLine(bitmap, y);
        auto *target = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const unsigned pixel = unsigned(source[2 * x]) | (unsigned(source[2 * x + 1]) << 8);
            target[x] = qRgb(red.value(pixel), green.value(pixel), blue.value(pixel));
        }
    }
    return image;
}

enum class AlphaUse { Opaque, Unused, Blended };

// A 32-bit BMP often leaves its fourth byte zero: an alpha channel that is
// all zero carries no transparency (the old drawing code ignored that byte),
// one that is all maximum none either.
template <typename Channel>
AlphaUse alphaUse(FIBITMAP *bitmap, int channelsPerPixel, int alphaIndex, Channel maximum)
{
    const unsigned width = FreeImage_GetWidth(bitmap);
    const unsigned height = FreeImage_GetHeight(bitmap);
    bool sawOpaque = false;
    bool sawClear = false;
    for (unsigned y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const Channel *>(FreeImage_GetScanLine(bitmap, int(y)));
        for (unsigned x = 0; x < width; ++x) {
            const Channel alpha = line[x * channelsPerPixel + alphaIndex];
            if (alpha == maximum)
                sawOpaque = true;
            else if (alpha == 0)
                sawClear = true;
            else
                return AlphaUse::Blended;
            if (sawOpaque && sawClear)
                return AlphaUse::Blended;
        }
    }
    return sawClear ? AlphaUse::Unused : AlphaUse::Opaque;
}

int toByte(float value)
{
    return int(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

// Floating-point TIFF pictures, taken as 0..1 per channel.
QImage floatPicture(FIBITMAP *bitmap, bool withAlpha)
{
    const int width = int(FreeImage_GetWidth(bitmap));
    const int height = int(FreeImage_GetHeight(bitmap));
    QImage image(width, height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int channels = withAlpha ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        const auto *source = reinterpret_cast<const float *>(FreeImage_GetScanLine(bitmap, y));
        auto *target = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float *p = source + x * channels;
            target[x]
                = qRgba(toByte(p[0]), toByte(p[1]), toByte(p[2]), withAlpha ? toByte(p[3]) : 255);
        }
    }
    return image;
}

// FIT_RGB16 has no Qt counterpart; eight bits per channel are all a face
// shows.
QImage rgb16Picture(FIBITMAP *bitmap)
{
    const int width = int(FreeImage_GetWidth(bitmap));
    const int height = int(FreeImage_GetHeight(bitmap));
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < height; ++y) {
        const auto *source = reinterpret_cast<const FIRGB16 *>(FreeImage_GetScanLine(bitmap, y));
        auto *target = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            target[x] = qRgb(source[x].red >> 8, source[x].green >> 8, source[x].blue >> 8);
    }
    return image;
}

// Separated CMYK, as FreeImage keeps it when asked to load CMYK as is.
QImage cmykPicture(FIBITMAP *bitmap)
{
    const int width = int(FreeImage_GetWidth(bitmap));
    const int height = int(FreeImage_GetHeight(bitmap));
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < height; ++y) {
        const BYTE *source = FreeImage_GetScanLine(bitmap, y);
        auto *target = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const BYTE *p = source + 4 * x;
            const int k = 255 - p[3];
            target[x]
                = qRgb((255 - p[0]) * k / 255, (255 - p[1]) * k / 255, (255 - p[2]) * k / 255);
        }
    }
    return image;
}

// Any other sample type (16/32-bit integers, float or double grey, complex):
// scaled to 8-bit grey by FreeImage.
QImage standardTypePicture(FIBITMAP *bitmap)
{
    FIBITMAP *grey = FreeImage_ConvertToStandardType(bitmap, TRUE);
    if (!grey)
        return {};
    QImage image;
    if (FreeImage_GetBPP(grey) == 8) {
        const int width = int(FreeImage_GetWidth(grey));
        const int height = int(FreeImage_GetHeight(grey));
        image = QImage(width, height, QImage::Format_Indexed8);
        if (!image.isNull()) {
            for (int y = 0; y < height; ++y)
                std::memcpy(image.scanLine(y), FreeImage_GetScanLine(grey, y), size_t(width));
            image.setColorTable(colorTable(grey, qRgb(255, 255, 255)));
        }
    }
    FreeImage_Unload(grey);
    return image;
}

bool isCmyk(FIBITMAP *bitmap)
{
    const FIICCPROFILE *profile = FreeImage_GetICCProfile(bitmap);
    return profile && (profile->flags & FIICC_COLOR_IS_CMYK);
}

} // namespace

PictureView::PictureView(FIBITMAP *bitmap, QRgb background)
{
    if (!bitmap || !FreeImage_HasPixels(bitmap) || FreeImage_GetWidth(bitmap) == 0
        || FreeImage_GetHeight(bitmap) == 0)
        return;
    switch (FreeImage_GetImageType(bitmap)) {
    case FIT_BITMAP: viewStandardBitmap(bitmap, background); break;
    case FIT_RGBA16: viewRgba16(bitmap); break;
    case FIT_RGB16: m_image = rgb16Picture(bitmap); break;
    case FIT_UINT16: setView(bitmap, QImage::Format_Grayscale16); break;
    case FIT_RGBF: m_image = floatPicture(bitmap, false); break;
    case FIT_RGBAF:
        m_image = floatPicture(bitmap, true);
        m_translucent = !m_image.isNull();
        break;
    default: m_image = standardTypePicture(bitmap); break;
    }
}

void PictureView::setView(FIBITMAP *bitmap, QImage::Format format)
{
    // The writable-data constructor: a read-only QImage would copy itself the
    // moment a colour table is set.
    m_image = QImage(FreeImage_GetBits(bitmap), int(FreeImage_GetWidth(bitmap)),
        int(FreeImage_GetHeight(bitmap)), qsizetype(FreeImage_GetPitch(bitmap)), format);
    m_shared = !m_image.isNull();
}

void PictureView::viewStandardBitmap(FIBITMAP *bitmap, QRgb background)
{
    const unsigned bitsPerPixel = FreeImage_GetBPP(bitmap);
    switch (bitsPerPixel) {
    case 1:
    case 4:
        m_image = widenedIndices(bitmap, bitsPerPixel);
        if (!m_image.isNull())
            m_image.setColorTable(colorTable(bitmap, background));
        return;
    case 8:
        setView(bitmap, QImage::Format_Indexed8);
        if (!m_image.isNull())
            m_image.setColorTable(colorTable(bitmap, background));
        return;
    case 16: {
        const unsigned red = FreeImage_GetRedMask(bitmap);
        const unsigned green = FreeImage_GetGreenMask(bitmap);
        const unsigned blue = FreeImage_GetBlueMask(bitmap);
        if (red == FI16_565_RED_MASK && green == FI16_565_GREEN_MASK && blue == FI16_565_BLUE_MASK)
            setView(bitmap, QImage::Format_RGB16);
        else if (red == FI16_555_RED_MASK && green == FI16_555_GREEN_MASK
            && blue == FI16_555_BLUE_MASK)
            setView(bitmap, QImage::Format_RGB555);
        else
            m_image = sixteenBitsByMasks(bitmap);
        return;
    }
    case 24: setView(bitmap, QImage::Format_BGR888); return;
    case 32: viewThirtyTwoBits(bitmap); return;
    default:
        if (FIBITMAP *converted = FreeImage_ConvertTo32Bits(bitmap)) {
            viewThirtyTwoBits(converted);
            m_image = m_image.copy();
            m_shared = false;
            FreeImage_Unload(converted);
        }
        return;
    }
}

void PictureView::viewThirtyTwoBits(FIBITMAP *bitmap)
{
    if (isCmyk(bitmap)) {
        m_image = cmykPicture(bitmap);
        return;
    }
    switch (alphaUse<BYTE>(bitmap, 4, FI_RGBA_ALPHA, 0xFF)) {
    case AlphaUse::Opaque: setView(bitmap, QImage::Format_RGB32); return;
    case AlphaUse::Blended:
        setView(bitmap, QImage::Format_ARGB32);
        m_translucent = !m_image.isNull();
        return;
    case AlphaUse::Unused:
        // Qt expects 0xFF in the fourth byte of RGB32 (raster blending copies
        // it): a copy with that byte set.
        setView(bitmap, QImage::Format_RGB32);
        m_image = m_image.copy();
        m_shared = false;
        for (int y = 0; y < m_image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            for (int x = 0; x < m_image.width(); ++x)
                line[x] |= 0xFF000000u;
        }
        return;
    }
}

void PictureView::viewRgba16(FIBITMAP *bitmap)
{
    switch (alphaUse<WORD>(bitmap, 4, 3, 0xFFFF)) {
    case AlphaUse::Opaque: setView(bitmap, QImage::Format_RGBX64); return;
    case AlphaUse::Blended:
        setView(bitmap, QImage::Format_RGBA64);
        m_translucent = !m_image.isNull();
        return;
    case AlphaUse::Unused: {
        const int width = int(FreeImage_GetWidth(bitmap));
        const int height = int(FreeImage_GetHeight(bitmap));
        m_image = QImage(width, height, QImage::Format_RGB32);
        if (m_image.isNull())
            return;
        for (int y = 0; y < height; ++y) {
            const auto *source
                = reinterpret_cast<const FIRGBA16 *>(FreeImage_GetScanLine(bitmap, y));
            auto *target = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            for (int x = 0; x < width; ++x)
                target[x] = qRgb(source[x].red >> 8, source[x].green >> 8, source[x].blue >> 8);
        }
        return;
    }
    }
}
