#pragma once

#include <QByteArray>
#include <QString>
#include <array>

class QIODevice;

// Where the parts of a cover file lie: its text part (the bytes before the
// first "[END]" that comes before the first zero byte) and the first
// occurrence of each picture block tag anywhere in the file.
struct CoverLayout {
    bool hasEnd = false;
    QByteArray text;
    // "[IMAGEn]" at 2(n - 1), "[ENDIMAGEn]" at 2(n - 1) + 1; -1 when absent.
    std::array<qsizetype, 8> pictureTags{-1, -1, -1, -1, -1, -1, -1, -1};

    struct Block {
        qsizetype offset = 0;
        qsizetype size = 0; // 0: no picture
    };
    // Block n (0 to 3): from 8 bytes after its opening tag to its closing tag.
    Block block(int n) const;
};

// Lays out bytes held in memory. The text refers to `data` without a copy,
// so `data` must outlive the result.
CoverLayout layoutOfBytes(const char *data, qsizetype size);

// Lays out a file read in chunks, so that only its text part is held in
// memory. Gives the same result as layoutOfBytes over the device's bytes;
// false with `error` set when the device cannot be read.
bool layoutOfDevice(QIODevice &device, CoverLayout &layout, QString &error,
    qsizetype chunkBytes = qsizetype(1) << 20);
