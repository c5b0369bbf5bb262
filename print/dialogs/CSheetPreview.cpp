#include "CSheetPreview.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace {
// Room for the sheet's shadow.
constexpr int kMargin = 4;
// Drawn at twice the control's resolution and scaled down smoothly, so that
// thin lines and small text stay legible.
constexpr double kOversampling = 2.0;
} // namespace

CSheetPreview::CSheetPreview(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void CSheetPreview::setSheet(const std::optional<PrintSheet> &sheet, bool printed)
{
    m_sheet = sheet;
    m_printed = printed;
    m_image.reset();
    update();
}

double CSheetPreview::scale() const
{
    if (!m_sheet)
        return 0;
    const QSizeF inches = sheetInches(*m_sheet);
    if (inches.isEmpty())
        return 0;
    return std::min(
        (width() - 2 * kMargin) / inches.width(), (height() - 2 * kMargin) / inches.height());
}

QRect CSheetPreview::sheetRect() const
{
    const double s = scale();
    if (s <= 0)
        return {};
    const QSizeF inches = sheetInches(*m_sheet);
    const QSize size(std::lround(inches.width() * s), std::lround(inches.height() * s));
    // Centred across, at the top so that both previews of the dialog line up.
    return QRect(QPoint((width() - size.width()) / 2, kMargin - 1), size);
}

const SheetImage &CSheetPreview::sheetImage() const
{
    if (!m_image) {
        const double s = scale();
        const int dpi
            = s > 0 ? std::max(1, static_cast<int>(s * kOversampling * devicePixelRatioF())) : 0;
        m_image = m_sheet ? drawSheetImage(*m_sheet, dpi) : SheetImage{};
    }
    return *m_image;
}

void CSheetPreview::resizeEvent(QResizeEvent *event)
{
    m_image.reset();
    QWidget::resizeEvent(event);
}

void CSheetPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect sheet = sheetRect();
    if (sheet.isEmpty()) {
        p.setPen(QColor(128, 128, 128));
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("No paper chosen"));
        return;
    }
    p.fillRect(sheet.translated(2, 2), QColor(0, 0, 0, 40));
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.fillRect(sheet, Qt::white);
    if (!m_printed)
        p.setOpacity(0.3);
    const SheetImage &image = sheetImage();
    if (!image.image.isNull())
        p.drawImage(QRectF(sheet), image.image, QRectF(image.image.rect()));
    p.setOpacity(1.0);
    p.setPen(QColor(96, 96, 96));
    p.setBrush(Qt::NoBrush);
    p.drawRect(sheet.adjusted(0, 0, -1, -1));
    if (!m_printed) {
        p.setPen(QColor(64, 64, 64));
        p.drawText(sheet, Qt::AlignCenter, QStringLiteral("Not printed"));
    }
}
