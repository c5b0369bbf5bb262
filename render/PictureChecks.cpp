#include "PictureChecks.h"

#include "PictureFile.h"

#include <algorithm>
#include <cstring>

namespace {

bool startsWith(const PictureFile &file, const char *prefix, std::size_t length)
{
    return file.size() >= length && std::memcmp(file.data(), prefix, length) == 0;
}

unsigned littleEndian16(const unsigned char *p)
{
    return unsigned(p[0]) | (unsigned(p[1]) << 8);
}

unsigned littleEndian32(const unsigned char *p)
{
    return littleEndian16(p) | (littleEndian16(p + 2) << 16);
}

// FreeImage's GIF loader cannot read a header alone: walk the blocks up to the
// first image descriptor. The loader may allocate the logical screen as well
// as the frame, so the larger of the two is what is judged.
std::optional<PictureHeader> gifHeaderOf(const PictureFile &file)
{
    const unsigned char *d = file.data();
    const std::size_t n = file.size();
    if (n < 13)
        return std::nullopt;
    const unsigned screenWidth = littleEndian16(d + 6);
    const unsigned screenHeight = littleEndian16(d + 8);
    std::size_t pos = 13;
    if (d[10] & 0x80)
        pos += std::size_t(3) << ((d[10] & 7) + 1);
    while (pos < n) {
        const unsigned char block = d[pos++];
        if (block == 0x21) {
            ++pos; // extension label
            for (;;) {
                if (pos >= n)
                    return std::nullopt;
                const unsigned length = d[pos++];
                if (length == 0)
                    break;
                pos += length;
            }
        } else if (block == 0x2C) {
            if (pos + 9 > n)
                return std::nullopt;
            const unsigned width = littleEndian16(d + pos + 4);
            const unsigned height = littleEndian16(d + pos + 6);
            if (width == 0 || height == 0)
                return std::nullopt;
            return PictureHeader{std::max(width, screenWidth), std::max(height, screenHeight), 8};
        } else {
            return std::nullopt; // trailer before any image, or garbage
        }
    }
    return std::nullopt;
}

std::uint64_t rowBytes(std::uint64_t width, unsigned bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

bool completeIcon(const PictureFile &file)
{
    const unsigned char *d = file.data();
    const std::uint64_t size = file.size();
    const std::uint64_t directoryEnd = 6 + 16 * std::uint64_t(littleEndian16(d + 4));
    if (directoryEnd > size)
        return false;
    // FreeImage decodes the first entry.
    const std::uint64_t bytes = littleEndian32(d + 6 + 8);
    const std::uint64_t offset = littleEndian32(d + 6 + 12);
    if (offset < directoryEnd || offset > size || bytes > size - offset)
        return false;
    if (bytes >= 8 && std::memcmp(d + offset, "\x89PNG\r\n\x1A\n", 8) == 0)
        return true; // PNG inside: the PNG decoder checks its own data
    if (bytes < 40 || littleEndian32(d + offset) < 40)
        return false;
    const std::uint64_t width = littleEndian32(d + offset + 4);
    const std::uint64_t height = littleEndian32(d + offset + 8) / 2; // with the AND mask
    const unsigned bitsPerPixel = littleEndian16(d + offset + 14);
    if (width > picturelimits::maxSide || height > picturelimits::maxSide || bitsPerPixel > 32)
        return false;
    std::uint64_t colours = littleEndian32(d + offset + 32);
    if (bitsPerPixel <= 8 && colours == 0)
        colours = std::uint64_t(1) << bitsPerPixel;
    if (bitsPerPixel > 8)
        colours = 0;
    return 40 + colours * 4 + rowBytes(width, bitsPerPixel) * height <= bytes;
}

bool completeBitmap(const PictureFile &file)
{
    const unsigned char *d = file.data();
    const std::uint64_t size = file.size();
    if (d[1] == 'A')
        return size >= 14 + 26; // OS/2 bitmap array: left to the decoder
    if (size < 18)
        return false;
    const std::uint64_t headerSize = littleEndian32(d + 14);
    if (headerSize < 12 || 14 + headerSize > size)
        return false;
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned bitsPerPixel = 0;
    unsigned compression = 0;
    if (headerSize == 12) { // OS/2 core header
        width = littleEndian16(d + 18);
        height = littleEndian16(d + 20);
        bitsPerPixel = littleEndian16(d + 24);
    } else {
        if (headerSize < 40)
            return false;
        width = std::int32_t(littleEndian32(d + 18));
        height = std::int32_t(littleEndian32(d + 22));
        bitsPerPixel = littleEndian16(d + 28);
        compression = littleEndian32(d + 30);
    }
    if (height < 0)
        height = -height; // top-down rows
    if (width <= 0 || height == 0 || width > picturelimits::maxSide
        || height > picturelimits::maxSide || bitsPerPixel == 0 || bitsPerPixel > 32)
        return false;
    // Uncompressed rows (BI_RGB, BI_BITFIELDS, BI_ALPHABITFIELDS) must be
    // there; a missing padding of the last row is forgiven.
    if (compression == 0 || compression == 3 || compression == 6) {
        const std::uint64_t offset = littleEndian32(d + 10);
        const std::uint64_t row = rowBytes(std::uint64_t(width), bitsPerPixel);
        if (offset > size || row * std::uint64_t(height) > size - offset + row)
            return false;
    }
    return true;
}

} // namespace

bool fitsPictureLimits(std::uint64_t width, std::uint64_t height, unsigned bitsPerPixel)
{
    using namespace picturelimits;
    if (width == 0 || height == 0 || width > maxSide || height > maxSide)
        return false;
    if (width * height > maxPixels)
        return false;
    // Whatever the file's depth, drawing may need a 32-bit copy of it.
    const std::uint64_t bits = std::max(bitsPerPixel, 32u);
    return width * height * bits / 8 <= maxDecodedBytes;
}

bool hasPictureSignature(FREE_IMAGE_FORMAT format, const PictureFile &file)
{
    switch (format) {
    case FIF_JPEG: return startsWith(file, "\xFF\xD8\xFF", 3);
    case FIF_PNG: return startsWith(file, "\x89PNG\r\n\x1A\n", 8);
    case FIF_BMP:
        // "BA" is an OS/2 bitmap array, which FreeImage's BMP loader reads too.
        return startsWith(file, "BM", 2) || startsWith(file, "BA", 2);
    case FIF_TIFF:
        return startsWith(file, "II*\0", 4) || startsWith(file, "MM\0*", 4)
            || startsWith(file, "II+\0", 4) || startsWith(file, "MM\0+", 4);
    case FIF_GIF: return startsWith(file, "GIF87a", 6) || startsWith(file, "GIF89a", 6);
    case FIF_ICO:
        return file.size() >= 6 && startsWith(file, "\0\0\1\0", 4)
            && littleEndian16(file.data() + 4) > 0;
    default: return false;
    }
}

bool hasCompleteStructure(FREE_IMAGE_FORMAT format, const PictureFile &file)
{
    switch (format) {
    case FIF_ICO: return completeIcon(file);
    case FIF_BMP: return completeBitmap(file);
    default: return true;
    }
}

bool isPlausiblePictureSize(const PictureHeader &header)
{
    return fitsPictureLimits(header.width, header.height, header.bitsPerPixel);
}

std::optional<PictureHeader> readGifHeader(const PictureFile &file)
{
    return gifHeaderOf(file);
}
