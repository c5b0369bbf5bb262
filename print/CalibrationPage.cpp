#include "CalibrationPage.h"

#include "document/CoverTypes.h"
#include "render/DeviceContext.h"
#include "render/Geometry.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kMMPerInch = 25.4;
const QColor kOutlineColor(255, 0, 0);
const QColor kMarkColor(0, 0, 0);

// Millimetres on the sheet as device pixels, truncated as the faces are.
int mmToPixels(double mm, int dpi)
{
    return truncated(mm * dpi / kMMPerInch);
}

// A line about 0.2 mm wide, never thinner than a pixel.
int lineWidth(int dpi)
{
    return std::max(1, static_cast<int>(std::lround(0.2 * dpi / kMMPerInch)));
}

QFont captionFont(int dpi, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(std::max(6, static_cast<int>(std::lround(dpi * 7.5 / 72.0))));
    font.setBold(bold);
    return font;
}

QString mm(double inches)
{
    return QString::number(inches * kMMPerInch, 'f', 1);
}

// The rectangle's edges, inside it: the outline's outer pixels are the
// rectangle's own.
void drawOutline(QPainter &p, const QRect &r, int width)
{
    const int w = std::min({width, r.width(), r.height()});
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), kOutlineColor);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), kOutlineColor);
    p.fillRect(QRect(r.left(), r.top(), w, r.height()), kOutlineColor);
    p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), kOutlineColor);
}

// A cross of 10 mm both ways, its lines centred on `centre`.
void drawCross(QPainter &p, QPoint centre, int dpi)
{
    const int half = mmToPixels(5, dpi);
    const int w = lineWidth(dpi);
    p.fillRect(QRect(centre.x() - half, centre.y() - w / 2, 2 * half + 1, w), kMarkColor);
    p.fillRect(QRect(centre.x() - w / 2, centre.y() - half, w, 2 * half + 1), kMarkColor);
}

// Rulers along the top and left edges of the sheet, measured from its corner:
// what lies outside the printable area is simply not printed.
void drawRulers(QPainter &p, const PageDevice &device, const QSize &area)
{
    const int dpi = device.dpi;
    const int w = lineWidth(dpi);
    const QFont font = captionFont(dpi);
    p.setFont(font);
    p.setPen(kMarkColor);
    const auto tickLength
        = [dpi](int m) { return mmToPixels(m % 10 == 0 ? 6 : (m % 5 == 0 ? 4 : 2), dpi); };
    const int label = mmToPixels(6.5, dpi);
    const int labelBox = mmToPixels(12, dpi);
    for (int m = 0;; ++m) {
        const int x = truncated(m * dpi / kMMPerInch - device.physX);
        if (x >= area.width())
            break;
        if (x < 0)
            continue;
        p.fillRect(QRect(x, 0, w, tickLength(m)), kMarkColor);
        if (m % 10 == 0 && m > 0)
            p.drawText(QRect(x - labelBox / 2, label, labelBox, labelBox),
                Qt::AlignHCenter | Qt::AlignTop, QString::number(m));
    }
    for (int m = 0;; ++m) {
        const int y = truncated(m * dpi / kMMPerInch - device.physY);
        if (y >= area.height())
            break;
        if (y < 0)
            continue;
        p.fillRect(QRect(0, y, tickLength(m), w), kMarkColor);
        if (m % 10 == 0 && m > 0)
            p.drawText(QRect(label, y - labelBox / 2, labelBox, labelBox),
                Qt::AlignLeft | Qt::AlignVCenter, QString::number(m));
    }
}

void drawCaption(QPainter &p, const QRect &box, int dpi, const QStringList &lines, int flags)
{
    if (lines.isEmpty() || box.width() <= 0 || box.height() <= 0)
        return;
    p.setPen(kMarkColor);
    p.setFont(captionFont(dpi, true));
    const int lineHeight = p.fontMetrics().height();
    p.drawText(QRect(box.left(), box.top(), box.width(), lineHeight), flags, lines.first());
    p.setFont(captionFont(dpi));
    p.drawText(box.adjusted(0, lineHeight, 0, 0), flags, lines.mid(1).join(QLatin1Char('\n')));
}

// Under the lowest face, right of the left ruler.
void drawInstructions(QPainter &p, const PageDevice &device, const QSize &area, int lowestBottom,
    const QString &sheetTitle)
{
    const int dpi = device.dpi;
    const int left = std::max(0, mmToPixels(14, dpi) - device.physX);
    const int top = lowestBottom + mmToPixels(4, dpi);
    const QRect box(left, top, area.width() - left - mmToPixels(6, dpi), area.height() - top);
    if (box.width() <= 0 || box.height() <= 0)
        return;
    p.setPen(kMarkColor);
    p.setFont(captionFont(dpi));
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        sheetTitle + QStringLiteral(": ") + calibrationInstructions());
}

QString coversAdjustment(const Calibration &c)
{
    return QStringLiteral("Adjustment: covers expanded by %1 mm")
        .arg(calibrationMillimetres(c.expandCoverMM));
}

QString discAdjustment(const Calibration &c)
{
    return QStringLiteral("Adjustment: labels expanded by %1 mm,\nmoved %2 mm %3 and %4 mm %5")
        .arg(calibrationMillimetres(c.expandDiscMM))
        .arg(calibrationMillimetres(c.moveDiscMMX))
        .arg(c.moveDiscLeftRight == QLatin1String("0") ? QStringLiteral("to the left")
                                                       : QStringLiteral("to the right"))
        .arg(calibrationMillimetres(c.moveDiscMMY))
        .arg(
            c.moveDiscUpDown == QLatin1String("0") ? QStringLiteral("up") : QStringLiteral("down"));
}

QString placeText(double left, double top, double width, double height)
{
    return QStringLiteral("%1 mm from the left, %2 mm from the top;\n%3 x %4 mm")
        .arg(mm(left), mm(top), mm(width), mm(height));
}

QSize areaOf(DeviceContext &dc)
{
    const QPaintDevice *device = dc.painter().device();
    return device ? QSize(device->width(), device->height()) : QSize();
}

} // namespace

QString calibrationInstructions()
{
    return QStringLiteral(
        "lay this page on a label sheet against the light, or measure a cross against the "
        "rulers, and change the adjustment by the difference.");
}

QList<PlacedFace> drawCalibrationCoversPage(
    DeviceContext &dc, const PageDevice &device, const CalibrationSheet &sheet)
{
    const LabelStock &row = sheet.row;
    const QList<PlacedFace> faces = coversPageLayout(device, sheet.coverType, row);
    QPainter &p = dc.painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QSize area = areaOf(dc);
    drawRulers(p, device, area);
    const int dpi = device.dpi;
    int lowest = 0;
    for (const PlacedFace &face : faces) {
        const bool front = face.face == Face::Front;
        drawOutline(p, face.rect, lineWidth(dpi));
        drawCross(p, face.rect.topLeft(), dpi);
        const QString name = hasFrontFace(sheet.coverType)
            ? (front ? QStringLiteral("front cover") : QStringLiteral("back cover"))
            : QStringLiteral("cover");
        const QStringList lines = {
            sheet.stockName + QStringLiteral(", ") + name,
            front ? placeText(row.frontLeft, row.frontTop, row.frontWidth, row.frontHeight)
                  : placeText(row.backLeft, row.backTop, row.backWidth, row.backHeight),
            coversAdjustment(sheet.calibration),
        };
        drawCaption(p,
            face.rect.adjusted(
                mmToPixels(7, dpi), mmToPixels(7, dpi), -mmToPixels(3, dpi), -mmToPixels(3, dpi)),
            dpi, lines, Qt::AlignLeft | Qt::AlignTop);
        lowest = std::max(lowest, face.rect.bottom());
    }
    drawInstructions(p, device, area, lowest, QStringLiteral("Covers sheet test page"));
    p.restore();
    return faces;
}

QList<PlacedFace> drawCalibrationDiscPage(
    DeviceContext &dc, const PageDevice &device, const CalibrationSheet &sheet)
{
    const LabelStock &row = sheet.row;
    const QList<PlacedFace> placed = discPageLayout(device, row, sheet.position);
    const QList<std::pair<double, double>> places = discLabelPlaces(row, sheet.position);
    QPainter &p = dc.painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QSize area = areaOf(dc);
    const int dpi = device.dpi;
    drawRulers(p, device, area);
    int lowest = 0;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const QRect &r = placed[i].rect;
        drawOutline(p, r, lineWidth(dpi));
        // The label's round edge and hub, to lay against the light.
        const int lw = lineWidth(dpi);
        QPen pen(kOutlineColor);
        pen.setWidth(lw);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.adjusted(lw, lw, -lw, -lw));
        const int hub = inchesToPixels(row.innerCircleDiameter, dpi);
        p.drawEllipse(QRect(r.center().x() - hub / 2, r.center().y() - hub / 2, hub, hub));
        drawCross(p, r.center(), dpi);

        const auto [top, left] = places[i];
        const bool topLabel = i == 0 && sheet.position != DiscLabelPosition::Bottom;
        const QStringList lines = {
            sheet.stockName,
            (topLabel ? QStringLiteral("top disc label, ") : QStringLiteral("bottom disc label, "))
                + placeText(left, top, row.discWidth, row.discHeight),
            discAdjustment(sheet.calibration),
        };
        // Between the label's top and its hub, clear of the cross.
        const int boxTop = r.top() + r.height() / 8;
        const int boxBottom = r.center().y() - hub / 2 - mmToPixels(1, dpi);
        const QRect box(r.left() + r.width() / 8, boxTop, r.width() * 3 / 4, boxBottom - boxTop);
        drawCaption(p, box, dpi, lines, Qt::AlignHCenter | Qt::AlignTop);
        lowest = std::max(lowest, r.bottom());
    }
    drawInstructions(p, device, area, lowest, QStringLiteral("Disc sheet test page"));
    p.restore();
    return placed;
}
