#include "PictureDecoding.h"

#include "PictureChecks.h"
#include "PictureFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstring>

namespace {

// FreeImage's own memory streams copy item by item, and its JPEG reader asks
// for 4096 items of one byte at a time: reading the file's bytes through them
// costs a tenth of the decode. This stream reads like fread.
struct MemoryStream {
    const unsigned char *data;
    std::size_t size;
    std::size_t position = 0;
};

unsigned DLL_CALLCONV readMemory(void *buffer, unsigned size, unsigned count, fi_handle handle)
{
    auto *stream = static_cast<MemoryStream *>(handle);
    if (size == 0 || stream->position >= stream->size)
        return 0;
    const std::size_t wanted = std::size_t(size) * count;
    const std::size_t bytes = std::min(wanted, stream->size - stream->position);
    std::memcpy(buffer, stream->data + stream->position, bytes);
    stream->position += bytes;
    return unsigned(bytes / size);
}

unsigned DLL_CALLCONV writeNothing(void *, unsigned, unsigned, fi_handle)
{
    return 0;
}

int DLL_CALLCONV seekMemory(fi_handle handle, long offset, int origin)
{
    auto *stream = static_cast<MemoryStream *>(handle);
    long long base = 0;
    if (origin == SEEK_CUR)
        base = static_cast<long long>(stream->position);
    else if (origin == SEEK_END)
        base = static_cast<long long>(stream->size);
    else if (origin != SEEK_SET)
        return -1;
    const long long target = base + offset;
    if (target < 0)
        return -1;
    stream->position = static_cast<std::size_t>(target);
    return 0;
}

long DLL_CALLCONV tellMemory(fi_handle handle)
{
    return static_cast<long>(static_cast<MemoryStream *>(handle)->position);
}

FIBITMAP *loadFromMemory(FREE_IMAGE_FORMAT format, const PictureFile &file, int flags)
{
    FreeImageIO io{readMemory, writeNothing, seekMemory, tellMemory};
    MemoryStream stream{file.data(), file.size()};
    return FreeImage_LoadFromHandle(format, &io, static_cast<fi_handle>(&stream), flags);
}

} // namespace

std::optional<PictureHeader> readPictureHeader(FREE_IMAGE_FORMAT format, const PictureFile &file)
{
    if (format == FIF_GIF)
        return readGifHeader(file);
    if (format == FIF_BMP)
        return readBitmapHeader(file);
    if (!FreeImage_FIFSupportsNoPixels(format))
        return std::nullopt;
    FIBITMAP *header = loadFromMemory(format, file, FIF_LOAD_NOPIXELS);
    if (!header)
        return std::nullopt;
    PictureHeader result{
        FreeImage_GetWidth(header), FreeImage_GetHeight(header), FreeImage_GetBPP(header)};
    FreeImage_Unload(header);
    if (format == FIF_TIFF) {
        // Counted at the file's own depth, which FreeImage's bitmap may not
        // show; and a directory libtiff reads otherwise than the checks did
        // is not decoded.
        const std::optional<PictureHeader> own = readTiffHeader(file);
        if (!own || own->width != result.width || own->height != result.height)
            return std::nullopt;
        result.bitsPerPixel = std::max(result.bitsPerPixel, own->bitsPerPixel);
    }
    return result;
}

int jpegReductionFlags(const PictureHeader &header, QSize targetPixels)
{
    if (targetPixels.width() <= 0 || targetPixels.height() <= 0)
        return 0;
    const auto target = [](unsigned length, unsigned denominator) {
        return (length + denominator - 1) / denominator; // the codec rounds up
    };
    for (const unsigned denominator : {8u, 4u, 2u}) {
        if (target(header.width, denominator) >= unsigned(targetPixels.width())
            && target(header.height, denominator) >= unsigned(targetPixels.height())) {
            // FreeImage picks the largest reduction whose factor does not
            // exceed longest side / requested size; asking for exactly
            // longest side / denominator selects `denominator`.
            const unsigned requested = std::max(header.width, header.height) / denominator;
            return requested > 0 && requested < 0x8000 ? int(requested << 16) : 0;
        }
    }
    return 0;
}

FIBITMAP *decodePicture(FREE_IMAGE_FORMAT format, const PictureFile &file, int flags)
{
    FIBITMAP *bitmap = loadFromMemory(format, file, flags);
    if (!bitmap)
        return nullptr;
    if (!FreeImage_HasPixels(bitmap) || !FreeImage_GetBits(bitmap)
        || !fitsPictureLimits(
            FreeImage_GetWidth(bitmap), FreeImage_GetHeight(bitmap), FreeImage_GetBPP(bitmap))) {
        FreeImage_Unload(bitmap);
        return nullptr;
    }
    return bitmap;
}

FIBITMAP *decodeBitmapWithQt(const PictureFile &file, const PictureHeader &header)
{
    QByteArray bytes = QByteArray::fromRawData(
        reinterpret_cast<const char *>(file.data()), qsizetype(file.size()));
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return nullptr;
    QImageReader reader(&buffer, "bmp");
    // The header the checks judged is the one Qt reads.
    const QSize claimed = reader.size();
    if (claimed != QSize(int(header.width), int(header.height)))
        return nullptr;
    QImage image;
    if (!reader.read(&image) || image.isNull() || image.size() != claimed)
        return nullptr;
    if (image.hasAlphaChannel()) {
        image.convertTo(QImage::Format_ARGB32); // FreeImage's BGRA byte order
        if (image.isNull())
            return nullptr;
        return FreeImage_ConvertFromRawBits(image.bits(), image.width(), image.height(),
            int(image.bytesPerLine()), 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK,
            TRUE);
    }
    image.convertTo(QImage::Format_BGR888);
    if (image.isNull())
        return nullptr;
    return FreeImage_ConvertFromRawBits(image.bits(), image.width(), image.height(),
        int(image.bytesPerLine()), 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK,
        TRUE);
}
