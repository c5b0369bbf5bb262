// The Print, Printer Adjustment and Insert Paper dialogs: what they show for
// the stored choices, their enabling rules, what they store, their keys.
#include "document/UserSettings.h"
#include "print/LabelStock.h"
#include "print/PageComposer.h"
#include "print/dialogs/CInsertPaperDlg.h"
#include "print/dialogs/CPrintPaperDlg.h"
#include "print/dialogs/CPrinterAdjustDlg.h"
#include "print/dialogs/CUpDownControl.h"
#include "print/printer/PrinterDevices.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QString kAvery = QStringLiteral("Avery 8699 CD/DVD Labels (Letter)");

void press(QWidget &w, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

void store(int32_t type, const QString &covers, const QString &disc, bool printCover = true,
    bool printDisc = true)
{
    clearSettings();
    UserSettings s;
    s.setPapersFor(type, covers, disc);
    s.printCover = printCover;
    s.printDisc = printDisc;
    s.save();
}

class PrintDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    ScriptedUiHost host{ScriptedUiHost::AnswerNoticesWithOk};
};

} // namespace

TEST_F(PrintDialogsTest, PrintDialogTextsAndListsByCoverType)
{
    struct Case {
        int32_t type;
        QString label, tick;
        int covers, discs;
    } cases[] = {
        {StandardCD, "Covers:", "Tick to print the back && front CD covers.", 1, 17},
        {StandardDVD, "Cover:", "Tick to print the DVD cover.", 1, 17},
        {SlimlineDVD, "Cover:", "Tick to print the DVD cover.", 1, 17},
        {SlimlineCD, "Cover:", "Tick to print the CD cover.", 1, 17},
        {Other, "Covers:", "Tick here to print the cover(s).", 0, 0},
    };
    for (const Case &c : cases) {
        CPrintPaperDlg dlg(c.type);
        EXPECT_EQ(dlg.coversLabel()->text(), c.label) << c.type;
        EXPECT_EQ(dlg.coversCheck()->text(), c.tick) << c.type;
        EXPECT_EQ(dlg.coversList()->count(), c.covers) << c.type;
        ASSERT_EQ(dlg.discList()->count(), c.discs) << c.type;
        for (int i = 0; i < c.discs; ++i)
            EXPECT_EQ(dlg.discList()->itemText(i), discPaperNames().at(i));
    }
}

TEST_F(PrintDialogsTest, PrintDialogOpensOnTheStoredChoicesWithTheTopLabel)
{
    struct Case {
        QString covers, disc;
        bool printCover, printDisc;
        int coversIndex, discIndex;
        bool coversEnabled, discEnabled, radiosEnabled;
    } cases[] = {
        {kPlainPaper, kPlainPaper, false, true, 0, 0, false, true, false},
        {"plain", "neato cd", true, true, 0, 14, true, true, true}, // prefix, any case
        {kPlainPaper, "No Such Labels", true, true, 0, -1, true, true, true},
        {kPlainPaper, kAvery, true, false, 0, 10, true, false, false},
    };
    for (const Case &c : cases) {
        store(StandardCD, c.covers, c.disc, c.printCover, c.printDisc);
        CPrintPaperDlg dlg(StandardCD);
        SCOPED_TRACE(c.disc.toStdString());
        EXPECT_EQ(dlg.coversList()->currentIndex(), c.coversIndex);
        EXPECT_EQ(dlg.discList()->currentIndex(), c.discIndex);
        EXPECT_EQ(dlg.coversList()->isEnabled(), c.coversEnabled);
        EXPECT_EQ(dlg.discList()->isEnabled(), c.discEnabled);
        EXPECT_EQ(dlg.topLabelButton()->isEnabled(), c.radiosEnabled);
        EXPECT_EQ(dlg.bottomLabelButton()->isEnabled(), c.radiosEnabled);
        EXPECT_TRUE(dlg.topLabelButton()->isChecked());
        EXPECT_FALSE(dlg.bottomLabelButton()->isChecked());
    }
}

TEST_F(PrintDialogsTest, PrintDialogEnablingFollowsTheTicksAndTheDiscPaper)
{
    CPrintPaperDlg dlg(StandardCD);
    EXPECT_FALSE(dlg.topLabelButton()->isEnabled()); // plain paper
    dlg.discList()->setCurrentText(kAvery);
    EXPECT_TRUE(dlg.topLabelButton()->isEnabled());
    EXPECT_TRUE(dlg.bottomLabelButton()->isEnabled());
    dlg.discCheck()->click();
    EXPECT_FALSE(dlg.discList()->isEnabled());
    EXPECT_FALSE(dlg.topLabelButton()->isEnabled());
    dlg.discCheck()->click();
    EXPECT_TRUE(dlg.bottomLabelButton()->isEnabled());
    dlg.coversCheck()->click();
    EXPECT_FALSE(dlg.coversList()->isEnabled());
}

TEST_F(PrintDialogsTest, PrintStoresTheChoicesOfTheCoverTypeOnly)
{
    store(SlimlineDVD, kPlainPaper, kPlainPaper);
    CPrintPaperDlg dlg(SlimlineDVD);
    dlg.discList()->setCurrentText(kAvery);
    dlg.bottomLabelButton()->click();
    dlg.coversCheck()->click();
    dlg.printButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.discLabelPosition(), DiscLabelPosition::Bottom);
    const UserSettings s;
    EXPECT_EQ(s.dvdSlimFormatDisc, kAvery);
    EXPECT_EQ(s.dvdSlimFormatCover, kPlainPaper);
    EXPECT_EQ(s.dvdFormatDisc, kPlainPaper);
    EXPECT_EQ(s.printCover, 0u);
    EXPECT_EQ(s.printDisc, 1u);
    // Opened again: the top label, whatever was printed last.
    CPrintPaperDlg again(SlimlineDVD);
    EXPECT_TRUE(again.topLabelButton()->isChecked());
    EXPECT_EQ(again.discList()->currentText(), kAvery);
}

TEST_F(PrintDialogsTest, PrintDialogRefusesNothingTickedAndCancelStoresNothing)
{
    store(StandardCD, kPlainPaper, kPlainPaper);
    CPrintPaperDlg dlg(StandardCD);
    dlg.coversCheck()->click();
    dlg.discCheck()->click();
    press(dlg, Qt::Key_Return); // Enter is "&Print"
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, CPrintPaperDlg::nothingTickedText());
    EXPECT_TRUE(host.messages[0].text.contains("print.  Please tick"));
    EXPECT_EQ(host.messages[0].caption, "Print");
    EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Information);
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(UserSettings().printCover, 1u);

    dlg.discCheck()->click();
    dlg.discList()->setCurrentText(kAvery);
    dlg.cancelButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(UserSettings().cdFormatDisc, kPlainPaper);
    EXPECT_EQ(UserSettings().printCover, 1u);

    press(dlg, Qt::Key_F1);
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].owner, &dlg);
    EXPECT_EQ(host.helpRequests[0].topic, "printing");
}

TEST_F(PrintDialogsTest, TheLinkOpensTheAdjustmentAndGivesTheFocusBackToPrint)
{
    CPrintPaperDlg dlg(StandardCD);
    host.dialogs.push_back([](QDialog &d) {
        EXPECT_NE(qobject_cast<CPrinterAdjustDlg *>(&d), nullptr);
        return int(QDialog::Rejected);
    });
    dlg.cancelButton()->setFocus();
    dlg.adjustButton()->click();
    EXPECT_EQ(host.dialogClasses, QStringList{"CPrinterAdjustDlg"});
    EXPECT_EQ(dlg.focusWidget(), dlg.printButton());
    EXPECT_EQ(dlg.result(), 0);
}

TEST_F(PrintDialogsTest, AdjustmentShowsTheStoredValuesAndStoresThemAsTypedOnOk)
{
    using D = CPrinterAdjustDlg::Direction;
    CPrinterAdjustDlg defaults;
    for (auto f : {CPrinterAdjustDlg::ExpandDisc, CPrinterAdjustDlg::ExpandCover,
             CPrinterAdjustDlg::MoveX, CPrinterAdjustDlg::MoveY})
        EXPECT_EQ(defaults.field(f)->text(), "0");
    EXPECT_TRUE(defaults.directionButton(D::Left)->isChecked());
    EXPECT_TRUE(defaults.directionButton(D::Up)->isChecked());
    defaults.field(CPrinterAdjustDlg::ExpandDisc)->setText("-3");
    press(defaults, Qt::Key_Escape);
    EXPECT_EQ(UserSettings().calibration.expandDiscMM, "0"); // Escape stores nothing

    UserSettings s;
    s.calibration.expandDiscMM = QStringLiteral("3mm");
    s.calibration.moveDiscLeftRight = QStringLiteral("1");
    s.calibration.moveDiscUpDown = QStringLiteral("");
    s.cdFormatDisc = kAvery;
    s.save();
    CPrinterAdjustDlg dlg;
    EXPECT_EQ(dlg.field(CPrinterAdjustDlg::ExpandDisc)->text(), "3mm");
    EXPECT_TRUE(dlg.directionButton(D::Right)->isChecked());
    EXPECT_FALSE(
        dlg.directionButton(D::Up)->isChecked() || dlg.directionButton(D::Down)->isChecked());
    dlg.field(CPrinterAdjustDlg::MoveY)->setText("four");
    press(dlg, Qt::Key_F1);
    dlg.okButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const UserSettings stored;
    EXPECT_EQ(stored.calibration.expandDiscMM, "3mm");
    EXPECT_EQ(stored.calibration.moveDiscMMY, "four");
    EXPECT_EQ(stored.calibration.moveDiscLeftRight, "1");
    EXPECT_EQ(stored.calibration.moveDiscUpDown, "1"); // neither checked: down
    EXPECT_EQ(stored.cdFormatDisc, kAvery); // the rest of the store as it was
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].topic, "calibration");
}

TEST_F(PrintDialogsTest, UpDownArrowsStepWithinTheRange)
{
    struct Case {
        QString start;
        bool up, byKey;
        int presses;
        QString shown;
    } cases[] = {
        {"0", true, false, 1, "1"},
        {"200", true, false, 1, "200"},
        {"-200", false, false, 1, "-200"},
        {"7", false, true, 3, "4"},
        {"500", true, false, 1, "200"},
        {"abc", true, true, 1, "1"},
        {"-3", true, true, 2, "-1"},
    };
    for (const Case &c : cases) {
        CPrinterAdjustDlg dlg;
        QLineEdit *field = dlg.field(CPrinterAdjustDlg::ExpandCover);
        CUpDownControl *arrows = dlg.upDown(CPrinterAdjustDlg::ExpandCover);
        EXPECT_EQ(arrows->lower(), -200);
        EXPECT_EQ(arrows->upper(), 200);
        field->setText(c.start);
        for (int i = 0; i < c.presses; ++i) {
            if (c.byKey) {
                press(*field, c.up ? Qt::Key_Up : Qt::Key_Down);
                continue;
            }
            const QPointF at(arrows->width() / 2, c.up ? 1 : arrows->height() - 2);
            QMouseEvent down(
                QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QMouseEvent up(
                QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(arrows, &down);
            QApplication::sendEvent(arrows, &up);
        }
        EXPECT_EQ(field->text(), c.shown) << c.start.toStdString();
    }
}

TEST_F(PrintDialogsTest, AdjustmentDirectionPairsHandTheirStateOn)
{
    using D = CPrinterAdjustDlg::Direction;
    struct Case {
        QList<D> clicks;
        bool left, right;
    } cases[] = {
        {{D::Right}, false, true},
        {{D::Right, D::Right}, true, false}, // the checked one hands it to its partner
        {{D::Left}, false, true},
        {{D::Left, D::Right, D::Right}, false, true},
    };
    for (const Case &c : cases) {
        CPrinterAdjustDlg dlg; // "To the left" and "Up" checked
        for (D d : c.clicks)
            dlg.directionButton(d)->click();
        EXPECT_EQ(dlg.directionButton(D::Left)->isChecked(), c.left);
        EXPECT_EQ(dlg.directionButton(D::Right)->isChecked(), c.right);
        EXPECT_TRUE(dlg.directionButton(D::Up)->isChecked());
    }
    // Neither checked: a click selects the one clicked.
    UserSettings s;
    s.calibration.moveDiscUpDown = QStringLiteral("x");
    s.save();
    CPrinterAdjustDlg dlg;
    dlg.directionButton(D::Down)->click();
    EXPECT_TRUE(dlg.directionButton(D::Down)->isChecked());
    EXPECT_FALSE(dlg.directionButton(D::Up)->isChecked());
}

TEST_F(PrintDialogsTest, TheTestPagePrintsTheFieldsWithoutStoringThem)
{
    auto printer = std::make_shared<RecordingPrinter>();
    printer->keepPages = true;
    setPrinterDeviceMaker([printer](QWidget *) { return printer; });
    CPrinterAdjustDlg dlg;
    dlg.setTestPageSheets(StandardCD, kPlainPaper, kAvery, DiscLabelPosition::Bottom);
    dlg.field(CPrinterAdjustDlg::MoveX)->setText("5");
    dlg.directionButton(CPrinterAdjustDlg::Right)->click();
    dlg.testPageButton()->click();
    setPrinterDeviceMaker({});
    ASSERT_EQ(printer->jobs.size(), 2); // plain paper: no prompt
    EXPECT_EQ(printer->jobs[0].title, "Calibration test page \u2013 covers");
    EXPECT_EQ(printer->jobs[1].title, "Calibration test page \u2013 disc");
    // Laid over the label sheet it calibrates: the disc page on Letter.
    EXPECT_FALSE(printer->jobs[0].paper.has_value());
    EXPECT_EQ(printer->jobs[1].paper, QPageSize(QPageSize::Letter));
    EXPECT_EQ(UserSettings().calibration.moveDiscMMX, "0");
    const LabelStock row
        = applyCalibration(baseLabelStock(StockRow::AveryLetter), dlg.enteredCalibration());
    const QRect disc = discPageLayout({100, 0, 0}, row, DiscLabelPosition::Bottom).at(0).rect;
    const QImage &page = printer->jobs[1].page;
    EXPECT_EQ(page.pixel(disc.left(), disc.center().y()), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(disc.left() - 1, disc.center().y()), qRgb(255, 255, 255));
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(PrintDialogsTest, InsertPaperShowsTheMessageAndPrintsOrSkips)
{
    struct Case {
        const char *what;
        std::function<void(CInsertPaperDlg &)> act;
        int result;
    } cases[] = {
        {"Print", [](CInsertPaperDlg &d) { d.printButton()->click(); }, QDialog::Accepted},
        {"Enter", [](CInsertPaperDlg &d) { press(d, Qt::Key_Return); }, QDialog::Accepted},
        {"Skip", [](CInsertPaperDlg &d) { d.skipButton()->click(); }, QDialog::Rejected},
        {"Escape", [](CInsertPaperDlg &d) { press(d, Qt::Key_Escape); }, QDialog::Rejected},
        {"close box",
            [](CInsertPaperDlg &d) {
                d.show();
                d.close();
            },
            QDialog::Rejected},
    };
    for (const Case &c : cases) {
        CInsertPaperDlg dlg;
        dlg.setMessage("Please insert the 'Plain Paper'");
        EXPECT_EQ(dlg.messageLabel()->text(), "Please insert the 'Plain Paper'");
        EXPECT_TRUE(dlg.printButton()->isDefault());
        dlg.setResult(-1);
        c.act(dlg);
        EXPECT_EQ(dlg.result(), c.result) << c.what;
    }
}

// Text that paper would cut off is asked about before anything is printed
// or saved; only the faces ticked for printing count.
TEST_F(PrintDialogsTest, CutTextIsAskedAboutBeforePrintingOrSaving)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.dCoverTitle = "Provence and the Mediterranean Coast with the Gorges du Verdon";
    const QString pdf = QDir(freshDir("cut-text")).filePath("cut.pdf");
    struct Case {
        const char *what;
        bool disc; // the cut face ticked
        bool savePdf;
        bool goOn; // the answer
        int result;
    };
    const QList<Case> cases = {
        {"print, cancelled", true, false, false, 0},
        {"print anyway", true, false, true, QDialog::Accepted},
        {"disc not ticked: not asked", false, false, false, QDialog::Accepted},
        {"save, cancelled", true, true, false, 0},
        {"save anyway", true, true, true, CPrintPaperDlg::SavedAsPdf},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        store(StandardCD, kPlainPaper, kPlainPaper, true, c.disc);
        host.messages.clear();
        host.actionTexts.clear();
        host.actionAnswers = {c.goOn};
        host.fileNames.push_back(pdf);
        CPrintPaperDlg dlg(StandardCD);
        dlg.setCover(&doc, QString(), 96);
        (c.savePdf ? dlg.savePdfButton() : dlg.printButton())->click();
        EXPECT_EQ(dlg.result(), c.result);
        const QString action = c.savePdf ? "Save Anyway" : "Print Anyway";
        EXPECT_EQ(host.actionTexts.value(0), c.disc ? action : QString());
        if (c.disc) {
            EXPECT_TRUE(host.messages[0].text.contains("Disc: The title is wider than the disc"));
        }
        EXPECT_EQ(QFileInfo::exists(pdf), c.savePdf && c.goOn);
        QFile::remove(pdf);
        host.fileNames.clear();
    }
}
