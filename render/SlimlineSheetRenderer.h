#pragma once

#include "document/CoverDocument.h"
#include "render/DrawTarget.h"
#include "render/FaceDrawResult.h"

#include <QByteArray>
#include <QRect>

class DeviceContext;

// The slimline CD sheet: flap at the left, spine, then the cover panel with
// a track listing; two corner notches at the left edge. The face is drawn
// at nominal size off screen and then scaled into the target. The notches
// are cut out of the sheet: window grey on screen, paper white elsewhere.
class SlimlineSheetRenderer {
public:
    ColorRef backgroundColor = 0xFFFFFF;
    bool showBorder = true;
    bool spinesOn = true;
    int spineWidthPx = 0;
    int nominalWidth = 0;
    int nominalHeight = 0;
    QByteArray text; // track listing
    QByteArray spineText;
    QByteArray imagePath;
    PicturePlacement imagePlacement;
    ColorRef textColor = 0;
    LogFont font;
    // Text drawn smaller, whole points down to 6, until it fits; the title
    // on its own.
    bool shrinkText = false;
    bool printOverSpines = true;
    int flapWidthPx = 0;
    int notchWidthPx = 0;
    int notchHeightPx = 0;
    double textLeft = 0.84; // inches from the sheet's left edge
    double textTop = 0.25;

    void DrawBorders(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult RenderFace(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult Render(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult PrintFace(DeviceContext &dc, QRect rect, int referenceDpi) const;

    bool operator==(const SlimlineSheetRenderer &) const = default;
};
