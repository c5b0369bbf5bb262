#include "SheetPartNames.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

// Parts from left to right: each name with the nominal x where it ends.
QList<SheetPart> partsAcross(
    const QList<std::pair<QString, double>> &ends, double nominalWidth, QSizeF size)
{
    QList<SheetPart> parts;
    if (nominalWidth <= 0)
        return parts;
    const double scale = size.width() / nominalWidth;
    double left = 0;
    for (const auto &[name, end] : ends) {
        const double right = std::clamp(end, left, nominalWidth);
        parts.append({name, QRectF(left * scale, 0, (right - left) * scale, size.height())});
        left = right;
    }
    return parts;
}

} // namespace

QList<SheetPart> sheetParts(const FaceRenderer &face, QSizeF size)
{
    if (const auto *dvd = std::get_if<DvdSheetRenderer>(&face)) {
        // The spine is centred, as the renderer draws it.
        const double w = dvd->nominalWidth;
        const double spineLeft = w / 2 - dvd->spineWidthPx / 2.0;
        return partsAcross({{QStringLiteral("Back"), spineLeft},
                               {QStringLiteral("Spine"), spineLeft + dvd->spineWidthPx},
                               {QStringLiteral("Front"), w}},
            w, size);
    }
    if (const auto *slim = std::get_if<SlimlineSheetRenderer>(&face)) {
        const double f = slim->flapWidthPx;
        return partsAcross(
            {{QStringLiteral("Flap"), f}, {QStringLiteral("Spine"), f + slim->spineWidthPx},
                {QStringLiteral("Front"), double(slim->nominalWidth)}},
            slim->nominalWidth, size);
    }
    return {};
}

void drawSheetPartNames(QPainter &painter, const QList<SheetPart> &parts)
{
    if (parts.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen line(QColor(0, 0, 0, 110), 1, Qt::DashLine);
    line.setCosmetic(true);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (qsizetype n = 0; n < parts.size(); ++n) {
        const QRectF &r = parts[n].rect;
        if (n > 0) {
            painter.setPen(line);
            painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.left(), r.bottom()));
        }
        // A name that does not fit across its part (the spine) runs down it.
        const bool upright = metrics.horizontalAdvance(parts[n].name) + 8 > r.width();
        painter.save();
        painter.translate(r.center().x(), r.top() + 6);
        if (upright)
            painter.rotate(90);
        const QSizeF text(metrics.horizontalAdvance(parts[n].name) + 8, metrics.height() + 2);
        const QRectF label = upright ? QRectF(QPointF(0, -text.height() / 2), text)
                                     : QRectF(QPointF(-text.width() / 2, 0), text);
        QPainterPath backing;
        backing.addRoundedRect(label, 3, 3);
        painter.fillPath(backing, QColor(255, 255, 255, 190));
        painter.setPen(QColor(60, 60, 60));
        painter.drawText(label, Qt::AlignCenter, parts[n].name);
        painter.restore();
    }
    painter.restore();
}
