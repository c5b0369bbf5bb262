#pragma once

#include <QByteArray>
#include <cstddef>

// The bytes of a picture file, mapped read-only for the length of one decode.
// Only regular files are opened, without blocking (a FIFO or device named
// like a picture must not hang a render), and only up to `maxBytes`.
class PictureFile {
public:
    static constexpr std::size_t maxBytes = std::size_t(1) << 30;

    explicit PictureFile(const QByteArray &path);
    ~PictureFile();
    PictureFile(const PictureFile &) = delete;
    PictureFile &operator=(const PictureFile &) = delete;

    // False for a missing, unreadable, empty, oversized or special file.
    bool isOpen() const { return m_data != nullptr; }
    const unsigned char *data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    unsigned char *m_data = nullptr;
    std::size_t m_size = 0;
};
