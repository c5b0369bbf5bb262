#include "FaceFields.h"

namespace {

template <typename Fields, typename Doc> Fields fieldsOf(Doc &d, Face face)
{
    switch (face) {
    case Face::Front:
        return {d.fImagePath, d.fBGColor, d.fShowBorder, d.fCoverAlign, d.fCoverTextFont,
            d.fCoverTextColor, d.bFrontPrintOverSpines};
    case Face::Back:
        return {d.bImagePath, d.bBGColor, d.bShowBorder, d.bCoverAlign, d.bCoverTextFont,
            d.bCoverTextColor, d.bBackPrintOverSpines};
    case Face::Disc: break;
    }
    return {d.dImagePath, d.dBGColor, d.dShowBorder, d.dCoverAlign, d.dCoverTextFont,
        d.dCoverTextColor, d.printOverInnerCircleDisc};
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
