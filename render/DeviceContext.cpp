#include "DeviceContext.h"

#include <QPaintDevice>

DeviceContext::DeviceContext(QPainter &painter)
    : m_painter(&painter)
    , m_dpiX(painter.device() ? painter.device()->logicalDpiX() : 96)
    , m_dpiY(painter.device() ? painter.device()->logicalDpiY() : 96)
{
}

DeviceContext::DeviceContext(QPainter &painter, int dpiX, int dpiY)
    : m_painter(&painter)
    , m_dpiX(dpiX)
    , m_dpiY(dpiY)
{
}
