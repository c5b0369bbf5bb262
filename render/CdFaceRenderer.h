#pragma once

#include "document/CoverDocument.h"
#include "render/DrawTarget.h"
#include "render/FaceDrawResult.h"

#include <QByteArray>
#include <QRect>

class DeviceContext;

// The standard CD jewel-case face: the front cover, or the back inlay with
// its two spines and a track listing. Holds the render inputs (filled by
// drawFace, print/DrawFace.h); what the drawing is for comes with each call.
// Pixel inputs are nominal pixels of the target device, unscaled.
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
    int isBackFace = 0; // 1: the text is drawn as a track listing
    QByteArray title;
    QByteArray text;
    QByteArray spineText;
    int alignment = 0; // 0 left, 1 centred, 2 right
    QByteArray imagePath;
    PicturePlacement imagePlacement;
    ColorRef textColor = 0;
    LogFont font;
    bool printOverSpines = true;
    // Text drawn smaller, whole points down to 6, until it fits; the title
    // on its own.
    bool shrinkText = false;
    TitleStyle titleStyle; // unset: the title is drawn like the text

    // Outlines only.
    void DrawBorders(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    // Everything but the outlines.
    FaceDrawResult RenderFace(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    // Face, then outlines.
    FaceDrawResult Render(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    // As Render on paper, with the screen resolution the fonts were chosen at.
    FaceDrawResult PrintFace(DeviceContext &dc, QRect rect, int referenceDpi) const;

    bool operator==(const CdFaceRenderer &) const = default;
};
