#include "SpineText.h"

#include "DeviceContext.h"
#include "TextDrawing.h"

namespace {
constexpr int kReadDown = -900;
constexpr int kReadUp = 900;

int middleOf(const EdgeRect &face)
{
    return face.top + (face.bottom - face.top) / 2;
}
} // namespace

bool drawCdSpineTexts(DeviceContext &dc, const LogFont &font, double yScale, const QColor &color,
    const EdgeRect &face, int spine, const QString &text)
{
    if (text.isEmpty())
        return true;
    const QFont spineFace = spineFont(dc, font, 11, yScale);
    const QSize extent = textExtent(dc, spineFace, text);
    const int cx = extent.width();
    const int cy = extent.height();
    const int mid = middleOf(face);

    const EdgeRect right{face.right - spine, face.top, face.right, face.bottom};
    drawRotatedText(dc, spineFace, color, kReadDown, QPoint(right.left + cy + 3, mid - cx / 2),
        right.toQRect(), text);

    // Widened by one text height, so that a face without spines still shows it.
    const EdgeRect left{face.left, face.top, face.left + spine + cy, face.bottom};
    drawRotatedText(
        dc, spineFace, color, kReadUp, QPoint(face.left + 3, mid + cx / 2), left.toQRect(), text);
    return cx <= face.height();
}

bool drawDvdSpineText(DeviceContext &dc, const LogFont &font, double yScale, const QColor &color,
    const EdgeRect &face, int spineLeft, int spine, bool slimDvd, const QString &text)
{
    if (text.isEmpty())
        return true;
    const QFont spineFace = spineFont(dc, font, 14, yScale);
    const QSize extent = textExtent(dc, spineFace, text);
    const int cx = extent.width();
    const int cy = extent.height();
    const int inset = slimDvd ? spine / 10 : spine / 4;
    const EdgeRect box{spineLeft, face.top, spineLeft + spine + cy, face.bottom};
    drawRotatedText(dc, spineFace, color, kReadDown,
        QPoint(box.left + cy + inset, middleOf(face) - cx / 2), box.toQRect(), text);
    return cx <= face.height();
}

bool drawSlimlineSpineText(DeviceContext &dc, const LogFont &font, const QColor &color, int flap,
    int spine, int sheetHeight, const QString &text)
{
    if (text.isEmpty())
        return true;
    const QFont spineFace = spineFont(dc, font, 7, 1.0, false);
    const QSize extent = textExtent(dc, spineFace, text);
    const EdgeRect box{flap, 0, flap + spine, sheetHeight};
    drawRotatedText(dc, spineFace, color, kReadDown,
        QPoint(flap + spine, sheetHeight / 2 - extent.width() / 2), box.toQRect(), text);
    return extent.width() <= sheetHeight;
}
