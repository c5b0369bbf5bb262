#include "FaceBinding.h"

#include "render/Geometry.h"

namespace {

CdFaceRenderer cdFront(const CoverDocument &doc, const LabelStock &row, int dpi)
{
    CdFaceRenderer face;
    face.backgroundColor = doc.fBGColor;
    face.showBorder = doc.fShowBorder;
    face.spinesOn = doc.frontCoverSpinesOn;
    face.spineWidthPx = inchesToPixels(row.frontSpineWidth, dpi);
    face.textInsetX = FaceConstants::kCdTextInsetX;
    face.textInsetY = FaceConstants::kCdTextInsetY;
    face.nominalWidth = inchesToPixels(row.frontWidth, dpi);
    face.nominalHeight = inchesToPixels(row.frontHeight, dpi);
    face.isBackFace = 0;
    face.title = doc.fCoverTitle;
    face.text = doc.fCoverText;
    face.spineText = doc.frontCoverSpineText;
    face.alignment = doc.fCoverAlign;
    face.imagePath = doc.fImagePath;
    face.imagePlacement = doc.fImagePlacement;
    face.textColor = doc.fCoverTextColor;
    face.font = doc.fCoverTextFont;
    face.shrinkText = doc.fShrinkText;
    face.titleStyle = doc.fTitleStyle;
    face.printOverSpines = doc.bFrontPrintOverSpines != 0;
    return face;
}

CdFaceRenderer cdBack(const CoverDocument &doc, const LabelStock &row, int dpi)
{
    CdFaceRenderer face;
    face.backgroundColor = doc.bBGColor;
    face.showBorder = doc.bShowBorder;
    face.spinesOn = doc.backCoverSpinesOn;
    face.spineWidthPx = inchesToPixels(row.backSpineWidth, dpi);
    face.textInsetX = FaceConstants::kCdTextInsetX;
    face.textInsetY = FaceConstants::kCdTextInsetY;
    face.nominalWidth = inchesToPixels(row.backWidth, dpi);
    face.nominalHeight = inchesToPixels(row.backHeight, dpi);
    face.isBackFace = 1;
    // No title: the back inlay holds the listing alone.
    face.text = doc.bCoverText;
    face.spineText = doc.backCoverSpineText;
    face.alignment = AlignLeft; // the track listing's columns read from the left
    face.imagePath = doc.bImagePath;
    face.imagePlacement = doc.bImagePlacement;
    face.textColor = doc.bCoverTextColor;
    face.font = doc.bCoverTextFont;
    face.shrinkText = doc.bShrinkText;
    face.printOverSpines = doc.bBackPrintOverSpines != 0;
    return face;
}

DvdSheetRenderer dvdSheet(const CoverDocument &doc, const LabelStock &row, int dpi)
{
    const bool slim = doc.covertype == SlimlineDVD;
    DvdSheetRenderer sheet;
    sheet.backgroundColor = doc.bBGColor;
    sheet.showBorder = doc.bShowBorder;
    sheet.spinesOn = doc.backCoverSpinesOn;
    sheet.spineWidthPx = inchesToPixels(row.backSpineWidth, dpi);
    sheet.nominalWidth = inchesToPixels(row.backWidth, dpi);
    sheet.nominalHeight = inchesToPixels(row.backHeight, dpi);
    sheet.textColor = doc.bCoverTextColor;
    sheet.font = doc.bCoverTextFont;
    sheet.alignment = doc.bCoverAlign;
    sheet.spineText = doc.backCoverSpineText;
    sheet.frontTitle = doc.fCoverTitle;
    sheet.frontText = doc.fCoverText;
    sheet.backTitle = doc.bCoverTitle;
    sheet.backText = doc.bCoverText;
    sheet.frontImagePath = doc.fImagePath;
    sheet.backImagePath = doc.bImagePath;
    sheet.sheetImagePath = doc.sImagePath;
    sheet.frontImagePlacement = doc.fImagePlacement;
    sheet.backImagePlacement = doc.bImagePlacement;
    sheet.sheetImagePlacement = doc.sImagePlacement;
    sheet.pictureMode = doc.CoverOption;
    sheet.frontTextLeft
        = slim ? FaceConstants::kSlimDvdFrontTextLeft : FaceConstants::kDvdFrontTextLeft;
    sheet.frontTextTop = FaceConstants::kDvdTextTop;
    sheet.backTextLeft = FaceConstants::kDvdTextTop;
    sheet.backTextTop = FaceConstants::kDvdTextTop;
    sheet.slimDvd = slim;
    sheet.shrinkText = doc.bShrinkText;
    sheet.frontTitleStyle = doc.fTitleStyle;
    sheet.backTitleStyle = doc.bTitleStyle;
    return sheet;
}

SlimlineSheetRenderer slimlineSheet(const CoverDocument &doc, const LabelStock &row, int dpi)
{
    SlimlineSheetRenderer sheet;
    sheet.backgroundColor = doc.bBGColor;
    sheet.showBorder = doc.bShowBorder;
    sheet.spinesOn = doc.backCoverSpinesOn;
    sheet.spineWidthPx = inchesToPixels(row.backSpineWidth, dpi);
    sheet.nominalWidth = inchesToPixels(row.backWidth, dpi);
    sheet.nominalHeight = inchesToPixels(row.backHeight, dpi);
    sheet.text = doc.bCoverText;
    sheet.spineText = doc.backCoverSpineText;
    sheet.imagePath = doc.bImagePath;
    sheet.imagePlacement = doc.bImagePlacement;
    sheet.textColor = doc.bCoverTextColor;
    sheet.font = doc.bCoverTextFont;
    sheet.printOverSpines = doc.bBackPrintOverSpines != 0;
    sheet.flapWidthPx = inchesToPixels(row.flapWidth, dpi);
    sheet.notchWidthPx = inchesToPixels(FaceConstants::kSlimCdNotchWidth, dpi);
    sheet.notchHeightPx = inchesToPixels(FaceConstants::kSlimCdNotchHeight, dpi);
    sheet.textLeft = FaceConstants::kSlimCdTextLeft;
    sheet.textTop = FaceConstants::kSlimCdTextTop;
    sheet.shrinkText = doc.bShrinkText;
    return sheet;
}

DiscRenderer disc(const CoverDocument &doc, const LabelStock &row, int dpi)
{
    DiscRenderer disc;
    disc.backgroundColor = doc.dBGColor;
    disc.showBorder = doc.dShowBorder;
    disc.printOverInnerCircle = doc.printOverInnerCircleDisc != 0;
    disc.innerCircleDiameterPx = inchesToPixels(row.innerCircleDiameter, dpi);
    disc.nominalWidth = inchesToPixels(row.discWidth, dpi);
    disc.nominalHeight = inchesToPixels(row.discHeight, dpi);
    disc.title = doc.dCoverTitle;
    disc.text = doc.dCoverText;
    // Straight, title and text sit round the hub; along the edge, the
    // alignment moves them along their arcs.
    disc.curvedText = doc.dCurvedText;
    disc.alignment = doc.dCurvedText ? doc.dCoverAlign : int32_t(AlignCenter);
    disc.shrinkText = doc.dShrinkText;
    disc.titleStyle = doc.dTitleStyle;
    disc.imagePath = doc.dImagePath;
    disc.imagePlacement = doc.dImagePlacement;
    disc.textColor = doc.dCoverTextColor;
    disc.font = doc.dCoverTextFont;
    return disc;
}

} // namespace

FaceRenderer bindFace(
    const CoverDocument &doc, const CoverFaces &faces, const CoverFace &face, int dpi)
{
    const LabelStock &row = faces.rowOf(face);
    switch (face.kind) {
    case FaceKind::CdFront: return cdFront(doc, row, dpi);
    case FaceKind::CdBack: return cdBack(doc, row, dpi);
    case FaceKind::DvdSheet: return dvdSheet(doc, row, dpi);
    case FaceKind::SlimlineSheet: return slimlineSheet(doc, row, dpi);
    case FaceKind::Disc: break;
    }
    return disc(doc, row, dpi);
}
