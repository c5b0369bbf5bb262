#pragma once

#include "FacePicture.h"

#include <QByteArray>
#include <QSize>
#include <memory>

// Where a renderer gets the decoded picture a face names. The renderers ask
// for a picture at the size it is drawn at (see LoadFacePicture) and never
// keep it: any keeping of decoded pictures between draws is a source's.
class PictureSource {
public:
    virtual ~PictureSource() = default;

    // Null when the face names no picture or it cannot be decoded.
    virtual std::shared_ptr<const FacePicture> picture(const QByteArray &path, QSize targetPixels)
        = 0;

    // Decodes the file at the path on every call: what drawing uses unless a
    // caller hands in a source of its own.
    static PictureSource &byPath();
};
