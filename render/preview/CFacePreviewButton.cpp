#include "CFacePreviewButton.h"

#include "render/DeviceContext.h"

#include <QPainter>

CFacePreviewButton::CFacePreviewButton(Shape shape, QWidget *parent)
    : QAbstractButton(parent), m_shape(shape)
{
    // A rectangular face covers every pixel, so nothing is erased first.
    if (shape == Shape::Rectangular)
        setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CFacePreviewButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!hasFace()) {
        // Not bound to a face yet: an opaque control must still paint itself.
        if (m_shape == Shape::Rectangular)
            painter.fillRect(rect(), palette().window());
        return;
    }
    DeviceContext dc(painter);
    renderFace(dc, rect());
    ++m_renderCount;
}
