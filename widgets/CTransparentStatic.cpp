#include "CTransparentStatic.h"

#include "document/Colors.h"

CTransparentStatic::CTransparentStatic(QWidget *parent)
    : QLabel(parent)
{
    init();
}

CTransparentStatic::CTransparentStatic(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    init();
}

void CTransparentStatic::init()
{
    // Not opaque: Qt repaints the parent under the label before the label,
    // so a shorter new text leaves nothing of the old one behind.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAttribute(Qt::WA_NoSystemBackground, true);
    setTextFormat(Qt::PlainText);
    applyColor();
}

void CTransparentStatic::setTextColor(ColorRef color)
{
    setTextColor(fromColorRef(color));
}

void CTransparentStatic::setTextColor(const QColor &color)
{
    m_textColor = color;
    applyColor();
}

CTransparentStatic::ColorRef CTransparentStatic::textColorRef() const
{
    return toColorRef(m_textColor);
}

void CTransparentStatic::applyColor()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, m_textColor);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, m_textColor);
    setPalette(pal);
}

QColor CTransparentStatic::fromColorRef(ColorRef color)
{
    return colorFromRef(color);
}

CTransparentStatic::ColorRef CTransparentStatic::toColorRef(const QColor &color)
{
    return colorRefFrom(color);
}
