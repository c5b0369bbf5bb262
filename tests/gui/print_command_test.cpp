// The Print command without the main window, and the main window's button:
// the Print dialog, the run on the recording printer, the prompts, the
// messages after the run and Save as PDF.
#include "print/PrintJob.h"
#include "print/dialogs/CInsertPaperDlg.h"
#include "print/dialogs/CPrintPaperDlg.h"
#include "print/dialogs/PrintCommand.h"
#include "print/printer/PrinterDevices.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QString kAvery = QStringLiteral("Avery 5692 CD/DVD Labels (Letter)");

// The Print dialog as a person fills it in: `choose` on the dialog, then
// "&Print" (or the button given).
ScriptedUiHost::DialogScript printDialog(std::function<void(CPrintPaperDlg &)> choose = {},
    std::function<CFlatHoverButton *(CPrintPaperDlg &)> button = {})
{
    return [choose, button](QDialog &d) {
        auto *dlg = qobject_cast<CPrintPaperDlg *>(&d);
        EXPECT_NE(dlg, nullptr);
        if (!dlg)
            return 0;
        if (choose)
            choose(*dlg);
        (button ? button(*dlg) : dlg->printButton())->click();
        return dlg->result();
    };
}

ScriptedUiHost::DialogScript prompt(const QString &expected, bool print)
{
    return [expected, print](QDialog &d) {
        auto *dlg = qobject_cast<CInsertPaperDlg *>(&d);
        EXPECT_NE(dlg, nullptr);
        if (dlg) {
            EXPECT_EQ(dlg->message(), expected);
        }
        return int(print ? QDialog::Accepted : QDialog::Rejected);
    };
}

class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearSettings();
        resetDocumentForType(doc, StandardCD, 96);
        printer = std::make_shared<RecordingPrinter>();
        setPrinterDeviceMaker([this](QWidget *) {
            ++printersMade;
            return printer;
        });
    }
    void TearDown() override { setPrinterDeviceMaker({}); }

    CoverDocument doc;
    std::shared_ptr<RecordingPrinter> printer;
    int printersMade = 0;
    ScriptedUiHost host;
};

} // namespace

TEST_F(PrintCommandTest, PrintsTheChoicesWithAPromptBeforeEachSheet)
{
    host.dialogs.push_back(printDialog([](CPrintPaperDlg &d) {
        d.discList()->setCurrentText(kAvery);
        d.bottomLabelButton()->click();
    }));
    host.dialogs.push_back(prompt("Please insert the 'Plain Paper' and press 'Print' to continue "
                                  "printing the cover(s).",
        false));
    host.dialogs.push_back(prompt("Please insert the 'Avery 5931 CD/DVD Labels (Letter)' and press "
                                  "'Print' to continue printing the disc.",
        true));
    const CoverDocument before = doc;
    PrintCommand command(nullptr, doc, QString());
    EXPECT_TRUE(command.run());
    EXPECT_EQ(command.discLabelPosition(), DiscLabelPosition::Bottom);
    ASSERT_EQ(printer->jobs.size(), 1); // the covers were skipped
    ASSERT_TRUE(command.report().has_value());
    const SheetResult &disc = command.report()->sheets.at(1);
    EXPECT_EQ(disc.faces.at(0).rect.top(), int(5.6875 * 100));
    EXPECT_EQ(printer->jobs[0].title, "Untitled cover \u2013 disc");
    EXPECT_EQ(printer->jobs[0].paper, QPageSize(QPageSize::Letter)); // the Avery sheet's
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(doc, before);
}

TEST_F(PrintCommandTest, CancelPrintsNothing)
{
    host.dialogs.push_back(printDialog({}, [](CPrintPaperDlg &d) { return d.cancelButton(); }));
    PrintCommand command(nullptr, doc, QString());
    EXPECT_FALSE(command.run());
    EXPECT_EQ(printersMade, 0);
    EXPECT_FALSE(command.report().has_value());
}

TEST_F(PrintCommandTest, TheRunsMessagesFollowIt)
{
    struct Case {
        PrinterDevice::Availability available;
        QList<bool> pageEnds;
        QString caption;
        UiHost::Icon icon;
        QString start;
    } cases[] = {
        {PrinterDevice::Availability::NoPrinter, {}, "Default Printer", UiHost::Icon::Information,
            "You do not have a default printer"},
        {PrinterDevice::Availability::Default, {true, false}, "Print", UiHost::Icon::Exclamation,
            "The disc label could not be printed"},
    };
    for (const Case &c : cases) {
        printer = std::make_shared<RecordingPrinter>();
        printer->available = c.available;
        printer->pageEnds = c.pageEnds;
        host.messages.clear();
        host.dialogs.push_back(printDialog());
        host.answers.push_back(UiHost::Answer::Ok);
        PrintCommand(nullptr, doc, QString()).run();
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].caption, c.caption);
        EXPECT_EQ(host.messages[0].icon, c.icon);
        EXPECT_TRUE(host.messages[0].text.startsWith(c.start));
    }
}

TEST_F(PrintCommandTest, SaveAsPdfWritesThePagesPrintingWouldProduceWithoutAPrinter)
{
    const QString folder = freshDir("pdf");
    const QString coverPath = folder + "/Winter Tour.zcv";
    struct Case {
        const char *what;
        QString cover, answer;
        bool disc;
        int pages;
        bool written;
        bool open; // "Open" in the notice that follows
    } cases[] = {
        {"both sheets", coverPath, folder + "/both.pdf", true, 2, true, true},
        {"covers only", QString(), folder + "/covers.pdf", false, 1, true, false},
        {"into a missing folder", coverPath, folder + "/missing/x.pdf", true, 0, false, false},
        {"cancelled", coverPath, QString(), true, 0, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        host.fileRequests.clear();
        host.messages.clear();
        host.actionTexts.clear();
        host.openedUrls.clear();
        host.fileNames.push_back(c.answer);
        if (c.written)
            host.actionAnswers.push_back(c.open);
        if (!c.written && !c.answer.isEmpty())
            host.answers.push_back(UiHost::Answer::Ok);
        CPrintPaperDlg dlg(StandardCD);
        dlg.setCover(&doc, c.cover, 96);
        if (!c.disc)
            dlg.discCheck()->click();
        dlg.savePdfButton()->click();
        ASSERT_EQ(host.fileRequests.size(), 1);
        const QString proposed = c.cover.isEmpty()
            ? QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                  .filePath("cover.pdf")
            : folder + "/Winter Tour.pdf";
        EXPECT_TRUE(host.fileRequests[0].save);
        EXPECT_TRUE(host.fileRequests[0].startPath == proposed
            || (c.cover.isEmpty() && host.fileRequests[0].startPath.endsWith("/cover.pdf")));
        EXPECT_EQ(UserSettings().printDisc, c.disc ? 1u : 0u); // stored as "&Print" does
        EXPECT_EQ(dlg.result(), c.written ? CPrintPaperDlg::SavedAsPdf : 0);
        const QByteArray pdf = readFile(c.answer);
        EXPECT_EQ(pdf.startsWith("%PDF"), c.written);
        EXPECT_EQ(pdf.count("/Type /Page\n"), c.pages);
        // A failure says why; a written file says where it is, offering to open it.
        EXPECT_EQ(host.messages.size(), c.answer.isEmpty() ? 0 : 1);
        if (!host.messages.isEmpty()) {
            EXPECT_EQ(host.messages[0].caption, "Save as PDF");
        }
        EXPECT_EQ(host.actionTexts, c.written ? QStringList{"&Open"} : QStringList{});
        if (c.written) {
            EXPECT_EQ(host.messages[0].text, CPrintPaperDlg::pdfSavedText(c.answer));
        }
        EXPECT_EQ(
            host.openedUrls, c.open ? QList<QUrl>{QUrl::fromLocalFile(c.answer)} : QList<QUrl>{});
        UserSettings s;
        s.printDisc = 1;
        s.save();
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
        (QStringList{"both.pdf", "covers.pdf"})); // no temporary file left
    EXPECT_EQ(printersMade, 0);
}

TEST_F(PrintCommandTest, TheMainWindowsPrintButtonRunsTheCommand)
{
    auto window = newMainWindow(StandardCD);
    host.dialogs.push_back(printDialog([](CPrintPaperDlg &d) {
        d.discList()->setCurrentText(kAvery);
        d.bottomLabelButton()->click();
    }));
    host.dialogs.push_back(prompt(PrintJob::fromSettings(StandardCD).coversPrompt(), true));
    host.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
    clickControl(*window, MainDlgId::Print);
    EXPECT_EQ(
        host.dialogClasses, (QStringList{"CPrintPaperDlg", "CInsertPaperDlg", "CInsertPaperDlg"}));
    EXPECT_EQ(window->discLabelPosition, DiscLabelPosition::Bottom);
    EXPECT_EQ(printer->jobs.size(), 2);
    EXPECT_FALSE(window->isModified());
}
