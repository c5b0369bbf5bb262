#pragma once

#include "document/PicturePlacement.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

struct CoverDocument;

// The cover fields that applying a template (or taking one back) writes;
// fields left empty here stay as the cover has them. The main window writes
// one such change as one step.
struct TemplatePictures {
    std::optional<QByteArray> fImagePath;
    std::optional<QByteArray> bImagePath;
    std::optional<QByteArray> sImagePath;
    std::optional<QByteArray> dImagePath;
    std::optional<int32_t> CoverOption;
    // Applied pictures start filling their faces; a Cancel brings back the
    // placements the cover had.
    std::optional<PicturePlacement> fImagePlacement;
    std::optional<PicturePlacement> bImagePlacement;
    std::optional<PicturePlacement> sImagePlacement;
    std::optional<PicturePlacement> dImagePlacement;

    void applyTo(CoverDocument &doc) const;
    // Whether applyTo would change anything in `doc`.
    bool changes(const CoverDocument &doc) const;
};
