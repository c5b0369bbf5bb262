#pragma once

#include "document/LogFont.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRect>
#include <QString>
#include <functional>

class DeviceContext;

// Drawing primitives the face renderers share, with the rectangle semantics
// the faces were laid out in: right and bottom are exclusive, and an
// outline of (l, t, r, b) covers the pixels l .. r-1 by t .. b-1.

struct EdgeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static EdgeRect of(const QRect &r)
    {
        return {r.left(), r.top(), r.x() + r.width(), r.y() + r.height()};
    }
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// One-pixel black outline.
void outlineRect(DeviceContext &dc, const EdgeRect &r);
void fillRect(DeviceContext &dc, const EdgeRect &r, const QColor &color);

// The ellipse inscribed in the box, as a region to fill or clip with.
QPainterPath ellipseRegion(const EdgeRect &r);
void fillEllipse(DeviceContext &dc, const EdgeRect &r, const QColor &color);
// One-pixel black outline of the ellipse inscribed in l .. r-1 by t .. b-1.
void outlineEllipse(DeviceContext &dc, const EdgeRect &r);

// A user's "&" doubled so that the box drawing shows it literally.
QString doubledAmpersands(const QString &text);

// The face's main font on this device: the stored height taken at the
// reference resolution, through whole points to the device, times yScale
// unless `applyScale` is false. A record without a height gets 12 points.
QFont mainFaceFont(DeviceContext &dc, const LogFont &record, int referenceDpi, double yScale,
    bool applyScale = true);

// The face's main font made smaller for "shrink to fit": the largest whole
// point size from the record's own (as mainFaceFont takes it) down to
// kSmallestShrunkPoints at which `fits` holds, or that smallest size when
// none does. `fits` lays the text out on a device that draws nothing, at
// this device's resolution. A record's own size that fits is returned as
// mainFaceFont gives it.
inline constexpr int kSmallestShrunkPoints = 6;
QFont shrunkFaceFont(DeviceContext &dc, const LogFont &record, int referenceDpi, double yScale,
    bool applyScale, const std::function<bool(DeviceContext &, const QFont &)> &fits);

// Whether `text` drawn into `box` would show whole (see textCutsInBox).
bool textFitsBox(
    DeviceContext &dc, const QFont &font, const QString &text, const QRect &box, int format);

// The rotated spine font: the face's font at `points`, normal weight,
// upright, times yScale unless `applyScale` is false.
QFont spineFont(
    DeviceContext &dc, const LogFont &record, int points, double yScale, bool applyScale = true);
