#pragma once

#include "CoverDocument.h"

#include <type_traits>

// The fields of one face (front, back or disc), so that a command working
// on the face in view names the face once instead of switching over it.
template <bool IsConst> struct BasicFaceFields {
    template <typename T> using Ref = std::conditional_t<IsConst, const T &, T &>;

    Ref<QByteArray> picturePath;
    Ref<PicturePlacement> placement;
    Ref<ColorRef> background;
    Ref<bool> border;
    Ref<int32_t> alignment;
    Ref<LogFont> font;
    Ref<ColorRef> textColor;
    // Picture over the spines (covers) or over the hub (disc).
    Ref<uint8_t> pictureExtent;
};

using FaceFields = BasicFaceFields<false>;
using ConstFaceFields = BasicFaceFields<true>;

FaceFields faceFields(CoverDocument &doc, Face face);
ConstFaceFields faceFields(const CoverDocument &doc, Face face);

// The "shrink text to fit" flag of what the view shows: a sheet's cover
// views both show the sheet, which draws with the back's fields.
bool &shrinkTextOf(CoverDocument &doc, Face view);
bool shrinkTextOf(const CoverDocument &doc, Face view);
