#pragma once

#include "document/CoverDocument.h"
#include "print/CoverFaces.h"
#include "render/CdFaceRenderer.h"
#include "render/DiscRenderer.h"
#include "render/DvdSheetRenderer.h"
#include "render/SlimlineSheetRenderer.h"

#include <variant>

// How drawFace turns a cover document into the inputs of the renderer of one
// face: the one place where document fields meet renderer inputs, the same
// for the previews, printing and export. The document is only read.
//
// Every length becomes trunc(inches x dpi) nominal pixels, with the face's
// size and spines from its row (CoverFaces::rowOf). Fixed rules live here
// too: the CD back's track listing is always drawn left-aligned and the disc
// always centred, whatever the document's alignment says; the CD back has no
// title.

using FaceRenderer
    = std::variant<CdFaceRenderer, DvdSheetRenderer, SlimlineSheetRenderer, DiscRenderer>;

FaceRenderer bindFace(
    const CoverDocument &doc, const CoverFaces &faces, const CoverFace &face, int dpi);
