#include "PictureFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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
        && static_cast<unsigned long long>(info.st_size) <= maxBytes) {
        const auto size = static_cast<std::size_t>(info.st_size);
        // Populated at once: the decoder reads every byte anyway.
        void *mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (mapped != MAP_FAILED) {
            m_data = static_cast<unsigned char *>(mapped);
            m_size = size;
        }
    }
    ::close(fd);
}

PictureFile::~PictureFile()
{
    if (m_data)
        ::munmap(m_data, m_size);
}
