#include "Geometry.h"

#include <cmath>
#include <cstdint>
#include <limits>

int mulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const uint64_t p = product < 0 ? uint64_t(0) - uint64_t(product) : uint64_t(product);
    const uint64_t d = denominator < 0 ? uint64_t(0) - uint64_t(int64_t(denominator))
                                       : uint64_t(denominator);
    const uint64_t q = (p + d / 2) / d; // half away from zero
    if (negative) {
        if (q > uint64_t(std::numeric_limits<int>::max()) + 1)
            return -1;
        return static_cast<int>(-static_cast<int64_t>(q));
    }
    if (q > uint64_t(std::numeric_limits<int>::max()))
        return -1;
    return static_cast<int>(q);
}

int inchesToPixels(double inches, int dpi)
{
    return static_cast<int>(std::trunc(inches * dpi));
}

int fontHeightOnDevice(int storedHeight, int referenceDpi, int deviceDpiY, double yScale,
                       bool applyScale)
{
    if (referenceDpi == 0)
        return 0;
    const int points = static_cast<int>(-static_cast<int64_t>(storedHeight) * 72 / referenceDpi);
    const int height = -mulDiv(points, deviceDpiY, 72);
    if (!applyScale)
        return height;
    return static_cast<int>(std::trunc(height * yScale));
}
