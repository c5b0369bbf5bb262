// Face geometry: the platform's MulDiv, inches to pixels, font heights.
#include "print/LabelStock.h"
#include "render/Geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

TEST(Geometry, MulDivRoundsHalfAwayFromZero)
{
    const struct {
        int number, numerator, denominator, expected;
    } rows[] = {
        {12, 96, 72, 16},
        {18, 96, 72, 24},
        {14, 96, 72, 19},
        {12, 120, 72, 20},
        {1, 1, 2, 1},
        {-1, 1, 2, -1},
        {3, 1, 2, 2},
        {-3, 1, 2, -2},
        {5, 1, -2, -3},
        {-5, -1, 2, 3},
        {1, 1, 3, 0},
        {2, 1, 3, 1},
        {-2, 1, 3, -1},
        {100000, 100000, 100000, 100000},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, 1, 1, INT_MIN},
        {0, 5, 7, 0},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.number << "*" << r.numerator << "/" << r.denominator);
        EXPECT_EQ(mulDiv(r.number, r.numerator, r.denominator), r.expected);
    }
}

TEST(Geometry, MulDivFailsWithMinusOne)
{
    EXPECT_EQ(mulDiv(5, 7, 0), -1);
    EXPECT_EQ(mulDiv(0, 0, 0), -1);
    EXPECT_EQ(mulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(mulDiv(INT_MIN, -1, 1), -1);
    EXPECT_EQ(mulDiv(INT_MIN, 2, 1), -1);
    EXPECT_EQ(mulDiv(INT_MAX, INT_MAX, 1), -1);
}

TEST(Geometry, InchesToPixelsTruncates)
{
    const LabelStock cd = baseLabelStock(StockRow::PlainStandardCD);
    EXPECT_EQ(inchesToPixels(cd.frontWidth, 96), 454);
    EXPECT_EQ(inchesToPixels(cd.frontHeight, 96), 454);
    EXPECT_EQ(inchesToPixels(cd.backWidth, 96), 568);
    EXPECT_EQ(inchesToPixels(cd.backHeight, 96), 444);
    EXPECT_EQ(inchesToPixels(cd.backSpineWidth, 96), 24);
    EXPECT_EQ(inchesToPixels(cd.discWidth, 96), 449);

    const LabelStock dvd = baseLabelStock(StockRow::PlainStandardDVD);
    EXPECT_EQ(inchesToPixels(dvd.backWidth, 600), 6438);
    EXPECT_EQ(inchesToPixels(dvd.backHeight, 600), 4320);
    EXPECT_EQ(inchesToPixels(dvd.backSpineWidth, 600), 324);

    EXPECT_EQ(inchesToPixels(0.999, 1), 0);
    EXPECT_EQ(inchesToPixels(-0.5, 96), -48);
    EXPECT_EQ(inchesToPixels(-0.01, 96), 0); // toward zero
}

TEST(Geometry, DeviceLengthsSaturate)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const int max = kMaxDevicePixels;
    // A typed 99999999 mm at 1200 dpi, and worse.
    const double typed = 99'999'999 * kInchesPerMM;
    const struct {
        double inches;
        int dpi;
        int expected;
    } rows[] = {
        {typed, 1200, max},
        {-typed, 1200, -max},
        {1e300, 2400, max},
        {-1e300, 2400, -max},
        {inf, 96, max},
        {-inf, 96, -max},
        {nan, 600, 0},
        {inf, 0, 0}, // infinity times nothing
        {833.0, 1200, 999'600},
        {834.0, 1200, max},
        {-834.0, 1200, -max},
        {4.735, INT_MAX, max},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.inches << " in at " << r.dpi);
        EXPECT_EQ(inchesToPixels(r.inches, r.dpi), r.expected);
    }
    const struct {
        double pixels;
        int expected;
    } lengths[] = {{1e12, max}, {-1e12, -max}, {nan, 0}, {inf, max}, {-inf, -max},
        {999'999.9, 999'999}, {-2.5, -2}, {double(INT_MAX) + 1, max}};
    for (const auto &l : lengths) {
        SCOPED_TRACE(l.pixels);
        EXPECT_EQ(truncated(l.pixels), l.expected);
    }
    EXPECT_EQ(dotsPerMeter(96), 3780);
    EXPECT_EQ(dotsPerMeter(2400), 94488);
    EXPECT_EQ(dotsPerMeter(INT_MAX), max);
    EXPECT_EQ(dotsPerMeter(INT_MIN), -max);
    EXPECT_EQ(fontHeightOnDevice(-16, 96, 600, nan), 0);
    EXPECT_EQ(fontHeightOnDevice(-16, 96, 600, 1e300), -max);
}

TEST(Geometry, FontHeightsPassThroughWholePoints)
{
    const struct {
        int stored, reference, deviceDpi;
        double yScale;
        bool applyScale;
        int expected;
    } rows[] = {
        {-16, 96, 600, 1.0, true, -100}, // 12 points
        {-15, 96, 72, 1.0, true, -11}, // 11.25 points print as 11
        {-15, 96, 600, 1.0, true, -92}, // 11 points at 600 dpi
        {-24, 96, 96, 1.0, true, -24},
        {-24, 96, 96, 0.5, true, -12},
        {-24, 96, 96, 0.33, true, -7}, // -7.92 truncates toward zero
        {-24, 96, 96, 0.33, false, -24},
        {-20, 120, 96, 1.0, true, -16},
        {16, 96, 600, 1.0, true, 100},
        {0, 96, 600, 1.0, true, 0},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message()
            << r.stored << "@" << r.reference << "->" << r.deviceDpi << " x" << r.yScale);
        EXPECT_EQ(fontHeightOnDevice(r.stored, r.reference, r.deviceDpi, r.yScale, r.applyScale),
            r.expected);
    }
}
