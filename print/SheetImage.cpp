#include "SheetImage.h"

#include "render/DeviceContext.h"
#include "render/Geometry.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

QSizeF sheetInches(const PrintSheet &sheet)
{
    const QSizeF size = sheet.pageSize.size(QPageSize::Inch);
    return sheet.landscape ? size.transposed() : size;
}

QColor labelOutlineColor()
{
    return QColor(160, 160, 160);
}

SheetImage drawSheetImage(const PrintSheet &sheet, int dpi)
{
    SheetImage result;
    if (dpi <= 0)
        return result;
    const QSizeF inches = sheetInches(sheet);
    const QSize size(truncated(inches.width() * dpi), truncated(inches.height() * dpi));
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return result;
    image.fill(Qt::white);
    image.setDotsPerMeterX(dotsPerMeter(dpi));
    image.setDotsPerMeterY(dotsPerMeter(dpi));
    PageDevice device;
    device.dpi = dpi;
    {
        QPainter painter(&image);
        DeviceContext dc(painter, dpi, dpi);
        if (sheet.draw)
            result.faces = sheet.draw(dc, device);
        if (sheet.labels)
            result.labels = sheet.labels(device);
        // Disc labels are cut round.
        painter.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(labelOutlineColor());
        pen.setWidthF(std::max(1.0, dpi / 48.0));
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        for (const QRect &label : result.labels)
            painter.drawEllipse(QRectF(label));
    }
    result.image = image;
    result.dpi = dpi;
    return result;
}
