#include "LabelStock.h"

#include "document/CoverDocument.h"
#include "document/UserSettings.h"

#include <climits>

LabelStock baseLabelStock(StockRow row)
{
    LabelStock s;
    switch (row) {
    case StockRow::PlainStandardCD:
        s.frontWidth = 4.735;
        s.frontHeight = 4.735;
        s.backWidth = 5.925;
        s.backHeight = 4.625;
        s.discWidth = 4.685;
        s.discHeight = 4.685;
        s.frontTop = 0.5;
        s.frontLeft = 0.5;
        s.backTop = 5.48;
        s.backLeft = 0.5;
        s.discATop = 1.0;
        s.discALeft = 0.237;
        s.backSpineWidth = 0.25;
        break;
    case StockRow::PlainSlimlineCD:
        s.backWidth = 6.1417322772;
        s.backHeight = 4.7637795227;
        s.discWidth = 4.685;
        s.discHeight = 4.685;
        s.backTop = 0.25;
        s.backLeft = 0.25;
        s.discATop = 0.832;
        s.discALeft = 0.237;
        s.backSpineWidth = 0.1181102361;
        s.flapWidth = 0.5905511805;
        break;
    case StockRow::PlainStandardDVD:
        s.backWidth = 10.73;
        s.backHeight = 7.2;
        s.discWidth = 4.685;
        s.discHeight = 4.685;
        s.backTop = 0.1;
        s.backLeft = 0.1;
        s.discATop = 0.237;
        s.discALeft = 0.832;
        s.backSpineWidth = 0.54;
        break;
    case StockRow::PlainSlimlineDVD:
        s.backWidth = 10.561;
        s.backHeight = 7.2;
        s.discWidth = 4.685;
        s.discHeight = 4.685;
        s.backTop = 0.2;
        s.backLeft = 0.2;
        s.discATop = 0.237;
        s.discALeft = 0.832;
        s.backSpineWidth = 0.275;
        break;
    case StockRow::AveryLetter:
        s.discWidth = 4.625;
        s.discHeight = 4.653;
        s.discATop = 0.6875;
        s.discALeft = 1.9375;
        s.discBTop = 5.6875;
        s.discBLeft = 1.9375;
        s.innerCircleDiameter = 1.6154;
        s.paperCodes = {kPaperLetter, kPaperA4};
        return s;
    case StockRow::PCLineA4:
    case StockRow::PressITA4:
        s.discWidth = 4.673;
        s.discHeight = 4.673;
        s.discATop = 0.983;
        s.discALeft = 0.38;
        s.discBTop = 6.1021;
        s.discBLeft = 3.1779;
        s.innerCircleDiameter = 0.78;
        return s;
    case StockRow::NeatoA4:
        s.discWidth = 4.69;
        s.discHeight = 4.689;
        s.discATop = 1.021;
        s.discALeft = 1.793;
        s.discBTop = 6.06;
        s.discBLeft = 1.796;
        s.innerCircleDiameter = 1.603;
        return s;
    }
    // The four plain-paper rows share the bottom disc position and hub.
    s.discBTop = 0.6875;
    s.discBLeft = 1.9375;
    s.innerCircleDiameter = 0.81;
    return s;
}

LabelStock applyCalibration(LabelStock s, const Calibration &c)
{
    const double cover = calibrationMillimetres(c.expandCoverMM) * kInchesPerMM;
    s.frontWidth += cover;
    s.frontHeight += cover;
    s.backWidth += cover;
    s.backHeight += cover;
    s.backTop += cover;

    const double disc = calibrationMillimetres(c.expandDiscMM) * kInchesPerMM;
    s.discWidth += disc;
    s.discHeight += disc;

    const double x = calibrationMillimetres(c.moveDiscMMX) * kInchesPerMM;
    if (c.moveDiscLeftRight == QLatin1String("0")) {
        s.discALeft -= x;
        s.discBLeft -= x;
    } else {
        s.discALeft += x;
        s.discBLeft += x;
    }

    const double y = calibrationMillimetres(c.moveDiscMMY) * kInchesPerMM;
    if (c.moveDiscUpDown == QLatin1String("0")) {
        s.discATop -= y;
        s.discBTop -= y;
    } else {
        s.discATop += y;
        s.discBTop += y;
    }
    return s;
}

Calibration storedCalibration()
{
    return UserSettings().calibration;
}

LabelStock buildLabelStock(StockRow row)
{
    return applyCalibration(baseLabelStock(row), storedCalibration());
}

std::optional<StockRow> plainRowForCoverType(int32_t coverType)
{
    switch (coverType) {
    case StandardCD: return StockRow::PlainStandardCD;
    case SlimlineCD: return StockRow::PlainSlimlineCD;
    case StandardDVD: return StockRow::PlainStandardDVD;
    case SlimlineDVD: return StockRow::PlainSlimlineDVD;
    default: return std::nullopt;
    }
}

std::optional<StockRow> stockRowForCovers(const QString &paperName, int32_t coverType)
{
    if (paperName == kPlainPaper)
        return plainRowForCoverType(coverType);
    return std::nullopt;
}

std::optional<StockRow> stockRowForDisc(const QString &paperName, int32_t coverType)
{
    const QList<QString> &names = discPaperNames();
    const qsizetype index = names.indexOf(paperName);
    if (index < 0)
        return std::nullopt;
    if (index == 0)
        return plainRowForCoverType(coverType);
    if (index <= 13)
        return StockRow::AveryLetter;
    if (index == 14)
        return StockRow::NeatoA4;
    if (index == 15)
        return StockRow::PCLineA4;
    return StockRow::PressITA4;
}

bool isLabelSheet(const QString &discPaperName)
{
    return discPaperName != kPlainPaper && discPaperNames().contains(discPaperName);
}

QList<std::pair<double, double>> discLabelPlaces(const LabelStock &row, DiscLabelPosition position)
{
    const std::pair<double, double> top{row.discATop, row.discALeft};
    const std::pair<double, double> bottom{row.discBTop, row.discBLeft};
    switch (position) {
    case DiscLabelPosition::Top: return {top};
    case DiscLabelPosition::Bottom: return {bottom};
    case DiscLabelPosition::Both: return {top, bottom};
    }
    return {top};
}

QString promptName(const QString &stockName)
{
    if (stockName.startsWith(QLatin1String("Avery ")))
        return QStringLiteral("Avery 5931 CD/DVD Labels (Letter)");
    return stockName;
}

const QList<QString> &discPaperNames()
{
    static const QList<QString> names = {
        QStringLiteral("Plain Paper"),
        QStringLiteral("Avery 5692 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 5694 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 5695 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 5931 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 6692 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 8691 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 8692 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 8694 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 8695 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 8699 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 8944 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 8960 CD/DVD Labels (Letter)"),
        QStringLiteral("Avery 8931 CD/DVD Labels (Letter)"),
        QStringLiteral("Neato CD/DVD Labels (A4)"),
        QStringLiteral("PC Line CD/DVD Labels (A4)"),
        QStringLiteral("PressIT CD/DVD Labels (A4)"),
    };
    return names;
}

const QList<QString> &coverPaperNames()
{
    static const QList<QString> names = {QStringLiteral("Plain Paper")};
    return names;
}
