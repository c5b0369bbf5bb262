#include "Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

int truncated(double pixels)
{
    // Converting a double outside the int range (or NaN) is undefined.
    if (std::isnan(pixels))
        return 0;
    const double limit = kMaxDevicePixels;
    return static_cast<int>(std::trunc(std::clamp(pixels, -limit, limit)));
}

int dotsPerMeter(int dpi)
{
    return truncated(std::round(dpi / 0.0254));
}

int inchesToPixels(double inches, int dpi)
{
    return truncated(inches * dpi);
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
    return truncated(height * yScale);
}
