#pragma once

#include "PictureSource.h"

#include <QHash>

// Pictures handed in as the bytes of their files, keyed by the path the
// face names (a cover read with its pictures kept in memory, a thumbnail, a
// test). The format comes from the path's extension, as for files.
class MemoryPictureSource final : public PictureSource {
public:
    void add(const QByteArray &path, const QByteArray &bytes) { m_bytes.insert(path, bytes); }

    std::shared_ptr<const FacePicture> picture(const QByteArray &path, QSize targetPixels) override;

private:
    QHash<QByteArray, QByteArray> m_bytes;
};
