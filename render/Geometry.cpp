#include "Geometry.h"

#include <cmath>
#include <cstdint>
#include <limits>

int truncated(double pixels)
{
    return static_cast<int>(std::trunc(pixels));
}

int dotsPerMeter(int dpi)
{
    return static_cast<int>(std::lround(dpi / 0.0254));
}

int inchesToPixels(double inches, int dpi)
{
    return static_cast<int>(std::trunc(inches * dpi));
}

int fontHeightOnDevice(
    int storedHeight, int referenceDpi, int deviceDpiY, double yScale, bool applyScale)
{
    if (referenceDpi == 0)
        return 0;
    const int points = static_cast<int>(-static_cast<int64_t>(storedHeight) * 72 / referenceDpi);
    const int height = -mulDiv(points, deviceDpiY, 72);
    if (!applyScale)
        return height;
    return static_cast<int>(std::trunc(height * yScale));
}
