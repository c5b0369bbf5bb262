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

inline QByteArray jpegClaiming(unsigned width, unsigned height)
{
    QByteArray b("\xFF\xD8", 2);
    QByteArray sof("\xFF\xC0\x00\x11\x08", 5);
    sof.append(4, '\0');
    sof[5] = char(height >> 8);
    sof[6] = char(height & 0xFF);
    sof[7] = char(width >> 8);
    sof[8] = char(width & 0xFF);
    sof += QByteArray("\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00", 10);
    b += sof;
    b += QByteArray("\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 14);
    b += QByteArray(64, '\0');
    b += QByteArray("\xFF\xD9", 2);
    return b;
}

} // namespace hostilepictures
