#pragma once

#include "document/CoverDocument.h"
#include "print/CoverFaces.h"
#include "render/DrawTarget.h"
#include "render/FaceDrawResult.h"

#include <QRect>

class DeviceContext;

// Draws one face of the cover into `rect` of the device: the one drawing
// routine of the previews, printing, the exports and thumbnails. `dpi` is the
// resolution the face's lengths are laid out at (the device's horizontal
// one); `target` says what the drawing is for. The document is only read.
FaceDrawResult drawFace(DeviceContext &dc, const CoverDocument &doc, const CoverFaces &faces,
    const CoverFace &face, const QRect &rect, int dpi, const DrawTarget &target);
