#pragma once

// The renderer drawFace would build for one kind of face of a document.

#include "print/FaceBinding.h"

namespace testsupport {

template <typename R>
R boundFace(const CoverDocument &doc, FaceKind kind, const LabelStock &row, int dpi)
{
    const CoverFaces faces(doc.covertype, row, row);
    CoverFace face;
    face.kind = kind;
    face.round = kind == FaceKind::Disc;
    return std::get<R>(bindFace(doc, faces, face, dpi));
}

} // namespace testsupport
