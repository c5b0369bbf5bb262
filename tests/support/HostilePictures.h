#pragma once

// Hand-made picture files whose headers claim absurd dimensions, for the
// hostile-picture tests and the fuzzer's seed corpus.

#include <QByteArray>
#include <array>

namespace hostilepictures {

inline void put16(QByteArray &b, int at, unsigned v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

inline void put32(QByteArray &b, int at, unsigned v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

inline void put32be(QByteArray &b, int at, unsigned v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
}

inline void append16(QByteArray &b, unsigned v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

inline void append32(QByteArray &b, unsigned v)
{
    append16(b, v & 0xFFFF);
    append16(b, v >> 16);
}

inline void append16be(QByteArray &b, unsigned v)
{
    b.append(char((v >> 8) & 0xFF));
    b.append(char(v & 0xFF));
}

// One icon whose bitmap header claims `width` × `height` pixels of 32 bits
// (the header's height counts the AND mask too, hence twice).
inline QByteArray icoClaiming(unsigned width, unsigned height)
{
    QByteArray b(6 + 16 + 40 + 64, '\0');
    put16(b, 2, 1); // icon
    put16(b, 4, 1); // one image
    b[6] = 32;
    b[7] = 32;
    put16(b, 10, 1);
    put16(b, 12, 32);
    put32(b, 14, 40 + 64);
    put32(b, 18, 22);
    put32(b, 22, 40);
    put32(b, 26, width);
    put32(b, 30, height * 2);
    put16(b, 34, 1);
    put16(b, 36, 32);
    return b;
}

inline QByteArray bmpClaiming(int width, int height, unsigned bits = 24)
{
    QByteArray b(54 + 64, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, unsigned(b.size()));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, unsigned(width));
    put32(b, 22, unsigned(height));
    put16(b, 26, 1);
    put16(b, 28, bits);
    return b;
}

inline unsigned crc32(const QByteArray &data)
{
    unsigned crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG chunk: length, type, data, checksum.
inline QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray length(4, '\0');
    put32be(length, 0, unsigned(data.size()));
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    put32be(crc, 0, crc32(body));
    return length + body + crc;
}

// `png` with `chunk` after its header chunk.
inline QByteArray withPngChunk(const QByteArray &png, const QByteArray &chunk)
{
    return png.left(8 + 25) + chunk + png.mid(8 + 25);
}

inline QByteArray pngClaiming(unsigned width, unsigned height)
{
    QByteArray b("\x89PNG\r\n\x1A\n", 8);
    QByteArray ihdr("IHDR", 4);
    ihdr.append(13, '\0');
    put32be(ihdr, 4, width);
    put32be(ihdr, 8, height);
    ihdr[12] = 8; // bit depth
    ihdr[13] = 6; // RGBA
    QByteArray length(4, '\0');
    put32be(length, 0, 13);
    QByteArray crc(4, '\0');
    put32be(crc, 0, crc32(ihdr));
    b += length + ihdr + crc;
    // The header-only pass reads up to the first image data chunk.
    QByteArray idat("IDAT\x78\x9C\x03\x00\x00\x00\x00\x01", 12);
    put32be(length, 0, 8);
    put32be(crc, 0, crc32(idat));
    b += length + idat + crc;
    const QByteArray iend("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
    return b + iend;
}

inline QByteArray gifClaiming(unsigned width, unsigned height)
{
    QByteArray b("GIF89a", 6);
    b.append(7, '\0');
    put16(b, 6, 10);
    put16(b, 8, 10);
    QByteArray descriptor(10, '\0');
    descriptor[0] = 0x2C;
    put16(descriptor, 5, width);
    put16(descriptor, 7, height);
    b += descriptor;
    b += QByteArray("\x08\x02\x4C\x01\x00\x3B", 6);
    return b;
}

inline QByteArray tiffClaiming(unsigned width, unsigned height)
{
    // Little-endian TIFF with one IFD of eight entries.
    QByteArray b(8 + 2 + 8 * 12 + 4 + 16, '\0');
    b[0] = 'I';
    b[1] = 'I';
    put16(b, 2, 42);
    put32(b, 4, 8);
    put16(b, 8, 8);
    const unsigned dataAt = 8 + 2 + 8 * 12 + 4;
    const std::array<std::array<unsigned, 4>, 8> entries{{
        {256, 4, 1, width}, // ImageWidth, LONG
        {257, 4, 1, height}, // ImageLength
        {258, 3, 1, 8}, // BitsPerSample
        {259, 3, 1, 1}, // no compression
        {262, 3, 1, 1}, // black is zero
        {273, 4, 1, dataAt}, // StripOffsets
        {278, 4, 1, height}, // RowsPerStrip
        {279, 4, 1, 16}, // StripByteCounts
    }};
    int at = 10;
    for (const auto &e : entries) {
        put16(b, at, e[0]);
        put16(b, at + 2, e[1]);
        put32(b, at + 4, e[2]);
        put32(b, at + 8, e[3]);
        at += 12;
    }
    return b;
}

// A JPEG marker segment: the marker, its length, the payload.
inline QByteArray jpegSegment(unsigned marker, const QByteArray &payload)
{
    QByteArray b;
    b.append(char(0xFF));
    b.append(char(marker));
    append16be(b, unsigned(payload.size()) + 2);
    return b + payload;
}

// A JPEG's frame header (`marker` 0xC0 baseline, 0xC2 progressive, ...):
// 8-bit samples, every component sampled 1 × 1 with quantisation table 0.
inline QByteArray jpegFrameHeader(
    unsigned marker, unsigned width, unsigned height, unsigned components)
{
    QByteArray frame;
    frame.append(char(8));
    append16be(frame, height);
    append16be(frame, width);
    frame.append(char(components));
    for (unsigned c = 1; c <= components; ++c)
        frame += QByteArray(1, char(c)) + QByteArray("\x11\x00", 2);
    return jpegSegment(marker, frame);
}

// A complete small JPEG claiming `width` × `height` pixels: quantisation and
// Huffman tables, the frame header, one scan of the first `scanComponents` components
// (0: all; a progressive frame's scan holds the DC coefficients), a few bytes
// of coded data and the end. A progressive frame, or a scan of fewer
// components than the frame, makes the codec allocate coefficients for the
// whole picture when it starts.
inline QByteArray jpegClaiming(unsigned width, unsigned height, unsigned marker = 0xC0,
    unsigned components = 3, unsigned scanComponents = 0)
{
    if (scanComponents == 0)
        scanComponents = components;
    QByteArray b("\xFF\xD8", 2);
    b += jpegSegment(0xDB, QByteArray(1, '\0') + QByteArray(64, '\x01'));
    // DC and AC tables 0, one code each (a zero difference, the end of block).
    QByteArray code(16 + 1, '\0'); // sixteen counts, one symbol
    code[0] = 1;
    b += jpegSegment(0xC4, QByteArray(1, '\0') + code + QByteArray(1, '\x10') + code);
    b += jpegFrameHeader(marker, width, height, components);
    QByteArray scan(1, char(scanComponents));
    for (unsigned c = 1; c <= scanComponents; ++c)
        scan += QByteArray(1, char(c)) + QByteArray(1, '\0');
    const bool progressive = marker == 0xC2 || marker == 0xCA;
    scan += progressive ? QByteArray("\x00\x00\x00", 3) : QByteArray("\x00\x3F\x00", 3);
    b += jpegSegment(0xDA, scan);
    b += QByteArray(64, '\0');
    return b + QByteArray("\xFF\xD9", 2);
}

// `jpeg` with an Exif segment whose second directory names `thumbnail` as its
// JPEG thumbnail.
inline QByteArray withExifThumbnail(const QByteArray &jpeg, const QByteArray &thumbnail)
{
    QByteArray tiff("II*\0", 4);
    append32(tiff, 8);
    append16(tiff, 1); // the first directory: an orientation
    append16(tiff, 0x112);
    append16(tiff, 3);
    append32(tiff, 1);
    append32(tiff, 1);
    const unsigned second = 8 + 2 + 12 + 4;
    append32(tiff, second);
    append16(tiff, 3);
    const unsigned data = second + 2 + 3 * 12 + 4;
    const unsigned entries[3][3]
        = {{0x103, 3, 6}, {0x201, 4, data}, {0x202, 4, unsigned(thumbnail.size())}};
    for (const auto &e : entries) {
        append16(tiff, e[0]);
        append16(tiff, e[1]);
        append32(tiff, 1);
        append32(tiff, e[2]);
    }
    append32(tiff, 0);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff + thumbnail;
    return jpeg.left(2) + jpegSegment(0xE1, exif) + jpeg.mid(2);
}

// `jpeg` with a JFXX segment carrying `thumbnail` as a JPEG.
inline QByteArray withJfxxThumbnail(const QByteArray &jpeg, const QByteArray &thumbnail)
{
    return jpeg.left(2) + jpegSegment(0xE0, QByteArray("JFXX\0\x10", 6) + thumbnail) + jpeg.mid(2);
}

// A sound 4 × 4 grey TIFF whose first directory leads FreeImage to a
// thumbnail directory claiming `side` × `side` grey pixels: through an Exif
// IFD (FreeImage then decodes the second directory) or through a sub-IFD.
inline QByteArray tiffWithThumbnail(unsigned side, bool subIfd)
{
    const unsigned firstCount = 10;
    const unsigned exifAt = 8 + 2 + firstCount * 12 + 4;
    const unsigned thumbnailAt = exifAt + 2 + 12 + 4;
    const unsigned thumbnailCount = 8;
    const unsigned dataAt = thumbnailAt + 2 + thumbnailCount * 12 + 4;
    QByteArray b("II*\0", 4);
    append32(b, 8);
    const auto entry = [&b](unsigned tag, unsigned type, unsigned value) {
        append16(b, tag);
        append16(b, type);
        append32(b, 1);
        append32(b, value);
    };
    append16(b, firstCount);
    entry(256, 3, 4);
    entry(257, 3, 4);
    entry(258, 3, 8);
    entry(259, 3, 1);
    entry(262, 3, 1);
    entry(273, 4, dataAt);
    entry(277, 3, 1);
    entry(278, 3, 4);
    entry(279, 4, 16);
    if (subIfd)
        entry(330, 4, thumbnailAt);
    else
        entry(34665, 4, exifAt);
    append32(b, subIfd ? 0 : thumbnailAt);
    append16(b, 1); // the Exif IFD: an exposure time
    entry(33434, 4, 0);
    append32(b, 0);
    append16(b, thumbnailCount);
    entry(256, 4, side);
    entry(257, 4, side);
    entry(258, 3, 8);
    entry(259, 3, 1);
    entry(262, 3, 1);
    entry(273, 4, dataAt);
    entry(278, 4, side);
    entry(279, 4, 16);
    append32(b, 0);
    for (int i = 0; i < 16; ++i)
        b.append(char(i * 16));
    return b;
}

// An icon whose one image is a PNG claiming `width` × `height` pixels.
inline QByteArray icoWithPngClaiming(unsigned width, unsigned height)
{
    const QByteArray png = pngClaiming(width, height);
    QByteArray b(6 + 16, '\0');
    put16(b, 2, 1);
    put16(b, 4, 1);
    put16(b, 10, 1);
    put16(b, 12, 32);
    put32(b, 14, unsigned(png.size()));
    put32(b, 18, 22);
    return b + png;
}

} // namespace hostilepictures
