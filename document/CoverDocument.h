#pragma once

#include "Alignment.h"
#include "Colors.h"
#include "LogFont.h"
#include "PicturePlacement.h"
#include "TitleStyle.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

enum CoverType : int32_t {
    StandardCD = 1,
    StandardDVD = 2,
    Other = 3,
    SlimlineCD = 4,
    SlimlineDVD = 5,
};

enum CoverOptionValue : int32_t {
    StretchedImage = 0,
    SeparateImages = 1,
};

enum class Face { Front, Back, Disc };

// The whole state of one cover project. Field names are the cover file's
// keys. Strings are bytes as the cover file holds them (see DisplayText.h for
// showing them to a person).
struct CoverDocument {
    int32_t covertype = StandardCD;
    ColorRef fBGColor = 0xFFFFFF;
    ColorRef bBGColor = 0xFFFFFF;
    ColorRef dBGColor = 0xFFFFFF;
    bool fShowBorder = true;
    bool bShowBorder = true;
    bool dShowBorder = true;
    int32_t CoverOption = StretchedImage;
    QByteArray fImagePath;
    QByteArray bImagePath;
    QByteArray sImagePath;
    QByteArray dImagePath;
    int32_t fCoverAlign = AlignLeft;
    int32_t bCoverAlign = AlignLeft;
    int32_t dCoverAlign = AlignCenter;
    QByteArray fCoverText;
    QByteArray bCoverText;
    QByteArray dCoverText;
    QByteArray fCoverTitle;
    QByteArray bCoverTitle;
    QByteArray dCoverTitle;
    QByteArray fCoverTextFontName;
    QByteArray bCoverTextFontName;
    QByteArray dCoverTextFontName;
    ColorRef fCoverTextColor = 0;
    ColorRef bCoverTextColor = 0;
    ColorRef dCoverTextColor = 0;
    LogFont fCoverTextFont;
    LogFont bCoverTextFont;
    LogFont dCoverTextFont;
    uint8_t bFrontPrintOverSpines = 1;
    uint8_t bBackPrintOverSpines = 1;
    uint8_t printOverInnerCircleDisc = 1;
    bool frontCoverSpinesOn = false;
    bool backCoverSpinesOn = true;
    QByteArray frontCoverSpineText;
    QByteArray backCoverSpineText;
    // How each picture sits on its face (front, back, the sheet's stretched
    // picture, disc).
    PicturePlacement fImagePlacement;
    PicturePlacement bImagePlacement;
    PicturePlacement sImagePlacement;
    PicturePlacement dImagePlacement;
    // Text and track rows drawn smaller, down to 6 points, until they fit.
    bool fShrinkText = false;
    bool bShrinkText = false;
    bool dShrinkText = false;
    // The disc's title along the top of its edge, its text along the bottom.
    bool dCurvedText = false;
    // Each title's own font and colour (the DVD sheet draws the front and
    // the back title with the f and b styles).
    TitleStyle fTitleStyle;
    TitleStyle bTitleStyle;
    TitleStyle dTitleStyle;

    bool operator==(const CoverDocument &) const = default;
};

// Resets every field to the new-cover defaults. The cover type comes from
// the settings store ("Option"); font heights are taken at the screen's
// vertical resolution `referenceDpiY` (96 without a screen).
void resetDocument(CoverDocument &doc, int referenceDpiY = 96);

// Same, with the cover type given instead of read from the settings store.
void resetDocumentForType(CoverDocument &doc, int32_t coverType, int referenceDpiY = 96);
