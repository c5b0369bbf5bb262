#include "RecordingPictureSource.h"

std::shared_ptr<const FacePicture> RecordingPictureSource::picture(
    const QByteArray &path, QSize targetPixels)
{
    std::shared_ptr<const FacePicture> found = m_source.picture(path, targetPixels);
    if (!found && !path.isEmpty() && !m_failed.contains(path))
        m_failed.append(path);
    return found;
}
