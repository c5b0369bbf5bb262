#pragma once

#include "FaceDrawing.h"

#include <QColor>
#include <QString>

class DeviceContext;

// The rotated spine texts of the cover faces. `face` is the face rectangle,
// `spine` the scaled spine width; all in device pixels. Each returns
// whether the text was short enough for the spine's length.

// Standard CD face: reading down the right spine and up the left one, 11
// points. A front face (spine 0) shows only the left text, in a band one
// text height wide at its left edge.
bool drawCdSpineTexts(DeviceContext &dc, const LogFont &font, double yScale, const QColor &color,
    const EdgeRect &face, int spine, const QString &text);

// DVD sheet: down the middle spine, 14 points; `spineLeft` is the spine
// box's left edge. The text sits spine/10 (slimline DVD) or spine/4 in.
bool drawDvdSpineText(DeviceContext &dc, const LogFont &font, double yScale, const QColor &color,
    const EdgeRect &face, int spineLeft, int spine, bool slimDvd, const QString &text);

// Slimline CD sheet, at nominal size: down the spine right of the flap, 7
// points, not scaled.
bool drawSlimlineSpineText(DeviceContext &dc, const LogFont &font, const QColor &color, int flap,
    int spine, int sheetHeight, const QString &text);
