#include "FaceBinding.h"

#include "render/CdFaceRenderer.h"
#include "render/DiscRenderer.h"
#include "render/DvdSheetRenderer.h"
#include "render/Geometry.h"
#include "render/SlimlineSheetRenderer.h"

void applyFaceConstants(CdFaceRenderer &face)
{
    face.textInsetX = FaceConstants::kCdTextInsetX;
    face.textInsetY = FaceConstants::kCdTextInsetY;
}

void applyFaceConstants(DvdSheetRenderer &sheet, int32_t coverType)
{
    const bool slim = coverType == SlimlineDVD;
    sheet.backTextLeft = FaceConstants::kDvdTextTop;
    sheet.backTextTop = FaceConstants::kDvdTextTop;
    sheet.frontTextLeft
        = slim ? FaceConstants::kSlimDvdFrontTextLeft : FaceConstants::kDvdFrontTextLeft;
    sheet.frontTextTop = FaceConstants::kDvdTextTop;
    sheet.slimDvd = slim;
}

void applyFaceConstants(SlimlineSheetRenderer &sheet)
{
    sheet.textLeft = FaceConstants::kSlimCdTextLeft;
    sheet.textTop = FaceConstants::kSlimCdTextTop;
}

void bindCdFront(
    CdFaceRenderer &face, const CoverDocument &doc, const LabelStock &geometry, int dpiX)
{
    face.backgroundColor = doc.fBGColor;
    face.showBorder = doc.fShowBorder;
    face.spinesOn = doc.frontCoverSpinesOn;
    face.spineWidthPx = inchesToPixels(geometry.frontSpineWidth, dpiX);
    face.nominalWidth = inchesToPixels(geometry.frontWidth, dpiX);
    face.nominalHeight = inchesToPixels(geometry.frontHeight, dpiX);
    face.imagePath = doc.fImagePath;
    face.title = doc.fCoverTitle;
    face.text = doc.fCoverText;
    face.isBackFace = 0;
    face.alignment = doc.fCoverAlign;
    face.spineText = doc.frontCoverSpineText;
    face.textColor = doc.fCoverTextColor;
    face.font = doc.fCoverTextFont;
    face.printOverSpines = doc.bFrontPrintOverSpines != 0;
}

void bindCdBack(
    CdFaceRenderer &face, const CoverDocument &doc, const LabelStock &geometry, int dpiX)
{
    face.backgroundColor = doc.bBGColor;
    face.showBorder = doc.bShowBorder;
    face.spinesOn = doc.backCoverSpinesOn;
    face.spineWidthPx = inchesToPixels(geometry.backSpineWidth, dpiX);
    face.nominalWidth = inchesToPixels(geometry.backWidth, dpiX);
    face.nominalHeight = inchesToPixels(geometry.backHeight, dpiX);
    face.imagePath = doc.bImagePath;
    face.text = doc.bCoverText;
    face.isBackFace = 1;
    face.alignment = AlignLeft; // the track listing's columns read from the left
    face.spineText = doc.backCoverSpineText;
    face.textColor = doc.bCoverTextColor;
    face.font = doc.bCoverTextFont;
    face.printOverSpines = doc.bBackPrintOverSpines != 0;
}

void bindDvdSheet(
    DvdSheetRenderer &sheet, const CoverDocument &doc, const LabelStock &geometry, int dpiX)
{
    sheet.backgroundColor = doc.bBGColor;
    sheet.showBorder = doc.bShowBorder;
    sheet.spinesOn = doc.backCoverSpinesOn;
    sheet.spineWidthPx = inchesToPixels(geometry.backSpineWidth, dpiX);
    sheet.nominalWidth = inchesToPixels(geometry.backWidth, dpiX);
    sheet.nominalHeight = inchesToPixels(geometry.backHeight, dpiX);
    sheet.frontImagePath = doc.fImagePath;
    sheet.backImagePath = doc.bImagePath;
    sheet.sheetImagePath = doc.sImagePath;
    sheet.pictureMode = doc.CoverOption;
    sheet.frontTitle = doc.fCoverTitle;
    sheet.backTitle = doc.bCoverTitle;
    sheet.frontText = doc.fCoverText;
    sheet.backText = doc.bCoverText;
    sheet.alignment = doc.bCoverAlign;
    sheet.spineText = doc.backCoverSpineText;
    sheet.textColor = doc.bCoverTextColor;
    sheet.font = doc.bCoverTextFont;
}

void bindSlimlineSheet(
    SlimlineSheetRenderer &sheet, const CoverDocument &doc, const LabelStock &geometry, int dpiX)
{
    sheet.backgroundColor = doc.bBGColor;
    sheet.showBorder = doc.bShowBorder;
    sheet.spinesOn = doc.backCoverSpinesOn;
    sheet.spineWidthPx = inchesToPixels(geometry.backSpineWidth, dpiX);
    sheet.nominalWidth = inchesToPixels(geometry.backWidth, dpiX);
    sheet.nominalHeight = inchesToPixels(geometry.backHeight, dpiX);
    sheet.imagePath = doc.bImagePath;
    sheet.text = doc.bCoverText;
    sheet.spineText = doc.backCoverSpineText;
    sheet.textColor = doc.bCoverTextColor;
    sheet.font = doc.bCoverTextFont;
    sheet.printOverSpines = doc.bBackPrintOverSpines != 0;
    sheet.flapWidthPx = inchesToPixels(geometry.flapWidth, dpiX);
    sheet.notchWidthPx = inchesToPixels(FaceConstants::kSlimCdNotchWidth, dpiX);
    sheet.notchHeightPx = inchesToPixels(FaceConstants::kSlimCdNotchHeight, dpiX);
}

void bindDisc(DiscRenderer &disc, const CoverDocument &doc, const LabelStock &discRow, int dpiX)
{
    disc.backgroundColor = doc.dBGColor;
    disc.showBorder = doc.dShowBorder;
    disc.printOverInnerCircle = doc.printOverInnerCircleDisc != 0;
    disc.innerCircleDiameterPx = inchesToPixels(discRow.innerCircleDiameter, dpiX);
    disc.nominalWidth = inchesToPixels(discRow.discWidth, dpiX);
    disc.nominalHeight = inchesToPixels(discRow.discHeight, dpiX);
    disc.imagePath = doc.dImagePath;
    disc.title = doc.dCoverTitle;
    disc.text = doc.dCoverText;
    disc.alignment = AlignCenter; // title and text sit round the hub
    disc.textColor = doc.dCoverTextColor;
    disc.font = doc.dCoverTextFont;
}
