#include "CSlimlineCoverButton.h"

#include "render/DeviceContext.h"

#include <QPainter>

CSlimlineCoverButton::CSlimlineCoverButton(QWidget *parent)
    : QAbstractButton(parent)
{
    // The face covers every pixel of the control, so nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CSlimlineCoverButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_renderer.nominalWidth <= 0 || m_renderer.nominalHeight <= 0) {
        // Not bound to a face yet (a cover type without geometry).
        painter.fillRect(rect(), palette().window());
        return;
    }
    DeviceContext dc(painter);
    m_renderer.Render(dc, rect());
    ++m_renderCount;
}
