#include "FaceFields.h"

#include "CoverTypes.h"

namespace {

template <typename Fields, typename Doc> Fields fieldsOf(Doc &d, Face face)
{
    switch (face) {
    case Face::Front:
        return {.picturePath = d.fImagePath,
            .placement = d.fImagePlacement,
            .background = d.fBGColor,
            .border = d.fShowBorder,
            .alignment = d.fCoverAlign,
            .font = d.fCoverTextFont,
            .textColor = d.fCoverTextColor,
            .pictureExtent = d.bFrontPrintOverSpines};
    case Face::Back:
        return {.picturePath = d.bImagePath,
            .placement = d.bImagePlacement,
            .background = d.bBGColor,
            .border = d.bShowBorder,
            .alignment = d.bCoverAlign,
            .font = d.bCoverTextFont,
            .textColor = d.bCoverTextColor,
            .pictureExtent = d.bBackPrintOverSpines};
    case Face::Disc: break;
    }
    return {.picturePath = d.dImagePath,
        .placement = d.dImagePlacement,
        .background = d.dBGColor,
        .border = d.dShowBorder,
        .alignment = d.dCoverAlign,
        .font = d.dCoverTextFont,
        .textColor = d.dCoverTextColor,
        .pictureExtent = d.printOverInnerCircleDisc};
}

} // namespace

FaceFields faceFields(CoverDocument &doc, Face face)
{
    return fieldsOf<FaceFields>(doc, face);
}

ConstFaceFields faceFields(const CoverDocument &doc, Face face)
{
    return fieldsOf<ConstFaceFields>(doc, face);
}

namespace {
template <typename Doc> auto &shrinkFlag(Doc &d, Face view)
{
    if (view == Face::Disc)
        return d.dShrinkText;
    if (view == Face::Back || isSheetType(d.covertype))
        return d.bShrinkText;
    return d.fShrinkText;
}
} // namespace

bool &shrinkTextOf(CoverDocument &doc, Face view)
{
    return shrinkFlag(doc, view);
}

bool shrinkTextOf(const CoverDocument &doc, Face view)
{
    return shrinkFlag(doc, view);
}
