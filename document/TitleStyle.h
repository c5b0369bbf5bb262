#pragma once

#include "Colors.h"
#include "LogFont.h"

#include <QByteArray>
#include <cstdint>

// A title's own look: font face, height, weight, italic and colour. Without
// a face it is unset, and the title takes its face's text font and colour,
// as covers made before titles had a style of their own are drawn.
struct TitleStyle {
    QByteArray fontFace;
    int32_t fontHeight = 0; // as a font record's height
    int32_t fontWeight = 0;
    bool fontItalic = false;
    ColorRef color = 0;

    bool isSet() const { return !fontFace.isEmpty(); }

    // The font record the title is drawn with: the face's text font with
    // the style's face, height, weight and italic, when set.
    LogFont fontOver(const LogFont &textFont) const;
    ColorRef colorOver(ColorRef textColor) const { return isSet() ? color : textColor; }

    // A new cover's title: the text font two points larger and bold, in the
    // text's colour. `referenceDpi` is the resolution the heights are at.
    static TitleStyle forNewCover(const LogFont &textFont, ColorRef textColor, int referenceDpi);

    bool operator==(const TitleStyle &) const = default;
};
