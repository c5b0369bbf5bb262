#pragma once

#include <QString>

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
