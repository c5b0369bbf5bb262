#include "CdFaceRenderer.h"

#include "render/Geometry.h"

#include "DeviceContext.h"
#include "FaceDrawing.h"
#include "FacePicture.h"
#include "PictureFraming.h"
#include "PictureSource.h"
#include "SpineText.h"
#include "TextDrawing.h"
#include "TrackColumns.h"
#include "document/DisplayText.h"

#include <QPainter>
#include <cmath>

void CdFaceRenderer::DrawBorders(DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const double xScale = target.xScale;
    if (!showBorder)
        return;
    const EdgeRect r = EdgeRect::of(rect);
    outlineRect(dc, r);
    if (spinesOn) {
        const int a = truncated(spineWidthPx * xScale);
        outlineRect(dc, {r.left, r.top, r.left + a + 1, r.bottom});
        outlineRect(dc, {r.left + a, r.top, r.right - a, r.bottom});
    }
}

FaceDrawResult CdFaceRenderer::RenderFace(
    DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const double xScale = target.xScale;
    const double yScale = target.yScale;
    const EdgeRect r = EdgeRect::of(rect);
    const int w = r.width();
    const int h = r.height();
    const int s = truncated(spineWidthPx * xScale);

    const QRect pictureBox
        = printOverSpines ? QRect(r.left, r.top, w, h) : QRect(r.left + s, r.top, w - 2 * s, h);
    const auto picture = target.pictureSource().picture(
        imagePath, pictureDecodeTarget(devicePixelSize(dc, pictureBox), imagePlacement));
    QPainter &p = dc.painter();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    fillRect(dc, r, colorFromRef(backgroundColor));
    if (picture)
        DrawPicturePlaced(dc, pictureBox, *picture, imagePlacement, backgroundColor);

    const int dpiY = dc.dpiY();
    const QColor color = colorFromRef(textColor);
    FaceDrawResult result;
    if (!drawCdSpineTexts(dc, font, yScale, color, r, s, displayText(spineText)))
        result.cuts.append({TextCut::Part::SpineText, TextCut::Reason::Longer});

    const QFont mainFont = mainFaceFont(dc, font, target.fontReferenceDpi, yScale);
    const QString titleCopy = doubledAmpersands(displayText(title));
    const QString textCopy = doubledAmpersands(displayText(text));

    const int gx = truncated(dpiY * textInsetX);
    const int gy = truncated(dpiY * textInsetY);
    EdgeRect t = spineWidthPx == 0
        ? EdgeRect{r.left + gx, r.top + gy, r.right - gx, r.bottom}
        : EdgeRect{r.left + gx + s, r.top + gy, r.right - s - 7, r.bottom};
    const int reference = target.fontReferenceDpi;
    const LogFont titleRecord = titleStyle.fontOver(font);
    const QColor titleColor = colorFromRef(titleStyle.colorOver(textColor));
    const QFont titleFont = !shrinkText
        ? mainFaceFont(dc, titleRecord, reference, yScale)
        : shrunkFaceFont(
            dc, titleRecord, reference, yScale, true, [&](DeviceContext &m, const QFont &f) {
                return textFitsBox(m, f, titleCopy, t.toQRect(), alignment);
            });
    const int lineHeight = textExtent(dc, titleFont, QStringLiteral("A")).height();

    QList<QRect> lines;
    drawTextInBox(dc, titleFont, titleColor, titleCopy, t.toQRect(), alignment, &lines);
    result.cuts += textCutsInBox(lines, t.toQRect(), TextCut::Part::Title, TextCut::Bound::Cover);
    if (!title.isEmpty())
        t.top += lineHeight;
    if (isBackFace == 1) {
        const TrackColumns columns = splitStoredTrackListing(text);
        const QFont rowFont = !shrinkText
            ? mainFont
            : shrunkFaceFont(
                dc, font, reference, yScale, true, [&](DeviceContext &m, const QFont &f) {
                    return drawTrackListing(m, f, color, columns, t.toQRect(), 1.5).isEmpty();
                });
        result.cuts += drawTrackListing(dc, rowFont, color, columns, t.toQRect(), 1.5);
    } else {
        const QFont textFont = !shrinkText
            ? mainFont
            : shrunkFaceFont(
                dc, font, reference, yScale, true, [&](DeviceContext &m, const QFont &f) {
                    return textFitsBox(m, f, textCopy, t.toQRect(), alignment);
                });
        drawTextInBox(dc, textFont, color, textCopy, t.toQRect(), alignment, &lines);
        result.cuts
            += textCutsInBox(lines, t.toQRect(), TextCut::Part::Text, TextCut::Bound::Cover);
    }
    p.restore();
    return result;
}

FaceDrawResult CdFaceRenderer::Render(DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const FaceDrawResult result = RenderFace(dc, rect, target);
    DrawBorders(dc, rect, target);
    return result;
}

FaceDrawResult CdFaceRenderer::PrintFace(DeviceContext &dc, QRect rect, int referenceDpi) const
{
    return Render(dc, rect, DrawTarget::paper(referenceDpi));
}
