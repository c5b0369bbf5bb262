#include "document/CoverDocument.h"
#include "print/CalibrationPage.h"
#include "print/LabelStock.h"
#include "print/PrintJob.h"
#include "tests/support/FaceImage.h"
#include "tests/support/FaceRendering.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr int kDpi = 100;
const QString kNeato = QStringLiteral("Neato CD/DVD Labels (A4)");

bool isRed(QRgb p)
{
    return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
}
bool isBlack(QRgb p)
{
    return qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80;
}

QRect bounds(const QImage &image, QRect region, bool (*test)(QRgb))
{
    region = region.intersected(image.rect());
    QRect found;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (test(image.pixel(x, y)))
                found |= QRect(x, y, 1, 1);
    return found;
}

// The cross's centre: the row and the column with the most black pixels
// inside `window`.
QPoint crossCentre(const QImage &image, const QRect &window)
{
    int bestRow = -1, bestRowCount = 0, bestColumn = -1, bestColumnCount = 0;
    for (int y = window.top(); y <= window.bottom(); ++y) {
        int n = 0;
        for (int x = window.left(); x <= window.right(); ++x)
            n += isBlack(image.pixel(x, y));
        if (n > bestRowCount)
            bestRowCount = n, bestRow = y;
    }
    for (int x = window.left(); x <= window.right(); ++x) {
        int n = 0;
        for (int y = window.top(); y <= window.bottom(); ++y)
            n += isBlack(image.pixel(x, y));
        if (n > bestColumnCount)
            bestColumnCount = n, bestColumn = x;
    }
    return QPoint(bestColumn, bestRow);
}

Calibration calibration(const char *expandCover, const char *expandDisc, const char *x,
    const char *y, const char *leftRight = "1", const char *upDown = "1")
{
    Calibration c;
    c.expandCoverMM = QString::fromLatin1(expandCover);
    c.expandDiscMM = QString::fromLatin1(expandDisc);
    c.moveDiscMMX = QString::fromLatin1(x);
    c.moveDiscMMY = QString::fromLatin1(y);
    c.moveDiscLeftRight = QString::fromLatin1(leftRight);
    c.moveDiscUpDown = QString::fromLatin1(upDown);
    return c;
}

struct Page {
    QImage image;
    QList<PlacedFace> faces;
};

// One sheet of the test page on A4 at 100 dpi.
Page testPage(int32_t type, const QString &disc, const Calibration &c, SheetKind kind,
    PageDevice device = {kDpi, 0, 0})
{
    const PrintJob job = PrintJob::forPapers(type, kPlainPaper, disc, c);
    const QList<PrintSheet> sheets = job.calibrationSheets(DiscLabelPosition::Top);
    const PrintSheet &sheet = sheets.at(kind == SheetKind::Covers ? 0 : 1);
    const bool landscape = sheet.landscape;
    const QSize a4 = landscape ? QSize(1169, 827) : QSize(827, 1169);
    Page page;
    page.image = renderOnCanvas(a4 - QSize(2 * device.physX, 2 * device.physY), kDpi, QRect(),
        [&](DeviceContext &dc, const QRect &) {
            page.faces = sheet.draw(dc, device);
        }).image;
    return page;
}

} // namespace

TEST(CalibrationPage, TheDiscOutlineAndCrossMoveAndGrowByTheAdjustment)
{
    const LabelStock neato = baseLabelStock(StockRow::NeatoA4);
    const Page base = testPage(StandardCD, kNeato, Calibration{}, SheetKind::Disc);
    const QRect baseOutline = bounds(base.image, base.image.rect(), isRed);
    const QPoint baseCross
        = crossCentre(base.image, QRect(baseOutline.center() - QPoint(30, 30), QSize(61, 61)));
    struct Case {
        const char *what;
        Calibration c;
        double dxMM, dyMM, growMM;
    } cases[] = {
        {"none", calibration("0", "0", "0", "0"), 0, 0, 0},
        {"5 mm right and 4 mm down", calibration("0", "0", "5", "4"), 5, 4, 0},
        {"5 mm left and 4 mm up", calibration("0", "0", "5", "4", "0", "0"), -5, -4, 0},
        {"a minus sign turns right into left", calibration("0", "0", "-5", "0"), -5, 0, 0},
        {"expanded by 3 mm", calibration("0", "3", "0", "0"), 0, 0, 3},
        {"covers expansion leaves the disc", calibration("7", "0", "0", "0"), 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Page page = testPage(StandardCD, kNeato, c.c, SheetKind::Disc);
        const QRect expected
            = discPageLayout({kDpi, 0, 0}, applyCalibration(neato, c.c), DiscLabelPosition::Top)
                  .at(0)
                  .rect;
        ASSERT_EQ(page.faces.size(), 1);
        EXPECT_EQ(page.faces[0].rect, expected); // the rectangle the print run computes
        const QRect outline = bounds(page.image, page.image.rect(), isRed);
        EXPECT_EQ(outline, expected);
        const QPoint cross
            = crossCentre(page.image, QRect(outline.center() - QPoint(30, 30), QSize(61, 61)));
        EXPECT_LE((cross - expected.center()).manhattanLength(), 2);
        const double px = kDpi / 25.4;
        EXPECT_NEAR(cross.x() - baseCross.x(), c.dxMM * px + c.growMM * px / 2, 1.0);
        EXPECT_NEAR(cross.y() - baseCross.y(), c.dyMM * px + c.growMM * px / 2, 1.0);
        EXPECT_NEAR(outline.width() - baseOutline.width(), c.growMM * px, 1.0);
        EXPECT_NEAR(outline.left() - baseOutline.left(), c.dxMM * px, 1.0);
    }
}

TEST(CalibrationPage, CoverOutlinesAreTheFacesOfTheRunWithCrossesAtTheirCorners)
{
    struct Case {
        int32_t type;
        const char *expand;
        int faces;
    } cases[] = {
        {StandardCD, "0", 2},
        {StandardCD, "5", 2},
        {SlimlineCD, "-3", 1},
        {StandardDVD, "2", 1},
        {SlimlineDVD, "0", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.expand);
        const Calibration cal = calibration(c.expand, "0", "0", "0");
        const Page page = testPage(c.type, kPlainPaper, cal, SheetKind::Covers);
        const LabelStock row = applyCalibration(baseLabelStock(*plainRowForCoverType(c.type)), cal);
        const QList<PlacedFace> expected = coversPageLayout({kDpi, 0, 0}, c.type, row);
        ASSERT_EQ(page.faces.size(), c.faces);
        QRect all;
        for (int i = 0; i < c.faces; ++i) {
            EXPECT_EQ(page.faces[i].rect, expected[i].rect);
            all |= expected[i].rect;
            // A 10 mm cross on the top-left corner, drawn over the outline:
            // black 5 mm along both edges, red beyond.
            const QPoint corner = expected[i].rect.topLeft();
            EXPECT_TRUE(isBlack(page.image.pixel(corner.x() + 18, corner.y())));
            EXPECT_TRUE(isBlack(page.image.pixel(corner.x(), corner.y() + 18)));
            EXPECT_TRUE(isRed(page.image.pixel(corner.x() + 22, corner.y())));
            EXPECT_TRUE(isRed(page.image.pixel(corner.x(), corner.y() + 22)));
        }
        EXPECT_EQ(bounds(page.image, page.image.rect(), isRed), all);
        if (c.type == StandardCD) {
            const double grown = atoiValue(QString::fromLatin1(c.expand)) * kInchesPerMM;
            EXPECT_EQ(page.faces[0].rect.width(), int(kDpi * (0.5 + 4.735 + grown)) - 50);
        }
    }
}

TEST(CalibrationPage, RulersMeasureFromTheSheetsCorner)
{
    // 20 pixels of the sheet lie outside the printable area on each side.
    const Page page
        = testPage(StandardCD, kNeato, Calibration{}, SheetKind::Disc, PageDevice{kDpi, 20, 20});
    const auto tickLength = [&](int x) {
        int n = 0;
        while (n < 40 && isBlack(page.image.pixel(x, n)))
            ++n;
        return n;
    };
    struct Case {
        int mm;
        int length; // pixels: 2 mm, 4 mm every 5, 6 mm every 10
    } cases[] = {{16, 7}, {19, 7}, {20, 23}, {25, 15}, {51, 7}, {100, 23}};
    for (const Case &c : cases) {
        const int x = int(std::trunc(c.mm * kDpi / 25.4 - 20));
        EXPECT_EQ(tickLength(x), c.length) << c.mm;
        EXPECT_FALSE(isBlack(page.image.pixel(x + 2, 1))) << c.mm;
    }
    // The left ruler alike.
    const int y = int(std::trunc(40 * kDpi / 25.4 - 20));
    int n = 0;
    while (n < 40 && isBlack(page.image.pixel(n, y)))
        ++n;
    EXPECT_EQ(n, 23);
}
