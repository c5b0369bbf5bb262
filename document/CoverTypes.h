#pragma once

#include "CoverDocument.h"

// What a cover type is made of. Every question of this kind is answered
// here, so that a new type or a changed rule has one place to go.

// A DVD case, standard or slimline: one wrap-around sheet with its spine in
// the middle, pictures either stretched over it or one per panel.
constexpr bool isDvdType(int32_t coverType)
{
    return coverType == StandardDVD || coverType == SlimlineDVD;
}

// Front and back printed as one sheet (the DVD types and the slimline CD):
// the back view shows the whole sheet and there is no front view.
constexpr bool isSheetType(int32_t coverType)
{
    return isDvdType(coverType) || coverType == SlimlineCD;
}

// A type with a separate front cover face: the standard CD. (Other has a
// front view button but no faces at all.)
constexpr bool hasFrontFace(int32_t coverType)
{
    return coverType == StandardCD;
}
