#pragma once

#include "PictureSource.h"

#include <QDateTime>
#include <QHash>

// Keeps each decoded picture between draws, for a preview that repaints the
// same face again and again (resizing, zooming, scrolling). A picture is
// decoded again only when it is asked for larger than it was decoded for,
// or when its file changed; clear() drops them all (another cover).
class CachingPictureSource final : public PictureSource {
public:
    std::shared_ptr<const FacePicture> picture(const QByteArray &path, QSize targetPixels) override;

    void clear() { m_entries.clear(); }
    // Decodes done so far: what the cache saved is the draws beyond these.
    int decodeCount() const { return m_decodes; }

private:
    struct Entry {
        QDateTime modified;
        qint64 size = -1;
        // The size the picture was decoded for: a reduced JPEG covers any
        // target within it.
        QSize decodedFor;
        std::shared_ptr<const FacePicture> picture;
    };
    QHash<QByteArray, Entry> m_entries;
    int m_decodes = 0;
};
