#include "CMyDiscButton.h"

#include "render/DeviceContext.h"

#include <QPainter>

CMyDiscButton::CMyDiscButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void CMyDiscButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_renderer.nominalWidth <= 0 || m_renderer.nominalHeight <= 0) {
        return; // not bound to a disc yet: the window shows through
    }
    DeviceContext dc(painter);
    m_renderer.Render(dc, rect());
    ++m_renderCount;
}
