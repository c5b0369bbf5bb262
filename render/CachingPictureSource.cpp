#include "CachingPictureSource.h"

#include <QFileInfo>

namespace {

bool covers(QSize decodedFor, QSize target)
{
    // An empty target asks for the whole picture, which only a whole decode
    // covers.
    if (decodedFor.isEmpty())
        return true;
    return !target.isEmpty() && target.width() <= decodedFor.width()
        && target.height() <= decodedFor.height();
}

} // namespace

std::shared_ptr<const FacePicture> CachingPictureSource::picture(
    const QByteArray &path, QSize targetPixels)
{
    if (path.isEmpty())
        return nullptr;
    const QFileInfo file(QFile::decodeName(path));
    const QDateTime modified = file.lastModified();
    const qint64 size = file.exists() ? file.size() : -1;
    auto found = m_entries.find(path);
    const bool sameFile
        = found != m_entries.end() && found->modified == modified && found->size == size;
    if (sameFile && covers(found->decodedFor, targetPixels))
        return found->picture;

    // Growing (a window dragged larger, a zoom step): decode with room to
    // spare, so that the next sizes reuse it instead of decoding at each.
    QSize decodeFor = targetPixels;
    if (sameFile && !targetPixels.isEmpty())
        decodeFor = targetPixels * 1.5;
    ++m_decodes;
    std::shared_ptr<const FacePicture> decoded = LoadFacePicture(path, decodeFor);
    m_entries.insert(path, Entry{modified, size, decodeFor, decoded});
    return decoded;
}
