#pragma once

#include "document/CoverDocument.h"

#include <QString>

// What the main window's controls show for a cover type and view: one
// table instead of each view handler setting them by hand. The tick of
// each option box is the face's own option, so switching views never
// carries one face's tick into another face.
struct ViewControls {
    bool alignmentRowShown = false;
    int32_t alignmentTicked = AlignCenter;
    QString chooseImageText; // 1007
    bool clearImageShown = false; // 1008 instead of 1007
    QString textsButtonText; // 1012
    bool extentShown = true; // 1009
    QString extentText;
    bool extentTicked = true;
    bool bordersTicked = true; // 1025
    bool shrinkTicked = false; // 1104
    bool curvedShown = false; // 1105, the disc only
    bool curvedTicked = false;
};

ViewControls viewControls(const CoverDocument &doc, Face view);
