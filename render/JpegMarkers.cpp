#include "JpegMarkers.h"

#include "PictureFile.h"

#include <cstdint>
#include <cstring>

namespace {

using std::uint64_t;

unsigned bigEndian16(const unsigned char *p)
{
    return (unsigned(p[0]) << 8) | unsigned(p[1]);
}

bool inside(uint64_t offset, uint64_t length, uint64_t size)
{
    return offset <= size && length <= size - offset;
}

// SOF0 to SOF15; C4, C8 and CC in that range are DHT, JPG and DAC.
bool isFrameMarker(unsigned code)
{
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Markers the codec reads without a length.
bool isStandalone(unsigned code)
{
    return code == 0x01 || (code >= 0xD0 && code <= 0xD7); // TEM, RST0 to RST7
}

// Tables the codec parses: their content must fill their length, so a length
// too short for the length field itself stops the codec.
bool isTable(unsigned code)
{
    return code == 0xC4 || code == 0xCC || code == 0xDB || code == 0xDD; // DHT DAC DQT DRI
}

// Segments the codec skips or saves by their length: DNL, APP0 to APP15 and
// COM; a length below two is taken as no data after it.
bool isSkipped(unsigned code)
{
    return code == 0xDC || (code >= 0xE0 && code <= 0xEF) || code == 0xFE;
}

// The code of the next marker from `pos`, as the codec's marker reader finds
// it: anything up to an 0xFF is skipped, then every fill byte; an 0xFF
// followed by 0 is data. Nothing at the end of the file.
std::optional<unsigned> nextMarker(const unsigned char *d, uint64_t n, uint64_t &pos)
{
    for (;;) {
        while (pos < n && d[pos] != 0xFF)
            ++pos;
        while (pos < n && d[pos] == 0xFF)
            ++pos;
        if (pos >= n)
            return std::nullopt;
        const unsigned code = d[pos++];
        if (code != 0)
            return code;
    }
}

std::optional<JpegFrame> frameAt(const unsigned char *d, uint64_t n, uint64_t pos, unsigned code)
{
    if (!inside(pos, 8, n))
        return std::nullopt;
    const unsigned length = bigEndian16(d + pos);
    JpegFrame frame;
    frame.marker = code;
    frame.precision = d[pos + 2];
    frame.height = bigEndian16(d + pos + 3);
    frame.width = bigEndian16(d + pos + 5);
    frame.components = d[pos + 7];
    // Three bytes a component, as the codec insists.
    if (length != 8 + 3 * frame.components || !inside(pos, length, n))
        return std::nullopt;
    return frame;
}

} // namespace

std::optional<JpegFrame> readJpegFrame(const PictureFile &file)
{
    const unsigned char *d = file.data();
    const uint64_t n = file.size();
    if (n < 2 || d[0] != 0xFF || d[1] != 0xD8)
        return std::nullopt;
    uint64_t pos = 2;
    for (;;) {
        const std::optional<unsigned> code = nextMarker(d, n, pos);
        if (!code)
            return std::nullopt;
        if (isFrameMarker(*code))
            return frameAt(d, n, pos, *code);
        if (isStandalone(*code))
            continue;
        // A scan, the end of the picture or a second start of picture before
        // any frame, or a marker the codec does not know: it stops there.
        if (!isTable(*code) && !isSkipped(*code))
            return std::nullopt;
        if (!inside(pos, 2, n))
            return std::nullopt;
        const unsigned length = bigEndian16(d + pos);
        if (length < 2) {
            if (isTable(*code))
                return std::nullopt;
            pos += 2;
            continue;
        }
        if (!inside(pos, length, n))
            return std::nullopt;
        pos += length;
    }
}

std::optional<PictureHeader> readJpegHeader(const PictureFile &file)
{
    const std::optional<JpegFrame> frame = readJpegFrame(file);
    if (!frame)
        return std::nullopt;
    switch (frame->marker) {
    case 0xC0: // baseline
    case 0xC1: // extended sequential
    case 0xC2: // progressive
    case 0xC9: // extended sequential, arithmetic
    case 0xCA: // progressive, arithmetic
        break;
    default: return std::nullopt; // lossless and hierarchical processes
    }
    if (frame->precision != 8 || frame->width == 0 || frame->height == 0)
        return std::nullopt;
    // One byte a component; CMYK and YCCK are decoded to RGB.
    switch (frame->components) {
    case 1: return PictureHeader{frame->width, frame->height, 8};
    case 2: return PictureHeader{frame->width, frame->height, 16};
    case 3:
    case 4: return PictureHeader{frame->width, frame->height, 24};
    default: return std::nullopt;
    }
}

std::vector<std::size_t> jpegThumbnailSignatures(const PictureFile &file)
{
    static constexpr char jfxx[] = "JFXX"; // with its terminating zero
    static constexpr char exif[] = "Exif\0"; // and one more zero
    std::vector<std::size_t> found;
    const unsigned char *d = file.data();
    const std::size_t n = file.size();
    const unsigned char *end = d + n;
    for (const unsigned char *p = d; p < end;) {
        p = static_cast<const unsigned char *>(std::memchr(p, 0xFF, std::size_t(end - p)));
        if (!p)
            break;
        const std::size_t at = std::size_t(p - d);
        ++p;
        if (at + 4 >= n)
            break;
        const std::size_t signature = at + 4; // after the marker and its length
        if (d[at + 1] == 0xE0 && inside(signature, sizeof jfxx, n)
            && std::memcmp(d + signature, jfxx, sizeof jfxx) == 0)
            found.push_back(signature);
        else if (d[at + 1] == 0xE1 && inside(signature, sizeof exif, n)
            && std::memcmp(d + signature, exif, sizeof exif) == 0)
            found.push_back(signature);
    }
    return found;
}

namespace {

// The orientation entry (tag 274, a SHORT) of the first directory of the
// TIFF structure at `tiff`, `n` bytes long.
int tiffOrientation(const unsigned char *tiff, uint64_t n)
{
    if (n < 8)
        return 1;
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M'))
        return 1;
    const auto u16 = [&](uint64_t at) {
        return little ? unsigned(tiff[at]) | (unsigned(tiff[at + 1]) << 8) : bigEndian16(tiff + at);
    };
    const auto u32 = [&](uint64_t at) {
        return little ? uint64_t(u16(at)) | (uint64_t(u16(at + 2)) << 16)
                      : (uint64_t(u16(at)) << 16) | uint64_t(u16(at + 2));
    };
    if (u16(2) != 42)
        return 1;
    const uint64_t directory = u32(4);
    if (!inside(directory, 2, n))
        return 1;
    const unsigned entries = u16(directory);
    for (unsigned i = 0; i < entries; ++i) {
        const uint64_t entry = directory + 2 + uint64_t(i) * 12;
        if (!inside(entry, 12, n))
            return 1;
        if (u16(entry) == 274 && u16(entry + 2) == 3 && u32(entry + 4) == 1) {
            const unsigned value = u16(entry + 8);
            return value >= 1 && value <= 8 ? int(value) : 1;
        }
    }
    return 1;
}

} // namespace

int jpegExifOrientation(const PictureFile &file)
{
    const unsigned char *d = file.data();
    const uint64_t n = file.size();
    if (n < 2 || d[0] != 0xFF || d[1] != 0xD8)
        return 1;
    static constexpr char exif[] = "Exif\0"; // and one more zero
    uint64_t pos = 2;
    for (;;) {
        const std::optional<unsigned> code = nextMarker(d, n, pos);
        if (!code || isFrameMarker(*code) || *code == 0xDA || *code == 0xD9 || *code == 0xD8)
            return 1;
        if (isStandalone(*code))
            continue;
        if (!inside(pos, 2, n))
            return 1;
        const unsigned length = bigEndian16(d + pos);
        if (length < 2 || !inside(pos, length, n))
            return 1;
        if (*code == 0xE1 && length >= 2 + sizeof exif
            && std::memcmp(d + pos + 2, exif, sizeof exif) == 0)
            return tiffOrientation(d + pos + 2 + sizeof exif, length - 2 - sizeof exif);
        pos += length;
    }
}
