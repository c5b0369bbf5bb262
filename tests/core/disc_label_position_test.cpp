// "Both labels": a disc on each label of a label sheet, in the preview's
// sheet image and on the PDF page alike; one disc for the top or bottom.
#include "print/PrintJob.h"
#include "print/SheetImage.h"
#include "print/SheetPdf.h"
#include "tests/support/TestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr int kDpi = 40;

QImage pdfPage(const PrintSheet &sheet)
{
    const QString dir = freshDir(QStringLiteral("positions"));
    QString error;
    if (!writeSheetsPdf(dir + "/disc.pdf", "t", {sheet}, error))
        return {};
    QProcess::execute(QStringLiteral("pdftoppm"),
        {"-r", QString::number(kDpi), "-png", "-singlefile", dir + "/disc.pdf", dir + "/disc"});
    return QImage(dir + "/disc.png");
}

// Red between the label's edge and its hub.
bool discAt(const QImage &page, const QRect &label)
{
    return page.pixelColor(label.center().x(), label.top() + label.height() / 5) == Qt::red;
}

} // namespace

TEST(DiscLabelPosition, OneDiscPerChosenLabelInThePreviewAndThePdf)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.dBGColor = 0x000000FF; // red
    PrintJob job = PrintJob::forPapers(
        StandardCD, kPlainPaper, "Avery 5931 CD/DVD Labels (Letter)", Calibration{});
    job.printCover = false;
    const QList<PlacedFace> labels
        = discPageLayout({kDpi, 0, 0}, *job.discRow, DiscLabelPosition::Both);
    struct Case {
        DiscLabelPosition position;
        bool top, bottom;
    } cases[] = {{DiscLabelPosition::Top, true, false}, {DiscLabelPosition::Bottom, false, true},
        {DiscLabelPosition::Both, true, true}};
    for (const Case &c : cases) {
        const PrintSheet sheet = job.coverSheets(doc, c.position, 96).at(0);
        for (const QImage &page : {drawSheetImage(sheet, kDpi).image, pdfPage(sheet)}) {
            SCOPED_TRACE(int(c.position));
            ASSERT_EQ(page.size(), QSize(340, 440)); // the Avery sheet, Letter
            EXPECT_EQ(discAt(page, labels.at(0).rect), c.top);
            EXPECT_EQ(discAt(page, labels.at(1).rect), c.bottom);
        }
    }
}
