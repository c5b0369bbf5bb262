#pragma once

#include "DisplayText.h"

#include <QByteArray>
#include <cstdint>

// A font as a face stores it: the shape of the font record that
// cover files were designed around. The height is in pixels of the screen
// the font was chosen on (negative: character height), see fontHeightOnDevice.
struct LogFont {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0; // 0 default, 400 normal, 700 bold
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    QByteArray faceName; // at most kMaxFaceName bytes

    static constexpr int kMaxFaceName = 31;

    // Cut between characters, so that a UTF-8 name stays readable.
    void setFaceName(const QByteArray &name) { faceName = cutStoredText(name, kMaxFaceName); }
    bool operator==(const LogFont &) const = default;
};
