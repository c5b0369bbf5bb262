#include "PageComposer.h"

#include "document/CoverTypes.h"
#include "print/CoverFaces.h"
#include "print/DrawFace.h"
#include "render/Geometry.h"

#include <cmath>

QRect placeFace(const PageDevice &device, double top, double left, double width, double height)
{
    const double dpi = device.dpi;
    double x = dpi * left - device.physX;
    double y = dpi * top - device.physY;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    const int l = truncated(x);
    const int t = truncated(y);
    const int r = truncated(x + dpi * width);
    const int b = truncated(y + dpi * height);
    return QRect(l, t, r - l, b - t);
}

QList<PlacedFace> coversPageLayout(
    const PageDevice &device, int32_t coverType, const LabelStock &coversRow)
{
    const LabelStock &row = coversRow;
    QList<PlacedFace> placed;
    for (const CoverFace &face : CoverFaces(coverType, row, row).covers()) {
        // A front has the row's front place; the back, or a whole sheet, the back's.
        const bool front = face.face == Face::Front;
        placed.append({face.face,
            placeFace(device, front ? row.frontTop : row.backTop,
                front ? row.frontLeft : row.backLeft, face.inches.width(), face.inches.height())});
    }
    return placed;
}

QList<PlacedFace> discPageLayout(
    const PageDevice &device, const LabelStock &discRow, DiscLabelPosition position)
{
    QList<PlacedFace> placed;
    for (const auto &[top, left] : discLabelPlaces(discRow, position))
        placed.append(
            {Face::Disc, placeFace(device, top, left, discRow.discWidth, discRow.discHeight)});
    return placed;
}

QList<PlacedFace> drawCoversPage(
    DeviceContext &dc, const PageDevice &device, const CoversPageInput &input)
{
    if (!input.document)
        return {};
    const CoverDocument &doc = *input.document;
    const QList<PlacedFace> placed = coversPageLayout(device, doc.covertype, input.coversRow);
    const CoverFaces faces(doc.covertype, input.geometry, input.geometry);
    const QList<CoverFace> covers = faces.covers();
    const DrawTarget paper = DrawTarget::paper(input.referenceDpi);
    for (qsizetype i = 0; i < covers.size(); ++i)
        drawFace(dc, doc, faces, covers[i], placed[i].rect, device.dpi, paper);
    return placed;
}

QList<PlacedFace> drawDiscPage(
    DeviceContext &dc, const PageDevice &device, const DiscPageInput &input)
{
    const QList<PlacedFace> placed = discPageLayout(device, input.discRow, input.position);
    if (!input.document)
        return placed;
    const CoverFaces faces(input.document->covertype, input.discRow, input.discRow);
    for (const PlacedFace &disc : placed)
        drawFace(dc, *input.document, faces, faces.disc(), disc.rect, device.dpi,
            DrawTarget::paper(input.referenceDpi));
    return placed;
}

QPageSize pageSizeForPaperCode(int32_t paperCode)
{
    return QPageSize(paperCode == kPaperLetter ? QPageSize::Letter : QPageSize::A4);
}

bool coversPageIsLandscape(int32_t coverType)
{
    return isDvdType(coverType);
}

QPageLayout::Orientation pageOrientation(
    bool coversPage, int32_t coverType, QPageLayout::Orientation chosen)
{
    if (coversPage && coversPageIsLandscape(coverType))
        return QPageLayout::Landscape;
    return chosen;
}
