// Printing through a real spooler: a cupsd of the test's own with a cups-pdf
// queue as the default printer (and one that refuses jobs), the sample
// covers printed through the Qt printer with the dialogs answered by the
// script, and the PDFs cups-pdf writes checked job by job: one page each,
// its size, where the faces are and which way the page is turned; and what
// the scheduler keeps of each job: its name and options.
#include "document/CoverFile.h"
#include "document/UserSettings.h"
#include "print/dialogs/CInsertPaperDlg.h"
#include "print/dialogs/CPrintPaperDlg.h"
#include "print/dialogs/PrintCommand.h"
#include "print/printer/PrinterDevices.h"
#include "print/printer/QtPrinterDevice.h"
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "tests/support/PrivateCupsd.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/QtUiHost.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
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

// A second queue, not the default, that refuses every job.
const QString &closedQueueName()
{
    static const QString name
        = QStringLiteral("discora-closed-%1").arg(QCoreApplication::applicationPid());
    return name;
}

// Where Qt's printer dialog keeps the CUPS options the user set.
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList cupsOptionsOf(QPrinter &printer)
{
    return printer.printEngine()->property(kCupsOptions).toStringList();
}

// The value the dialog set for option `name`; empty when it set none.
QString cupsOption(QPrinter &printer, const QString &name)
{
    const QStringList options = cupsOptionsOf(printer);
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (options.at(i) == name)
            return options.at(i + 1);
    return {};
}

// One job as the spooler has it: its id, and the PDF cups-pdf wrote.
struct SpooledJob {
    int id = 0;
    QString pdf;
};

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
        if (!cupsd->start(startError) || !cupsd->addPdfQueue(queueName(), kMarginPoints, startError)
            || !cupsd->addPdfQueue(closedQueueName(), kMarginPoints, startError, false))
            return;
        bool ok = false;
        const QString said = cupsd->run(QStringLiteral("cupsreject"), {closedQueueName()}, &ok);
        if (!ok)
            startError = QStringLiteral("cupsreject failed: ") + said;
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
        // A printer of each test's own, as a program just started has it;
        // its job files go where the test sees them.
        jobFolder = freshDir("jobs");
        device = std::make_shared<QtPrinterDevice>();
        device->setJobFolder(jobFolder);
        setPrinterDeviceMaker([this](QWidget *) { return device; });
    }
    void TearDown() override { setPrinterDeviceMaker({}); }

    // The job files left behind: none once a job is handed over or dropped.
    QStringList jobFiles() const { return QDir(jobFolder).entryList(QDir::Files | QDir::Hidden); }

    // Prints `sample` with `choose` applied in the Print dialog and
    // `inDialog` in the printer dialog, which must open on the test's queue;
    // the new jobs of that queue, in job order.
    QList<SpooledJob> print(const QString &sample, std::function<void(CPrintPaperDlg &)> choose,
        int prompts, int jobs, std::function<void(QPrinter &)> inDialog = {})
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
        host.printerDialogs.push_back([inDialog](QPrinter &printer) {
            EXPECT_EQ(printer.printerName(), queueName());
            EXPECT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
            if (inDialog)
                inDialog(printer);
            return true;
        });
        PrintCommand command(nullptr, doc, sample);
        EXPECT_TRUE(command.run());
        EXPECT_TRUE(host.messages.isEmpty());
        const QList<int> ids = cupsd->completedJobs(queueName(), before + jobs, 120000);
        EXPECT_EQ(ids.size(), before + jobs) << cupsd->diagnostics().toStdString();
        QList<SpooledJob> spooled;
        for (int id : ids.mid(before)) {
            const QStringList outputs = cupsd->outputsOf(id);
            EXPECT_EQ(outputs.size(), 1) << "job " << id; // one file per job
            spooled.append({id, outputs.value(0)});
        }
        EXPECT_EQ(jobFiles(), QStringList());
        return spooled;
    }

    // Checks that the scheduler has job `id` named `title` on `media`,
    // unscaled.
    static void expectJob(int id, const QString &title, const QString &media)
    {
        const QMap<QString, QString> job = cupsd->jobAttributes(id);
        EXPECT_EQ(job.value("job-name"), title) << "job " << id;
        EXPECT_EQ(job.value("media"), media) << "job " << id;
        EXPECT_EQ(job.value("print-scaling"), "none") << "job " << id;
        EXPECT_EQ(job.value("fit-to-page"), "false") << "job " << id;
    }

    inline static PrivateCupsd *cupsd = nullptr;
    inline static QString startError;
    PictureLibrary pictures;
    QString jobFolder;
    std::shared_ptr<QtPrinterDevice> device;
};

} // namespace

TEST_F(CupsPrintTest, AStandardDvdPrintsALandscapeCoverAndAPortraitDisc)
{
    const QList<SpooledJob> jobs = print(DISCORA_SAMPLES_DIR "/standard-dvd.zcv", {}, 0, 2);
    ASSERT_EQ(jobs.size(), 2);
    const QString scratch = freshDir("raster");
    const SpooledPage covers = inspect(jobs[0].pdf, scratch + "/covers");
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
    expectJob(jobs[0].id, QStringLiteral("standard-dvd.zcv \u2013 covers"), "A4");

    const SpooledPage disc = inspect(jobs[1].pdf, scratch + "/disc");
    EXPECT_EQ(disc.pages, 1);
    EXPECT_EQ(disc.size, "595 x 842");
    // The plain row's top label at (0.832, 0.237), its top moved to 0.25.
    EXPECT_TRUE(near(disc.ink, at30(0.832, 0.25, 4.685, 4.685))) << describe(disc.ink);
    expectJob(jobs[1].id, QStringLiteral("standard-dvd.zcv \u2013 disc"), "A4");
}

TEST_F(CupsPrintTest, AnAveryDiscIsPrintedOnLetterAndThePlainCoversOnTheDialogsPaper)
{
    const QString avery = QStringLiteral("Avery 8960 CD/DVD Labels (Letter)");
    struct Case {
        const char *what;
        std::optional<QPageSize::PageSizeId> dialogPaper; // none: the preset
        QString coversSize, coversMedia;
    } cases[] = {
        {"the preset A4", std::nullopt, "595 x 842", "A4"},
        {"Letter picked in the printer dialog", QPageSize::Letter, "612 x 792", "Letter"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QList<SpooledJob> jobs = print(
            DISCORA_SAMPLES_DIR "/standard-cd.zcv",
            [&](CPrintPaperDlg &d) {
                d.discList()->setCurrentText(avery);
                d.bottomLabelButton()->click();
            },
            2, 2,
            [&](QPrinter &printer) {
                if (c.dialogPaper)
                    printer.setPageSize(QPageSize(*c.dialogPaper));
            });
        ASSERT_EQ(jobs.size(), 2);
        const QString scratch = freshDir("raster");
        const SpooledPage covers = inspect(jobs[0].pdf, scratch + "/covers");
        EXPECT_EQ(covers.pages, 1);
        EXPECT_EQ(covers.size, c.coversSize);
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
        expectJob(jobs[0].id, QStringLiteral("standard-cd.zcv \u2013 covers"), c.coversMedia);

        // The label sheet is Letter whatever the dialog's paper, and the
        // label is where it is on that sheet.
        const SpooledPage disc = inspect(jobs[1].pdf, scratch + "/disc");
        EXPECT_EQ(disc.pages, 1);
        EXPECT_EQ(disc.size, "612 x 792");
        EXPECT_TRUE(near(disc.ink, at30(1.9375, 5.6875, 4.625, 4.653))) << describe(disc.ink);
        expectJob(jobs[1].id, QStringLiteral("standard-cd.zcv \u2013 disc"), "Letter");
        // The label sheet's paper was the job's alone: the printer keeps the
        // paper the user chose.
        ASSERT_NE(device->printer(), nullptr);
        EXPECT_EQ(
            device->printer()->pageLayout().pageSize().id(), c.dialogPaper.value_or(QPageSize::A4));
    }
}

TEST_F(CupsPrintTest, TheDialogsOptionsGoWithEveryJobAndNothingScalesThePage)
{
    // What the printer dialog leaves on the printer: copies, and CUPS
    // options the way Qt's dialog stores them, one of which would fit the
    // page to the paper.
    const QList<SpooledJob> jobs = print(
        DISCORA_SAMPLES_DIR "/standard-cd.zcv", [](CPrintPaperDlg &d) { d.coversCheck()->click(); },
        0, 1,
        [](QPrinter &printer) {
            printer.setCopyCount(2);
            printer.printEngine()->setProperty(kCupsOptions,
                QStringList{"Resolution", "600dpi", "fit-to-page", "true", "number-up", "2"});
        });
    ASSERT_EQ(jobs.size(), 1);
    const QMap<QString, QString> job = cupsd->jobAttributes(jobs[0].id);
    EXPECT_EQ(job.value("Resolution"), "600dpi");
    EXPECT_EQ(job.value("copies"), "2");
    // Two pages a sheet would shrink the page: not asked for.
    EXPECT_TRUE(job.value("number-up").isEmpty() || job.value("number-up") == "1")
        << job.value("number-up").toStdString();
    expectJob(jobs[0].id, QStringLiteral("standard-cd.zcv \u2013 disc"), "A4");
}

TEST_F(CupsPrintTest, AQueueThatRefusesJobsIsReportedAndGetsNothing)
{
    CoverDocument doc;
    resetDocument(doc, 96);
    ScriptedUiHost host;
    host.dialogs.push_back([](QDialog &d) {
        auto &dlg = static_cast<CPrintPaperDlg &>(d);
        dlg.printButton()->click();
        return dlg.result();
    });
    host.printerDialogs.push_back([](QPrinter &printer) {
        printer.setPrinterName(closedQueueName());
        return true;
    });
    host.answers.push_back(UiHost::Answer::Ok);
    PrintCommand command(nullptr, doc, QString());
    EXPECT_TRUE(command.run());
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].caption, "Print");
    EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Exclamation);
    EXPECT_TRUE(host.messages[0].text.startsWith(
        "The cover(s) and the disc label could not be printed: the printer's queue did not take "
        "their print jobs.  The printing system said: "))
        << host.messages[0].text.toStdString();
    EXPECT_TRUE(host.messages[0].text.contains("not accepting jobs"))
        << host.messages[0].text.toStdString();
    EXPECT_EQ(cupsd->allJobs(closedQueueName()), QList<int>());
    EXPECT_EQ(jobFiles(), QStringList());
}

TEST_F(CupsPrintTest, AnAbandonedJobNeverReachesTheSpooler)
{
    ScriptedUiHost host;
    host.printerDialogs.push_back([](QPrinter &) { return true; });
    ASSERT_TRUE(device->choosePrinter({}));
    const QList<int> before = cupsd->allJobs(queueName());
    struct Case {
        const char *what;
        bool endThePage;
    } cases[] = {
        {"abandoned while drawing", false},
        {"abandoned after the page ended", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DeviceContext *dc
            = device->beginJob({QStringLiteral("dropped"), QPageLayout::Portrait, {}});
        ASSERT_NE(dc, nullptr);
        dc->painter().fillRect(QRect(0, 0, 100, 100), Qt::black);
        EXPECT_EQ(jobFiles().size(), 1); // the job is a file of its own until handed over
        if (c.endThePage) {
            EXPECT_TRUE(device->endPage());
        }
        device->abortJob();
        EXPECT_EQ(jobFiles(), QStringList());
    }
    // A job still open when the printer goes is dropped too.
    {
        auto other = std::make_shared<QtPrinterDevice>();
        other->setJobFolder(jobFolder);
        host.printerDialogs.push_back([](QPrinter &) { return true; });
        ASSERT_TRUE(other->choosePrinter({}));
        ASSERT_NE(other->beginJob({QStringLiteral("dropped"), QPageLayout::Portrait, {}}), nullptr);
    }
    EXPECT_EQ(jobFiles(), QStringList());
    EXPECT_EQ(cupsd->allJobs(queueName()), before);
}

TEST_F(CupsPrintTest, ThePrinterIsKeptForTheProgramAndRememberedForTheNextStart)
{
    ScriptedUiHost host;
    // The dialog of the first print opens on the default and picks the other
    // queue, with copies and an option.
    host.printerDialogs.push_back([](QPrinter &printer) {
        EXPECT_EQ(printer.printerName(), queueName());
        printer.setPrinterName(closedQueueName());
        printer.setCopyCount(3);
        printer.printEngine()->setProperty(kCupsOptions, QStringList{"Resolution", "150dpi"});
        return true;
    });
    // The next print of the same program finds it all as it was left.
    host.printerDialogs.push_back([](QPrinter &printer) {
        EXPECT_EQ(printer.printerName(), closedQueueName());
        EXPECT_EQ(printer.copyCount(), 3);
        EXPECT_EQ(cupsOptionsOf(printer), (QStringList{"Resolution", "150dpi"}));
        return true;
    });
    ASSERT_TRUE(device->choosePrinter({}));
    EXPECT_EQ(UserSettings().printerName, closedQueueName());
    ASSERT_TRUE(device->choosePrinter({}));

    // The next start opens on the stored printer while it is there, and on
    // the default once it is gone.
    struct Case {
        const char *what;
        QString stored, opensOn;
    } cases[] = {
        {"the stored printer", closedQueueName(), closedQueueName()},
        {"a printer that has gone", "discora-removed-printer", queueName()},
        {"nothing stored", "", queueName()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        UserSettings s;
        s.printerName = c.stored;
        s.save();
        QtPrinterDevice nextStart;
        const QString expected = c.opensOn;
        host.printerDialogs.push_back([expected](QPrinter &printer) {
            EXPECT_EQ(printer.printerName(), expected);
            return false;
        });
        EXPECT_FALSE(nextStart.choosePrinter({}));
        EXPECT_EQ(UserSettings().printerName, c.stored); // a cancelled dialog stores nothing
    }

    // The program's own printer is one for all its prints, and lives until
    // the program ends (this one past the application object, as the
    // program's does).
    setPrinterDeviceMaker({});
    const std::shared_ptr<PrinterDevice> program = printerDevice(nullptr);
    EXPECT_EQ(program.get(), printerDevice(nullptr).get());
    EXPECT_NE(dynamic_cast<QtPrinterDevice *>(program.get()), nullptr);
    host.printerDialogs.push_back([](QPrinter &printer) {
        EXPECT_EQ(printer.printerName(), queueName());
        return false;
    });
    EXPECT_FALSE(program->choosePrinter({}));
}

TEST_F(CupsPrintTest, QtsPrinterDialogKeepsThePropertiesSetInItForTheNextPrint)
{
    // The real dialog, worked as a person would: Properties, the Advanced
    // tab's resolution (the queue's quality setting), OK, Print; then the
    // next print's dialog confirmed as it opens.
    QtUiHost qtHost;
    UiHost::setInstance(&qtHost);
    struct Uninstall {
        ~Uninstall() { UiHost::setInstance(nullptr); }
    } uninstall;
    QPrinter printer(QPrinterInfo::printerInfo(queueName()), QPrinter::HighResolution);
    bool chosen = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto *properties = dialog->findChild<QPushButton *>(QStringLiteral("properties"));
        ASSERT_NE(properties, nullptr);
        QTimer::singleShot(0, [&] {
            auto *sheet = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            for (QComboBox *combo : sheet->findChildren<QComboBox *>()) {
                const int dpi600 = combo->findText(QStringLiteral("600 DPI"));
                if (dpi600 >= 0) {
                    combo->setCurrentIndex(dpi600);
                    chosen = true;
                }
            }
            sheet->accept();
        });
        properties->click();
        dialog->accept();
    });
    ASSERT_TRUE(UiHost::instance().printerDialog(nullptr, printer));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(cupsOption(printer, "Resolution"), "600dpi");

    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->accept();
    });
    ASSERT_TRUE(UiHost::instance().printerDialog(nullptr, printer));
    EXPECT_EQ(cupsOption(printer, "Resolution"), "600dpi");
}
