#pragma once

#include "document/CoverDocument.h"
#include "render/DrawTarget.h"
#include "render/FaceDrawResult.h"

#include <QByteArray>
#include <QRect>

class DeviceContext;

// The wrap-around sheet of a standard or slimline DVD case: back panel on
// the left, one spine in the middle, front panel on the right.
class DvdSheetRenderer {
public:
    ColorRef backgroundColor = 0xFFFFFF;
    bool showBorder = true;
    bool spinesOn = true;
    int spineWidthPx = 0;
    int nominalWidth = 0;
    int nominalHeight = 0;
    ColorRef textColor = 0;
    LogFont font;
    // Text drawn smaller, whole points down to 6, until it fits; the title
    // on its own.
    bool shrinkText = false;
    // Unset: the title is drawn like the text.
    TitleStyle frontTitleStyle;
    TitleStyle backTitleStyle;
    int alignment = 0;
    QByteArray spineText;

    QByteArray frontTitle;
    QByteArray frontText;
    QByteArray backTitle;
    QByteArray backText;
    QByteArray frontImagePath;
    QByteArray backImagePath;
    QByteArray sheetImagePath;
    PicturePlacement frontImagePlacement;
    PicturePlacement backImagePlacement;
    PicturePlacement sheetImagePlacement;
    int pictureMode = StretchedImage; // CoverOption: 0 one sheet picture, 1 front and back
    double frontTextLeft = 5.85; // inches from the sheet's left edge
    double frontTextTop = 0.25;
    double backTextLeft = 0.25;
    double backTextTop = 0.25;
    bool slimDvd = false; // changes the spine text inset

    void DrawBorders(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult RenderFace(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult Render(DeviceContext &dc, QRect rect, const DrawTarget &target) const;
    FaceDrawResult PrintFace(DeviceContext &dc, QRect rect, int referenceDpi) const;

    bool operator==(const DvdSheetRenderer &) const = default;
};
