#include "ArcText.h"

#include "DeviceContext.h"
#include "TextDrawing.h"
#include "document/Alignment.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// No disc shows a line this long at a legible size (a 12 cm label's half
// circle is about 4400 pixels at 600 dpi); only this much of it is laid out.
constexpr qsizetype kLongLine = 8192;

// Lengths the layout compares at a little slack, so that a line that fits
// exactly is not cut by rounding.
constexpr double kSlack = 1e-6;

struct Metrics {
    double ascent = 0;
    double descent = 0;
    double height = 0; // L: the cell height, the distance between lines
    double halfCap = 0; // from the baseline to halfway up the capitals
};

Metrics metricsOf(DeviceContext &dc, const QFont &font)
{
    QPaintDevice *device = dc.painter().device();
    const QFontMetricsF fm = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    Metrics m;
    m.ascent = fm.ascent();
    m.descent = fm.descent();
    m.height = m.ascent + m.descent;
    const double cap = fm.capHeight() > 0 ? fm.capHeight() : m.ascent * 0.7;
    m.halfCap = cap / 2;
    return m;
}

// One glyph turned onto the circle.
struct PlacedGlyph {
    int run = 0; // index into LaidLine::runs
    quint32 index = 0;
    double angle = 0; // of its middle, on the line's side
    QPointF offset; // its origin from the point where its middle meets the baseline
};

struct LaidLine {
    ArcLine place;
    QList<QGlyphRun> runs; // their fonts and decorations; glyphs come from `glyphs`
    std::vector<PlacedGlyph> glyphs; // those inside the usable arc
};

// The part of a very long line that can show: its start for a left-aligned
// line, its end for a right-aligned one, its middle for a centred one.
QString shownPart(const QString &line, int alignment)
{
    if (line.size() <= kLongLine)
        return line;
    qsizetype from = 0;
    if (alignment == AlignRight)
        from = line.size() - kLongLine;
    else if (alignment == AlignCenter)
        from = (line.size() - kLongLine) / 2;
    qsizetype to = from + kLongLine;
    // Never split a surrogate pair.
    if (from > 0 && line.at(from).isLowSurrogate())
        ++from;
    if (to < line.size() && line.at(to).isLowSurrogate())
        --to;
    return line.mid(from, to - from);
}

// Radii of the line in ring `ring` (0 the outermost).
void placeRing(ArcLine &place, const Metrics &m, double outerRadius, int ring, ArcSide side)
{
    place.outerRadius = outerRadius - m.height * (ring + 1);
    place.innerRadius = place.outerRadius - m.height;
    // Along the top the ascent points outwards, along the bottom inwards.
    place.baselineRadius
        = side == ArcSide::Top ? place.outerRadius - m.ascent : place.outerRadius - m.descent;
}

double middleRadius(const ArcLine &place, const Metrics &m, ArcSide side)
{
    return side == ArcSide::Top ? place.baselineRadius + m.halfCap
                                : place.baselineRadius - m.halfCap;
}

double startAngleFor(double width, double radius, double usable, int alignment)
{
    const double span = width / radius;
    if (alignment == AlignCenter)
        return -span / 2;
    if (alignment == AlignRight)
        return usable - span;
    return -usable;
}

LaidLine layLine(DeviceContext &dc, const QFont &font, const Metrics &m, const QString &text,
    int ring, double outerRadius, double hubRadius, ArcSide side, int alignment, bool withGlyphs)
{
    LaidLine laid;
    ArcLine &place = laid.place;
    placeRing(place, m, outerRadius, ring, side);
    if (text.isEmpty())
        return laid;
    if (place.innerRadius < std::max(hubRadius, 0.0) - kSlack) {
        place.cut = ArcLine::Cut::ReachesHub;
        return laid;
    }

    const QString shown = shownPart(text, alignment);
    QTextLayout layout(shown, font, dc.painter().device());
    layout.setCacheEnabled(false);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();

    const double width = line.horizontalAdvance();
    const double radius = middleRadius(place, m, side);
    if (radius <= 0) { // a font without height: nothing to place
        place.cut = ArcLine::Cut::ReachesHub;
        return laid;
    }
    // Half a line height at either end of the half circle stays free.
    const double usable = std::max(0.0, std::numbers::pi / 2 - m.height / 2 / radius);
    place.usableAngle = usable;
    place.startAngle = startAngleFor(width, radius, usable, alignment);
    place.endAngle = place.startAngle + width / radius;
    const bool tooLong = shown.size() < text.size() || width > 2 * usable * radius + kSlack;
    if (tooLong)
        place.cut = ArcLine::Cut::TooLong;
    if (!withGlyphs)
        return laid;

    const double baseline = line.ascent();
    laid.runs = line.glyphRuns();
    for (int r = 0; r < laid.runs.size(); ++r) {
        const QGlyphRun &run = laid.runs.at(r);
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(indexes);
        for (qsizetype g = 0; g < indexes.size(); ++g) {
            const double x = positions.at(g).x();
            const double advance = g < advances.size() ? advances.at(g).x() : 0;
            if (tooLong
                && (place.startAngle + x / radius < -usable - kSlack
                    || place.startAngle + (x + advance) / radius > usable + kSlack))
                continue;
            const double middle = x + advance / 2;
            PlacedGlyph placed;
            placed.run = r;
            placed.index = indexes.at(g);
            placed.angle = place.startAngle + middle / radius;
            placed.offset = QPointF(x - middle, positions.at(g).y() - baseline);
            laid.glyphs.push_back(placed);
        }
    }
    return laid;
}

std::vector<LaidLine> layLines(DeviceContext &dc, const QFont &font, const QStringList &lines,
    double outerRadius, double hubRadius, ArcSide side, int alignment, bool withGlyphs)
{
    const Metrics m = metricsOf(dc, font);
    std::vector<LaidLine> laid;
    laid.reserve(lines.size());
    const int count = int(lines.size());
    for (int i = 0; i < count; ++i) {
        // The top's first line is the outermost, the bottom's last one.
        const int ring = side == ArcSide::Top ? i : count - 1 - i;
        laid.push_back(layLine(
            dc, font, m, lines.at(i), ring, outerRadius, hubRadius, side, alignment, withGlyphs));
    }
    return laid;
}

ArcTextResult resultOf(const std::vector<LaidLine> &laid)
{
    ArcTextResult result;
    result.lines.reserve(qsizetype(laid.size()));
    for (const LaidLine &line : laid)
        result.lines.append(line.place);
    return result;
}

void notify(DeviceContext &dc, const QFont &font, QColor color, const QStringList &lines,
    QPointF center, double outerRadius, double hubRadius, ArcSide side, int alignment)
{
    TextDrawObserver *observer = dc.textObserver();
    if (!observer)
        return;
    TextDrawCall call;
    call.kind = TextDrawCall::Kind::Arc;
    call.text = lines.join(QLatin1Char('\n'));
    const double r = std::max(outerRadius, 0.0);
    call.box = QRectF(center.x() - r, center.y() - r, 2 * r, 2 * r).toRect();
    call.origin = center.toPoint();
    call.format = alignment;
    call.hubRadius = int(std::lround(hubRadius));
    call.bottomArc = side == ArcSide::Bottom;
    call.family = font.family();
    call.pixelSize = font.pixelSize();
    call.weight = font.weight();
    call.italic = font.italic();
    call.color = color;
    observer->textDrawn(call);
}

} // namespace

QList<int> ArcTextResult::cutLines() const
{
    QList<int> cut;
    for (int i = 0; i < lines.size(); ++i)
        if (lines.at(i).cut != ArcLine::Cut::None)
            cut.append(i);
    return cut;
}

ArcTextResult layoutTextAlongCircle(DeviceContext &dc, const QFont &font, const QStringList &lines,
    QPointF /*center*/, double outerRadius, double hubRadius, ArcSide side, int alignment)
{
    // The centre moves the text but changes nothing about what fits; it is
    // taken so that measuring and drawing are called alike.
    return resultOf(layLines(dc, font, lines, outerRadius, hubRadius, side, alignment, false));
}

ArcTextResult drawTextAlongCircle(DeviceContext &dc, const QFont &font, QColor color,
    const QStringList &lines, QPointF center, double outerRadius, double hubRadius, ArcSide side,
    int alignment)
{
    notify(dc, font, color, lines, center, outerRadius, hubRadius, side, alignment);
    const std::vector<LaidLine> laid
        = layLines(dc, font, lines, outerRadius, hubRadius, side, alignment, true);

    QPainter &p = dc.painter();
    p.save();
    p.setPen(color);
    const QTransform base = p.worldTransform();
    const double degrees = 180 / std::numbers::pi;
    for (const LaidLine &line : laid) {
        if (line.glyphs.empty())
            continue;
        // One run per font of the line, refilled with one glyph at a time:
        // each glyph has a transform of its own.
        QList<QGlyphRun> single = line.runs;
        for (QGlyphRun &run : single) {
            run.setPositions({QPointF(0, 0)});
            run.setBoundingRect(QRectF()); // the whole line's; each glyph has its own
        }
        for (const PlacedGlyph &glyph : line.glyphs) {
            QTransform t = base;
            t.translate(center.x(), center.y());
            // Qt turns clockwise with y down: the top's angles run clockwise,
            // the bottom's counter-clockwise.
            if (side == ArcSide::Top) {
                t.rotate(glyph.angle * degrees);
                t.translate(0, -line.place.baselineRadius);
            } else {
                t.rotate(-glyph.angle * degrees);
                t.translate(0, line.place.baselineRadius);
            }
            p.setWorldTransform(t);
            QGlyphRun &run = single[glyph.run];
            run.setGlyphIndexes({glyph.index});
            p.drawGlyphRun(glyph.offset, run);
        }
    }
    p.restore();
    return resultOf(laid);
}
