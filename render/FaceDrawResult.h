#pragma once

#include "TextCut.h"

#include <QList>

// What drawing one face found out about it, for the caller to show or
// report. Filled by the renderers; a face drawn in full gives the default.
struct FaceDrawResult {
    // Every text the face could not show in full, in drawing order.
    QList<TextCut> cuts;

    bool textCut() const { return !cuts.isEmpty(); }
    bool operator==(const FaceDrawResult &) const = default;
};
