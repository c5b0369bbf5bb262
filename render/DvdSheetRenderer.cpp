#include "DvdSheetRenderer.h"

#include "DeviceContext.h"
#include "FaceDrawing.h"
#include "FacePicture.h"
#include "PictureFraming.h"
#include "PictureSource.h"
#include "SpineText.h"
#include "TextDrawing.h"
#include "document/DisplayText.h"

#include "render/Geometry.h"
#include <QPainter>

#include <cmath>

namespace {

void drawPicture(DeviceContext &dc, const DrawTarget &target, const QByteArray &path,
    const PicturePlacement &placement, const QRect &box, ColorRef background)
{
    const auto picture = target.pictureSource().picture(
        path, pictureDecodeTarget(devicePixelSize(dc, box), placement));
    if (picture)
        DrawPicturePlaced(dc, box, *picture, placement, background);
}
} // namespace

void DvdSheetRenderer::DrawBorders(DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const double xScale = target.xScale;
    const EdgeRect r = EdgeRect::of(rect);
    if (spinesOn && showBorder) {
        const int a = truncated(spineWidthPx * xScale);
        const int left = r.left + r.width() / 2 - a / 2;
        outlineRect(dc, {left, r.top, left + a, r.bottom});
    }
    if (showBorder)
        outlineRect(dc, r);
}

FaceDrawResult DvdSheetRenderer::RenderFace(
    DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const double xScale = target.xScale;
    const double yScale = target.yScale;
    const EdgeRect r = EdgeRect::of(rect);
    const int w = r.width();
    const int h = r.height();
    const int s = truncated(spineWidthPx * xScale);
    const int spineLeft = r.left + w / 2 - s / 2;

    QPainter &p = dc.painter();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    fillRect(dc, r, colorFromRef(backgroundColor));
    if (pictureMode == StretchedImage) {
        drawPicture(dc, target, sheetImagePath, sheetImagePlacement, rect, backgroundColor);
    } else if (pictureMode == SeparateImages) {
        const int frontLeft = r.left + w / 2 + s / 2;
        drawPicture(dc, target, frontImagePath, frontImagePlacement,
            QRect(frontLeft, r.top, r.right - frontLeft, h), backgroundColor);
        drawPicture(dc, target, backImagePath, backImagePlacement,
            QRect(r.left, r.top, w / 2 - s / 2, h), backgroundColor);
    }

    const int dpiY = dc.dpiY();
    const QColor color = colorFromRef(textColor);
    FaceDrawResult result;
    if (!drawDvdSpineText(
            dc, font, yScale, color, r, spineLeft, s, slimDvd, displayText(spineText)))
        result.cuts.append({TextCut::Part::SpineText, TextCut::Reason::Longer});

    EdgeRect back{r.left + truncated(dpiY * backTextLeft * xScale),
        r.top + truncated(dpiY * backTextTop * yScale), truncated(spineLeft - 5 * xScale),
        truncated(r.bottom - 5 * yScale)};
    // The front box's margins are not scaled.
    EdgeRect front{r.left + truncated(dpiY * frontTextLeft * xScale),
        r.top + truncated(dpiY * frontTextTop * yScale), r.right - 5, r.bottom - 5};

    QList<QRect> lines;
    auto drawPanel = [&](EdgeRect &box, const QByteArray &panelTitle, const QByteArray &panelText,
                         bool isFront) {
        const TextCut::Bound bound
            = isFront ? TextCut::Bound::FrontCover : TextCut::Bound::BackCover;
        // Shrunk, each panel's title and text take the size that fits them.
        auto fitted = [&](const LogFont &record, const QString &copy) {
            if (!shrinkText)
                return mainFaceFont(dc, record, target.fontReferenceDpi, yScale);
            return shrunkFaceFont(dc, record, target.fontReferenceDpi, yScale, true,
                [&](DeviceContext &m, const QFont &f) {
                    return textFitsBox(m, f, copy, box.toQRect(), alignment);
                });
        };
        const TitleStyle &style = isFront ? frontTitleStyle : backTitleStyle;
        const QString titleCopy = doubledAmpersands(displayText(panelTitle));
        const QFont titleFont = fitted(style.fontOver(font), titleCopy);
        drawTextInBox(dc, titleFont, colorFromRef(style.colorOver(textColor)), titleCopy,
            box.toQRect(), alignment, &lines);
        result.cuts += textCutsInBox(lines, box.toQRect(), TextCut::Part::Title, bound);
        if (!panelTitle.isEmpty())
            box.top += textExtent(dc, titleFont, QStringLiteral("A")).height();
        const QString textCopy = doubledAmpersands(displayText(panelText));
        drawTextInBox(
            dc, fitted(font, textCopy), color, textCopy, box.toQRect(), alignment, &lines);
        result.cuts += textCutsInBox(lines, box.toQRect(), TextCut::Part::Text, bound);
    };
    drawPanel(back, backTitle, backText, false);
    drawPanel(front, frontTitle, frontText, true);
    p.restore();
    return result;
}

FaceDrawResult DvdSheetRenderer::Render(
    DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const FaceDrawResult result = RenderFace(dc, rect, target);
    DrawBorders(dc, rect, target);
    return result;
}

FaceDrawResult DvdSheetRenderer::PrintFace(DeviceContext &dc, QRect rect, int referenceDpi) const
{
    return Render(dc, rect, DrawTarget::paper(referenceDpi));
}
