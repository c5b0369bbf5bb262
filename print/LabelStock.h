#pragma once

#include "document/Calibration.h"
#include "document/Numbers.h"
#include "print/DiscLabelPosition.h"

#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

// One row of the paper and label-stock catalogue. Lengths in inches,
// positions from the top-left corner of the physical sheet, calibration
// already applied.
struct LabelStock {
    double frontWidth = 0;
    double frontHeight = 0;
    double backWidth = 0;
    double backHeight = 0;
    double discWidth = 0;
    double discHeight = 0;
    double frontTop = 0;
    double frontLeft = 0;
    double backTop = 0;
    double backLeft = 0;
    double discATop = 0;
    double discALeft = 0;
    double discBTop = 0;
    double discBLeft = 0;
    double frontSpineWidth = 0;
    double backSpineWidth = 0;
    double innerCircleDiameter = 0;
    double flapWidth = 0;
    std::array<int32_t, 2> paperCodes{9, 9}; // the row's sheet, the printer dialog preset

    bool operator==(const LabelStock &) const = default;
};

enum class StockRow : int {
    PlainStandardCD = 0,
    PlainSlimlineCD = 1,
    PlainStandardDVD = 2,
    PlainSlimlineDVD = 3,
    AveryLetter = 4,
    PCLineA4 = 6,
    PressITA4 = 7,
    NeatoA4 = 8,
};

inline constexpr int32_t kPaperLetter = 1;
inline constexpr int32_t kPaperA4 = 9;
inline constexpr double kInchesPerMM = 0.0393700787;

inline const QString kPlainPaper = QStringLiteral("Plain Paper");

// The base values of a row, before calibration.
LabelStock baseLabelStock(StockRow row);

// The row with the calibration the settings store holds now.
LabelStock buildLabelStock(StockRow row);

LabelStock applyCalibration(LabelStock stock, const Calibration &calibration);
// The calibration the settings store holds now.
Calibration storedCalibration();

// The plain-paper row of a cover type; none for Other and unknown types.
std::optional<StockRow> plainRowForCoverType(int32_t coverType);

std::optional<StockRow> stockRowForCovers(const QString &paperName, int32_t coverType);
std::optional<StockRow> stockRowForDisc(const QString &paperName, int32_t coverType);

// Whether a disc paper is a pre-cut label sheet, rather than plain paper
// (or a name the catalogue does not know).
bool isLabelSheet(const QString &discPaperName);

// The disc places of `position` on `row`, as (top, left) in inches: one, or
// two for Both.
QList<std::pair<double, double>> discLabelPlaces(const LabelStock &row, DiscLabelPosition position);

// The name the insert-paper prompt shows: every Avery sheet is named as the
// one Avery layout they share.
QString promptName(const QString &stockName);

// The seventeen disc papers in the order the Print dialog lists them.
const QList<QString> &discPaperNames();
// The covers papers ("Plain Paper" alone).
const QList<QString> &coverPaperNames();
