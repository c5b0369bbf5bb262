#include "SlimlineSheetRenderer.h"

#include "DeviceContext.h"
#include "FaceDrawing.h"
#include "FacePicture.h"
#include "PictureFraming.h"
#include "PictureSource.h"
#include "SpineText.h"
#include "TextDrawing.h"
#include "TrackColumns.h"
#include "document/DisplayText.h"

#include "render/Geometry.h"
#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

// Larger sheets than this (about 9600 dpi) are no sheet a printer or a
// screen asks for; refusing them keeps a bad input from eating memory.
constexpr qint64 kMaxBitmapPixels = qint64(400) * 1000 * 1000;

// Titles start one and a half track numbers right of the numbers, as on the
// CD back; starting them right at the widest number's end would glue every
// title to its number ("1Intro").
constexpr double kTitleColumnFactor = 1.5;

// The part of `rect` the bitmap must hold: all of it when the sheet is
// scaled into it, else the part inside the painter's device.
QRect visiblePart(DeviceContext &dc, const QRect &rect, QSize nominal)
{
    const QPaintDevice *device = dc.painter().device();
    if (rect.size() != nominal || !device || !dc.painter().worldTransform().isIdentity())
        return QRect(QPoint(0, 0), nominal).translated(rect.topLeft());
    return rect.intersected(QRect(0, 0, device->width(), device->height()));
}

} // namespace

void SlimlineSheetRenderer::DrawBorders(
    DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const double xScale = target.xScale;
    const EdgeRect r = EdgeRect::of(rect);
    if (showBorder)
        outlineRect(dc, r);
    if (spinesOn && showBorder) {
        const int x0 = r.left + truncated(flapWidthPx * xScale);
        outlineRect(dc, {x0, r.top, x0 + truncated(xScale * spineWidthPx) + 1, r.bottom});
    }
    const int c = notchWidthPx;
    const int d = notchHeightPx;
    if (showBorder) {
        outlineRect(dc, {r.left, r.top, r.left + c + 1, r.top + d});
        outlineRect(dc, {r.left, r.bottom - d, r.left + c + 1, r.bottom});
    }
    const QColor cutOut
        = target.medium == DrawTarget::Medium::Screen ? QColor(212, 208, 200) : QColor(Qt::white);
    fillRect(dc, {r.left, r.bottom - d + 1, r.left + c, r.bottom + 1}, cutOut);
    fillRect(dc, {r.left, r.top - 1, r.left + c, r.top + d - 1}, cutOut);
}

FaceDrawResult SlimlineSheetRenderer::RenderFace(
    DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const int w = nominalWidth;
    const int h = nominalHeight;
    if (w <= 0 || h <= 0 || rect.width() <= 0 || rect.height() <= 0)
        return {};
    // A preview gets a bitmap of the size it is shown at, its contents
    // scaled, so that text and picture stay sharp at any zoom and the
    // picture is decoded for the size it shows at. Drawn at its own size,
    // only the part of the sheet on the page is made: a sheet grown by a
    // printer adjustment never costs more than the page.
    const bool enlarged = target.medium == DrawTarget::Medium::Screen && rect.size() != QSize(w, h);
    const QRect shown = enlarged ? rect : visiblePart(dc, rect, QSize(w, h));
    if (shown.isEmpty() || qint64(shown.width()) * shown.height() > kMaxBitmapPixels)
        return {};

    FaceDrawResult result;
    QImage sheet(shown.size(), QImage::Format_RGB32);
    if (sheet.isNull())
        return {};
    sheet.setDotsPerMeterX(dotsPerMeter(dc.dpiX()));
    sheet.setDotsPerMeterY(dotsPerMeter(dc.dpiY()));
    {
        QPainter bp(&sheet);
        bp.translate(rect.topLeft() - shown.topLeft());
        if (enlarged)
            bp.scale(double(rect.width()) / w, double(rect.height()) / h);
        DeviceContext bitmap(bp, dc.dpiX(), dc.dpiY());
        bitmap.setTextObserver(dc.textObserver());
        const int s = spineWidthPx;
        const int f = flapWidthPx;

        fillRect(bitmap, {0, 0, w, h}, colorFromRef(backgroundColor));
        // Beyond the sheet's right edge the picture is cut off.
        const QRect box = printOverSpines ? QRect(0, 0, w, h) : QRect(s + f, 0, w - 2 * s, h);
        const auto picture = target.pictureSource().picture(
            imagePath, pictureDecodeTarget(devicePixelSize(bitmap, box), imagePlacement));
        if (picture)
            DrawPicturePlaced(bitmap, box, *picture, imagePlacement, backgroundColor);

        const QColor color = colorFromRef(textColor);
        if (!drawSlimlineSpineText(bitmap, font, color, f, s, h, displayText(spineText)))
            result.cuts.append({TextCut::Part::SpineText, TextCut::Reason::Longer});

        const QFont mainFont = mainFaceFont(bitmap, font, target.fontReferenceDpi, 1.0, false);
        const int dpiY = bitmap.dpiY();
        const EdgeRect t{truncated(dpiY * textLeft), truncated(dpiY * textTop), w - 5, h};
        // No title on this sheet; a text without track entries draws nothing.
        const TrackColumns columns = splitStoredTrackListing(text);
        const QFont rowFont = !shrinkText
            ? mainFont
            : shrunkFaceFont(bitmap, font, target.fontReferenceDpi, 1.0, false,
                [&](DeviceContext &m, const QFont &f) {
                    return drawTrackListing(m, f, color, columns, t.toQRect(), kTitleColumnFactor)
                        .isEmpty();
                });
        result.cuts
            += drawTrackListing(bitmap, rowFont, color, columns, t.toQRect(), kTitleColumnFactor);
    }

    QPainter &p = dc.painter();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The sheet holds its text: a PDF must keep its exact pixels, never
    // compress them as a photo.
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    if (enlarged || rect.size() == QSize(w, h)) {
        p.drawImage(shown.topLeft(), sheet);
    } else {
        // Reduced for a preview: sampled smooth while it is drawn, without
        // a scaled copy first.
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(QRectF(rect), sheet);
    }
    p.restore();
    return result;
}

FaceDrawResult SlimlineSheetRenderer::Render(
    DeviceContext &dc, QRect rect, const DrawTarget &target) const
{
    const FaceDrawResult result = RenderFace(dc, rect, target);
    DrawBorders(dc, rect, target);
    return result;
}

FaceDrawResult SlimlineSheetRenderer::PrintFace(
    DeviceContext &dc, QRect rect, int referenceDpi) const
{
    return Render(dc, rect, DrawTarget::paper(referenceDpi));
}
