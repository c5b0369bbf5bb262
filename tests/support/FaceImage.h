#pragma once

// Helpers of the face-rendering tests: canvases at a given resolution and
// questions about their pixels.

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace testsupport {

inline QImage makeCanvas(int width, int height, int dpi, QColor fill = Qt::white)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    const int dpm = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    return image;
}

inline bool sameColor(QRgb a, QColor b, int tolerance = 0)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
        && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

// Bounding box of the pixels in `region` that differ from `background`;
// null when there are none.
inline QRect inkBounds(const QImage &image, QRect region, QColor background, int tolerance = 40)
{
    region = region.intersected(image.rect());
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = region.left(); x <= region.right(); ++x) {
            if (!sameColor(line[x], background, tolerance)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (left == INT_MAX)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Number of pixels in `region` of exactly (within tolerance) `color`.
inline long countColor(const QImage &image, QRect region, QColor color, int tolerance = 0)
{
    region = region.intersected(image.rect());
    long n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (sameColor(image.pixel(x, y), color, tolerance))
                ++n;
    return n;
}

inline bool allColor(const QImage &image, QRect region, QColor color, int tolerance = 0)
{
    region = region.intersected(image.rect());
    return countColor(image, region, color, tolerance) == long(region.width()) * region.height();
}

// Columns of the image that are black from top to bottom: the vertical
// outlines of a face.
inline QList<int> fullBlackColumns(const QImage &image)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (allColor(image, QRect(x, 0, 1, image.height()), Qt::black))
            columns << x;
    return columns;
}

} // namespace testsupport
