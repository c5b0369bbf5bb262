#pragma once

#include "document/Numbers.h"

#include <QString>
#include <algorithm>

// The user's printer calibration, as the settings store keeps it: whole
// millimetres as typed (read with atoi rules when a label-stock row is
// built) and the two direction flags ("0" left or up, "1" right or down).
struct Calibration {
    QString expandCoverMM = QStringLiteral("0");
    QString expandDiscMM = QStringLiteral("0");
    QString moveDiscMMX = QStringLiteral("0");
    QString moveDiscMMY = QStringLiteral("0");
    QString moveDiscUpDown = QStringLiteral("0");
    QString moveDiscLeftRight = QStringLiteral("0");

    bool operator==(const Calibration &) const = default;
};

// The range of the adjustment dialog's up-down controls. The edits take any
// text, and the settings store keeps it as typed; what a row is built with
// stays inside this range, as no sheet needs more and a typed 99999999 would
// otherwise reach the pixel arithmetic (and a quarter metre of expansion
// builds bitmaps of gigabytes at printer resolution).
inline constexpr int kCalibrationLimitMM = 200;

// A stored millimetre value as a row is built with it: atoi rules, held to
// the up-down controls' range.
inline int calibrationMillimetres(const QString &text)
{
    return std::clamp(atoiValue(text), -kCalibrationLimitMM, kCalibrationLimitMM);
}
