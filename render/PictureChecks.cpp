#include "PictureChecks.h"

#include "JpegMarkers.h"
#include "PictureFile.h"

#include <algorithm>
#include <cstring>

namespace {

using std::uint64_t;

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

uint64_t bigEndian32(const unsigned char *p)
{
    return (uint64_t(p[0]) << 24) | (uint64_t(p[1]) << 16) | (uint64_t(p[2]) << 8) | p[3];
}

// Whether `length` bytes from `offset` lie inside `size` bytes, without
// overflowing.
bool inside(uint64_t offset, uint64_t length, uint64_t size)
{
    return offset <= size && length <= size - offset;
}

bool isBitmapBitCount(unsigned bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Rows of bitmaps and icons are padded to four bytes.
uint64_t rowBytes(uint64_t width, unsigned bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// ---------------------------------------------------------------------------
// Icons. FreeImage decodes the first image: it reads a 40-byte header, then
// 2^bits palette entries (whatever the colour count says), then rows of the
// size its bit count gives into a bitmap allocated for one of the depths it
// knows (any other becomes 8 bits: the overflow), then the AND mask.

bool completeIcon(const PictureFile &file)
{
    const unsigned char *d = file.data();
    const uint64_t size = file.size();
    const uint64_t directoryEnd = 6 + 16 * uint64_t(littleEndian16(d + 4));
    if (directoryEnd > size)
        return false;
    const uint64_t bytes = littleEndian32(d + 6 + 8);
    const uint64_t offset = littleEndian32(d + 6 + 12);
    if (offset < directoryEnd || !inside(offset, bytes, size))
        return false;
    const unsigned char *image = d + offset;
    if (bytes >= 8 && std::memcmp(image, "\x89PNG\r\n\x1A\n", 8) == 0)
        return true; // PNG inside: the PNG decoder checks its own data
    if (bytes < 40 || littleEndian32(image) != 40)
        return false;
    const std::int32_t width = std::int32_t(littleEndian32(image + 4));
    const std::int32_t doubledHeight = std::int32_t(littleEndian32(image + 8));
    const unsigned planes = littleEndian16(image + 12);
    const unsigned bits = littleEndian16(image + 14);
    const uint64_t colours = littleEndian32(image + 32);
    // The header's height counts the AND mask too.
    if (width <= 0 || doubledHeight < 2 || planes != 1 || !isBitmapBitCount(bits))
        return false;
    const uint64_t height = uint64_t(doubledHeight) / 2;
    if (uint64_t(width) > picturelimits::maxSide || height > picturelimits::maxSide)
        return false;
    const uint64_t palette = bits <= 8 ? uint64_t(1) << bits : 0;
    if (colours > palette)
        return false;
    const uint64_t needed = 40 + palette * 4 + rowBytes(uint64_t(width), bits) * height
        + rowBytes(uint64_t(width), 1) * height;
    return needed <= bytes;
}

// ---------------------------------------------------------------------------
// PNG: the header chunk comes first, 13 bytes long.

std::optional<PictureHeader> pngHeaderAt(const unsigned char *d, uint64_t n, uint64_t offset)
{
    if (!inside(offset, 8 + 8 + 13, n) || std::memcmp(d + offset, "\x89PNG\r\n\x1A\n", 8) != 0)
        return std::nullopt;
    const unsigned char *chunk = d + offset + 8;
    if (bigEndian32(chunk) != 13 || std::memcmp(chunk + 4, "IHDR", 4) != 0)
        return std::nullopt;
    const uint64_t width = bigEndian32(chunk + 8);
    const uint64_t height = bigEndian32(chunk + 12);
    const unsigned depth = chunk[16];
    unsigned channels = 0;
    switch (chunk[17]) {
    case 0: channels = 1; break; // grey
    case 2: channels = 3; break; // RGB
    case 3: channels = 1; break; // palette
    case 4: channels = 2; break; // grey and alpha
    case 6: channels = 4; break; // RGBA
    default: return std::nullopt;
    }
    if (depth == 0 || depth > 16)
        return std::nullopt;
    return PictureHeader{unsigned(width), unsigned(height), depth * channels};
}

// Chunks are walked by their lengths as libpng reads them; the renamed chunk
// fails its checksum too, which libpng forgives an ancillary chunk it skips.
std::vector<ByteChange> compressedTextRenames(const PictureFile &file, uint64_t offset)
{
    std::vector<ByteChange> changes;
    const unsigned char *d = file.data();
    const uint64_t n = file.size();
    uint64_t pos = offset + 8;
    while (inside(pos, 12, n)) {
        const uint64_t length = bigEndian32(d + pos);
        const unsigned char *type = d + pos + 4;
        if (std::memcmp(type, "zTXt", 4) == 0 || std::memcmp(type, "iTXt", 4) == 0)
            changes.push_back({std::size_t(pos + 4), 'q'});
        if (std::memcmp(type, "IEND", 4) == 0 || !inside(pos + 12, length, n))
            break;
        pos += 12 + length;
    }
    return changes;
}

// ---------------------------------------------------------------------------
// Bitmaps. FreeImage reads the OS/2 1.x, OS/2 2.x and 40-byte Windows
// headers; a file with a longer Windows header goes to Qt's reader, under the
// same checks.

struct BitmapInfo {
    uint64_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: top-down rows
    unsigned planes = 0;
    unsigned bits = 0;
    unsigned compression = 0;
    uint64_t colours = 0;
};

std::optional<BitmapInfo> bitmapInfo(const PictureFile &file)
{
    const unsigned char *d = file.data();
    const uint64_t size = file.size();
    if (!startsWith(file, "BM", 2) || size < 18)
        return std::nullopt;
    BitmapInfo info;
    info.headerSize = littleEndian32(d + 14);
    if (!inside(14, info.headerSize, size))
        return std::nullopt;
    if (info.headerSize == 12) {
        info.width = littleEndian16(d + 18);
        info.height = littleEndian16(d + 20);
        info.planes = littleEndian16(d + 22);
        info.bits = littleEndian16(d + 24);
        return info;
    }
    if (info.headerSize != 40 && info.headerSize != 52 && info.headerSize != 56
        && info.headerSize != 64 && info.headerSize != 108 && info.headerSize != 124)
        return std::nullopt;
    info.width = std::int32_t(littleEndian32(d + 18));
    info.height = std::int32_t(littleEndian32(d + 22));
    info.planes = littleEndian16(d + 26);
    info.bits = littleEndian16(d + 28);
    info.compression = littleEndian32(d + 30);
    info.colours = littleEndian32(d + 46);
    return info;
}

bool completeBitmap(const PictureFile &file)
{
    const std::optional<BitmapInfo> info = bitmapInfo(file);
    if (!info)
        return false; // an OS/2 bitmap array ("BA") too: no decoder here reads one
    const uint64_t size = file.size();
    const unsigned bits = info->bits;
    const uint64_t width = uint64_t(std::max<std::int64_t>(info->width, 0));
    const uint64_t height = uint64_t(info->height < 0 ? -info->height : info->height);
    if (width == 0 || height == 0 || width > picturelimits::maxSide
        || height > picturelimits::maxSide || info->planes != 1 || !isBitmapBitCount(bits))
        return false;
    if (info->headerSize == 12 && bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return false;

    const unsigned compression = info->compression;
    const bool rle = compression == 1 || compression == 2;
    if (rle) {
        // Run-length rows: 8 bits for RLE8, 4 for RLE4, bottom-up only.
        if (bits != (compression == 1 ? 8u : 4u) || info->height < 0)
            return false;
    } else if (compression == 3 || compression == 6) {
        if (bits != 16 && bits != 32)
            return false;
    } else if (compression != 0) {
        return false; // embedded JPEG or PNG, or unknown
    }

    const uint64_t palette = bits <= 8 ? uint64_t(1) << bits : 0;
    if (bits <= 8 && info->colours > palette)
        return false;
    // The colour table (or for more than 8 bits the optional one) follows the
    // header and, in a 40-byte header, the bit masks.
    uint64_t tableStart = 14 + info->headerSize;
    if (info->headerSize == 40 && (compression == 3 || compression == 6))
        tableStart += compression == 3 ? 12 : 16;
    const uint64_t entry = info->headerSize == 12 ? 3 : 4;
    const uint64_t entries = bits <= 8 && info->colours == 0 ? palette : info->colours;
    if (!inside(tableStart, entries * entry, size))
        return false;

    const uint64_t pixels = littleEndian32(file.data() + 10);
    if (pixels < 14 + info->headerSize || pixels >= size)
        return false;
    if (rle)
        return true; // the run-length decoders stop at the end of the file
    // Uncompressed rows must be there; the padding of the last row is
    // forgiven, some writers leave it out.
    const uint64_t row = rowBytes(width, bits);
    return inside(pixels, row * (height - 1) + (width * bits + 7) / 8, size);
}

// ---------------------------------------------------------------------------
// GIF. FreeImage walks every block up to the trailer before it decodes, and
// its LZW decoder shifts by the minimum code size unchecked.

struct GifWalk {
    bool sound = false;
    std::optional<PictureHeader> first;
};

// Sub-blocks from `pos` up to their terminator; false when they run past the
// end.
bool skipSubBlocks(const unsigned char *d, uint64_t n, uint64_t &pos)
{
    for (;;) {
        if (pos >= n)
            return false;
        const unsigned length = d[pos++];
        if (length == 0)
            return true;
        pos += length;
    }
}

unsigned colourTableBits(unsigned entries)
{
    return entries <= 2 ? 1 : entries <= 16 ? 4 : 8;
}

GifWalk walkGif(const PictureFile &file)
{
    GifWalk walk;
    const unsigned char *d = file.data();
    const uint64_t n = file.size();
    if (n < 13 || !(startsWith(file, "GIF87a", 6) || startsWith(file, "GIF89a", 6)))
        return walk;
    const unsigned screenWidth = littleEndian16(d + 6);
    const unsigned screenHeight = littleEndian16(d + 8);
    uint64_t pos = 13;
    unsigned globalEntries = 0;
    if (d[10] & 0x80) {
        globalEntries = 2u << (d[10] & 7);
        pos += 3 * uint64_t(globalEntries);
    }
    while (pos < n) {
        const unsigned char block = d[pos++];
        if (block == 0x3B) {
            walk.sound = walk.first.has_value();
            return walk;
        }
        if (block == 0x21) {
            ++pos; // extension label
            if (!skipSubBlocks(d, n, pos))
                return walk;
        } else if (block == 0x2C) {
            if (!inside(pos, 10, n))
                return walk;
            const unsigned width = littleEndian16(d + pos + 4);
            const unsigned height = littleEndian16(d + pos + 6);
            const unsigned packed = d[pos + 8];
            pos += 9;
            unsigned entries = globalEntries;
            if (packed & 0x80) {
                entries = 2u << (packed & 7);
                pos += 3 * uint64_t(entries);
            }
            if (pos >= n)
                return walk;
            const unsigned codeSize = d[pos++];
            if (width == 0 || height == 0 || codeSize < 2 || codeSize > 8)
                return walk;
            if (!skipSubBlocks(d, n, pos))
                return walk;
            // The loader may allocate the logical screen as well as the
            // frame: the larger of the two is what is judged.
            if (!walk.first)
                walk.first = PictureHeader{std::max(width, screenWidth),
                    std::max(height, screenHeight), colourTableBits(entries)};
        } else {
            return walk; // garbage between blocks
        }
    }
    return walk; // no trailer
}

// ---------------------------------------------------------------------------
// TIFF: the first directory, read the way libtiff reads it (the first of two
// entries with one tag counts).

struct TiffLayout {
    uint64_t width = 0;
    uint64_t height = 0;
    unsigned bitsPerSample = 1;
    bool bitsDiffer = false;
    unsigned samples = 1;
    bool samplesGiven = false; // a SamplesPerPixel tag, not the default
    unsigned photometric = 0xFFFF;
    unsigned compression = 1;
    unsigned planar = 1;
    unsigned sampleFormat = 1;
    bool tiled = false;
    uint64_t tileWidth = 0;
    uint64_t tileLength = 0;
};

class TiffReader {
public:
    explicit TiffReader(const PictureFile &file)
        : m_d(file.data())
        , m_n(file.size())
    {
    }

    std::optional<TiffLayout> layout();

    // The tags of the first directory that make FreeImage decode another
    // directory or an embedded JPEG in full as a thumbnail (Exif IFD, with
    // any directory after the first; sub-IFDs; Photoshop's resources),
    // renamed to the unknown tag one below, which keeps the entries sorted.
    std::vector<ByteChange> thumbnailTagRenames();

private:
    struct Directory {
        uint64_t at = 0; // its entry count
        uint64_t entries = 0;
        unsigned countBytes = 2;
        unsigned entryBytes = 12;
    };
    // The first directory, its entries inside the file.
    std::optional<Directory> firstDirectory();

    uint64_t unsignedAt(uint64_t at, unsigned bytes) const
    {
        uint64_t v = 0;
        for (unsigned i = 0; i < bytes; ++i) {
            const unsigned shift = m_bigEndian ? 8 * (bytes - 1 - i) : 8 * i;
            v |= uint64_t(m_d[at + i]) << shift;
        }
        return v;
    }
    // Value `index` of an entry at `entry`: inline when it fits the value
    // field, else at the offset the field holds; nothing outside the file or
    // for a type that is no unsigned integer.
    std::optional<uint64_t> value(uint64_t entry, uint64_t index) const;

    const unsigned char *m_d;
    uint64_t m_n;
    bool m_bigEndian = false;
    bool m_big = false; // BigTIFF: 8-byte offsets and counts
};

std::optional<uint64_t> TiffReader::value(uint64_t entry, uint64_t index) const
{
    const unsigned type = unsigned(unsignedAt(entry + 2, 2));
    const uint64_t count = unsignedAt(entry + 4, m_big ? 8 : 4);
    unsigned bytes = 0;
    switch (type) {
    case 1: bytes = 1; break; // BYTE
    case 3: bytes = 2; break; // SHORT
    case 4: bytes = 4; break; // LONG
    case 16: bytes = 8; break; // LONG8
    default: return std::nullopt;
    }
    if (index >= count)
        return std::nullopt;
    const uint64_t field = entry + (m_big ? 12 : 8);
    const uint64_t fieldBytes = m_big ? 8 : 4;
    uint64_t at = field;
    if (count > fieldBytes / bytes)
        at = unsignedAt(field, unsigned(fieldBytes));
    if (!inside(at, (index + 1) * bytes, m_n) || count > m_n)
        return std::nullopt;
    return unsignedAt(at + index * bytes, bytes);
}

std::optional<TiffReader::Directory> TiffReader::firstDirectory()
{
    if (m_n < 8)
        return std::nullopt;
    m_bigEndian = m_d[0] == 'M';
    const unsigned version = unsigned(unsignedAt(2, 2));
    m_big = version == 43;
    Directory directory;
    if (m_big) {
        if (m_n < 16 || unsignedAt(4, 2) != 8 || unsignedAt(6, 2) != 0)
            return std::nullopt;
        directory.at = unsignedAt(8, 8);
    } else {
        directory.at = unsignedAt(4, 4);
    }
    directory.countBytes = m_big ? 8 : 2;
    directory.entryBytes = m_big ? 20 : 12;
    if (directory.at < 8 || !inside(directory.at, directory.countBytes, m_n))
        return std::nullopt;
    directory.entries = unsignedAt(directory.at, directory.countBytes);
    if (directory.entries == 0
        || directory.entries > (m_n - directory.at - directory.countBytes) / directory.entryBytes)
        return std::nullopt;
    return directory;
}

std::vector<ByteChange> TiffReader::thumbnailTagRenames()
{
    std::vector<ByteChange> changes;
    const std::optional<Directory> directory = firstDirectory();
    if (!directory)
        return changes;
    for (uint64_t i = 0; i < directory->entries; ++i) {
        const uint64_t entry = directory->at + directory->countBytes + i * directory->entryBytes;
        const unsigned tag = unsigned(unsignedAt(entry, 2));
        if (tag != 330 && tag != 34377 && tag != 34665) // SubIFDs, Photoshop, Exif IFD
            continue;
        const unsigned renamed = tag - 1;
        const unsigned char high = static_cast<unsigned char>(renamed >> 8);
        const unsigned char low = static_cast<unsigned char>(renamed & 0xFF);
        changes.push_back({std::size_t(entry), m_bigEndian ? high : low});
        changes.push_back({std::size_t(entry + 1), m_bigEndian ? low : high});
    }
    return changes;
}

std::optional<TiffLayout> TiffReader::layout()
{
    const std::optional<Directory> directory = firstDirectory();
    if (!directory)
        return std::nullopt;
    const uint64_t entries = directory->entries;

    TiffLayout layout;
    bool seen[8] = {};
    const auto take = [&seen](int which) {
        const bool first = !seen[which];
        seen[which] = true;
        return first;
    };
    for (uint64_t i = 0; i < entries; ++i) {
        const uint64_t entry = directory->at + directory->countBytes + i * directory->entryBytes;
        const unsigned tag = unsigned(unsignedAt(entry, 2));
        const auto one = [&]() { return value(entry, 0); };
        std::optional<uint64_t> v;
        switch (tag) {
        case 256: // ImageWidth
            if (take(0) && !(v = one()))
                return std::nullopt;
            if (v)
                layout.width = *v;
            break;
        case 257: // ImageLength
            if (take(1) && !(v = one()))
                return std::nullopt;
            if (v)
                layout.height = *v;
            break;
        case 258: { // BitsPerSample, one value per sample
            if (!take(2))
                break;
            if (!(v = one()))
                return std::nullopt;
            layout.bitsPerSample = unsigned(std::min<uint64_t>(*v, 0xFFFF));
            for (uint64_t s = 1; s < 16; ++s) {
                const std::optional<uint64_t> other = value(entry, s);
                if (!other)
                    break;
                layout.bitsDiffer |= *other != *v;
            }
            break;
        }
        case 259: // Compression
            if (take(3) && !(v = one()))
                return std::nullopt;
            if (v)
                layout.compression = unsigned(*v);
            break;
        case 262: // PhotometricInterpretation
            if (take(4) && !(v = one()))
                return std::nullopt;
            if (v)
                layout.photometric = unsigned(*v);
            break;
        case 277: // SamplesPerPixel
            if (take(5) && !(v = one()))
                return std::nullopt;
            if (v) {
                layout.samples = unsigned(std::min<uint64_t>(*v, 0xFFFF));
                layout.samplesGiven = true;
            }
            break;
        case 284: // PlanarConfiguration
            if (take(6) && !(v = one()))
                return std::nullopt;
            if (v)
                layout.planar = unsigned(*v);
            break;
        case 339: // SampleFormat
            if (take(7) && !(v = one()))
                return std::nullopt;
            if (v)
                layout.sampleFormat = unsigned(*v);
            break;
        case 322: // TileWidth
            layout.tiled = true;
            if ((v = one()))
                layout.tileWidth = *v;
            break;
        case 323: // TileLength
            layout.tiled = true;
            if ((v = one()))
                layout.tileLength = *v;
            break;
        default: break;
        }
    }
    return layout;
}

bool isDecodableCompression(unsigned compression)
{
    switch (compression) {
    case 1: // none
    case 2: // CCITT modified Huffman
    case 3: // CCITT group 3
    case 4: // CCITT group 4
    case 5: // LZW
    case 7: // JPEG
    case 8: // Adobe deflate
    case 32773: // PackBits
    case 32946: // deflate
    case 34925: // LZMA
    case 50000: // Zstandard
        return true;
    default: return false; // old-style JPEG, JBIG, vendor codecs
    }
}

// The sample layouts FreeImage's TIFF plugin decodes. It was written for
// these and trips an assertion (or reads past its buffers) on others, for
// example CMYK of anything but 8 or 16-bit integers.
bool isDecodableLayout(const TiffLayout &t)
{
    const unsigned b = t.bitsPerSample;
    const unsigned s = t.samples;
    const unsigned f = t.sampleFormat;
    if (t.bitsDiffer || (f != 1 && f != 2 && f != 3) || (t.planar != 1 && t.planar != 2)
        || !isDecodableCompression(t.compression))
        return false;
    // Separate planes are copied a whole byte per sample at least.
    if (t.planar == 2 && b % 8 != 0)
        return false;
    // Without the tag, FreeImage's choice of loader sees an undefined sample
    // count and takes 8-bit grey or palette pixels for pixels with alpha: it
    // reads two bytes a pixel from rows of one.
    if (!t.samplesGiven && b == 8 && (t.photometric <= 1 || t.photometric == 3))
        return false;
    switch (t.photometric) {
    case 0: // white is zero
    case 1: // black is zero
        if (s == 1)
            return (f == 1 && (b == 1 || b == 4 || b == 8)) || b == 16 || b == 32
                || (b == 64 && f == 3);
        return s == 2 && b == 8 && f == 1; // grey and alpha
    case 3: // palette
        return f == 1 && ((s == 1 && (b == 1 || b == 4 || b == 8)) || (s == 2 && b == 8));
    case 2: // RGB
        if (s != 3 && s != 4)
            return false;
        return (f == 1 && (b == 8 || b == 16)) || (f == 3 && (b == 32 || (b == 16 && s == 3)));
    case 5: // CMYK
        return s == 4 && f == 1 && (b == 8 || b == 16);
    case 6: // YCbCr
        return s == 3 && b == 8 && f == 1;
    case 8: // CIE L*a*b*
    case 9: // ICC L*a*b*
    case 10: // ITU L*a*b*
        return (s == 1 || s == 3) && b == 8 && f == 1;
    default: return false; // LogLuv, CFA, masks and the like
    }
}

bool completeTiff(const PictureFile &file)
{
    const std::optional<TiffLayout> layout = TiffReader(file).layout();
    if (!layout || layout->width == 0 || layout->height == 0 || !isDecodableLayout(*layout))
        return false;
    if (layout->tiled) {
        // A tile is allocated whole: none much larger than the picture.
        const uint64_t w = layout->tileWidth;
        const uint64_t h = layout->tileLength;
        if (w == 0 || h == 0 || w % 16 || h % 16 || w > 65536 || h > 65536
            || w * h > std::max<uint64_t>(65536, 4 * layout->width * layout->height))
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

bool fitsFileSize(const PictureHeader &header, std::uint64_t fileBytes)
{
    using namespace picturelimits;
    if (!fitsPictureLimits(header.width, header.height, header.bitsPerPixel))
        return false;
    const std::uint64_t bits = std::max(header.bitsPerPixel, 1u);
    const std::uint64_t decoded = (std::uint64_t(header.width) * header.height * bits + 7) / 8;
    return decoded <= maxCompression * fileBytes + decodedAllowance;
}

bool hasPictureSignature(FREE_IMAGE_FORMAT format, const PictureFile &file)
{
    switch (format) {
    case FIF_JPEG: return startsWith(file, "\xFF\xD8\xFF", 3);
    case FIF_PNG: return startsWith(file, "\x89PNG\r\n\x1A\n", 8);
    case FIF_BMP:
        // "BA" is an OS/2 bitmap array, which FreeImage's BMP loader accepts
        // as a signature (and then reads nothing of).
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
    case FIF_GIF: return walkGif(file).sound;
    case FIF_TIFF: return completeTiff(file);
    default: return true;
    }
}

bool isPlausiblePictureSize(const PictureHeader &header)
{
    return fitsPictureLimits(header.width, header.height, header.bitsPerPixel);
}

std::optional<PictureHeader> readGifHeader(const PictureFile &file)
{
    return walkGif(file).first;
}

std::optional<PictureHeader> readPngHeader(const PictureFile &file)
{
    return pngHeaderAt(file.data(), file.size(), 0);
}

std::optional<PictureHeader> readIconHeader(const PictureFile &file)
{
    const unsigned char *d = file.data();
    const uint64_t size = file.size();
    if (size < 6 + 16)
        return std::nullopt;
    const uint64_t offset = littleEndian32(d + 6 + 12);
    if (inside(offset, 8, size) && std::memcmp(d + offset, "\x89PNG\r\n\x1A\n", 8) == 0)
        return pngHeaderAt(d, size, offset);
    if (!inside(offset, 40, size))
        return std::nullopt;
    const std::int32_t width = std::int32_t(littleEndian32(d + offset + 4));
    const std::int32_t doubledHeight = std::int32_t(littleEndian32(d + offset + 8));
    if (width <= 0 || doubledHeight < 2)
        return std::nullopt;
    return PictureHeader{
        unsigned(width), unsigned(doubledHeight / 2), littleEndian16(d + offset + 14)};
}

std::optional<PictureHeader> readBitmapHeader(const PictureFile &file)
{
    const std::optional<BitmapInfo> info = bitmapInfo(file);
    if (!info || info->width <= 0 || info->height == 0 || info->width > 0xFFFFFFFF
        || info->height < -0xFFFFFFFFLL || info->height > 0xFFFFFFFF)
        return std::nullopt;
    return PictureHeader{unsigned(info->width),
        unsigned(info->height < 0 ? -info->height : info->height), info->bits};
}

std::vector<ByteChange> concealedMetadata(FREE_IMAGE_FORMAT format, const PictureFile &file)
{
    std::vector<ByteChange> changes;
    if (format == FIF_JPEG) {
        for (const std::size_t at : jpegThumbnailSignatures(file))
            changes.push_back({at, 0});
    } else if (format == FIF_TIFF) {
        changes = TiffReader(file).thumbnailTagRenames();
    } else if (format == FIF_PNG) {
        changes = compressedTextRenames(file, 0);
    } else if (format == FIF_ICO && file.size() >= 6 + 16) {
        // The PNG an icon carries is read by the same loader.
        const uint64_t offset = littleEndian32(file.data() + 6 + 12);
        if (inside(offset, 8, file.size())
            && std::memcmp(file.data() + offset, "\x89PNG\r\n\x1A\n", 8) == 0)
            changes = compressedTextRenames(file, offset);
    }
    return changes;
}

std::optional<PictureHeader> readTiffHeader(const PictureFile &file)
{
    const std::optional<TiffLayout> layout = TiffReader(file).layout();
    if (!layout || layout->width > 0xFFFFFFFFu || layout->height > 0xFFFFFFFFu)
        return std::nullopt;
    return PictureHeader{unsigned(layout->width), unsigned(layout->height),
        std::min(layout->bitsPerSample * layout->samples, 0xFFFFu)};
}
