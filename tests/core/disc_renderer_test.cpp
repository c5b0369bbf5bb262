#include "document/CoverDocument.h"
#include "print/LabelStock.h"
#include "render/DiscRenderer.h"
#include "tests/support/BoundFace.h"
#include "tests/support/FaceRendering.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QColor kBlack(Qt::black);
const QColor kWhite(Qt::white);
const QColor kRed(255, 0, 0);

DiscRenderer discFor(CoverDocument &doc, StockRow row, int dpi)
{
    DiscRenderer disc
        = testsupport::boundFace<DiscRenderer>(doc, FaceKind::Disc, baseLabelStock(row), dpi);
    return disc;
}

CoverDocument redDisc()
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.dBGColor = 0x000000FF;
    return doc;
}

// Pixels strictly inside the circle of `diameter` around `centre`, `margin`
// pixels in from its edge.
QList<QPoint> insideCircle(QPoint centre, int diameter, int margin)
{
    QList<QPoint> points;
    const double r = diameter / 2.0 - margin;
    for (int y = int(-r); y <= int(r); ++y)
        for (int x = int(-r); x <= int(r); ++x)
            if (x * x + y * y <= r * r)
                points.append(centre + QPoint(x, y));
    return points;
}

} // namespace

TEST(DiscGeometry, BoxHubAndTextBoxesAt96Dpi)
{
    CoverDocument doc = redDisc();
    doc.dCoverTitle = "Title";
    doc.dCoverText = "Text";
    DiscRenderer disc = discFor(doc, StockRow::PlainStandardCD, 96);
    EXPECT_EQ(disc.nominalWidth, 449);
    EXPECT_EQ(disc.nominalHeight, 449);
    EXPECT_EQ(disc.innerCircleDiameterPx, 77);
    const RenderedFace out = printFace(disc, 96);
    const QList<TextDrawCall> boxes = out.boxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0].box, QRect(QPoint(0, 52), QPoint(448, 448)));
    EXPECT_EQ(boxes[1].box, QRect(QPoint(0, 224 + 38 + 10), QPoint(448, 448)));
    EXPECT_EQ(boxes[0].format, AlignCenter);
    EXPECT_EQ(boxes[1].format, AlignCenter);
}

TEST(DiscGeometry, TheTextStartsBelowTheHubWhateverTheTitleHolds)
{
    CoverDocument doc = redDisc();
    doc.dCoverTitle = "one\rtwo\rthree\rfour";
    doc.dCoverText = "x";
    DiscRenderer disc = discFor(doc, StockRow::PlainStandardCD, 600);
    const QList<TextDrawCall> boxes = printFace(disc, 600).boxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(disc.innerCircleDiameterPx, 486);
    EXPECT_EQ(disc.nominalHeight, 2810);
    EXPECT_EQ(boxes[1].box.top(), 2810 / 2 + 486 / 2 + 10);
}

TEST(DiscGeometry, ALargeHubMovesTheTitleUpButNotOffTheDisc)
{
    struct Case {
        StockRow row;
        int hub; // 0: the row's own
        int expectedTop;
    } cases[] = {
        // 449 x 0.4 - 77 x 1.65 = 52: the formula holds for the plain-paper hub.
        {StockRow::PlainStandardCD, 0, 52},
        // A 41 mm hub (154 px) would give trunc(446 x 0.4 - 154 x 1.65) = -75,
        // above the disc: the title stays a tenth of the disc down instead.
        {StockRow::AveryLetter, int(41 * 0.0393700787 * 96), 44},
        {StockRow::NeatoA4, 0, 45},
        // PC Line's small hub: trunc(448 x 0.4 - 74 x 1.65) = 57.
        {StockRow::PCLineA4, 0, 57},
    };
    for (const Case &c : cases) {
        CoverDocument doc = redDisc();
        doc.dCoverTitle = "T";
        doc.dShowBorder = false;
        DiscRenderer disc = discFor(doc, c.row, 96);
        if (c.hub)
            disc.innerCircleDiameterPx = c.hub;
        const RenderedFace out = printFace(disc, 96);
        const QList<TextDrawCall> boxes = out.boxes();
        ASSERT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes[0].box.top(), c.expectedTop) << int(c.row);
        // The title shows (the only black on a red disc without outlines).
        EXPECT_GT(countColor(out.image, QRect(0, 0, disc.nominalWidth, disc.nominalHeight / 2),
                      kBlack, 80),
            10);
    }
}

TEST(DiscHub, WhiteUnlessPrintedOver)
{
    for (bool border : {true, false}) {
        CoverDocument doc = redDisc();
        doc.dShowBorder = border;
        doc.printOverInnerCircleDisc = 0;
        DiscRenderer disc = discFor(doc, StockRow::PlainStandardCD, 96);
        RenderedFace out = printFace(disc, 96);
        for (const QPoint &p : insideCircle(QPoint(224, 224), 77, 2))
            ASSERT_TRUE(sameColor(out.image.pixel(p), kWhite)) << p.x() << "," << p.y();
        EXPECT_TRUE(sameColor(out.image.pixel(224, 224 + 45), kRed));

        doc.printOverInnerCircleDisc = 1;
        disc = discFor(doc, StockRow::PlainStandardCD, 96);
        out = printFace(disc, 96);
        const long red = countColor(out.image, QRect(224 - 36, 224 - 36, 73, 73), kRed);
        if (border) {
            // Only the hub's outline marks it.
            EXPECT_GT(countColor(out.image, QRect(224 - 40, 224 - 40, 81, 81), kBlack), 100);
        } else {
            // Nothing marks the hub: the colour runs through the centre.
            EXPECT_EQ(red, 73L * 73);
        }
    }
}

TEST(DiscOutline, EllipseInsideTheBoxAndCornersUntouched)
{
    CoverDocument doc = redDisc();
    DiscRenderer disc = discFor(doc, StockRow::PlainStandardCD, 96);
    const RenderedFace out = printFace(disc, 96, Qt::gray);
    const QImage &img = out.image;
    EXPECT_TRUE(sameColor(img.pixel(0, 0), QColor(Qt::gray)));
    EXPECT_TRUE(sameColor(img.pixel(448, 448), QColor(Qt::gray)));
    EXPECT_TRUE(sameColor(img.pixel(224, 100), kRed));
    // The outline covers 0 .. 447 (the box less one pixel), so it touches
    // the top and left edges but not the bottom and right rows.
    EXPECT_FALSE(inkBounds(img, QRect(0, 0, 449, 1), Qt::gray, 0).isNull());
    EXPECT_TRUE(countColor(img, QRect(0, 0, 449, 3), kBlack) > 0);
    EXPECT_EQ(countColor(img, QRect(0, 448, 449, 1), kBlack), 0);
    EXPECT_EQ(countColor(img, QRect(448, 0, 1, 449), kBlack), 0);

    doc.dShowBorder = false;
    DiscRenderer plain = discFor(doc, StockRow::PlainStandardCD, 96);
    EXPECT_EQ(countColor(printFace(plain, 96).image, QRect(0, 0, 449, 449), kBlack), 0);
}

TEST(DiscText, ClippedByTheDiscEdge)
{
    CoverDocument doc = redDisc();
    doc.dShowBorder = false;
    doc.dCoverText = "\r\r\r\r\rMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM";
    DiscRenderer disc = discFor(doc, StockRow::PlainStandardCD, 96);
    const RenderedFace out = printFace(disc, 96, Qt::gray);
    // The line would run across the whole box; outside the disc the canvas stays.
    long outside = 0, touched = 0;
    for (int y = 0; y < 449; ++y)
        for (int x = 0; x < 449; ++x) {
            const double dx = x + 0.5 - 224.5, dy = y + 0.5 - 224.5;
            if (dx * dx + dy * dy > 226.0 * 226.0) {
                ++outside;
                if (!sameColor(out.image.pixel(x, y), QColor(Qt::gray)))
                    ++touched;
            }
        }
    EXPECT_GT(outside, 40000);
    EXPECT_EQ(touched, 0);
    EXPECT_GT(countColor(out.image, QRect(0, 272, 449, 177), kBlack, 60), 100);
}

TEST(DiscBinding, StockRowGivesSizeAndHub)
{
    CoverDocument doc = redDisc();
    const DiscRenderer neato = discFor(doc, StockRow::NeatoA4, 600);
    EXPECT_EQ(neato.nominalWidth, 2814);
    EXPECT_EQ(neato.nominalHeight, 2813);
    EXPECT_EQ(neato.innerCircleDiameterPx, 961);
    const DiscRenderer avery = discFor(doc, StockRow::AveryLetter, 600);
    EXPECT_EQ(avery.nominalWidth, 2775);
    EXPECT_EQ(avery.nominalHeight, 2791);
}
