// The new-cover defaults and the track-listing encoding.
#include "document/CoverDocument.h"
#include "document/TrackListing.h"
#include "document/UserSettings.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

void storeCoverType(uint32_t type)
{
    UserSettings s;
    s.Option = type;
    s.save();
}

} // namespace

TEST(CoverDocumentReset, NewCoverDefaults)
{
    clearSettings();
    CoverDocument doc;
    doc.fCoverTitle = "left over";
    doc.dImagePath = "/x.png";
    doc.fCoverTextFont.width = 9;
    doc.fCoverTextFont.charSet = 2;
    doc.bCoverAlign = AlignRight;
    doc.frontCoverSpinesOn = true;
    resetDocument(doc);

    EXPECT_EQ(doc.covertype, StandardCD); // no stored type
    EXPECT_EQ(doc.fBGColor, 0xFFFFFFu);
    EXPECT_EQ(doc.bBGColor, 0xFFFFFFu);
    EXPECT_EQ(doc.dBGColor, 0xFFFFFFu);
    EXPECT_TRUE(doc.fShowBorder && doc.bShowBorder && doc.dShowBorder);
    EXPECT_EQ(doc.CoverOption, StretchedImage);
    EXPECT_TRUE(doc.fImagePath.isEmpty() && doc.bImagePath.isEmpty() && doc.sImagePath.isEmpty()
        && doc.dImagePath.isEmpty());
    EXPECT_EQ(doc.fCoverAlign, AlignLeft);
    EXPECT_EQ(doc.bCoverAlign, AlignLeft);
    EXPECT_EQ(doc.dCoverAlign, AlignCenter);
    EXPECT_TRUE(doc.fCoverTitle.isEmpty() && doc.fCoverText.isEmpty()
        && doc.frontCoverSpineText.isEmpty() && doc.backCoverSpineText.isEmpty());
    EXPECT_EQ(doc.fCoverTextColor, 0u);
    EXPECT_EQ(doc.bFrontPrintOverSpines, 1);
    EXPECT_EQ(doc.bBackPrintOverSpines, 1);
    EXPECT_EQ(doc.printOverInnerCircleDisc, 1);
    EXPECT_FALSE(doc.frontCoverSpinesOn);
    EXPECT_TRUE(doc.backCoverSpinesOn);
    for (const LogFont *f : {&doc.fCoverTextFont, &doc.bCoverTextFont, &doc.dCoverTextFont}) {
        LogFont expected;
        expected.height = f->height;
        expected.faceName = "Arial";
        EXPECT_EQ(*f, expected); // every other member zero
    }
    EXPECT_EQ(doc.fCoverTextFont.height, -24);
    EXPECT_EQ(doc.dCoverTextFont.height, -16);
}

TEST(CoverDocumentReset, FontSizesFollowTheStoredCoverType)
{
    const struct {
        uint32_t stored;
        int dpi;
        int coverHeight, discHeight;
    } rows[] = {
        {1, 96, -24, -16},
        {2, 96, -19, -16},
        {3, 96, -24, -16},
        {4, 96, -24, -16},
        {5, 96, -24, -16},
        {2, 120, -23, -20},
        {1, 120, -30, -20},
        {7, 96, -24, -16},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.stored << " at " << row.dpi);
        clearSettings();
        storeCoverType(row.stored);
        CoverDocument doc;
        resetDocument(doc, row.dpi);
        EXPECT_EQ(doc.covertype, int32_t(row.stored)); // used unchanged
        EXPECT_EQ(doc.fCoverTextFont.height, row.coverHeight);
        EXPECT_EQ(doc.bCoverTextFont.height, row.coverHeight);
        EXPECT_EQ(doc.dCoverTextFont.height, row.discHeight);
    }
    clearSettings();
}

TEST(TrackListingEncoding, Reading)
{
    const struct {
        const char *what;
        QByteArray encoded;
        QList<TrackRow> rows;
    } cases[] = {
        {"empty", "", {}},
        {"no markers", "just text\r\n", {}},
        {"one full row", "[DELIM]1.[/DELIM][DELIM]Intro[/DELIM][DELIM]3:45[/DELIM]\n\r",
            {{"1.", "Intro", "3:45"}}},
        {"a fourth cell starts a row",
            "[DELIM]a[/DELIM][DELIM]b[/DELIM][DELIM]c[/DELIM][DELIM]d[/DELIM]",
            {{"a", "b", "c"}, {"d"}}},
        {"no closing marker", "x[DELIM]runs to the end", {{"runs to the end"}}},
        {"text outside the markers", "A[DELIM]1[/DELIM]B\n\r[DELIM]2[/DELIM]C", {{"1", "2"}}},
        {"line breaks inside a cell", "[DELIM]two\r\nlines[/DELIM]", {{"two\r\nlines"}}},
        {"empty cells", "[DELIM][/DELIM][DELIM][/DELIM]", {{"", ""}}},
        {"a missing close takes the next one", "[DELIM]a[DELIM]b[/DELIM]", {{"a[DELIM]b", "b"}}},
        {"stray closing markers", "[/DELIM][DELIM]a[/DELIM][/DELIM]", {{"a"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readTrackListing(c.encoded), c.rows);
    }
}

TEST(TrackListingEncoding, WritingAndReadingBack)
{
    const QList<TrackRow> rows = {{"1.", "Intro", "3:45"}, {"2.", "Caf\xc3\xa9", "10:01"}};
    const QByteArray encoded = writeTrackListing(rows);
    EXPECT_EQ(encoded,
        "[DELIM]1.[/DELIM][DELIM]Intro[/DELIM][DELIM]3:45[/DELIM]\n\r"
        "[DELIM]2.[/DELIM][DELIM]Caf\xc3\xa9[/DELIM][DELIM]10:01[/DELIM]\n\r");
    EXPECT_EQ(readTrackListing(encoded), rows);
    EXPECT_EQ(writeTrackListing({}), "");
}
