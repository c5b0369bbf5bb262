#include "document/CoverDocument.h"
#include "print/LabelStock.h"
#include "render/CdFaceRenderer.h"
#include "tests/support/BoundFace.h"
#include "tests/support/FaceRendering.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QColor kBlack(Qt::black);
const QColor kWhite(Qt::white);

CoverDocument blankCd()
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    return doc;
}

CdFaceRenderer frontFace(const CoverDocument &doc, int dpi)
{
    CdFaceRenderer face = testsupport::boundFace<CdFaceRenderer>(
        doc, FaceKind::CdFront, baseLabelStock(StockRow::PlainStandardCD), dpi);
    return face;
}

CdFaceRenderer backFace(CoverDocument &doc, int dpi)
{
    CdFaceRenderer face = testsupport::boundFace<CdFaceRenderer>(
        doc, FaceKind::CdBack, baseLabelStock(StockRow::PlainStandardCD), dpi);
    return face;
}

int lineHeightOf(int pixelSize, int dpi)
{
    LogFont record;
    record.setFaceName("Arial");
    const QFont font = fontFromLogFont(record, -pixelSize);
    QImage probe = makeCanvas(1, 1, dpi);
    return QFontMetrics(font, &probe).height();
}

} // namespace

TEST(CdFaceGeometry, FaceAndSpineSizesAt96And600Dpi)
{
    CoverDocument doc = blankCd();
    struct Case {
        int dpi;
        int front;
        int backW, backH, spine;
    } cases[] = {{96, 454, 568, 444, 24}, {600, 2841, 3555, 2775, 150}};
    for (const Case &c : cases) {
        const CdFaceRenderer front = frontFace(doc, c.dpi);
        EXPECT_EQ(front.nominalWidth, c.front);
        EXPECT_EQ(front.nominalHeight, c.front);
        EXPECT_EQ(front.spineWidthPx, 0);
        const CdFaceRenderer back = backFace(doc, c.dpi);
        EXPECT_EQ(back.nominalWidth, c.backW);
        EXPECT_EQ(back.nominalHeight, c.backH);
        EXPECT_EQ(back.spineWidthPx, c.spine);
    }
}

TEST(CdFaceOutlines, BackFaceWithSpinesAt96And600Dpi)
{
    for (int dpi : {96, 600}) {
        CoverDocument doc = blankCd();
        CdFaceRenderer back = backFace(doc, dpi);
        const RenderedFace out = printFace(back, dpi);
        const int w = back.nominalWidth;
        const int s = back.spineWidthPx;
        // Face outline, the left spine strip (0 .. s) and the panel (s .. w-s-1).
        EXPECT_EQ(fullBlackColumns(out.image), QList<int>({0, s, w - s - 1, w - 1})) << dpi;
        EXPECT_TRUE(allColor(out.image, QRect(0, 0, w, 1), kBlack));
        EXPECT_TRUE(allColor(out.image, QRect(0, back.nominalHeight - 1, w, 1), kBlack));
        EXPECT_TRUE(allColor(out.image, QRect(1, 1, s - 1, back.nominalHeight - 2), kWhite));
    }
}

TEST(CdFaceOutlines, SpinesNeedTheBorderAndTheFrontHasOnlyItsOutline)
{
    CoverDocument doc = blankCd();
    CdFaceRenderer back = backFace(doc, 96);
    back.showBorder = false;
    EXPECT_EQ(countColor(printFace(back, 96).image, QRect(0, 0, 568, 444), kBlack), 0);

    back.showBorder = true;
    back.spinesOn = false;
    EXPECT_EQ(fullBlackColumns(printFace(back, 96).image), QList<int>({0, 567}));

    // The front's spines are 0 wide: on, they collapse onto the face outline.
    doc.frontCoverSpinesOn = true;
    CdFaceRenderer front = frontFace(doc, 96);
    EXPECT_EQ(fullBlackColumns(printFace(front, 96).image), QList<int>({0, 453}));
}

TEST(CdFaceOutlines, PreviewScaleShrinksTheSpines)
{
    CoverDocument doc = blankCd();
    CdFaceRenderer back = backFace(doc, 96);
    const DrawTarget screen = DrawTarget::screen(96, 284.0 / 568, 222.0 / 444);
    const RenderedFace out = renderOnCanvas(QSize(284, 222), 96, QRect(0, 0, 284, 222),
        [&](DeviceContext &dc, const QRect &r) { back.Render(dc, r, screen); });
    EXPECT_EQ(fullBlackColumns(out.image), QList<int>({0, 12, 271, 283}));
}

TEST(CdFaceText, BackFaceTextBoxSitsBetweenTheSpines)
{
    // 96 dpi, 24-pixel spines: 9 + 24 from the left, 24 + 7 from the right,
    // 9 from the top.
    CoverDocument doc = blankCd();
    doc.bCoverText = "[DELIM]1[/DELIM][DELIM]Intro[/DELIM][DELIM]1:00[/DELIM]\n\r";
    CdFaceRenderer back = backFace(doc, 96);
    const RenderedFace out = printFace(back, 96);
    const QList<TextDrawCall> boxes = out.boxes();
    ASSERT_EQ(boxes.size(), 4); // title, then three columns
    const QRect t(QPoint(9 + 24, 9), QPoint(568 - 24 - 7 - 1, 444 - 1));
    EXPECT_EQ(boxes[0].box, t);
    EXPECT_TRUE(boxes[0].text.isEmpty()); // the back never shows a title
    EXPECT_EQ(boxes[1].box, t);
    EXPECT_EQ(boxes[1].format, 0);
    EXPECT_EQ(boxes[3].box, t);
    EXPECT_EQ(boxes[3].format, 2);
    EXPECT_EQ(boxes[1].text, QStringLiteral("1\r"));
    EXPECT_EQ(boxes[2].text, QStringLiteral("Intro\r"));
    EXPECT_EQ(boxes[3].text, QStringLiteral("1:00\r"));
}

TEST(CdFaceText, FrontTextBoxAndInsetsAt600Dpi)
{
    CoverDocument doc = blankCd();
    doc.fCoverText = "text";
    CdFaceRenderer front = frontFace(doc, 600);
    const RenderedFace out = printFace(front, 600);
    const QList<TextDrawCall> boxes = out.boxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].box, QRect(QPoint(60, 60), QPoint(2841 - 60 - 1, 2841 - 1)));
}

TEST(CdFaceText, TitlePushesTheTextDownByOneLetterHeightWhateverItHolds)
{
    for (const char *title : {"One line", "Three\rlines\rof title", "A\r\nB"}) {
        CoverDocument doc = blankCd();
        doc.fCoverTitle = title;
        doc.fCoverText = "body";
        doc.fCoverAlign = AlignRight;
        doc.fTitleStyle = {}; // drawn like the text, as covers before title styles
        CdFaceRenderer front = frontFace(doc, 96);
        const QList<TextDrawCall> boxes = printFace(front, 96).boxes();
        ASSERT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes[0].box.top(), 9);
        EXPECT_EQ(boxes[1].box.top(), 9 + lineHeightOf(24, 96)) << title; // 18 pt at 96 dpi
        EXPECT_EQ(boxes[0].format, AlignRight);
        EXPECT_EQ(boxes[1].format, AlignRight);
    }
    CoverDocument doc = blankCd();
    doc.fCoverText = "body";
    CdFaceRenderer front = frontFace(doc, 96);
    EXPECT_EQ(printFace(front, 96).boxes()[1].box.top(), 9); // an empty title does not advance
}

TEST(CdFaceText, AmpersandsAreDoubledForTheBoxDrawing)
{
    CoverDocument doc = blankCd();
    doc.fCoverTitle = "Rock & Roll";
    doc.fCoverText = "A&B";
    CdFaceRenderer front = frontFace(doc, 96);
    const QList<TextDrawCall> boxes = printFace(front, 96).boxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Rock && Roll"));
    EXPECT_EQ(stripPrefixes(boxes[0].text), QStringLiteral("Rock & Roll"));
    EXPECT_EQ(boxes[1].text, QStringLiteral("A&&B"));
}

TEST(CdFaceText, FontHeightsPassThroughWholePoints)
{
    struct Case {
        int stored;
        int dpi;
        int pixels;
    } cases[] = {{-16, 600, 100}, {-15, 600, 92}, {-24, 96, 24}, {-16, 300, 50}};
    for (const Case &c : cases) {
        CoverDocument doc = blankCd();
        doc.fCoverTextFont.height = c.stored;
        doc.fCoverText = "x";
        CdFaceRenderer front = frontFace(doc, c.dpi);
        const QList<TextDrawCall> boxes = printFace(front, c.dpi).boxes();
        ASSERT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes[1].pixelSize, c.pixels) << c.stored << " at " << c.dpi;
    }
}

TEST(CdFaceText, TextColourAndFontOfTheFace)
{
    CoverDocument doc = blankCd();
    doc.fCoverText = "x";
    doc.fCoverTextColor = 0x000000FF;
    doc.fCoverTextFont.setFaceName("DejaVu Serif");
    doc.fCoverTextFont.weight = 700;
    doc.fCoverTextFont.italic = 1;
    CdFaceRenderer front = frontFace(doc, 96);
    const TextDrawCall call = printFace(front, 96).boxes()[1];
    EXPECT_EQ(call.color, QColor(255, 0, 0));
    EXPECT_EQ(call.family, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(call.weight, 700);
    EXPECT_TRUE(call.italic);
}

TEST(CdSpineText, BackSpinesReadDownOnTheRightAndUpOnTheLeft)
{
    CoverDocument doc = blankCd();
    doc.backCoverSpineText = "SPINE TEXT";
    doc.bCoverTextFont.weight = 700;
    doc.bCoverTextFont.italic = 1;
    CdFaceRenderer back = backFace(doc, 96);
    back.showBorder = false;
    const RenderedFace out = printFace(back, 96);
    const QList<TextDrawCall> spines = out.rotated();
    ASSERT_EQ(spines.size(), 2);

    LogFont spineRecord = doc.bCoverTextFont;
    spineRecord.weight = 400;
    spineRecord.italic = 0;
    const QFont spineFont = fontFromLogFont(spineRecord, -15); // 11 pt at 96 dpi
    QImage probe = makeCanvas(1, 1, 96);
    const QFontMetrics fm(spineFont, &probe);
    const int cx = fm.horizontalAdvance(QStringLiteral("SPINE TEXT"));
    const int cy = fm.height();

    EXPECT_EQ(spines[0].escapement, -900);
    EXPECT_EQ(spines[0].box, QRect(544, 0, 24, 444));
    EXPECT_EQ(spines[0].origin, QPoint(544 + cy + 3, 222 - cx / 2));
    EXPECT_EQ(spines[0].pixelSize, 15);
    EXPECT_EQ(spines[0].weight, 400);
    EXPECT_FALSE(spines[0].italic);
    EXPECT_EQ(spines[1].escapement, 900);
    EXPECT_EQ(spines[1].box, QRect(0, 0, 24 + cy, 444));
    EXPECT_EQ(spines[1].origin, QPoint(3, 222 + cx / 2));

    // Ink on both spines, none on the panel between them.
    EXPECT_FALSE(inkBounds(out.image, QRect(544, 0, 24, 444), kWhite).isNull());
    EXPECT_FALSE(inkBounds(out.image, QRect(0, 0, 24, 444), kWhite).isNull());
    EXPECT_TRUE(inkBounds(out.image, QRect(24 + cy, 0, 544 - 24 - cy, 444), kWhite).isNull());
}

TEST(CdSpineText, FrontShowsOnlyTheLeftTextInABandAtItsEdge)
{
    CoverDocument doc = blankCd();
    doc.frontCoverSpineText = "FRONT SPINE";
    CdFaceRenderer front = frontFace(doc, 96);
    front.showBorder = false;
    const RenderedFace out = printFace(front, 96);
    const int cy = lineHeightOf(15, 96);
    const QRect ink = inkBounds(out.image, out.image.rect(), kWhite);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), 3);
    EXPECT_LT(ink.right(), cy);
    EXPECT_GT(ink.height(), 50); // it runs along the edge
}

TEST(CdSpineText, EmptySpineTextDrawsNothing)
{
    CoverDocument doc = blankCd();
    CdFaceRenderer back = backFace(doc, 96);
    const RenderedFace out = printFace(back, 96);
    EXPECT_TRUE(out.rotated().isEmpty());
}

TEST(CdFaceBackground, FillsTheFaceWithTheBackgroundColour)
{
    CoverDocument doc = blankCd();
    doc.fBGColor = 0x0000FF00;
    CdFaceRenderer front = frontFace(doc, 96);
    const RenderedFace out = renderOnCanvas(
        QSize(500, 500), 96, QRect(20, 30, 454, 454),
        [&](DeviceContext &dc, const QRect &r) { front.PrintFace(dc, r, 96); }, Qt::gray);
    EXPECT_TRUE(allColor(out.image, QRect(21, 31, 452, 452), QColor(0, 255, 0)));
    EXPECT_TRUE(allColor(out.image, QRect(20, 30, 454, 1), kBlack));
    EXPECT_TRUE(allColor(out.image, QRect(0, 0, 500, 30), QColor(Qt::gray)));
    EXPECT_TRUE(allColor(out.image, QRect(474, 0, 26, 500), QColor(Qt::gray)));
}
