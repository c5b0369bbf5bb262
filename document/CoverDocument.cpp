#include "CoverDocument.h"

#include "Numbers.h"
#include "UserSettings.h"

void resetDocumentForType(CoverDocument &doc, int32_t coverType, int referenceDpiY)
{
    doc = CoverDocument{};
    doc.covertype = coverType;

    // Front and back titles of a DVD sheet share a smaller panel.
    const int coverPoints = coverType == StandardDVD ? 14 : 18;
    doc.fCoverTextFont.height = -mulDiv(coverPoints, referenceDpiY, 72);
    doc.bCoverTextFont.height = -mulDiv(coverPoints, referenceDpiY, 72);
    doc.dCoverTextFont.height = -mulDiv(12, referenceDpiY, 72);
    doc.fCoverTextFont.setFaceName("Arial");
    doc.bCoverTextFont.setFaceName("Arial");
    doc.dCoverTextFont.setFaceName("Arial");
    // A new cover's titles stand out from the text under them.
    doc.fTitleStyle
        = TitleStyle::forNewCover(doc.fCoverTextFont, doc.fCoverTextColor, referenceDpiY);
    doc.bTitleStyle
        = TitleStyle::forNewCover(doc.bCoverTextFont, doc.bCoverTextColor, referenceDpiY);
    doc.dTitleStyle
        = TitleStyle::forNewCover(doc.dCoverTextFont, doc.dCoverTextColor, referenceDpiY);
    // A new cover keeps its photos' shape.
    for (PicturePlacement *p :
        {&doc.fImagePlacement, &doc.bImagePlacement, &doc.sImagePlacement, &doc.dImagePlacement})
        *p = PicturePlacement::forNewPicture();
}

void resetDocument(CoverDocument &doc, int referenceDpiY)
{
    UserSettings settings;
    resetDocumentForType(doc, static_cast<int32_t>(settings.Option), referenceDpiY);
}
