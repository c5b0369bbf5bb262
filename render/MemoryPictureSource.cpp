#include "MemoryPictureSource.h"

std::shared_ptr<const FacePicture> MemoryPictureSource::picture(
    const QByteArray &path, QSize targetPixels)
{
    const auto found = m_bytes.constFind(path);
    if (path.isEmpty() || found == m_bytes.constEnd() || found->isEmpty())
        return nullptr;
    return decodeFacePicture(pictureFormatForPath(path), *found, targetPixels);
}
