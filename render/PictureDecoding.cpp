#include "PictureDecoding.h"

#include "JpegMarkers.h"
#include "PictureChecks.h"
#include "PictureFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// FreeImage's own memory streams copy item by item, and its JPEG reader asks
// for 4096 items of one byte at a time: reading the file's bytes through them
// costs a tenth of the decode. This stream reads like fread, with `changes`
// applied to the bytes it gives (concealedMetadata).
struct MemoryStream {
    const unsigned char *data;
    std::size_t size;
    std::size_t position = 0;
    std::vector<ByteChange> changes;
};

unsigned DLL_CALLCONV readMemory(void *buffer, unsigned size, unsigned count, fi_handle handle)
{
    auto *stream = static_cast<MemoryStream *>(handle);
    if (size == 0 || stream->position >= stream->size)
        return 0;
    const std::size_t wanted = std::size_t(size) * count;
    const std::size_t bytes = std::min(wanted, stream->size - stream->position);
    std::memcpy(buffer, stream->data + stream->position, bytes);
    for (const ByteChange &change : stream->changes) {
        if (change.at >= stream->position && change.at - stream->position < bytes)
            static_cast<unsigned char *>(buffer)[change.at - stream->position] = change.value;
    }
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
    // Thumbnails are never drawn, texts never shown: FreeImage is kept from
    // decoding them.
    MemoryStream stream{file.data(), file.size(), 0, concealedMetadata(format, file)};
    return FreeImage_LoadFromHandle(format, &io, static_cast<fi_handle>(&stream), flags);
}

} // namespace

std::optional<PictureHeader> readPictureHeader(FREE_IMAGE_FORMAT format, const PictureFile &file)
{
    std::optional<PictureHeader> own;
    switch (format) {
    case FIF_GIF: return readGifHeader(file);
    case FIF_BMP: return readBitmapHeader(file);
    case FIF_JPEG: return readJpegHeader(file);
    case FIF_PNG: own = readPngHeader(file); break;
    case FIF_ICO: own = readIconHeader(file); break;
    case FIF_TIFF: own = readTiffHeader(file); break;
    default: return std::nullopt;
    }
    // FreeImage's header read of these may still allocate in proportion to
    // what the header claims (libpng's rows, libtiff's strip tables): a
    // claim beyond the limits is refused before it sees the file.
    if (!own || !fitsFileSize(*own, file.size()))
        return own;
    FIBITMAP *header = loadFromMemory(format, file, FIF_LOAD_NOPIXELS);
    if (!header)
        return std::nullopt;
    PictureHeader result{
        FreeImage_GetWidth(header), FreeImage_GetHeight(header), FreeImage_GetBPP(header)};
    FreeImage_Unload(header);
    // A header FreeImage reads otherwise than the checks did is not decoded;
    // the depth is counted at the file's own when FreeImage's bitmap does not
    // show it (a TIFF's).
    if (own->width != result.width || own->height != result.height)
        return std::nullopt;
    result.bitsPerPixel = std::max(result.bitsPerPixel, own->bitsPerPixel);
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
