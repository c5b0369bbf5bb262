// A listing whose cells mix Windows-1252 and UTF-8 draws on the CD back and
// the slimline CD sheet exactly as the same listing stored all in UTF-8.
#include "document/CoverDocument.h"
#include "print/CoverFaces.h"
#include "print/FileExport.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kMixed = "[DELIM]1.[/DELIM][DELIM]Caf\xe9 & Co[/DELIM][DELIM]3:00[/DELIM]\n\r"
                          "[DELIM]2.[/DELIM][DELIM]\xce\xa9mega[/DELIM][DELIM]4:00[/DELIM]\n\r";
const QByteArray kUtf8 = "[DELIM]1.[/DELIM][DELIM]Caf\xc3\xa9 & Co[/DELIM][DELIM]3:00[/DELIM]\n\r"
                         "[DELIM]2.[/DELIM][DELIM]\xce\xa9mega[/DELIM][DELIM]4:00[/DELIM]\n\r";

// The face that holds the listing (the CD back, the slimline sheet) at 300 dpi.
QImage listingFace(int32_t coverType, const QByteArray &listing)
{
    CoverDocument doc;
    resetDocumentForType(doc, coverType, 96);
    doc.bCoverText = listing;
    const CoverFaces faces = *CoverFaces::onPlainPaper(coverType);
    return renderFaceImage(doc, faces, *faces.forView(Face::Back), 300, DrawTarget::file(96));
}

} // namespace

TEST(StoredListingRendering, MixedCellsDrawAsTheListingAllInUtf8)
{
    for (int32_t type : {StandardCD, SlimlineCD}) {
        const QImage mixed = listingFace(type, kMixed);
        EXPECT_EQ(mixed, listingFace(type, kUtf8)) << type;
        // The whole listing read as one would garble the second title.
        EXPECT_NE(
            mixed, listingFace(type, QByteArray(kUtf8).replace("\xce\xa9", "\xc3\x8e\xc2\xa9")))
            << type;
    }
}
