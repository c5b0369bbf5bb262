#include "Colors.h"

#include <QColor>

QColor colorFromRef(ColorRef color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

ColorRef colorRefFrom(const QColor &color)
{
    return ColorRef(color.red()) | (ColorRef(color.green()) << 8) | (ColorRef(color.blue()) << 16);
}
