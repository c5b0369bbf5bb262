#include "render/ArcText.h"
#include "render/DeviceContext.h"
#include "render/TextDrawing.h"
#include "tests/support/FaceImage.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// A label 600 pixels across, centred on the canvas.
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
    return QFontMetricsF(font, &probe).ascent() + QFontMetricsF(font, &probe).descent();
}

struct Drawn {
    QList<QPointF> ink; // centres of the dark pixels
    ArcTextResult result;

    double meanX() const
    {
        double sum = 0;
        for (const QPointF &p : ink)
            sum += p.x();
        return ink.isEmpty() ? 0 : sum / ink.size();
    }
    QRectF bounds() const
    {
        QRectF r;
        for (const QPointF &p : ink)
            r |= QRectF(p.x() - 0.5, p.y() - 0.5, 1, 1);
        return r;
    }
};

Drawn drawArc(const QStringList &lines, ArcSide side, int alignment,
    const QFont &font = labelFont(), double outer = kOuter, double hub = kHub)
{
    QImage image = makeCanvas(600, 600, 96);
    QPainter painter(&image);
    DeviceContext dc(painter);
    Drawn d;
    d.result
        = drawTextAlongCircle(dc, font, Qt::black, lines, kCenter, outer, hub, side, alignment);
    painter.end();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                d.ink.append(QPointF(x + 0.5, y + 0.5));
    return d;
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
    for (ArcSide side : {ArcSide::Top, ArcSide::Bottom}) {
        for (int alignment : {AlignLeft, AlignCenter, AlignRight}) {
            SCOPED_TRACE(testing::Message() << sideName(side) << " alignment " << alignment);
            // Symmetric, so that a centred line's ink is centred too.
            const Drawn d = drawArc({"HHHHHHHHHH"}, side, alignment);
            ASSERT_GT(d.ink.size(), 500);
            EXPECT_TRUE(d.result.cutLines().isEmpty());
            for (const QPointF &p : d.ink) {
                ASSERT_GT(distance(p), kHub);
                ASSERT_EQ(p.y() < kCenter.y(), side == ArcSide::Top);
            }
            const double inner = d.result.lines.at(0).innerRadius;
            if (alignment == AlignCenter) {
                EXPECT_NEAR(d.meanX(), kCenter.x(), 1.5);
            } else if (alignment == AlignLeft) { // from the arc's left end
                EXPECT_LT(d.meanX(), kCenter.x() - 0.5 * inner);
                EXPECT_LT(d.bounds().left(), kCenter.x() - 0.9 * inner);
            } else { // to its right end
                EXPECT_GT(d.meanX(), kCenter.x() + 0.5 * inner);
                EXPECT_GT(d.bounds().right(), kCenter.x() + 0.9 * inner);
            }
        }
    }
}

// The outermost line's cell lies a line height inside the edge, the next one
// a line height further in (the title's second line, the text's last but
// one), and every part of a line has its letters' feet on the baseline
// circle: the inner side along the top, the outer one along the bottom.
TEST(ArcText, LinesLieOnCirclesALineHeightApartFromALineHeightInsideTheEdge)
{
    const double L = lineHeight(labelFont());
    for (ArcSide side : {ArcSide::Top, ArcSide::Bottom}) {
        SCOPED_TRACE(sideName(side));
        const bool top = side == ArcSide::Top;
        const Drawn d
            = drawArc({top ? "HHHHHHHHHHHHHHHHHHHH" : "H", top ? "H" : "HHHHHHHHHHHHHHHHHHHH"},
                side, AlignCenter);
        const ArcLine &outer = d.result.lines.at(top ? 0 : 1);
        const ArcLine &inner = d.result.lines.at(top ? 1 : 0);
        EXPECT_NEAR(outer.outerRadius, kOuter - L, 1e-9);
        EXPECT_NEAR(outer.innerRadius, kOuter - 2 * L, 1e-9);
        EXPECT_NEAR(outer.baselineRadius - inner.baselineRadius, L, 1e-9);
        const double span = outer.endAngle - outer.startAngle;
        for (int tenth = 0; tenth < 10; ++tenth) {
            SCOPED_TRACE(tenth);
            double nearest = 1e9, farthest = 0;
            for (const QPointF &p : d.ink) {
                const double dx = p.x() - kCenter.x(), dy = p.y() - kCenter.y();
                const double angle = top ? std::atan2(dx, -dy) : std::atan2(dx, dy);
                if (distance(p) > outer.innerRadius
                    && int(std::floor((angle - outer.startAngle) / span * 10)) == tenth) {
                    nearest = std::min(nearest, distance(p));
                    farthest = std::max(farthest, distance(p));
                }
            }
            ASSERT_LT(nearest, farthest);
            EXPECT_LE(farthest, outer.outerRadius);
            EXPECT_NEAR(top ? nearest : farthest, outer.baselineRadius, 1.5);
        }
    }
}

// Both sides read upright to someone holding the disc: at the middle of
// either side an "L" has its stem on the left and its foot at the bottom, an
// "F" its top bar at the top, and a line's first letter is on the left.
TEST(ArcText, BothSidesReadUprightFromLeftToRight)
{
    for (ArcSide side : {ArcSide::Top, ArcSide::Bottom}) {
        for (const char *text : {"L", "F", "W........"}) {
            SCOPED_TRACE(testing::Message() << sideName(side) << " " << text);
            const Drawn d = drawArc({text}, side, AlignCenter, labelFont(60));
            ASSERT_FALSE(d.ink.isEmpty());
            const QRectF b = d.bounds();
            int left = 0, right = 0, topQuarter = 0, bottomQuarter = 0;
            for (const QPointF &p : d.ink) {
                (p.x() < b.center().x() ? left : right) += 1;
                topQuarter += p.y() < b.top() + b.height() / 4;
                bottomQuarter += p.y() > b.bottom() - b.height() / 4;
            }
            if (text[0] == 'L') {
                EXPECT_GT(left, 2 * right);
                EXPECT_GT(bottomQuarter, topQuarter);
            } else if (text[0] == 'F') {
                EXPECT_GT(left, right);
                EXPECT_GT(topQuarter, 2 * bottomQuarter);
            } else {
                EXPECT_LT(d.meanX(), kCenter.x() - 10);
            }
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
    const C N = C::None, H = C::ReachesHub, T = C::TooLong;
    struct Case {
        ArcSide side;
        int alignment;
        QStringList lines;
        QList<C> cuts;
    } cases[] = {
        {ArcSide::Top, AlignCenter, {"1", "2", "3", "4", "5"}, {N, N, N, N, N}},
        {ArcSide::Top, AlignCenter, {"1", "2", "3", "4", "5", "6", "7"}, {N, N, N, N, N, H, H}},
        {ArcSide::Bottom, AlignCenter, {"1", "2", "3", "4", "5", "6", "7"}, {H, H, N, N, N, N, N}},
        // Empty lines lose nothing.
        {ArcSide::Top, AlignLeft, {"1", "2", "3", "4", "5", "", ""}, {N, N, N, N, N, N, N}},
        {ArcSide::Top, AlignLeft, {longLine}, {T}},
        {ArcSide::Top, AlignCenter, {longLine}, {T}},
        {ArcSide::Bottom, AlignRight, {"short", longLine}, {N, T}},
        {ArcSide::Top, AlignCenter, {QString(9000, QLatin1Char('.'))}, {T}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << sideName(c.side) << " " << c.lines.size() << " lines, "
                                        << c.lines.at(0).size() << " characters");
        const Drawn d = drawArc(c.lines, c.side, c.alignment, font, outer, hub);
        QList<C> cuts;
        for (const ArcLine &line : d.result.lines)
            cuts << line.cut;
        EXPECT_EQ(cuts, c.cuts);

        // Nothing reaches into the hub or past the usable arc: a cut line is
        // left out, or drawn only as far as it fits.
        ASSERT_FALSE(d.ink.isEmpty());
        for (const QPointF &p : d.ink) {
            ASSERT_GT(distance(p), hub);
            ASSERT_GT(c.side == ArcSide::Top ? kCenter.y() - p.y() : p.y() - kCenter.y(), L / 4);
        }
        if (c.lines.at(0) == longLine) { // as far as it fits: to both ends
            const double reach = 0.95 * d.result.lines.at(0).innerRadius;
            EXPECT_LT(d.bounds().left(), kCenter.x() - reach);
            EXPECT_GT(d.bounds().right(), kCenter.x() + reach);
        }

        // Measuring alone finds the same, and draws nothing.
        QImage probe = makeCanvas(100, 100, 96);
        QPainter painter(&probe);
        DeviceContext dc(painter);
        const ArcTextResult measured
            = layoutTextAlongCircle(dc, font, c.lines, kCenter, outer, hub, c.side, c.alignment);
        painter.end();
        EXPECT_EQ(measured.cutLines(), d.result.cutLines());
        EXPECT_DOUBLE_EQ(measured.lines.last().endAngle, d.result.lines.last().endAngle);
        EXPECT_TRUE(allColor(probe, probe.rect(), Qt::white));
    }
}
