#include "DialogUnits.h"

#include "render/Geometry.h"

int dialogUnitsX(int units)
{
    return mulDiv(units, 6, 4);
}

int dialogUnitsY(int units)
{
    return mulDiv(units, 13, 8);
}

QRect dialogUnitRect(int x, int y, int width, int height)
{
    return QRect(dialogUnitsX(x), dialogUnitsY(y), dialogUnitsX(width), dialogUnitsY(height));
}
