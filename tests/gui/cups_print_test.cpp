// Printing through a real spooler: a cupsd of the test's own with a cups-pdf
// queue as the default printer, the sample covers printed through the Qt
// printer with the dialogs answered by the script, and the PDFs cups-pdf
// writes checked job by job: one page each, its size, where the faces are
// and which way the page is turned.
#include "document/CoverFile.h"
#include "document/UserSettings.h"
#include "print/dialogs/CInsertPaperDlg.h"
#include "print/dialogs/CPrintPaperDlg.h"
#include "print/dialogs/PrintCommand.h"
#include "render/FacePicture.h"
#include "tests/support/PrivateCupsd.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr int kRasterDpi = 30;
constexpr int kMarginPoints = 18; // the queue's printable area: 0.25 inch in

const QString &queueName()
{
    static const QString name
        = QStringLiteral("discora-test-%1").arg(QCoreApplication::applicationPid());
    return name;
}

struct SpooledPage {
    int pages = 0;
    QString size; // "595 x 842"
    QRect ink; // at kRasterDpi, on the page as cups-pdf wrote it
    QSize raster;
};

SpooledPage inspect(const QString &pdf, const QString &scratch)
{
    SpooledPage page;
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    const QString text = QString::fromLocal8Bit(info.readAllStandardOutput());
    page.pages
        = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text).captured(1).toInt();
    page.size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+ x [\\d.]+)"))
                    .match(text)
                    .captured(1);
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(kRasterDpi), QStringLiteral("-gray"),
            QStringLiteral("-singlefile"), pdf, scratch});
    raster.waitForFinished(60000);
    const QImage image(scratch + QStringLiteral(".pgm"));
    page.raster = image.size();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 235)
                page.ink |= QRect(x, y, 1, 1);
    return page;
}

// A face's rectangle in inches at the raster's resolution.
QRect at30(double left, double top, double width, double height)
{
    return QRect(QPoint(int(left * kRasterDpi), int(top * kRasterDpi)),
        QPoint(int((left + width) * kRasterDpi) - 1, int((top + height) * kRasterDpi) - 1));
}

bool near(const QRect &a, const QRect &b, int tolerance = 2)
{
    return std::abs(a.left() - b.left()) <= tolerance && std::abs(a.top() - b.top()) <= tolerance
        && std::abs(a.right() - b.right()) <= tolerance
        && std::abs(a.bottom() - b.bottom()) <= tolerance;
}

std::string describe(const QRect &r)
{
    return QStringLiteral("(%1,%2)-(%3,%4)")
        .arg(r.left())
        .arg(r.top())
        .arg(r.right())
        .arg(r.bottom())
        .toStdString();
}

class CupsPrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        cupsd = new PrivateCupsd;
        if (!cupsd->start(startError)
            || !cupsd->addPdfQueue(queueName(), kMarginPoints, startError))
            return;
        cupsd->useFromThisProcess();
    }
    static void TearDownTestSuite()
    {
        delete cupsd;
        cupsd = nullptr;
    }
    void SetUp() override
    {
        // A machine where cupsd cannot run cannot check printing: that is a
        // failure, not a skip.
        ASSERT_TRUE(startError.isEmpty())
            << "the test's own cupsd could not be started, so printing through a spooler was "
               "not tested: "
            << startError.toStdString();
        clearSettings();
    }

    // Prints `sample` with `choose` applied in the Print dialog; the printer
    // dialog must offer the test's queue as the default. The PDFs of the
    // new jobs, in job order.
    QStringList print(
        const QString &sample, std::function<void(CPrintPaperDlg &)> choose, int prompts, int jobs)
    {
        CoverDocument doc;
        resetDocument(doc, 96);
        EXPECT_EQ(readCoverFile(doc, sample).status, CoverReadResult::Status::Ok);
        const int before = cupsd->completedJobs(queueName(), 0, 0).size();
        ScriptedUiHost host;
        host.dialogs.push_back([choose](QDialog &d) {
            auto &dlg = static_cast<CPrintPaperDlg &>(d);
            if (choose)
                choose(dlg);
            dlg.printButton()->click();
            return dlg.result();
        });
        for (int i = 0; i < prompts; ++i)
            host.dialogs.push_back([](QDialog &d) {
                EXPECT_NE(qobject_cast<CInsertPaperDlg *>(&d), nullptr);
                return int(QDialog::Accepted);
            });
        host.printerDialogs.push_back([](QPrinter &printer) {
            EXPECT_EQ(printer.printerName(), queueName());
            EXPECT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
            return true;
        });
        PrintCommand command(nullptr, doc, sample);
        EXPECT_TRUE(command.run());
        EXPECT_TRUE(host.messages.isEmpty());
        const QList<int> ids = cupsd->completedJobs(queueName(), before + jobs, 120000);
        EXPECT_EQ(ids.size(), before + jobs) << cupsd->diagnostics().toStdString();
        QStringList pdfs;
        for (int id : ids.mid(before)) {
            const QStringList outputs = cupsd->outputsOf(id);
            EXPECT_EQ(outputs.size(), 1) << "job " << id; // one file per job
            pdfs << outputs.value(0);
        }
        return pdfs;
    }

    inline static PrivateCupsd *cupsd = nullptr;
    inline static QString startError;
    PictureLibrary pictures;
};

} // namespace

TEST_F(CupsPrintTest, AStandardDvdPrintsALandscapeCoverAndAPortraitDisc)
{
    const QStringList pdfs = print(DISCORA_SAMPLES_DIR "/standard-dvd.zcv", {}, 0, 2);
    ASSERT_EQ(pdfs.size(), 2);
    const QString scratch = freshDir("raster");
    const SpooledPage covers = inspect(pdfs[0], scratch + "/covers");
    EXPECT_EQ(covers.pages, 1);
    EXPECT_EQ(covers.size, "595 x 842"); // a landscape job is turned onto a portrait page
    // The sheet at (0.1, 0.1) on landscape A4 is moved to the printable
    // area's corner, 0.25 inch in; turned either way onto the portrait page.
    const double w = 10.73, h = 7.2, left = 0.25, top = 0.25, landscapeWidth = 11.69,
                 landscapeHeight = 8.27;
    const QRect turnedLeft = at30(top, landscapeWidth - left - w, h, w);
    const QRect turnedRight = at30(landscapeHeight - top - h, left, h, w);
    EXPECT_GT(covers.ink.height(), covers.ink.width());
    EXPECT_TRUE(near(covers.ink, turnedLeft) || near(covers.ink, turnedRight)) << describe(
        covers.ink) << " not " << describe(turnedLeft) << " or " << describe(turnedRight);

    const SpooledPage disc = inspect(pdfs[1], scratch + "/disc");
    EXPECT_EQ(disc.pages, 1);
    EXPECT_EQ(disc.size, "595 x 842");
    // The plain row's top label at (0.832, 0.237), its top moved to 0.25.
    EXPECT_TRUE(near(disc.ink, at30(0.832, 0.25, 4.685, 4.685))) << describe(disc.ink);
}

TEST_F(CupsPrintTest, AStandardCdOnAnAveryBottomLabelAsksForEachSheet)
{
    const QString avery = QStringLiteral("Avery 8960 CD/DVD Labels (Letter)");
    const QStringList pdfs = print(
        DISCORA_SAMPLES_DIR "/standard-cd.zcv",
        [&](CPrintPaperDlg &d) {
            d.discList()->setCurrentText(avery);
            d.bottomLabelButton()->click();
        },
        2, 2);
    ASSERT_EQ(pdfs.size(), 2);
    const QString scratch = freshDir("raster");
    const SpooledPage covers = inspect(pdfs[0], scratch + "/covers");
    EXPECT_EQ(covers.pages, 1);
    EXPECT_EQ(covers.size, "595 x 842"); // the printer dialog's A4
    const QRect front = at30(0.5, 0.5, 4.735, 4.735);
    const QRect back = at30(0.5, 5.48, 5.925, 4.625);
    EXPECT_TRUE(near(covers.ink, front | back)) << describe(covers.ink);
    // Portrait: the front cover alone above the back inlay.
    const QImage raster(scratch + "/covers.pgm");
    QRect frontInk;
    for (int y = 0; y < int(5.35 * kRasterDpi); ++y)
        for (int x = 0; x < raster.width(); ++x)
            if (qGray(raster.pixel(x, y)) < 235)
                frontInk |= QRect(x, y, 1, 1);
    EXPECT_TRUE(near(frontInk, front)) << describe(frontInk);

    const SpooledPage disc = inspect(pdfs[1], scratch + "/disc");
    EXPECT_EQ(disc.pages, 1);
    EXPECT_TRUE(near(disc.ink, at30(1.9375, 5.6875, 4.625, 4.653))) << describe(disc.ink);
}
