#include "DiscRenderer.h"

#include "render/Geometry.h"

#include "ArcText.h"
#include "DeviceContext.h"
#include "FaceDrawing.h"
#include "FacePicture.h"
#include "PictureFraming.h"
#include "PictureSource.h"
#include "TextDrawing.h"
#include "document/DisplayText.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {
// The title sits 1.65 hub diameters above 40 % of the disc height. Label
// stocks have hubs twice the plain-paper one, which would put the title
// above the disc and clip it away entirely; it never starts higher than a
// tenth of the disc down, where the disc is still 60 % of its width wide.
constexpr double kHighestTitleTop = 0.1;

bool insideEllipse(const QRectF &ellipse, QPointF point)
{
    const double rx = ellipse.width() / 2, ry = ellipse.height() / 2;
    if (rx <= 0 || ry <= 0)
        return false;
    const double dx = (point.x() - ellipse.center().x()) / rx;
    const double dy = (point.y() - ellipse.center().y()) / ry;
    return dx * dx + dy * dy <= 1.0;
}

bool touchesCircle(const QRect &line, QPointF center, double radius)
{
    const double nx = std::clamp(center.x(), double(line.left()), double(line.x() + line.width()));
    const double ny = std::clamp(center.y(), double(line.top()), double(line.y() + line.height()));
    return std::hypot(nx - center.x(), ny - center.y()) < radius;
}

// Cuts of a text on the disc: a line whose foot leaves the disc is below
// it, one whose corners leave it is wider than it, and one that reaches a
// hub painted white is lost there.
QList<TextCut> discTextCuts(
    const QList<QRect> &lines, const QRectF &disc, const QRectF &whiteHub, TextCut::Part part)
{
    int total = 0, below = 0, wider = 0, hub = 0;
    for (const QRect &line : lines) {
        if (line.width() <= 0)
            continue;
        ++total;
        // A line's cell has room above its capitals and below its baseline
        // that holds no ink at the line's ends; on a circle those corners
        // leave the disc long before the letters do. The corners checked are
        // at the capitals' top and the baseline (about a quarter and four
        // fifths down a cell), the foot at the descenders.
        const double left = line.x(), right = line.x() + line.width();
        const double top = line.y() + 0.25 * line.height();
        const double bottom = line.y() + 0.8 * line.height();
        const double foot = line.y() + 0.95 * line.height();
        if (foot > disc.bottom() || !insideEllipse(disc, QPointF((left + right) / 2, foot)))
            ++below;
        else if (!insideEllipse(disc, {left, top}) || !insideEllipse(disc, {right, top})
            || !insideEllipse(disc, {left, bottom}) || !insideEllipse(disc, {right, bottom}))
            ++wider;
        else if (!whiteHub.isEmpty()
            && touchesCircle(line, whiteHub.center(), whiteHub.width() / 2))
            ++hub;
    }
    QList<TextCut> cuts;
    const TextCut::Bound bound = TextCut::Bound::Disc;
    if (below > 0)
        cuts.append({part, TextCut::Reason::Below, bound, below, total});
    if (wider > 0)
        cuts.append({part, TextCut::Reason::Wider, bound, wider, total});
    if (hub > 0)
        cuts.append({part, TextCut::Reason::Hub, bound, hub, total});
    return cuts;
}

// Cuts of a text along the edge: a line into the hub, or longer than its arc.
QList<TextCut> arcTextCuts(const QStringList &lines, const ArcTextResult &laid, TextCut::Part part)
{
    int total = 0, hub = 0, longer = 0;
    for (qsizetype i = 0; i < lines.size() && i < laid.lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        ++total;
        if (laid.lines[i].cut == ArcLine::Cut::ReachesHub)
            ++hub;
        else if (laid.lines[i].cut == ArcLine::Cut::TooLong)
            ++longer;
    }
    QList<TextCut> cuts;
    const TextCut::Bound bound = TextCut::Bound::Disc;
    if (longer > 0)
        cuts.append({part, TextCut::Reason::Wider, bound, longer, total});
    if (hub > 0)
        cuts.append({part, TextCut::Reason::Hub, bound, hub, total});
    return cuts;
}
} // namespace

QList<TextCut> DiscRenderer::drawTexts(
    DeviceContext &dc, const EdgeRect &r, int hub, const DrawTarget &target) const
{
    const QColor textInk = colorFromRef(textColor);
    const QColor titleInk = colorFromRef(titleStyle.colorOver(textColor));
    const int w = r.width();
    const int h = r.height();
    const int cx = r.left + w / 2;
    const int cy = r.top + h / 2;
    // Shrunk, the title and the text each take the size that fits them.
    auto fitted = [&](TextCut::Part part,
                      const std::function<bool(DeviceContext &, const QFont &)> &fits) {
        const LogFont record = part == TextCut::Part::Title ? titleStyle.fontOver(font) : font;
        return shrinkText
            ? shrunkFaceFont(dc, record, target.fontReferenceDpi, target.yScale, true, fits)
            : mainFaceFont(dc, record, target.fontReferenceDpi, target.yScale);
    };
    auto inkOf
        = [&](TextCut::Part part) { return part == TextCut::Part::Title ? titleInk : textInk; };
    QList<TextCut> cuts;
    if (curvedText) {
        const QPointF centre(r.left + w / 2.0, r.top + h / 2.0);
        auto along = [&](const QByteArray &stored, ArcSide side, TextCut::Part part) {
            const QStringList lines = splitTextLines(displayText(stored));
            if (stored.isEmpty())
                return;
            const QFont f = fitted(part, [&](DeviceContext &m, const QFont &trial) {
                return !layoutTextAlongCircle(
                    m, trial, lines, centre, w / 2.0, hub / 2.0, side, alignment)
                            .anyCut();
            });
            cuts += arcTextCuts(lines,
                drawTextAlongCircle(
                    dc, f, inkOf(part), lines, centre, w / 2.0, hub / 2.0, side, alignment),
                part);
        };
        along(title, ArcSide::Top, TextCut::Part::Title);
        along(text, ArcSide::Bottom, TextCut::Part::Text);
        return cuts;
    }

    const QRectF discArea(r.left, r.top, w, h);
    const QRectF whiteHub = printOverInnerCircle
        ? QRectF()
        : QRectF(cx - hub / 2, cy - hub / 2, hub / 2 * 2, hub / 2 * 2);
    auto straight = [&](const QByteArray &stored, const EdgeRect &box, TextCut::Part part) {
        const QString copy = doubledAmpersands(displayText(stored));
        QList<QRect> lines;
        const QFont f = fitted(part, [&](DeviceContext &m, const QFont &trial) {
            drawTextInBox(m, trial, Qt::black, copy, box.toQRect(), alignment, &lines);
            return discTextCuts(lines, discArea, whiteHub, part).isEmpty();
        });
        drawTextInBox(dc, f, inkOf(part), copy, box.toQRect(), alignment, &lines);
        cuts += discTextCuts(lines, discArea, whiteHub, part);
    };
    const int titleTop = std::max(
        truncated(h * 0.4 - hub * 1.65 + r.top), r.top + truncated(h * kHighestTitleTop));
    straight(title, {r.left, titleTop, r.right, r.bottom}, TextCut::Part::Title);
    // The text starts below the hub, whatever the title holds.
    straight(text, {r.left, r.top + h / 2 + hub / 2 + 10, r.right, r.bottom}, TextCut::Part::Text);
    return cuts;
}

FaceDrawResult DiscRenderer::RenderFace(
    DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const double xScale = target.xScale;
    const double yScale = target.yScale;
    const EdgeRect r = EdgeRect::of(rect);
    const int w = r.width();
    const int h = r.height();
    const int hub = truncated(innerCircleDiameterPx * xScale);

    QPainter &p = dc.painter();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPainterPath disc = ellipseRegion(r);

    const auto picture = target.pictureSource().picture(
        imagePath, pictureDecodeTarget(devicePixelSize(dc, rect), imagePlacement));
    fillEllipse(dc, r, colorFromRef(backgroundColor));
    if (picture) {
        p.save();
        p.setClipPath(disc, Qt::IntersectClip);
        DrawPicturePlaced(dc, rect, *picture, imagePlacement, backgroundColor, true);
        p.restore();
    }

    // Everything from here on stays on the disc.
    p.setClipPath(disc, Qt::IntersectClip);
    FaceDrawResult result;
    result.cuts = drawTexts(dc, r, hub, target);

    if (showBorder)
        outlineEllipse(dc, {r.left, r.top, r.right - 1, r.bottom - 1});

    const int cx = r.left + w / 2;
    const int cy = r.top + h / 2;
    const EdgeRect hubBox{cx - hub / 2, cy - hub / 2, cx + hub / 2, cy + hub / 2};
    if (!printOverInnerCircle)
        fillEllipse(dc, hubBox, Qt::white);
    if (showBorder)
        outlineEllipse(dc, hubBox);
    p.restore();
    return result;
}

FaceDrawResult DiscRenderer::Render(DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const FaceDrawResult result = RenderFace(dc, rect, target);
    return result;
}

FaceDrawResult DiscRenderer::PrintFace(DeviceContext &dc, QRect rect, int referenceDpi) const
{
    return Render(dc, rect, DrawTarget::paper(referenceDpi));
}
