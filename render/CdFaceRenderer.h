#pragma once

#include "document/CoverDocument.h"

#include <QByteArray>
#include <QRect>

class DeviceContext;

// The standard CD jewel-case face: the front cover, or the back inlay with
// its two spines and a track listing. Holds the render inputs; the caller
// fills them (FaceBinding.h) before every render. Pixel inputs are nominal
// pixels of the target device, unscaled.
class CdFaceRenderer {
public:
    ColorRef backgroundColor = 0xFFFFFF;
    bool showBorder = true;
    bool spinesOn = false;
    int spineWidthPx = 0;
    double textInsetX = 0.1; // inches, converted with the device's vertical dpi
    double textInsetY = 0.1;
    int nominalWidth = 0;
    int nominalHeight = 0;
    double xScale = 1.0;
    double yScale = 1.0;
    int fontReferenceDpi = -1; // set by the first render or by every print
    int isBackFace = 0; // 1: the text is drawn as a track listing
    QByteArray title;
    QByteArray text;
    QByteArray spineText;
    int alignment = 0; // 0 left, 1 centred, 2 right
    QByteArray imagePath;
    ColorRef textColor = 0;
    LogFont font;
    bool printOverSpines = true;

    // Outlines only.
    void DrawBorders(DeviceContext &dc, QRect rect);
    // Everything but the outlines.
    void RenderFace(DeviceContext &dc, QRect rect);
    // Fixes the font reference resolution when not yet set, then face and outlines.
    void Render(DeviceContext &dc, QRect rect);
    // As Render, with the font reference resolution given (the screen's, when printing).
    void PrintFace(DeviceContext &dc, QRect rect, int referenceDpi);
};
