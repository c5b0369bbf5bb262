// The DVD sheet and the slimline CD sheet.
#include "document/CoverDocument.h"
#include "print/LabelStock.h"
#include "render/DvdSheetRenderer.h"
#include "render/SlimlineSheetRenderer.h"
#include "tests/support/BoundFace.h"
#include "tests/support/FaceRendering.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QColor kBlack(Qt::black);
const QColor kWhite(Qt::white);
const QColor kGrey(212, 208, 200);

CoverDocument blank(int32_t type)
{
    CoverDocument doc;
    resetDocumentForType(doc, type, 96);
    return doc;
}

DvdSheetRenderer dvdSheet(const CoverDocument &doc, int dpi)
{
    DvdSheetRenderer sheet = testsupport::boundFace<DvdSheetRenderer>(
        doc, FaceKind::DvdSheet, baseLabelStock(*plainRowForCoverType(doc.covertype)), dpi);
    return sheet;
}

SlimlineSheetRenderer slimSheet(const CoverDocument &doc, int dpi)
{
    SlimlineSheetRenderer sheet = testsupport::boundFace<SlimlineSheetRenderer>(
        doc, FaceKind::SlimlineSheet, baseLabelStock(StockRow::PlainSlimlineCD), dpi);
    return sheet;
}

} // namespace

TEST(DvdSheetGeometry, SheetAndSpineSizes)
{
    struct Case {
        int32_t type;
        int dpi;
        int w, h, spine;
    } cases[] = {{StandardDVD, 600, 6438, 4320, 324}, {StandardDVD, 96, 1030, 691, 51},
        {SlimlineDVD, 600, 6336, 4320, 165}};
    for (const Case &c : cases) {
        const DvdSheetRenderer sheet = dvdSheet(blank(c.type), c.dpi);
        EXPECT_EQ(sheet.nominalWidth, c.w);
        EXPECT_EQ(sheet.nominalHeight, c.h);
        EXPECT_EQ(sheet.spineWidthPx, c.spine);
    }
    EXPECT_FALSE(dvdSheet(blank(StandardDVD), 96).slimDvd);
    EXPECT_TRUE(dvdSheet(blank(SlimlineDVD), 96).slimDvd);
    EXPECT_DOUBLE_EQ(dvdSheet(blank(SlimlineDVD), 96).frontTextLeft, 5.64);
    EXPECT_DOUBLE_EQ(dvdSheet(blank(StandardDVD), 96).frontTextLeft, 5.85);
}

TEST(DvdSheetOutlines, SpineOutlineInTheMiddleAndNothingWithoutBorder)
{
    CoverDocument doc = blank(StandardDVD);
    DvdSheetRenderer sheet = dvdSheet(doc, 96);
    // Spine box from 1030/2 - 51/2 = 490, 51 wide.
    EXPECT_EQ(fullBlackColumns(printFace(sheet, 96).image), QList<int>({0, 490, 540, 1029}));

    sheet.showBorder = false;
    sheet.spinesOn = true;
    EXPECT_EQ(countColor(printFace(sheet, 96).image, QRect(0, 0, 1030, 691), kBlack), 0);

    sheet.showBorder = true;
    sheet.spinesOn = false;
    EXPECT_EQ(fullBlackColumns(printFace(sheet, 96).image), QList<int>({0, 1029}));
}

TEST(DvdSheetOutlines, At600Dpi)
{
    DvdSheetRenderer sheet = dvdSheet(blank(StandardDVD), 600);
    EXPECT_EQ(fullBlackColumns(printFace(sheet, 600).image),
        QList<int>({0, 3219 - 162, 3219 - 162 + 323, 6437}));
}

TEST(DvdSheetText, BackAndFrontBoxes)
{
    CoverDocument doc = blank(StandardDVD);
    doc.bCoverTitle = "Back title";
    doc.bCoverText = "back text";
    doc.fCoverTitle = "Front title";
    doc.fCoverText = "front text";
    doc.bCoverAlign = AlignCenter;
    doc.fTitleStyle = doc.bTitleStyle = {}; // drawn like the text
    DvdSheetRenderer sheet = dvdSheet(doc, 96);
    const RenderedFace out = printFace(sheet, 96);
    const QList<TextDrawCall> boxes = out.boxes();
    ASSERT_EQ(boxes.size(), 4);
    const int lineHeight = [&] {
        QImage probe = makeCanvas(1, 1, 96);
        LogFont r;
        r.setFaceName("Arial");
        return QFontMetrics(fontFromLogFont(r, -19), &probe).height(); // 14 pt at 96 dpi
    }();
    // Back: 24 from the left and the top, 5 short of the spine and the bottom.
    EXPECT_EQ(boxes[0].box, QRect(QPoint(24, 24), QPoint(485 - 1, 686 - 1)));
    EXPECT_EQ(boxes[0].text, QStringLiteral("Back title"));
    EXPECT_EQ(boxes[1].box, QRect(QPoint(24, 24 + lineHeight), QPoint(485 - 1, 686 - 1)));
    // Front: 5.85 in from the sheet's left edge.
    EXPECT_EQ(boxes[2].box, QRect(QPoint(561, 24), QPoint(1025 - 1, 686 - 1)));
    EXPECT_EQ(boxes[3].box.top(), 24 + lineHeight);
    for (const TextDrawCall &c : boxes) {
        EXPECT_EQ(c.format, AlignCenter);
        EXPECT_EQ(c.pixelSize, 19);
    }

    // A new cover's titles: two points larger and bold, each in its style's
    // colour; the text under them keeps the text font.
    resetDocumentForType(doc, StandardDVD, 96);
    doc.bCoverTitle = doc.fCoverTitle = "Title";
    doc.bCoverText = doc.fCoverText = "text";
    doc.fTitleStyle.color = 0x0000FF;
    DvdSheetRenderer styledSheet = dvdSheet(doc, 96);
    const QList<TextDrawCall> styled = printFace(styledSheet, 96).boxes();
    ASSERT_EQ(styled.size(), 4);
    for (int i : {0, 2}) {
        EXPECT_EQ(styled[i].pixelSize, 21); // 16 pt
        EXPECT_EQ(styled[i].weight, 700);
        EXPECT_EQ(styled[i + 1].pixelSize, 19);
        EXPECT_EQ(styled[i + 1].weight, 400);
    }
    EXPECT_EQ(styled[2].color, QColor(Qt::red)); // the front title's style
    EXPECT_EQ(styled[0].color, QColor(Qt::black));
}

TEST(DvdSheetText, PreviewScaleMovesTheBackBoxButNotTheFrontMargins)
{
    CoverDocument doc = blank(StandardDVD);
    doc.bCoverText = "b";
    doc.fCoverText = "f";
    DvdSheetRenderer sheet = dvdSheet(doc, 96);
    const RenderedFace out = renderOnCanvas(
        QSize(515, 345), 96, QRect(0, 0, 515, 345), [&](DeviceContext &dc, const QRect &r) {
            sheet.Render(dc, r, DrawTarget::screen(96, 0.5, 0.5));
        });
    const QList<TextDrawCall> boxes = out.boxes();
    ASSERT_EQ(boxes.size(), 4);
    const int spineLeft = 515 / 2 - 25 / 2;
    EXPECT_EQ(
        boxes[1].box, QRect(QPoint(12, 12), QPoint(int(spineLeft - 2.5) - 1, int(345 - 2.5) - 1)));
    EXPECT_EQ(boxes[3].box, QRect(QPoint(int(96 * 5.85 * 0.5), 12), QPoint(510 - 1, 340 - 1)));
}

TEST(DvdSheetSpine, TextInsetDependsOnTheSheet)
{
    for (int32_t type : {StandardDVD, SlimlineDVD}) {
        CoverDocument doc = blank(type);
        doc.backCoverSpineText = "THE SPINE";
        DvdSheetRenderer sheet = dvdSheet(doc, 600);
        const QList<TextDrawCall> spines = printFace(sheet, 600).rotated();
        ASSERT_EQ(spines.size(), 1);
        const int s = sheet.spineWidthPx;
        const int spineLeft = sheet.nominalWidth / 2 - s / 2;
        LogFont r = doc.bCoverTextFont;
        QImage probe = makeCanvas(1, 1, 600);
        const QFontMetrics fm(fontFromLogFont(r, -117), &probe); // 14 pt at 600 dpi
        const int cy = fm.height();
        const int cx = fm.horizontalAdvance(QStringLiteral("THE SPINE"));
        EXPECT_EQ(spines[0].pixelSize, 117);
        EXPECT_EQ(spines[0].escapement, -900);
        EXPECT_EQ(spines[0].box, QRect(spineLeft, 0, s + cy, 4320));
        const int inset = type == SlimlineDVD ? s / 10 : s / 4;
        EXPECT_EQ(spines[0].origin, QPoint(spineLeft + cy + inset, 2160 - cx / 2));
    }
}

TEST(SlimlineSheetGeometry, SheetFlapSpineAndNotches)
{
    const SlimlineSheetRenderer at600 = slimSheet(blank(SlimlineCD), 600);
    EXPECT_EQ(at600.nominalWidth, 3685);
    EXPECT_EQ(at600.nominalHeight, 2858);
    EXPECT_EQ(at600.spineWidthPx, 70);
    EXPECT_EQ(at600.flapWidthPx, 354);
    EXPECT_EQ(at600.notchWidthPx, 850);
    EXPECT_EQ(at600.notchHeightPx, 47);
    const SlimlineSheetRenderer at96 = slimSheet(blank(SlimlineCD), 96);
    EXPECT_EQ(at96.nominalWidth, 589);
    EXPECT_EQ(at96.nominalHeight, 457);
}

TEST(SlimlineSheetNotches, WhiteNotchesOf850By47WhenPrintedAt600Dpi)
{
    CoverDocument doc = blank(SlimlineCD);
    doc.bBGColor = 0x00FF0000; // blue
    SlimlineSheetRenderer sheet = slimSheet(doc, 600);
    const QRect face(100, 100, 3685, 2858);
    const RenderedFace out = renderOnCanvas(
        QSize(3900, 3100), 600, face,
        [&](DeviceContext &dc, const QRect &r) { sheet.PrintFace(dc, r, 96); }, Qt::red);
    const QImage &img = out.image;
    // Top: one row above the face and 46 inside; bottom: 46 inside and one below.
    const QRect top(100, 99, 850, 47);
    const QRect bottom(100, 100 + 2858 - 47 + 1, 850, 47);
    EXPECT_TRUE(allColor(img, top, kWhite));
    EXPECT_TRUE(allColor(img, bottom, kWhite));
    // Just outside each notch the sheet (or the canvas) shows again.
    EXPECT_TRUE(sameColor(img.pixel(100 + 850, 120), kBlack)
        || sameColor(img.pixel(100 + 850, 120), QColor(0, 0, 255)));
    EXPECT_TRUE(sameColor(img.pixel(500, 100 + 46), kBlack)); // the notch outline's lower edge
    EXPECT_TRUE(sameColor(img.pixel(500, 100 + 60), QColor(0, 0, 255)));
    EXPECT_TRUE(sameColor(img.pixel(500, 98), QColor(Qt::red)));
}

TEST(SlimlineSheetNotches, GreyOnScreenWhatEverTheBorder)
{
    for (bool border : {true, false}) {
        CoverDocument doc = blank(SlimlineCD);
        doc.bBGColor = 0x00FF0000;
        doc.bShowBorder = border;
        SlimlineSheetRenderer sheet = slimSheet(doc, 96);
        const DrawTarget screen = DrawTarget::screen(96, 418.0 / 589, 322.0 / 457);
        const RenderedFace out = renderOnCanvas(QSize(420, 330), 96, QRect(0, 4, 418, 322),
            [&](DeviceContext &dc, const QRect &r) { sheet.Render(dc, r, screen); });
        // Notch size stays unscaled: 136 x 7 at 96 dpi.
        EXPECT_TRUE(allColor(out.image, QRect(0, 3, 136, 7), kGrey)) << border;
        EXPECT_TRUE(allColor(out.image, QRect(0, 4 + 322 - 7 + 1, 136, 7), kGrey)) << border;
        EXPECT_TRUE(sameColor(out.image.pixel(200, 100), QColor(0, 0, 255)));
    }
}

TEST(SlimlineSheetOutlines, FaceAndSpineOutline)
{
    CoverDocument doc = blank(SlimlineCD);
    SlimlineSheetRenderer sheet = slimSheet(doc, 96);
    const RenderedFace out = printFace(sheet, 96);
    // Face 589 wide; spine outline from the flap (56) over 11 + 1 pixels.
    const QList<int> columns = fullBlackColumns(out.image.copy(0, 10, 589, 400));
    EXPECT_EQ(columns, QList<int>({0, 56, 67, 588}));
    sheet.spinesOn = false;
    EXPECT_EQ(
        fullBlackColumns(printFace(sheet, 96).image.copy(0, 10, 589, 400)), QList<int>({0, 588}));
}

TEST(SlimlineSheetText, TrackListingOnlyWithTitlesClearOfTheNumbers)
{
    CoverDocument doc = blank(SlimlineCD);
    doc.bCoverText = "[DELIM]12[/DELIM][DELIM]Song[/DELIM][DELIM]3:00[/DELIM]\n\r";
    doc.bCoverTitle = "never drawn";
    doc.backCoverSpineText = "SLIM";
    doc.bCoverTextFont.height = -24;
    SlimlineSheetRenderer sheet = slimSheet(doc, 96);
    // A preview: the bitmap keeps nominal size.
    const DrawTarget screen = DrawTarget::screen(96, 0.5, 0.5);
    const RenderedFace out = renderOnCanvas(QSize(300, 230), 96, QRect(0, 0, 294, 228),
        [&](DeviceContext &dc, const QRect &r) { sheet.Render(dc, r, screen); });
    const QList<TextDrawCall> boxes = out.boxes();
    ASSERT_EQ(boxes.size(), 3);
    const QRect t(QPoint(80, 24), QPoint(589 - 5 - 1, 457 - 1));
    EXPECT_EQ(boxes[0].box, t);
    EXPECT_EQ(boxes[0].pixelSize, 24); // not scaled: drawn at nominal size
    QImage probe = makeCanvas(1, 1, 96);
    const int w = QFontMetrics(fontFromLogFont(doc.bCoverTextFont, -24), &probe)
                      .horizontalAdvance(QStringLiteral("12"));
    // Titles one and a half numbers right, not glued to them.
    EXPECT_EQ(boxes[1].box.left(), int(80 + 1.5 * w));
    EXPECT_EQ(boxes[2].format, 2);

    const QList<TextDrawCall> spines = out.rotated();
    ASSERT_EQ(spines.size(), 1);
    EXPECT_EQ(spines[0].pixelSize, 9); // 7 pt, not scaled
    EXPECT_EQ(spines[0].box, QRect(56, 0, 11, 457));
    EXPECT_EQ(spines[0].origin.x(), 67);

    doc.bCoverText = "a note without tracks";
    SlimlineSheetRenderer plain = slimSheet(doc, 96);
    plain.showBorder = false;
    const RenderedFace empty = printFace(plain, 96);
    EXPECT_TRUE(inkBounds(empty.image, QRect(80, 0, 500, 457), kWhite).isNull());
}

TEST(SlimlineSheetBitmap, OnlyThePartOnThePageIsMadeAndItDrawsTheSame)
{
    CoverDocument doc = blank(SlimlineCD);
    doc.bBGColor = 0x00FF0000;
    doc.bCoverText = "[DELIM]1[/DELIM][DELIM]Song[/DELIM][DELIM]3:00[/DELIM]\n\r";
    doc.backCoverSpineText = "SLIM";
    const SlimlineSheetRenderer sheet = slimSheet(doc, 96);
    const RenderedFace whole = printFace(sheet, 96);
    // The same sheet printed 100 pixels up and left on a page that holds
    // only part of it.
    const QRect rect(-100, -100, 589, 457);
    const RenderedFace part = renderOnCanvas(QSize(300, 200), 96, rect,
        [&](DeviceContext &dc, const QRect &r) { sheet.PrintFace(dc, r, 96); });
    EXPECT_EQ(part.image, whole.image.copy(100, 100, 300, 200));

    // A sheet far larger than any page is still drawn where the page is.
    SlimlineSheetRenderer huge = sheet;
    huge.nominalWidth = huge.nominalHeight = 100000;
    const RenderedFace hugePart
        = renderOnCanvas(QSize(300, 200), 96, QRect(-50000, -50000, 100000, 100000),
            [&](DeviceContext &dc, const QRect &r) { huge.PrintFace(dc, r, 96); });
    EXPECT_TRUE(allColor(hugePart.image, hugePart.image.rect(), QColor(0, 0, 255)));
}
