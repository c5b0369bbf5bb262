#include "TitleStyle.h"

LogFont TitleStyle::fontOver(const LogFont &textFont) const
{
    if (!isSet())
        return textFont;
    LogFont title = textFont;
    title.setFaceName(fontFace);
    title.height = fontHeight;
    title.weight = fontWeight;
    title.italic = fontItalic ? 1 : 0;
    return title;
}

TitleStyle TitleStyle::forNewCover(const LogFont &textFont, ColorRef textColor, int referenceDpi)
{
    const int dpi = referenceDpi > 0 ? referenceDpi : 96;
    const int points = int(-int64_t(textFont.height) * 72 / dpi);
    TitleStyle style;
    style.fontFace = textFont.faceName;
    // Rounded up: the heights are read back in whole points, truncated.
    style.fontHeight = -int((int64_t(points + 2) * dpi + 71) / 72);
    style.fontWeight = 700;
    style.fontItalic = textFont.italic != 0;
    style.color = textColor;
    return style;
}
