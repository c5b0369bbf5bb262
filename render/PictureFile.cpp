#include "PictureFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Exactly `size` bytes, or nothing: a file that ends sooner was shortened
// since its size was taken, one that goes on was lengthened.
QByteArray readExactly(int fd, std::size_t size)
{
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return {};
        done += std::size_t(got);
    }
    char more = 0;
    ssize_t extra = 0;
    do {
        extra = ::read(fd, &more, 1);
    } while (extra < 0 && errno == EINTR);
    if (extra != 0)
        return {};
    return bytes;
}

} // namespace

PictureFile::PictureFile(const QByteArray &path)
{
    // Paths are bytes; one with a NUL in it names no file we could open.
    if (path.isEmpty() || path.contains('\0'))
        return;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return;
    struct stat info { };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0
        && static_cast<unsigned long long>(info.st_size) <= maxBytes)
        m_bytes = readExactly(fd, static_cast<std::size_t>(info.st_size));
    ::close(fd);
}

PictureFile PictureFile::fromBytes(const QByteArray &bytes)
{
    PictureFile file;
    if (std::size_t(bytes.size()) <= maxBytes)
        file.m_bytes = bytes;
    return file;
}
