#pragma once

#include "document/CoverDocument.h"
#include "print/LabelStock.h"

class CdFaceRenderer;
class DvdSheetRenderer;
class SlimlineSheetRenderer;
class DiscRenderer;

// Copies a cover document into the render inputs of each kind of face, the
// same way for the on-screen preview and for printing and export. The
// document is only read.
//
// `geometry` is the row the face takes its size from: for the covers the
// plain-paper row of the cover type (as the main window keeps it), for the
// disc the row of the chosen disc stock (the plain-paper row on screen).
// Every length becomes trunc(inches x dpiX) nominal pixels. The scale factors
// are left alone: the caller sets them (1.0 when printing, control size /
// nominal size on screen). The font reference resolution is left alone too.

// The per-cover-type insets the main window sets once for its previews.
void applyFaceConstants(CdFaceRenderer &face);
void applyFaceConstants(DvdSheetRenderer &sheet, int32_t coverType);
void applyFaceConstants(SlimlineSheetRenderer &sheet);

void bindCdFront(
    CdFaceRenderer &face, const CoverDocument &doc, const LabelStock &geometry, int dpiX);

// The back inlay is always drawn left-aligned, whatever bCoverAlign says.
// Its title is never bound and stays as it was constructed (empty).
void bindCdBack(
    CdFaceRenderer &face, const CoverDocument &doc, const LabelStock &geometry, int dpiX);

void bindDvdSheet(
    DvdSheetRenderer &sheet, const CoverDocument &doc, const LabelStock &geometry, int dpiX);

void bindSlimlineSheet(
    SlimlineSheetRenderer &sheet, const CoverDocument &doc, const LabelStock &geometry, int dpiX);

// The disc is always drawn centred, whatever dCoverAlign says.
void bindDisc(DiscRenderer &disc, const CoverDocument &doc, const LabelStock &discRow, int dpiX);
