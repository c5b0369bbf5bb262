#include "DiscRenderer.h"

#include "render/Geometry.h"

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

namespace {
// The title sits 1.65 hub diameters above 40 % of the disc height. Label
// stocks have hubs twice the plain-paper one, which would put the title
// above the disc and clip it away entirely; it never starts higher than a
// tenth of the disc down, where the disc is still 60 % of its width wide.
constexpr double kHighestTitleTop = 0.1;
} // namespace

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

    const QFont mainFont = mainFaceFont(dc, font, target.fontReferenceDpi, yScale);
    const QColor color = colorFromRef(textColor);
    const QString titleCopy = doubledAmpersands(displayText(title));
    const QString textCopy = doubledAmpersands(displayText(text));

    // Everything from here on stays on the disc.
    p.setClipPath(disc, Qt::IntersectClip);
    const int titleTop = std::max(
        truncated(h * 0.4 - hub * 1.65 + r.top), r.top + truncated(h * kHighestTitleTop));
    const EdgeRect titleBox{r.left, titleTop, r.right, r.bottom};
    drawTextInBox(dc, mainFont, color, titleCopy, titleBox.toQRect(), alignment);
    // The text starts below the hub, whatever the title holds.
    const EdgeRect textBox{r.left, r.top + h / 2 + hub / 2 + 10, r.right, r.bottom};
    drawTextInBox(dc, mainFont, color, textCopy, textBox.toQRect(), alignment);

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
    return {};
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
