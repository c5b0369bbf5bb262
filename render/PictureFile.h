#pragma once

#include <QByteArray>
#include <cstddef>

// The bytes of a picture file, read into memory for the length of one decode.
// Read, not mapped: a file that another program shortens while a mapping is
// decoded kills the process (SIGBUS), while a read simply comes up short.
// Only regular files are opened, without blocking (a FIFO or device named
// like a picture must not hang a render), and only up to `maxBytes`.
class PictureFile {
public:
    static constexpr std::size_t maxBytes = std::size_t(1) << 30;

    explicit PictureFile(const QByteArray &path);
    PictureFile(PictureFile &&) = default;
    PictureFile &operator=(PictureFile &&) = default;
    PictureFile(const PictureFile &) = delete;
    PictureFile &operator=(const PictureFile &) = delete;

    // Bytes already in memory (a fuzzer, a test), under the same size limit.
    static PictureFile fromBytes(const QByteArray &bytes);

    // False for a missing, unreadable, empty, oversized or special file, and
    // for one whose length changed while it was read (being rewritten: the
    // next render reads it again).
    bool isOpen() const { return !m_bytes.isEmpty(); }
    const unsigned char *data() const
    {
        return reinterpret_cast<const unsigned char *>(m_bytes.constData());
    }
    std::size_t size() const { return std::size_t(m_bytes.size()); }

private:
    PictureFile() = default;

    QByteArray m_bytes;
};
