// The paper and label-stock catalogue: base rows, calibration, names.
#include "document/CoverDocument.h"
#include "document/UserSettings.h"
#include "print/LabelStock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

struct BaseRow {
    StockRow row;
    double v[18]; // the fields of LabelStock in declaration order, paperCodes aside
    std::array<int32_t, 2> paperCodes;
};

// Inches, as the catalogue was designed.
const BaseRow kBaseRows[] = {
    {StockRow::PlainStandardCD,
        {4.735, 4.735, 5.925, 4.625, 4.685, 4.685, 0.5, 0.5, 5.48, 0.5, 1.0, 0.237, 0.6875, 1.9375,
            0, 0.25, 0.81, 0},
        {9, 9}},
    {StockRow::PlainSlimlineCD,
        {0, 0, 6.1417322772, 4.7637795227, 4.685, 4.685, 0, 0, 0.25, 0.25, 0.832, 0.237, 0.6875,
            1.9375, 0, 0.1181102361, 0.81, 0.5905511805},
        {9, 9}},
    {StockRow::PlainStandardDVD,
        {0, 0, 10.73, 7.2, 4.685, 4.685, 0, 0, 0.1, 0.1, 0.237, 0.832, 0.6875, 1.9375, 0, 0.54,
            0.81, 0},
        {9, 9}},
    {StockRow::PlainSlimlineDVD,
        {0, 0, 10.561, 7.2, 4.685, 4.685, 0, 0, 0.2, 0.2, 0.237, 0.832, 0.6875, 1.9375, 0, 0.275,
            0.81, 0},
        {9, 9}},
    {StockRow::AveryLetter,
        {0, 0, 0, 0, 4.625, 4.653, 0, 0, 0, 0, 0.6875, 1.9375, 5.6875, 1.9375, 0, 0, 1.6154, 0},
        {1, 9}},
    {StockRow::PCLineA4,
        {0, 0, 0, 0, 4.673, 4.673, 0, 0, 0, 0, 0.983, 0.38, 6.1021, 3.1779, 0, 0, 0.78, 0}, {9, 9}},
    {StockRow::PressITA4,
        {0, 0, 0, 0, 4.673, 4.673, 0, 0, 0, 0, 0.983, 0.38, 6.1021, 3.1779, 0, 0, 0.78, 0}, {9, 9}},
    {StockRow::NeatoA4,
        {0, 0, 0, 0, 4.69, 4.689, 0, 0, 0, 0, 1.021, 1.793, 6.06, 1.796, 0, 0, 1.603, 0}, {9, 9}},
};

std::array<double, 18> fields(const LabelStock &s)
{
    return {s.frontWidth, s.frontHeight, s.backWidth, s.backHeight, s.discWidth, s.discHeight,
        s.frontTop, s.frontLeft, s.backTop, s.backLeft, s.discATop, s.discALeft, s.discBTop,
        s.discBLeft, s.frontSpineWidth, s.backSpineWidth, s.innerCircleDiameter, s.flapWidth};
}

void saveCalibration(const Calibration &c)
{
    UserSettings s;
    s.calibration = c;
    s.save();
}

constexpr double mm = 0.0393700787;

} // namespace

TEST(LabelStockCatalogue, BaseRows)
{
    clearSettings();
    for (const BaseRow &expected : kBaseRows) {
        SCOPED_TRACE(int(expected.row));
        const std::array<double, 18> base = fields(baseLabelStock(expected.row));
        const std::array<double, 18> built = fields(buildLabelStock(expected.row));
        for (int i = 0; i < 18; ++i) {
            EXPECT_DOUBLE_EQ(base[i], expected.v[i]) << "field " << i;
            EXPECT_EQ(built[i], base[i]) << "field " << i; // all calibration values "0"
        }
        EXPECT_EQ(baseLabelStock(expected.row).paperCodes, expected.paperCodes);
    }
    EXPECT_EQ(baseLabelStock(StockRow::PCLineA4), baseLabelStock(StockRow::PressITA4));
}

TEST(LabelStockCatalogue, CalibrationArithmetic)
{
    const LabelStock cd = baseLabelStock(StockRow::PlainStandardCD);
    const LabelStock avery = baseLabelStock(StockRow::AveryLetter);

    Calibration grow;
    grow.expandCoverMM = "5";
    const LabelStock grown = applyCalibration(cd, grow);
    EXPECT_DOUBLE_EQ(grown.frontWidth, 4.735 + 5 * mm);
    EXPECT_DOUBLE_EQ(grown.frontHeight, 4.735 + 5 * mm);
    EXPECT_DOUBLE_EQ(grown.backWidth, 5.925 + 5 * mm);
    EXPECT_DOUBLE_EQ(grown.backHeight, 4.625 + 5 * mm);
    EXPECT_DOUBLE_EQ(grown.backTop, 5.48 + 5 * mm);
    EXPECT_EQ(grown.frontTop, cd.frontTop);
    EXPECT_EQ(grown.discWidth, cd.discWidth);
    EXPECT_EQ(grown.discATop, cd.discATop);

    Calibration disc;
    disc.expandDiscMM = "3mm";
    const LabelStock bigger = applyCalibration(avery, disc);
    EXPECT_DOUBLE_EQ(bigger.discWidth, 4.625 + 3 * mm);
    EXPECT_DOUBLE_EQ(bigger.discHeight, 4.653 + 3 * mm);
    EXPECT_EQ(bigger.discATop, avery.discATop); // grows right and down

    const struct {
        const char *x, *leftRight, *y, *upDown;
        double dx, dy; // in mm, + is right / down
    } moves[] = {
        {"2", "1", "0", "0", 2, 0},
        {"2", "0", "0", "0", -2, 0},
        {"0", "0", "2", "1", 0, 2},
        {"0", "0", "2", "0", 0, -2},
        {"2", "", "2", "", 2, 2},
        {"2", "01", "2", "x", 2, 2},
        {"-2", "1", "-2", "1", -2, -2},
        {" -2", "0", "+4", "0", 2, -4},
        {"abc", "1", "7.9", "1", 0, 7},
    };
    for (const auto &m : moves) {
        SCOPED_TRACE(std::string(m.x) + "/" + m.leftRight + "/" + m.y + "/" + m.upDown);
        Calibration c;
        c.moveDiscMMX = m.x;
        c.moveDiscLeftRight = m.leftRight;
        c.moveDiscMMY = m.y;
        c.moveDiscUpDown = m.upDown;
        const LabelStock moved = applyCalibration(avery, c);
        EXPECT_DOUBLE_EQ(moved.discALeft, avery.discALeft + m.dx * mm);
        EXPECT_DOUBLE_EQ(moved.discBLeft, avery.discBLeft + m.dx * mm);
        EXPECT_DOUBLE_EQ(moved.discATop, avery.discATop + m.dy * mm);
        EXPECT_DOUBLE_EQ(moved.discBTop, avery.discBTop + m.dy * mm);
        EXPECT_EQ(moved.discWidth, avery.discWidth);
    }
}

TEST(LabelStockCatalogue, CalibrationIsHeldToTheUpDownRange)
{
    const LabelStock cd = baseLabelStock(StockRow::PlainStandardCD);
    const struct {
        const char *text;
        int applied; // millimetres
    } rows[] = {
        {"200", 200},
        {"201", 200},
        {"250", 200},
        {"99999999", 200},
        {"99999999999999999999", 200},
        {"-200", -200},
        {"-201", -200},
        {"-99999999", -200},
        {"-2147483649", -200},
        {"199mm", 199},
        {"-3", -3},
        {"abc", 0},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(calibrationMillimetres(QString::fromLatin1(r.text)), r.applied);
        Calibration c;
        c.expandCoverMM = r.text;
        c.expandDiscMM = r.text;
        c.moveDiscMMX = r.text;
        c.moveDiscLeftRight = "1";
        c.moveDiscMMY = r.text;
        c.moveDiscUpDown = "0";
        const LabelStock s = applyCalibration(cd, c);
        EXPECT_DOUBLE_EQ(s.frontWidth, cd.frontWidth + r.applied * mm);
        EXPECT_DOUBLE_EQ(s.backHeight, cd.backHeight + r.applied * mm);
        EXPECT_DOUBLE_EQ(s.backTop, cd.backTop + r.applied * mm);
        EXPECT_DOUBLE_EQ(s.discWidth, cd.discWidth + r.applied * mm);
        EXPECT_DOUBLE_EQ(s.discALeft, cd.discALeft + r.applied * mm);
        EXPECT_DOUBLE_EQ(s.discBTop, cd.discBTop - r.applied * mm);
    }
    EXPECT_EQ(kCalibrationLimitMM, 200);
}

TEST(LabelStockCatalogue, BuildReadsTheCalibrationAtTheCall)
{
    clearSettings();
    const LabelStock before = buildLabelStock(StockRow::NeatoA4);
    Calibration c;
    c.expandDiscMM = "1";
    c.moveDiscMMX = "2";
    c.moveDiscLeftRight = "1";
    saveCalibration(c);
    const LabelStock after = buildLabelStock(StockRow::NeatoA4);
    EXPECT_DOUBLE_EQ(after.discWidth, 4.69 + 1 * mm);
    EXPECT_DOUBLE_EQ(after.discALeft, 1.793 + 2 * mm);
    EXPECT_EQ(before, baseLabelStock(StockRow::NeatoA4));
    clearSettings();
}

TEST(LabelStockCatalogue, AtoiRules)
{
    const struct {
        const char *text;
        int value;
    } rows[] = {
        {"3", 3},
        {"-2", -2},
        {"3mm", 3},
        {"  7", 7},
        {"\t\n+8", 8},
        {"", 0},
        {"mm3", 0},
        {"-", 0},
        {"- 3", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483649", -2147483647 - 1},
        {"99999999999999999999", 2147483647},
        {"1.9", 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(atoiValue(QByteArray(row.text)), row.value);
        EXPECT_EQ(atoiValue(QString::fromLatin1(row.text)), row.value);
    }
}

TEST(LabelStockCatalogue, NamesAndRows)
{
    const QList<QString> &names = discPaperNames();
    ASSERT_EQ(names.size(), 17);
    EXPECT_EQ(names.first(), "Plain Paper");
    const char *averyNumbers[] = {"5692", "5694", "5695", "5931", "6692", "8691", "8692", "8694",
        "8695", "8699", "8944", "8960", "8931"};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(names[i + 1], QString("Avery %1 CD/DVD Labels (Letter)").arg(averyNumbers[i]));
    EXPECT_EQ(names[14], "Neato CD/DVD Labels (A4)");
    EXPECT_EQ(names[15], "PC Line CD/DVD Labels (A4)");
    EXPECT_EQ(names[16], "PressIT CD/DVD Labels (A4)");
    EXPECT_EQ(coverPaperNames(), QList<QString>{"Plain Paper"});

    const struct {
        int32_t type;
        std::optional<StockRow> plain;
    } types[] = {
        {StandardCD, StockRow::PlainStandardCD},
        {SlimlineCD, StockRow::PlainSlimlineCD},
        {StandardDVD, StockRow::PlainStandardDVD},
        {SlimlineDVD, StockRow::PlainSlimlineDVD},
        {Other, std::nullopt},
        {0, std::nullopt},
        {6, std::nullopt},
    };
    for (const auto &t : types) {
        SCOPED_TRACE(t.type);
        EXPECT_EQ(plainRowForCoverType(t.type), t.plain);
        EXPECT_EQ(stockRowForCovers("Plain Paper", t.type), t.plain);
        EXPECT_EQ(stockRowForDisc("Plain Paper", t.type), t.plain);
        EXPECT_EQ(stockRowForCovers("Avery 5931 CD/DVD Labels (Letter)", t.type), std::nullopt);
        for (int i = 1; i <= 13; ++i)
            EXPECT_EQ(stockRowForDisc(names[i], t.type), StockRow::AveryLetter);
        EXPECT_EQ(stockRowForDisc(names[14], t.type), StockRow::NeatoA4);
        EXPECT_EQ(stockRowForDisc(names[15], t.type), StockRow::PCLineA4);
        EXPECT_EQ(stockRowForDisc(names[16], t.type), StockRow::PressITA4);
        EXPECT_EQ(stockRowForDisc("neato CD/DVD Labels (A4)", t.type), std::nullopt);
        EXPECT_EQ(stockRowForDisc("Plain Paper ", t.type), std::nullopt);
        EXPECT_EQ(stockRowForDisc("", t.type), std::nullopt);
    }
}

TEST(LabelStockCatalogue, PromptName)
{
    for (int i = 1; i <= 13; ++i)
        EXPECT_EQ(promptName(discPaperNames()[i]), "Avery 5931 CD/DVD Labels (Letter)");
    for (const char *other : {"Plain Paper", "Neato CD/DVD Labels (A4)",
             "PC Line CD/DVD Labels (A4)", "PressIT CD/DVD Labels (A4)"})
        EXPECT_EQ(promptName(other), other);
}
