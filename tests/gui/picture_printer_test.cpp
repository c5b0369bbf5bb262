// Pictures on a printer device: QPrinter's own engine (PDF output here, as
// on a CUPS queue) gets the same colours, orientation and placement as a
// QImage.
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TestSupport.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

TEST(PicturePrinter, PrintedPictureKeepsColoursAndOrientation)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const QString dir = testsupport::freshDir(QStringLiteral("printer"));
    ASSERT_TRUE(save(makeBitmap(Layout::Palette4), FIF_BMP, dir + QStringLiteral("/cells.bmp")));
    ASSERT_TRUE(save(makeBitmap(Layout::Bgr24, 16), FIF_JPEG, dir + QStringLiteral("/cells.jpg"),
        JPEG_QUALITYSUPERB | JPEG_SUBSAMPLING_444));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir + QStringLiteral("/printed.pdf"));
    printer.setResolution(600);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(
        QPageSize(QSizeF(2, 1), QPageSize::Inch), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    {
        QPainter painter(&printer);
        DeviceContext dc(painter);
        ASSERT_EQ(dc.dpiX(), 600);
        FacePicturePtr cells
            = LoadFacePicture(QFile::encodeName(dir + QStringLiteral("/cells.bmp")));
        FacePicturePtr photo
            = LoadFacePicture(QFile::encodeName(dir + QStringLiteral("/cells.jpg")));
        ASSERT_TRUE(cells && photo);
        DrawPictureStretched(dc, QRect(0, 0, 600, 300), *cells); // one inch by half an inch
        DrawPictureStretched(dc, QRect(600, 300, 600, 300), *photo); // the next one, lower
    }

    QProcess rasterise;
    rasterise.start(pdftoppm,
        {QStringLiteral("-r"), QStringLiteral("80"), QStringLiteral("-png"),
            QStringLiteral("-singlefile"), dir + QStringLiteral("/printed.pdf"),
            dir + QStringLiteral("/printed")});
    ASSERT_TRUE(rasterise.waitForFinished(60000));
    ASSERT_EQ(rasterise.exitCode(), 0);
    const QImage page(dir + QStringLiteral("/printed.png"));
    ASSERT_EQ(page.size(), QSize(160, 80));

    // Cell centres: 20 × 20 pixel cells at 80 dpi.
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QRgb want = cellColor(column, row);
            const QRgb left = page.pixel(column * 20 + 10, row * 20 + 10);
            const QRgb right = page.pixel(80 + column * 20 + 10, 40 + row * 20 + 10);
            for (const QRgb got : {left, right}) {
                EXPECT_NEAR(qRed(got), qRed(want), 12) << column << "," << row;
                EXPECT_NEAR(qGreen(got), qGreen(want), 12) << column << "," << row;
                EXPECT_NEAR(qBlue(got), qBlue(want), 12) << column << "," << row;
            }
        }
    }
    // Paper outside the two boxes stays white.
    EXPECT_EQ(page.pixel(120, 20) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(page.pixel(40, 60) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
