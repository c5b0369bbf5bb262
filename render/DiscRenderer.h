#pragma once

#include "document/CoverDocument.h"
#include "render/DrawTarget.h"
#include "render/FaceDrawResult.h"

#include <QByteArray>
#include <QRect>

class DeviceContext;

// The round disc label: colour and picture cut to the disc, title above the
// hub, text below it, outlines, and the hub kept white unless printed over.
class DiscRenderer {
public:
    ColorRef backgroundColor = 0xFFFFFF;
    bool showBorder = true;
    bool printOverInnerCircle = true;
    int innerCircleDiameterPx = 0;
    int nominalWidth = 0;
    int nominalHeight = 0;
    QByteArray title;
    QByteArray text;
    int alignment = AlignCenter;
    QByteArray imagePath;
    PicturePlacement imagePlacement;
    ColorRef textColor = 0;
    LogFont font;

    // Everything, outlines included: the disc has no separate outline step.
    FaceDrawResult RenderFace(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult Render(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult PrintFace(DeviceContext &dc, QRect rect, int referenceDpi) const;

    bool operator==(const DiscRenderer &) const = default;
};
