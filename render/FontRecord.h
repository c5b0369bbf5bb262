#pragma once

#include "document/LogFont.h"

#include <QFont>

// A face's font record and the font a person picks in the font chooser.
// Records hold heights in pixels of the screen the font was chosen on:
// minus the character height at that screen's vertical resolution `dpiY`.

// The record of a chosen font: height -MulDiv(points, dpiY, 72) (or minus
// the pixel size of a font sized in pixels), weight, italic, underline,
// strike-out, the family as face name (at most 31 bytes, cut between
// characters); every other member 0.
LogFont logFontFromChosenFont(const QFont &font, int dpiY);

// The font the chooser starts from for a record: the family, weight, style
// and effects the renderers draw with, in whole points, MulDiv(-height, 72,
// dpiY), so that a size chosen in whole points shows again as chosen.
QFont chooserFontFromLogFont(const LogFont &record, int dpiY);
