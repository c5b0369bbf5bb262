#include "ViewControls.h"

#include "document/CoverTypes.h"
#include "document/FaceFields.h"

ViewControls viewControls(const CoverDocument &doc, Face view)
{
    const int32_t type = doc.covertype;
    const ConstFaceFields face = faceFields(doc, view);
    ViewControls c;
    c.clearImageShown = !face.picturePath.isEmpty();
    c.bordersTicked = face.border;
    c.shrinkTicked = shrinkTextOf(doc, view);
    c.chooseImageText = isDvdType(type) && view == Face::Back ? QStringLiteral("Choose Images")
                                                              : QStringLiteral("Choose Image");
    switch (view) {
    case Face::Front:
        c.alignmentRowShown = true;
        c.alignmentTicked = doc.fCoverAlign;
        c.textsButtonText = QStringLiteral("Cover Text");
        c.extentShown = false;
        c.extentTicked = doc.bFrontPrintOverSpines != 0;
        break;
    case Face::Back:
        // The CD back is always left-aligned and the slimline CD sheet has
        // no alignment: their row stays hidden.
        c.alignmentRowShown = type != StandardCD && type != SlimlineCD;
        c.alignmentTicked = doc.bCoverAlign;
        // The back of a DVD sheet opens the cover text, not a track listing.
        c.textsButtonText
            = isDvdType(type) ? QStringLiteral("Cover Text") : QStringLiteral("Track Listing");
        c.extentText = type == StandardCD ? QStringLiteral("Extend image over spines?")
            : type == SlimlineCD          ? QStringLiteral("Extend image over spine?")
                                          : QStringLiteral("Print Spine?");
        c.extentTicked = isDvdType(type) ? doc.backCoverSpinesOn : doc.bBackPrintOverSpines != 0;
        break;
    case Face::Disc:
        // Straight, the disc's text is always centred; along the edge the
        // alignment moves it along its arc.
        c.alignmentRowShown = doc.dCurvedText;
        c.curvedShown = true;
        c.curvedTicked = doc.dCurvedText;
        c.alignmentTicked = doc.dCoverAlign;
        c.textsButtonText = QStringLiteral("Disc Text");
        c.extentText = QStringLiteral("Print full face?");
        c.extentTicked = doc.printOverInnerCircleDisc != 0;
        break;
    }
    return c;
}
