#pragma once

#include "document/Numbers.h"

#include <cstdint>

// No length on a device goes beyond this many pixels either way (over 400
// inches at the highest resolution anything is drawn at). Conversions
// saturate there, so that no length, however it was typed or stored, can
// overflow the integer arithmetic of the faces; NaN counts as zero.
inline constexpr int kMaxDevicePixels = 1'000'000;

// A length in inches as device pixels: truncated toward zero, saturated.
int inchesToPixels(double inches, int dpi);

// Lengths on a device are whole pixels, truncated toward zero, saturated.
int truncated(double pixels);

// A resolution in dots per inch as images record it, in dots per metre
// (saturated as lengths are).
int dotsPerMeter(int dpi);

// Height of a stored font on a device. `storedHeight` was taken at the
// reference resolution (the screen's vertical dpi); the height passes
// through whole points, then the device's vertical dpi, then the preview's
// vertical scale (skipped with applyScale false).
int fontHeightOnDevice(
    int storedHeight, int referenceDpi, int deviceDpiY, double yScale, bool applyScale = true);

// Face constants that the label-stock catalogue does not carry (inches).
namespace FaceConstants {
inline constexpr double kCdTextInsetX = 0.1;
inline constexpr double kCdTextInsetY = 0.1;
inline constexpr double kDvdFrontTextLeft = 5.85;
inline constexpr double kSlimDvdFrontTextLeft = 5.64;
inline constexpr double kDvdTextTop = 0.25; // front top, back left and back top
inline constexpr double kSlimCdTextLeft = 0.84;
inline constexpr double kSlimCdTextTop = 0.25;
inline constexpr double kSlimCdNotchWidth = 1.417;
inline constexpr double kSlimCdNotchHeight = 0.0787;
} // namespace FaceConstants
