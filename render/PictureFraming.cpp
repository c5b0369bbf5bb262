#include "PictureFraming.h"

#include <algorithm>
#include <cmath>

namespace {

bool isQuarter(int32_t rotation)
{
    return rotation == 90 || rotation == 270;
}

// The upright picture's point at `x`, `y` after the turn.
QPointF turnPoint(QPointF p, QSizeF upright, int32_t rotation)
{
    switch (rotation) {
    case 90: return QPointF(upright.height() - p.y(), p.x());
    case 180: return QPointF(upright.width() - p.x(), upright.height() - p.y());
    case 270: return QPointF(p.y(), upright.width() - p.x());
    default: return p;
    }
}

// One axis of the frame: `shown` picture pixels of `length` in all, centred
// on `centre` but never past either end; drawn over `boxStart`..`boxLength`,
// or centred on the box when the whole picture is narrower than it.
void frameAxis(double length, double scale, double centre, double boxStart, double boxLength,
    double &sourceStart, double &sourceLength, double &targetStart, double &targetLength)
{
    const double drawn = length * scale;
    if (drawn <= boxLength) {
        sourceStart = 0;
        sourceLength = length;
        targetLength = drawn;
        targetStart = boxStart + (boxLength - drawn) / 2;
        return;
    }
    sourceLength = boxLength / scale;
    sourceStart = std::clamp(centre - sourceLength / 2, 0.0, length - sourceLength);
    targetStart = boxStart;
    targetLength = boxLength;
}

} // namespace

QSizeF turnedSize(QSizeF upright, int32_t rotation)
{
    return isQuarter(rotation) ? upright.transposed() : upright;
}

PictureFrame framePicture(
    QSizeF upright, const PicturePlacement &placement, const QRectF &box, bool round)
{
    const QSizeF turned = turnedSize(upright, placement.rotation);
    if (turned.isEmpty() || box.isEmpty())
        return {QRectF(), QRectF()};
    if (placement.fit != FitFill && placement.fit != FitInside)
        return {QRectF(QPointF(0, 0), turned), box};

    const double zoom
        = std::clamp(placement.zoom, PicturePlacement::kMinZoom, PicturePlacement::kMaxZoom)
        / 100.0;
    double scale = 0;
    if (placement.fit == FitFill)
        scale = std::max(box.width() / turned.width(), box.height() / turned.height());
    else if (round)
        scale = std::min(box.width(), box.height()) / std::hypot(turned.width(), turned.height());
    else
        scale = std::min(box.width() / turned.width(), box.height() / turned.height());
    scale *= zoom;

    const QPointF centre
        = turnPoint(QPointF(std::clamp(placement.centerX, 0, 1000) / 1000.0 * upright.width(),
                        std::clamp(placement.centerY, 0, 1000) / 1000.0 * upright.height()),
            upright, placement.rotation);
    PictureFrame frame;
    double sx = 0, sw = 0, tx = 0, tw = 0, sy = 0, sh = 0, ty = 0, th = 0;
    frameAxis(turned.width(), scale, centre.x(), box.left(), box.width(), sx, sw, tx, tw);
    frameAxis(turned.height(), scale, centre.y(), box.top(), box.height(), sy, sh, ty, th);
    frame.source = QRectF(sx, sy, sw, sh);
    frame.target = QRectF(tx, ty, tw, th);
    return frame;
}

QTransform pictureTransform(QSizeF upright, int32_t rotation, const PictureFrame &frame)
{
    const double w = upright.width();
    const double h = upright.height();
    QTransform turn;
    switch (rotation) {
    case 90: turn = QTransform(0, 1, -1, 0, h, 0); break;
    case 180: turn = QTransform(-1, 0, 0, -1, w, h); break;
    case 270: turn = QTransform(0, -1, 1, 0, 0, w); break;
    default: break;
    }
    const QRectF &s = frame.source;
    const QRectF &t = frame.target;
    QTransform place;
    place.translate(t.left(), t.top());
    place.scale(t.width() / s.width(), t.height() / s.height());
    place.translate(-s.left(), -s.top());
    return turn * place;
}

QSize pictureDecodeTarget(QSize boxPixels, const PicturePlacement &placement)
{
    QSize target = boxPixels;
    // Zoomed, the part that shows is smaller than the picture: it needs as
    // many more pixels.
    if (placement.fit == FitFill || placement.fit == FitInside) {
        const double zoom
            = std::clamp(placement.zoom, PicturePlacement::kMinZoom, PicturePlacement::kMaxZoom)
            / 100.0;
        target
            = QSize(int(std::ceil(target.width() * zoom)), int(std::ceil(target.height() * zoom)));
    }
    return isQuarter(placement.rotation) ? target.transposed() : target;
}
