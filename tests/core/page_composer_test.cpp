#include "document/CoverDocument.h"
#include "print/LabelStock.h"
#include "print/PageComposer.h"
#include "render/CdFaceRenderer.h"
#include "render/DiscRenderer.h"
#include "tests/support/BoundFace.h"
#include "tests/support/FaceRendering.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace testsupport;

TEST(Placement, PhysicalOffsetsAndTruncation)
{
    // 0.25 inch offsets at 600 dpi: the standard CD front at (0.5, 0.5).
    const PageDevice printer{600, 150, 150};
    const LabelStock row = baseLabelStock(StockRow::PlainStandardCD);
    const QRect front
        = placeFace(printer, row.frontTop, row.frontLeft, row.frontWidth, row.frontHeight);
    EXPECT_EQ(front, QRect(QPoint(150, 150), QPoint(2991 - 1, 2991 - 1)));
    const QRect back = placeFace(printer, row.backTop, row.backLeft, row.backWidth, row.backHeight);
    EXPECT_EQ(back.left(), 150);
    EXPECT_EQ(back.top(), int(600 * 5.48) - 150);
    EXPECT_EQ(back.x() + back.width(), int(150 + 600 * 5.925));
}

TEST(Placement, CloserToTheEdgeThanThePrintableAreaMovesToItsEdge)
{
    // The PC Line top label's left edge at 0.38 inch, a 0.5 inch offset.
    const LabelStock row = baseLabelStock(StockRow::PCLineA4);
    const QRect r
        = placeFace({600, 300, 300}, row.discATop, row.discALeft, row.discWidth, row.discHeight);
    EXPECT_EQ(r.left(), 0);
    EXPECT_EQ(r.width(), int(600 * 4.673)); // moved, not shrunk
    EXPECT_EQ(r.top(), int(600 * 0.983 - 300));
    // Clamped before truncation: the fraction of the size survives.
    const QRect f = placeFace({100, 50, 0}, 0, 0.1, 1.234, 1);
    EXPECT_EQ(f, QRect(0, 0, 123, 100));
}

TEST(Placement, BottomAveryLabel)
{
    const LabelStock avery = baseLabelStock(StockRow::AveryLetter);
    const PlacedFace bottom = discPageLayout({600, 0, 0}, avery, DiscLabelPosition::Bottom).at(0);
    EXPECT_EQ(bottom.rect.top(), int(5.6875 * 600));
    EXPECT_EQ(bottom.rect.left(), int(1.9375 * 600));
    // Ends at trunc(3412.5 + 2791.8): one pixel more than the nominal height.
    EXPECT_EQ(bottom.rect.size(), QSize(2775, 2792));
    const PlacedFace top = discPageLayout({600, 0, 0}, avery, DiscLabelPosition::Top).at(0);
    EXPECT_EQ(top.rect.top(), int(0.6875 * 600));
}

TEST(CoversLayout, FacesPerCoverType)
{
    const PageDevice pdf{600, 0, 0};
    struct Case {
        int32_t type;
        QList<Face> faces;
        QRect first;
    } cases[] = {
        {StandardCD, {Face::Front, Face::Back}, QRect(300, 300, 2841, 2841)},
        {SlimlineCD, {Face::Back}, QRect(150, 150, 3685, 2858)},
        {StandardDVD, {Face::Back}, QRect(60, 60, 6438, 4320)},
        {SlimlineDVD, {Face::Back}, QRect(120, 120, 6336, 4320)},
        {Other, {}, QRect()},
    };
    for (const Case &c : cases) {
        const auto row = plainRowForCoverType(c.type);
        const LabelStock stock = row ? baseLabelStock(*row) : LabelStock{};
        const QList<PlacedFace> faces = coversPageLayout(pdf, c.type, stock);
        QList<Face> kinds;
        for (const PlacedFace &f : faces)
            kinds << f.face;
        EXPECT_EQ(kinds, c.faces) << c.type;
        if (!faces.isEmpty())
            EXPECT_EQ(faces.first().rect, c.first) << c.type;
    }
}

TEST(PageFormat, SheetAndOrientation)
{
    EXPECT_EQ(pageSizeForPaperCode(kPaperLetter).id(), QPageSize::Letter);
    EXPECT_EQ(pageSizeForPaperCode(kPaperA4).id(), QPageSize::A4);
    EXPECT_EQ(pageOrientation(true, StandardDVD), QPageLayout::Landscape);
    EXPECT_EQ(pageOrientation(true, SlimlineDVD), QPageLayout::Landscape);
    EXPECT_EQ(pageOrientation(true, StandardCD), QPageLayout::Portrait);
    EXPECT_EQ(pageOrientation(false, StandardDVD), QPageLayout::Portrait);
    EXPECT_EQ(pageOrientation(false, StandardDVD, QPageLayout::Landscape), QPageLayout::Landscape);
}

TEST(CoversPage, DrawsEveryFaceAtItsPlaceAndTheBackLeftAligned)
{
    // A4 at 100 dpi: 827 x 1169.
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.bCoverAlign = AlignRight;
    doc.fBGColor = 0x000000FF;
    doc.bBGColor = 0x0000FF00;
    const LabelStock row = baseLabelStock(StockRow::PlainStandardCD);
    CoversPageInput input{&doc, row, row, 96};
    const PageDevice device{100, 0, 0};
    QList<PlacedFace> placed;
    const RenderedFace page = renderOnCanvas(QSize(827, 1169), 100, QRect(),
        [&](DeviceContext &dc, const QRect &) { placed = drawCoversPage(dc, device, input); });
    ASSERT_EQ(placed.size(), 2);
    EXPECT_EQ(placed[0].rect, QRect(50, 50, 473, 473));
    EXPECT_EQ(placed[1].rect, QRect(50, 548, 592, 462));
    // The back's boxes are drawn flush left; the document keeps its choice.
    const QList<TextDrawCall> boxes = page.boxes();
    ASSERT_FALSE(boxes.isEmpty());
    const auto backBox = std::find_if(
        boxes.begin(), boxes.end(), [](const TextDrawCall &c) { return c.box.top() >= 548; });
    ASSERT_NE(backBox, boxes.end());
    EXPECT_EQ(backBox->format, AlignLeft);
    EXPECT_EQ(doc.bCoverAlign, AlignRight);
    // Outlines at the rectangles' edges, colours inside, paper around.
    EXPECT_TRUE(allColor(page.image, QRect(50, 50, 473, 1), Qt::black));
    EXPECT_TRUE(allColor(page.image, QRect(51, 51, 471, 471), QColor(255, 0, 0)));
    EXPECT_TRUE(allColor(page.image, QRect(51 + 25, 549, 200, 200), QColor(0, 255, 0)));
    EXPECT_TRUE(allColor(page.image, QRect(0, 0, 827, 50), Qt::white));
    EXPECT_TRUE(allColor(page.image, QRect(0, 1010, 827, 159), Qt::white));
}

TEST(CoversPage, FontsAreTakenAtTheReferenceResolution)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.fCoverText = "x";
    const LabelStock row = baseLabelStock(StockRow::PlainStandardCD);
    const RenderedFace page
        = renderOnCanvas(QSize(827, 1169), 100, QRect(), [&](DeviceContext &dc, const QRect &) {
              drawCoversPage(dc, {100, 0, 0}, {&doc, row, row, 72});
          });
    const QList<TextDrawCall> boxes = page.boxes();
    ASSERT_GE(boxes.size(), 2);
    EXPECT_EQ(boxes[1].box.left(), 50 + 10); // the 0.1 inch inset at 100 dpi
    EXPECT_EQ(boxes[1].pixelSize, 33); // 18 points (stored at 96) taken at 72: 24 points at 100 dpi
}

TEST(DiscPage, DrawsTheDiscCentredAndUsesTheStockRow)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.dCoverAlign = AlignLeft;
    doc.dCoverText = "x";
    doc.dBGColor = 0x00FF0000;
    const LabelStock neato = baseLabelStock(StockRow::NeatoA4);
    PlacedFace placed;
    const RenderedFace page = renderOnCanvas(
        QSize(827, 1169), 100, QRect(), [&](DeviceContext &dc, const QRect &) {
            placed
                = drawDiscPage(dc, {100, 0, 0}, {&doc, neato, DiscLabelPosition::Bottom, 96}).at(0);
        });
    EXPECT_EQ(doc.dCoverAlign, AlignLeft); // only read
    EXPECT_EQ(placed.rect, QRect(179, 606, 469, 468));
    EXPECT_EQ(page.boxes().last().format, AlignCenter);
    const QPoint centre = placed.rect.center();
    EXPECT_TRUE(sameColor(page.image.pixel(centre.x(), placed.rect.top() + 40), QColor(0, 0, 255)));
}

TEST(FaceBinding, FieldsOfEachFaceAndTheFixedAlignments)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.bCoverTitle = "back title";
    doc.bCoverAlign = AlignCenter;
    doc.fCoverTitle = "front title";
    doc.fCoverAlign = AlignRight;
    doc.bFrontPrintOverSpines = 0;
    const LabelStock row = baseLabelStock(StockRow::PlainStandardCD);
    const CoverDocument before = doc;
    const auto back = testsupport::boundFace<CdFaceRenderer>(doc, FaceKind::CdBack, row, 96);
    EXPECT_EQ(back.alignment, AlignLeft);
    EXPECT_TRUE(back.title.isEmpty());
    EXPECT_EQ(back.isBackFace, 1);
    const auto front = testsupport::boundFace<CdFaceRenderer>(doc, FaceKind::CdFront, row, 96);
    EXPECT_EQ(front.title, QByteArray("front title"));
    EXPECT_EQ(front.alignment, AlignRight);
    EXPECT_FALSE(front.printOverSpines);
    EXPECT_EQ(front.isBackFace, 0);
    doc.dCoverAlign = AlignRight;
    const auto disc = testsupport::boundFace<DiscRenderer>(doc, FaceKind::Disc, row, 96);
    EXPECT_EQ(disc.alignment, AlignCenter);
    EXPECT_EQ(doc.dCoverAlign, AlignRight);
    doc.dCoverAlign = before.dCoverAlign;
    EXPECT_EQ(doc, before); // binding never writes the document
}
