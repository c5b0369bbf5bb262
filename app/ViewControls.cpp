#include "ViewControls.h"

#include "document/FaceFields.h"

namespace {

bool isDvd(int32_t type)
{
    return type == StandardDVD || type == SlimlineDVD;
}

ViewControls::Preview coverPreview(int32_t type, Face view)
{
    using P = ViewControls::Preview;
    if (view == Face::Disc)
        return P::Disc;
    if (isDvd(type))
        return P::DvdSheet;
    if (type == SlimlineCD)
        return P::SlimlineSheet;
    return view == Face::Front ? P::CdFront : P::CdBack;
}

} // namespace

ViewControls viewControls(const CoverDocument &doc, Face view, bool hasGeometry)
{
    const int32_t type = doc.covertype;
    const ConstFaceFields face = faceFields(doc, view);
    ViewControls c;
    c.preview = hasGeometry ? coverPreview(type, view) : ViewControls::Preview::None;
    c.clearImageShown = !face.picturePath.isEmpty();
    c.bordersTicked = face.border;
    c.chooseImageText = isDvd(type) && view == Face::Back ? QStringLiteral("Choose Images")
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
            = isDvd(type) ? QStringLiteral("Cover Text") : QStringLiteral("Track Listing");
        c.extentText = type == StandardCD ? QStringLiteral("Extend image over spines?")
            : type == SlimlineCD          ? QStringLiteral("Extend image over spine?")
                                          : QStringLiteral("Print Spine?");
        c.extentTicked = isDvd(type) ? doc.backCoverSpinesOn : doc.bBackPrintOverSpines != 0;
        break;
    case Face::Disc:
        c.alignmentTicked = doc.dCoverAlign;
        c.textsButtonText = QStringLiteral("Disc Text");
        c.extentText = QStringLiteral("Print full face?");
        c.extentTicked = doc.printOverInnerCircleDisc != 0;
        break;
    }
    return c;
}
