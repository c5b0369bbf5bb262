#pragma once

#include "document/CoverDocument.h"
#include "render/DrawTarget.h"
#include "render/FaceDrawResult.h"
#include "render/FaceDrawing.h"

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
    // Text drawn smaller, whole points down to 6, until it fits; the title
    // on its own.
    bool shrinkText = false;
    TitleStyle titleStyle; // unset: the title is drawn like the text
    // Title along the top of the edge, text along the bottom.
    bool curvedText = false;

    // Everything, outlines included: the disc has no separate outline step.
    FaceDrawResult RenderFace(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult Render(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult PrintFace(DeviceContext &dc, QRect rect, int referenceDpi) const;

    bool operator==(const DiscRenderer &) const = default;

private:
    // The title and the text, straight or along the edge; what they cut.
    QList<TextCut> drawTexts(
        DeviceContext &dc, const EdgeRect &r, int hub, const DrawTarget &target) const;
};
