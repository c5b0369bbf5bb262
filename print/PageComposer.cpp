#include "PageComposer.h"

#include "render/CdFaceRenderer.h"
#include "render/DeviceContext.h"
#include "render/DiscRenderer.h"
#include "render/DvdSheetRenderer.h"
#include "print/FaceBinding.h"
#include "render/SlimlineSheetRenderer.h"

#include <cmath>

namespace {

// Renderers the caller did not hand in: made for this page only, with the
// constants the main window would have given them.
struct OwnRenderers {
    CdFaceRenderer cdFront;
    CdFaceRenderer cdBack;
    DvdSheetRenderer dvdSheet;
    SlimlineSheetRenderer slimlineSheet;
    DiscRenderer disc;
};

template <typename R> R &pick(R *given, R &own, bool &fresh)
{
    fresh = given == nullptr;
    return given ? *given : own;
}

} // namespace

QRect placeFace(const PageDevice &device, double top, double left, double width, double height)
{
    const double dpi = device.dpi;
    double x = dpi * left - device.physX;
    double y = dpi * top - device.physY;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    const int l = static_cast<int>(std::trunc(x));
    const int t = static_cast<int>(std::trunc(y));
    const int r = static_cast<int>(std::trunc(x + dpi * width));
    const int b = static_cast<int>(std::trunc(y + dpi * height));
    return QRect(l, t, r - l, b - t);
}

QList<PlacedFace> coversPageLayout(
    const PageDevice &device, int32_t coverType, const LabelStock &coversRow)
{
    const LabelStock &row = coversRow;
    switch (coverType) {
    case StandardCD:
        return {
            {Face::Front,
                placeFace(device, row.frontTop, row.frontLeft, row.frontWidth, row.frontHeight)},
            {Face::Back,
                placeFace(device, row.backTop, row.backLeft, row.backWidth, row.backHeight)},
        };
    case SlimlineCD:
    case StandardDVD:
    case SlimlineDVD:
        return {{Face::Back,
            placeFace(device, row.backTop, row.backLeft, row.backWidth, row.backHeight)}};
    default: return {};
    }
}

PlacedFace discPageLayout(const PageDevice &device, const LabelStock &discRow, bool useTopDiscLabel)
{
    const double top = useTopDiscLabel ? discRow.discATop : discRow.discBTop;
    const double left = useTopDiscLabel ? discRow.discALeft : discRow.discBLeft;
    return {Face::Disc, placeFace(device, top, left, discRow.discWidth, discRow.discHeight)};
}

QList<PlacedFace> drawCoversPage(DeviceContext &dc, const PageDevice &device,
    const CoversPageInput &input, const PageRenderers &renderers)
{
    if (!input.document)
        return {};
    const CoverDocument &doc = *input.document;
    const QList<PlacedFace> faces = coversPageLayout(device, doc.covertype, input.coversRow);
    OwnRenderers own;
    bool fresh = false;
    for (const PlacedFace &placed : faces) {
        switch (doc.covertype) {
        case StandardCD: {
            const bool front = placed.face == Face::Front;
            CdFaceRenderer &face = front ? pick(renderers.cdFront, own.cdFront, fresh)
                                         : pick(renderers.cdBack, own.cdBack, fresh);
            if (fresh)
                applyFaceConstants(face);
            if (front)
                bindCdFront(face, doc, input.geometry, device.dpi);
            else
                bindCdBack(face, doc, input.geometry, device.dpi);
            face.xScale = face.yScale = 1.0;
            face.PrintFace(dc, placed.rect, input.referenceDpi);
            break;
        }
        case SlimlineCD: {
            SlimlineSheetRenderer &sheet = pick(renderers.slimlineSheet, own.slimlineSheet, fresh);
            if (fresh)
                applyFaceConstants(sheet);
            bindSlimlineSheet(sheet, doc, input.geometry, device.dpi);
            sheet.xScale = sheet.yScale = 1.0;
            sheet.PrintFace(dc, placed.rect, input.referenceDpi);
            break;
        }
        case StandardDVD:
        case SlimlineDVD: {
            DvdSheetRenderer &sheet = pick(renderers.dvdSheet, own.dvdSheet, fresh);
            if (fresh)
                applyFaceConstants(sheet, doc.covertype);
            bindDvdSheet(sheet, doc, input.geometry, device.dpi);
            sheet.xScale = sheet.yScale = 1.0;
            sheet.PrintFace(dc, placed.rect, input.referenceDpi);
            break;
        }
        default: break;
        }
    }
    return faces;
}

PlacedFace drawDiscPage(DeviceContext &dc, const PageDevice &device, const DiscPageInput &input,
    const PageRenderers &renderers)
{
    const PlacedFace placed = discPageLayout(device, input.discRow, input.useTopDiscLabel);
    if (!input.document)
        return placed;
    OwnRenderers own;
    bool fresh = false;
    DiscRenderer &disc = pick(renderers.disc, own.disc, fresh);
    bindDisc(disc, *input.document, input.discRow, device.dpi);
    disc.xScale = disc.yScale = 1.0;
    disc.PrintFace(dc, placed.rect, input.referenceDpi);
    return placed;
}

QPageSize pageSizeForPaperCode(int32_t paperCode)
{
    return QPageSize(paperCode == kPaperLetter ? QPageSize::Letter : QPageSize::A4);
}

bool coversPageIsLandscape(int32_t coverType)
{
    return coverType == StandardDVD || coverType == SlimlineDVD;
}

QPageLayout::Orientation pageOrientation(
    bool coversPage, int32_t coverType, QPageLayout::Orientation chosen)
{
    if (coversPage && coversPageIsLandscape(coverType))
        return QPageLayout::Landscape;
    return chosen;
}
