#pragma once

#include <cstdint>

class QColor;

// Colours as cover files and the settings hold them: 0x00BBGGRR.
using ColorRef = uint32_t;

QColor colorFromRef(ColorRef color);
ColorRef colorRefFrom(const QColor &color);
