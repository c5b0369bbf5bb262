#pragma once

#include <QRect>

// Window layouts are designed in dialog units of an 8-point dialog font:
// 1 unit is 1.5 pixels across and 1.625 pixels down at 96 dpi (Qt scales
// the result on high-density screens). Each of x, y, width and height is
// converted on its own, rounding halves away from zero.
int dialogUnitsX(int units);
int dialogUnitsY(int units);
QRect dialogUnitRect(int x, int y, int width, int height);
