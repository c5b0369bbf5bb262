#pragma once

#include "document/CoverDocument.h"
#include "print/LabelStock.h"

#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <optional>

class DeviceContext;

// Where a face lands on a printed page and how each page is drawn. Shared by
// the print engine (on a printer) and the PDF export (on a PDF writer), so
// both put every face in the same place.

// The device's resolution and the offset of its printable area from the
// corner of the physical sheet, in device pixels.
struct PageDevice {
    int dpi = 600; // horizontal logical resolution: every printed length uses it
    int physX = 0;
    int physY = 0;
};

// A face at (top, left) inches of size width x height inches, in device
// pixels of the printable area. A face closer to the sheet edge than the
// printable area starts is moved to that edge, not shrunk.
QRect placeFace(const PageDevice &device, double top, double left, double width, double height);

// One face drawn on a page, for callers and tests that need to know where.
struct PlacedFace {
    Face face = Face::Back; // Front, Back (the back or the whole sheet), Disc
    QRect rect;

    bool operator==(const PlacedFace &) const = default;
};

// The document is only read: the fixed alignments (CD back left, disc
// centred) are given to the renderers, not written back. Each face is drawn
// by drawFace (DrawFace.h) for paper.
struct CoversPageInput {
    const CoverDocument *document = nullptr;
    LabelStock geometry; // face sizes and spines: the cover type's plain row
    LabelStock coversRow; // positions on the sheet
    int referenceDpi = 96; // the screen's vertical dpi the fonts were chosen at
};

struct DiscPageInput {
    const CoverDocument *document = nullptr;
    LabelStock discRow; // position, size and hub
    DiscLabelPosition position = DiscLabelPosition::Top;
    int referenceDpi = 96;
};

// Draws the covers page of the document's cover type; nothing for Other.
// Returns the faces drawn, in drawing order (front before back).
QList<PlacedFace> drawCoversPage(
    DeviceContext &dc, const PageDevice &device, const CoversPageInput &input);

// Draws the disc label, once per place of the position. Returns the discs
// drawn, top place first.
QList<PlacedFace> drawDiscPage(
    DeviceContext &dc, const PageDevice &device, const DiscPageInput &input);

// Faces of the covers page without drawing them.
QList<PlacedFace> coversPageLayout(
    const PageDevice &device, int32_t coverType, const LabelStock &coversRow);
// The discs of the disc page, top place first. With Both these are also
// the outlines of a label sheet's two labels.
QList<PlacedFace> discPageLayout(
    const PageDevice &device, const LabelStock &discRow, DiscLabelPosition position);

// The sheet a row is printed on: Letter for paper code 1, A4 otherwise.
QPageSize pageSizeForPaperCode(int32_t paperCode);

// The covers page of a DVD type is landscape; every other page keeps the
// orientation the user chose (portrait by default).
bool coversPageIsLandscape(int32_t coverType);
QPageLayout::Orientation pageOrientation(
    bool coversPage, int32_t coverType, QPageLayout::Orientation chosen = QPageLayout::Portrait);
