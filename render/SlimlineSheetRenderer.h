#pragma once

#include "document/CoverDocument.h"

#include <QByteArray>
#include <QRect>

class DeviceContext;

// The slimline CD sheet: flap at the left, spine, then the cover panel with
// a track listing; two corner notches at the left edge. The face is drawn
// at nominal size off screen and then scaled into the target.
class SlimlineSheetRenderer {
public:
    ColorRef backgroundColor = 0xFFFFFF;
    bool showBorder = true;
    bool spinesOn = true;
    int spineWidthPx = 0;
    int nominalWidth = 0;
    int nominalHeight = 0;
    double xScale = 1.0;
    double yScale = 1.0;
    int fontReferenceDpi = -1;
    QByteArray text; // track listing
    QByteArray spineText;
    QByteArray imagePath;
    ColorRef textColor = 0;
    LogFont font;
    bool printOverSpines = true;
    int flapWidthPx = 0;
    int notchWidthPx = 0;
    int notchHeightPx = 0;
    double textLeft = 0.84; // inches from the sheet's left edge
    double textTop = 0.25;

    void DrawBorders(DeviceContext &dc, QRect rect);
    void RenderFace(DeviceContext &dc, QRect rect);
    void Render(DeviceContext &dc, QRect rect);
    void PrintFace(DeviceContext &dc, QRect rect, int referenceDpi);
};
