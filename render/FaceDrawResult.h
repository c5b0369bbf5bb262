#pragma once

// What drawing one face found out about it, for the caller to show or
// report. Filled by the renderers; a face drawn in full gives the default.
struct FaceDrawResult {
    bool operator==(const FaceDrawResult &) const = default;
};
