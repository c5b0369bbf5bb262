// The disc sheet's label positions: one disc on the top or bottom label, one
// on each with Both (label sheets only), in the preview's sheet image and on
// the PDF page alike.
#include "print/PageComposer.h"
#include "print/PrintJob.h"
#include "print/SheetImage.h"
#include "print/SheetPdf.h"
#include "render/FacePicture.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr int kDpi = 40;
const QString kAvery = QStringLiteral("Avery 5931 CD/DVD Labels (Letter)");
const QColor kRed(255, 0, 0);

PrintSheet discSheet(const CoverDocument &doc, const QString &paper, DiscLabelPosition position)
{
    PrintJob job = PrintJob::forPapers(StandardCD, kPlainPaper, paper, Calibration{});
    job.printCover = false;
    const QList<PrintSheet> sheets = job.coverSheets(doc, position, 96);
    return sheets.value(0);
}

// The disc sheet as the preview shows it, or as the PDF page rasterised.
QImage previewPage(const PrintSheet &sheet)
{
    return drawSheetImage(sheet, kDpi).image;
}

QImage pdfPage(const PrintSheet &sheet)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        return {};
    const QString dir = freshDir(QStringLiteral("positions"));
    QString error;
    if (!writeSheetsPdf(dir + QStringLiteral("/disc.pdf"), QStringLiteral("t"), {sheet}, error))
        return {};
    QProcess rasterise;
    rasterise.start(pdftoppm,
        {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-png"),
            QStringLiteral("-singlefile"), dir + QStringLiteral("/disc.pdf"),
            dir + QStringLiteral("/disc")});
    if (!rasterise.waitForFinished(60000) || rasterise.exitCode() != 0)
        return {};
    return QImage(dir + QStringLiteral("/disc.png"));
}

// Inside the label, between its edge and its hub.
bool discAt(const QImage &page, const QRect &label)
{
    const QColor c = page.pixelColor(label.center().x(), label.top() + label.height() / 5);
    return std::abs(c.red() - 255) < 8 && c.green() < 8 && c.blue() < 8;
}

} // namespace

TEST(DiscLabelPosition, OneDiscPerChosenLabelInThePreviewAndThePdf)
{
    PictureLibrary pictures;
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.dBGColor = 0x000000FF; // red, 0x00BBGGRR
    const LabelStock avery = baseLabelStock(StockRow::AveryLetter);
    const QList<PlacedFace> labels = discPageLayout({kDpi, 0, 0}, avery, DiscLabelPosition::Both);
    ASSERT_EQ(labels.size(), 2);
    ASSERT_FALSE(labels[0].rect.intersects(labels[1].rect));

    struct Case {
        const char *what;
        DiscLabelPosition position;
        bool top, bottom;
    } cases[] = {
        {"top", DiscLabelPosition::Top, true, false},
        {"bottom", DiscLabelPosition::Bottom, false, true},
        {"both", DiscLabelPosition::Both, true, true},
    };
    for (const Case &c : cases) {
        const PrintSheet sheet = discSheet(doc, kAvery, c.position);
        for (const auto &[medium, draw] : {std::pair{"preview", &previewPage}, {"pdf", &pdfPage}}) {
            SCOPED_TRACE(std::string(c.what) + " in the " + medium);
            const QImage page = draw(sheet);
            if (page.isNull() && std::string(medium) == "pdf")
                GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
            ASSERT_EQ(page.size(), QSize(int(8.5 * kDpi), 11 * kDpi)); // the Avery sheet, Letter
            EXPECT_EQ(discAt(page, labels[0].rect), c.top);
            EXPECT_EQ(discAt(page, labels[1].rect), c.bottom);
        }
    }
}

TEST(DiscLabelPosition, BothIsForLabelSheetsOnly)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    struct Case {
        QString paper;
        DiscLabelPosition chosen, printed;
        int labels; // outlined in the preview
    } cases[] = {
        {kAvery, DiscLabelPosition::Both, DiscLabelPosition::Both, 2},
        {kPlainPaper, DiscLabelPosition::Both, DiscLabelPosition::Top, 0},
        {kPlainPaper, DiscLabelPosition::Bottom, DiscLabelPosition::Bottom, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.paper.toStdString());
        const PrintSheet sheet = discSheet(doc, c.paper, c.chosen);
        const SheetImage image = drawSheetImage(sheet, kDpi);
        const LabelStock row = baseLabelStock(*stockRowForDisc(c.paper, StandardCD));
        QList<QRect> expected;
        for (const PlacedFace &face : discPageLayout({kDpi, 0, 0}, row, c.printed))
            expected << face.rect;
        QList<QRect> drawn;
        for (const PlacedFace &face : image.faces)
            drawn << face.rect;
        EXPECT_EQ(drawn, expected);
        EXPECT_EQ(image.labels.size(), c.labels);
    }
}
