#pragma once

#include <cstdint>

// How a face shows its picture: stretched to the face, filling it (cut to
// the face's shape) or fitted inside it (the face's colour around), with a
// zoom, the point of the picture at the face's centre and a quarter turn.
// The point is in thousandths of the upright picture's width and height,
// before the turn.
enum PictureFit : int32_t {
    FitStretch = 0,
    FitFill = 1,
    FitInside = 2,
};

struct PicturePlacement {
    static constexpr int32_t kMinZoom = 100;
    static constexpr int32_t kMaxZoom = 400;
    static constexpr int32_t kCentre = 500;

    // A file without placement entries shows its pictures stretched, as
    // every file written before them did.
    int32_t fit = FitStretch;
    int32_t zoom = 100; // percent
    int32_t centerX = kCentre;
    int32_t centerY = kCentre;
    int32_t rotation = 0; // degrees clockwise: 0, 90, 180, 270

    // Where a newly chosen picture starts: filling the face, centred.
    static PicturePlacement forNewPicture()
    {
        PicturePlacement p;
        p.fit = FitFill;
        return p;
    }

    bool operator==(const PicturePlacement &) const = default;
};
