#include "FaceDrawing.h"

#include "DeviceContext.h"
#include "Geometry.h"
#include "MeasuringDevice.h"
#include "TextCut.h"
#include "TextDrawing.h"

#include <QPainter>
#include <cmath>

void fillRect(DeviceContext &dc, const EdgeRect &r, const QColor &color)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    dc.painter().fillRect(r.toQRect(), color);
}

void outlineRect(DeviceContext &dc, const EdgeRect &r)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    // Four one-pixel bars rather than a stroked rectangle: exact on every
    // device, including a one-pixel wide strip and vector output.
    const QColor black(Qt::black);
    fillRect(dc, {r.left, r.top, r.right, r.top + 1}, black);
    fillRect(dc, {r.left, r.bottom - 1, r.right, r.bottom}, black);
    fillRect(dc, {r.left, r.top, r.left + 1, r.bottom}, black);
    fillRect(dc, {r.right - 1, r.top, r.right, r.bottom}, black);
}

QPainterPath ellipseRegion(const EdgeRect &r)
{
    QPainterPath path;
    if (r.width() > 0 && r.height() > 0)
        path.addEllipse(QRectF(r.left, r.top, r.width(), r.height()));
    return path;
}

void fillEllipse(DeviceContext &dc, const EdgeRect &r, const QColor &color)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    QPainter &p = dc.painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(ellipseRegion(r), color);
    p.restore();
}

void outlineEllipse(DeviceContext &dc, const EdgeRect &r)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    QPainter &p = dc.painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
    p.restore();
}

QString doubledAmpersands(const QString &text)
{
    QString copy = text;
    copy.replace(QLatin1Char('&'), QLatin1String("&&"));
    return copy;
}

QFont mainFaceFont(
    DeviceContext &dc, const LogFont &record, int referenceDpi, double yScale, bool applyScale)
{
    int height = record.height;
    int reference = referenceDpi > 0 ? referenceDpi : dc.dpiY();
    if (height == 0) {
        height = -mulDiv(12, 96, 72);
        reference = 96;
    }
    return fontFromLogFont(
        record, fontHeightOnDevice(height, reference, dc.dpiY(), yScale, applyScale));
}

bool textFitsBox(
    DeviceContext &dc, const QFont &font, const QString &text, const QRect &box, int format)
{
    QList<QRect> lines;
    drawTextInBox(dc, font, Qt::black, text, box, format, &lines);
    return textCutsInBox(lines, box, TextCut::Part::Text, TextCut::Bound::Cover).isEmpty();
}

QFont shrunkFaceFont(DeviceContext &dc, const LogFont &record, int referenceDpi, double yScale,
    bool applyScale, const std::function<bool(DeviceContext &, const QFont &)> &fits)
{
    const QFont own = mainFaceFont(dc, record, referenceDpi, yScale, applyScale);
    MeasuringDevice device(QSize(1, 1), dc.dpiY());
    QPainter painter(&device);
    DeviceContext measure(painter, dc.dpiX(), dc.dpiY());
    if (fits(measure, own))
        return own;
    const int reference = referenceDpi > 0 ? referenceDpi : dc.dpiY();
    const int ownPoints = record.height == 0
        ? 12
        : int(-int64_t(record.height) * 72 / (reference > 0 ? reference : 96));
    auto atPoints = [&](int points) {
        int height = -mulDiv(points, dc.dpiY(), 72);
        if (applyScale)
            height = truncated(height * yScale);
        return fontFromLogFont(record, height);
    };
    // Fitting only gets easier as the size falls: the largest size that
    // fits is found by halving the range.
    int low = kSmallestShrunkPoints, high = std::abs(ownPoints) - 1;
    if (high <= low)
        return atPoints(low);
    if (!fits(measure, atPoints(low)))
        return atPoints(low);
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (fits(measure, atPoints(mid)))
            low = mid;
        else
            high = mid - 1;
    }
    return atPoints(low);
}

QFont spineFont(
    DeviceContext &dc, const LogFont &record, int points, double yScale, bool applyScale)
{
    LogFont spine = record;
    int height = -mulDiv(points, dc.dpiY(), 72);
    if (applyScale)
        height = truncated(height * yScale);
    spine.height = height;
    spine.escapement = 0;
    spine.weight = 400;
    spine.italic = 0;
    return fontFromLogFont(spine, height);
}
