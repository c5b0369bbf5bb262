#include "render/ArcText.h"
#include "render/DeviceContext.h"
#include "render/TextDrawing.h"
#include "tests/support/FaceImage.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace testsupport;

namespace {

// A label 600 pixels across with its centre in the middle of the canvas.
constexpr int kSize = 600;
const QPointF kCenter(300, 300);
constexpr double kOuter = 290;
constexpr double kHub = 60;

QFont labelFont(int pixels = 28)
{
    LogFont record;
    record.setFaceName("Arial");
    return fontFromLogFont(record, -pixels);
}

double lineHeight(const QFont &font)
{
    const QImage probe = makeCanvas(1, 1, 96);
    const QFontMetricsF fm(font, &probe);
    return fm.ascent() + fm.descent();
}

struct Drawn {
    QImage image;
    ArcTextResult result;
};

Drawn drawArc(const QStringList &lines, ArcSide side, int alignment,
    const QFont &font = labelFont(), double outer = kOuter, double hub = kHub)
{
    Drawn d{makeCanvas(kSize, kSize, 96), {}};
    QPainter painter(&d.image);
    DeviceContext dc(painter);
    d.result
        = drawTextAlongCircle(dc, font, Qt::black, lines, kCenter, outer, hub, side, alignment);
    return d;
}

struct Ink {
    QList<QPointF> points; // pixel centres of dark pixels

    double meanX() const
    {
        double sum = 0;
        for (const QPointF &p : points)
            sum += p.x();
        return points.isEmpty() ? 0 : sum / points.size();
    }
    QRectF bounds() const
    {
        QRectF r;
        for (const QPointF &p : points)
            r |= QRectF(p - QPointF(0.5, 0.5), QSizeF(1, 1));
        return r;
    }
};

Ink inkOf(const QImage &image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(line[x]) < 128)
                ink.points.append(QPointF(x + 0.5, y + 0.5));
    }
    return ink;
}

double distance(QPointF p)
{
    return std::hypot(p.x() - kCenter.x(), p.y() - kCenter.y());
}

const char *sideName(ArcSide side)
{
    return side == ArcSide::Top ? "top" : "bottom";
}

} // namespace

TEST(ArcText, EachSideKeepsToItsHalfAndAlignmentMovesTheLineAlongIt)
{
    struct Case {
        ArcSide side;
        int alignment;
    } cases[] = {
        {ArcSide::Top, AlignLeft},
        {ArcSide::Top, AlignCenter},
        {ArcSide::Top, AlignRight},
        {ArcSide::Bottom, AlignLeft},
        {ArcSide::Bottom, AlignCenter},
        {ArcSide::Bottom, AlignRight},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << sideName(c.side) << " alignment " << c.alignment);
        // Symmetric, so that a centred line's ink is centred too.
        const Drawn d = drawArc({"HHHHHHHHHH"}, c.side, c.alignment);
        const Ink ink = inkOf(d.image);
        ASSERT_GT(ink.points.size(), 500);
        EXPECT_TRUE(d.result.cutLines().isEmpty());
        for (const QPointF &p : ink.points) {
            ASSERT_GT(distance(p), kHub);
            if (c.side == ArcSide::Top)
                ASSERT_LT(p.y(), kCenter.y());
            else
                ASSERT_GT(p.y(), kCenter.y());
        }
        const double inner = d.result.lines.at(0).innerRadius;
        const QRectF bounds = ink.bounds();
        if (c.alignment == AlignCenter) {
            EXPECT_NEAR(ink.meanX(), kCenter.x(), 1.5);
        } else if (c.alignment == AlignLeft) {
            EXPECT_LT(ink.meanX(), kCenter.x() - 0.5 * inner);
            EXPECT_LT(bounds.left(), kCenter.x() - 0.9 * inner); // from the arc's left end
        } else {
            EXPECT_GT(ink.meanX(), kCenter.x() + 0.5 * inner);
            EXPECT_GT(bounds.right(), kCenter.x() + 0.9 * inner); // to its right end
        }
    }
}

TEST(ArcText, TheFirstRingLiesALineHeightInsideTheEdgeWithItsBaselineOnATrueCircle)
{
    const QFont font = labelFont();
    const double L = lineHeight(font);
    for (ArcSide side : {ArcSide::Top, ArcSide::Bottom}) {
        SCOPED_TRACE(sideName(side));
        const Drawn d = drawArc({"HHHHHHHHHHHHHHHHHHHH"}, side, AlignCenter, font);
        const ArcLine &line = d.result.lines.at(0);
        EXPECT_NEAR(line.outerRadius, kOuter - L, 1e-9);
        EXPECT_NEAR(line.innerRadius, kOuter - 2 * L, 1e-9);
        // The ink of each tenth of the line's arc reaches the baseline circle
        // (the letters' feet: the inner side along the top, the outer along the
        // bottom) and no further.
        const double a0 = line.startAngle;
        const double span = line.endAngle - line.startAngle;
        for (int sector = 0; sector < 10; ++sector) {
            SCOPED_TRACE(sector);
            double nearest = 1e9, farthest = 0;
            for (const QPointF &p : inkOf(d.image).points) {
                const double dx = p.x() - kCenter.x();
                const double dy = p.y() - kCenter.y();
                const double angle
                    = side == ArcSide::Top ? std::atan2(dx, -dy) : std::atan2(dx, dy);
                if ((angle - a0) / span * 10 < sector || (angle - a0) / span * 10 >= sector + 1)
                    continue;
                nearest = std::min(nearest, distance(p));
                farthest = std::max(farthest, distance(p));
            }
            ASSERT_LT(nearest, farthest);
            EXPECT_GE(nearest, line.innerRadius);
            EXPECT_LE(farthest, line.outerRadius);
            if (side == ArcSide::Top)
                EXPECT_NEAR(nearest, line.baselineRadius, 1.5);
            else
                EXPECT_NEAR(farthest, line.baselineRadius, 1.5);
        }
    }
}

// Both sides read upright to someone holding the disc: at the middle of
// either side an "L" has its stem on the left and its foot at the bottom, an
// "F" its top bar at the top, and a line's first letter is on the left.
TEST(ArcText, BothSidesReadUprightFromLeftToRight)
{
    enum Expect { StemLeftFootDown, BarUp, HeavyLeft };
    struct Case {
        const char *text;
        Expect expect;
    } cases[] = {
        {"L", StemLeftFootDown},
        {"F", BarUp},
        {"W........", HeavyLeft},
    };
    const QFont font = labelFont(60);
    for (ArcSide side : {ArcSide::Top, ArcSide::Bottom}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message() << sideName(side) << " " << c.text);
            const Ink ink = inkOf(drawArc({c.text}, side, AlignCenter, font).image);
            ASSERT_FALSE(ink.points.isEmpty());
            const QRectF b = ink.bounds();
            int left = 0, right = 0, upper = 0, lower = 0, top = 0, bottom = 0;
            for (const QPointF &p : ink.points) {
                (p.x() < b.center().x() ? left : right) += 1;
                (p.y() < b.center().y() ? upper : lower) += 1;
                top += p.y() < b.top() + b.height() / 4;
                bottom += p.y() > b.bottom() - b.height() / 4;
            }
            switch (c.expect) {
            case StemLeftFootDown:
                EXPECT_GT(left, 2 * right);
                EXPECT_GT(lower, upper);
                break;
            case BarUp:
                EXPECT_GT(top, 2 * bottom);
                EXPECT_GT(left, right);
                break;
            case HeavyLeft: EXPECT_LT(ink.meanX(), kCenter.x() - 10); break;
            }
        }
    }
}

// Both texts read from top to bottom: the title's later lines lie further
// in, the bottom text's earlier ones.
TEST(ArcText, LinesFollowEachOtherFromTopToBottom)
{
    for (ArcSide side : {ArcSide::Top, ArcSide::Bottom}) {
        SCOPED_TRACE(sideName(side));
        const Drawn first = drawArc({"H", "", ""}, side, AlignCenter);
        const Drawn second = drawArc({"", "H", ""}, side, AlignCenter);
        const Drawn third = drawArc({"", "", "H"}, side, AlignCenter);
        const double y1 = inkOf(first.image).bounds().top();
        const double y2 = inkOf(second.image).bounds().top();
        const double y3 = inkOf(third.image).bounds().top();
        EXPECT_LT(y1, y2);
        EXPECT_LT(y2, y3);

        const QList<ArcLine> &lines = first.result.lines;
        const double L = lineHeight(labelFont());
        for (int i = 0; i + 1 < lines.size(); ++i) {
            const double step = lines.at(i).baselineRadius - lines.at(i + 1).baselineRadius;
            EXPECT_NEAR(step, side == ArcSide::Top ? L : -L, 1e-9) << i;
        }
    }
}

TEST(ArcText, LinesReachingTheHubOrLongerThanTheirArcAreCut)
{
    const QFont font = labelFont();
    const double L = lineHeight(font);
    // Rings 0 to 4 stay outside this hub: ring j's inner edge is (8 - j) L.
    const double outer = 10 * L;
    const double hub = 3 * L + 0.5;
    const QString longLine(300, QLatin1Char('M'));
    using C = ArcLine::Cut;
    struct Case {
        ArcSide side;
        int alignment;
        QStringList lines;
        QList<C> cuts;
    } cases[] = {
        {ArcSide::Top, AlignCenter, {"1", "2", "3", "4", "5"}, {}},
        {ArcSide::Top, AlignCenter, {"1", "2", "3", "4", "5", "6", "7"},
            {C::None, C::None, C::None, C::None, C::None, C::ReachesHub, C::ReachesHub}},
        {ArcSide::Bottom, AlignCenter, {"1", "2", "3", "4", "5", "6", "7"},
            {C::ReachesHub, C::ReachesHub, C::None, C::None, C::None, C::None, C::None}},
        // Empty lines lose nothing.
        {ArcSide::Top, AlignLeft, {"1", "2", "3", "4", "5", "", ""}, {}},
        {ArcSide::Top, AlignLeft, {longLine}, {C::TooLong}},
        {ArcSide::Bottom, AlignRight, {"short", longLine}, {C::None, C::TooLong}},
        {ArcSide::Top, AlignCenter, {QString(9000, QLatin1Char('.'))}, {C::TooLong}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << sideName(c.side) << " " << c.lines.size() << " lines");
        const Drawn d = drawArc(c.lines, c.side, c.alignment, font, outer, hub);
        ASSERT_EQ(d.result.lines.size(), c.lines.size());
        QList<int> expectedCut;
        for (int i = 0; i < c.lines.size(); ++i) {
            const C expected = c.cuts.isEmpty() ? C::None : c.cuts.at(i);
            EXPECT_EQ(d.result.lines.at(i).cut, expected) << i;
            if (expected != C::None)
                expectedCut << i;
        }
        EXPECT_EQ(d.result.cutLines(), expectedCut);

        // Nothing is drawn into the hub or past the usable arc: a cut line
        // is left out or drawn only as far as it fits.
        const Ink ink = inkOf(d.image);
        ASSERT_FALSE(ink.points.isEmpty());
        for (const QPointF &p : ink.points) {
            ASSERT_GT(distance(p), hub);
            ASSERT_LT(std::abs(p.y() - kCenter.y()), outer);
            if (c.side == ArcSide::Top)
                ASSERT_LT(p.y(), kCenter.y() - L / 4);
            else
                ASSERT_GT(p.y(), kCenter.y() + L / 4);
        }

        // Measuring alone finds the same.
        QImage probe = makeCanvas(kSize, kSize, 96);
        QPainter painter(&probe);
        DeviceContext dc(painter);
        const ArcTextResult measured
            = layoutTextAlongCircle(dc, font, c.lines, kCenter, outer, hub, c.side, c.alignment);
        painter.end();
        EXPECT_EQ(measured.cutLines(), d.result.cutLines());
        EXPECT_TRUE(allColor(probe, probe.rect(), Qt::white));
        for (int i = 0; i < c.lines.size(); ++i) {
            EXPECT_DOUBLE_EQ(measured.lines.at(i).startAngle, d.result.lines.at(i).startAngle);
            EXPECT_DOUBLE_EQ(
                measured.lines.at(i).baselineRadius, d.result.lines.at(i).baselineRadius);
        }
    }
}

TEST(ArcText, ACentredLineTooLongIsDrawnAsFarAsItsArcReachesAtBothEnds)
{
    const Drawn d = drawArc({QString(200, QLatin1Char('H'))}, ArcSide::Top, AlignCenter);
    ASSERT_EQ(d.result.cutLines(), QList<int>{0});
    const QRectF b = inkOf(d.image).bounds();
    // Both ends come down close to the horizontal line through the centre.
    const double inner = d.result.lines.at(0).innerRadius;
    EXPECT_LT(b.left(), kCenter.x() - 0.95 * inner);
    EXPECT_GT(b.right(), kCenter.x() + 0.95 * inner);
    EXPECT_GT(b.bottom(), kCenter.y() - 0.3 * inner);
    EXPECT_LT(b.bottom(), kCenter.y());
}

TEST(ArcText, TheObserverIsToldOfTheCall)
{
    QImage image = makeCanvas(kSize, kSize, 96);
    QPainter painter(&image);
    DeviceContext dc(painter);
    TextDrawRecorder recorder;
    dc.setTextObserver(&recorder);
    drawTextAlongCircle(dc, labelFont(), Qt::red, {"Side A", "2024"}, kCenter, kOuter, kHub,
        ArcSide::Bottom, AlignRight);
    painter.end();
    ASSERT_EQ(recorder.calls.size(), 1);
    const TextDrawCall &call = recorder.calls.at(0);
    EXPECT_EQ(call.kind, TextDrawCall::Kind::Arc);
    EXPECT_EQ(call.text, QStringLiteral("Side A\n2024"));
    EXPECT_EQ(call.box, QRect(10, 10, 580, 580));
    EXPECT_EQ(call.origin, QPoint(300, 300));
    EXPECT_EQ(call.format, AlignRight);
    EXPECT_EQ(call.hubRadius, 60);
    EXPECT_TRUE(call.bottomArc);
    EXPECT_EQ(call.pixelSize, 28);
    EXPECT_EQ(call.color, QColor(Qt::red));
}

// A PDF keeps the glyphs as text and lays them out like an image at the
// same resolution.
TEST(ArcText, DrawsOnAPdfAsOnAnImage)
{
    const QStringList lines{"Northern Lights", QString(400, QLatin1Char('W'))};
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    ArcTextResult onPdf;
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(600);
        QPainter painter(&writer);
        DeviceContext dc(painter);
        onPdf = drawTextAlongCircle(dc, labelFont(200), Qt::black, lines, QPointF(1400, 1400), 1400,
            380, ArcSide::Top, AlignCenter);
    }
    QImage image = makeCanvas(2800, 2800, 600);
    QPainter painter(&image);
    DeviceContext dc(painter);
    const ArcTextResult onImage = drawTextAlongCircle(dc, labelFont(200), Qt::black, lines,
        QPointF(1400, 1400), 1400, 380, ArcSide::Top, AlignCenter);
    painter.end();
    EXPECT_EQ(onPdf.cutLines(), QList<int>{1});
    EXPECT_EQ(onImage.cutLines(), QList<int>{1});
    EXPECT_NEAR(onPdf.lines.at(0).endAngle, onImage.lines.at(0).endAngle, 0.01);
    EXPECT_TRUE(pdf.data().contains("/FontFile"));
}
