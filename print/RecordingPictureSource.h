#pragma once

#include "render/PictureSource.h"

#include <QByteArrayList>

// Hands out another source's pictures and remembers the ones a face named
// but that could not be decoded, so that a command can refuse to write a
// picture of a face that silently lost its picture (a thumbnail of a
// damaged cover would look like a sound one).
class RecordingPictureSource final : public PictureSource {
public:
    explicit RecordingPictureSource(PictureSource &source)
        : m_source(source)
    {
    }

    std::shared_ptr<const FacePicture> picture(const QByteArray &path, QSize targetPixels) override;

    const QByteArrayList &failed() const { return m_failed; }

private:
    PictureSource &m_source;
    QByteArrayList m_failed;
};
