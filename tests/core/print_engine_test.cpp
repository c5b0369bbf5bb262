#include "document/CoverDocument.h"
#include "document/UserSettings.h"
#include "print/LabelStock.h"
#include "print/PageComposer.h"
#include "print/PaperPrompt.h"
#include "print/PrintEngine.h"
#include "tests/support/FaceRendering.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/TestSupport.h"

#include <deque>
#include <gtest/gtest.h>

using namespace testsupport;
using Status = SheetResult::Status;
using Orientation = QPageLayout::Orientation;

namespace {

const QString kCoverName = QStringLiteral("northern-lights.zcv");
const QString kAvery8960 = QStringLiteral("Avery 8960 CD/DVD Labels (Letter)");
const QString kAvery5931 = QStringLiteral("Avery 5931 CD/DVD Labels (Letter)");
const QString kNeato = QStringLiteral("Neato CD/DVD Labels (A4)");
const QString kPCLine = QStringLiteral("PC Line CD/DVD Labels (A4)");
const QString kPressIT = QStringLiteral("PressIT CD/DVD Labels (A4)");

// Answers the insert-paper prompt from a script and keeps the messages.
class ScriptedPrompt : public PaperPrompt {
public:
    std::deque<bool> answers;
    QStringList messages;
    bool insertPaper(const QString &message) override
    {
        messages << message;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected prompt: " << message.toStdString();
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

void storeChoices(int32_t type, const QString &covers, const QString &disc, bool printCover = true,
    bool printDisc = true)
{
    clearSettings();
    UserSettings s;
    s.setPapersFor(type, covers, disc);
    s.printCover = printCover;
    s.printDisc = printDisc;
    s.save();
}

CoverDocument coverOf(int32_t type)
{
    CoverDocument doc;
    resetDocumentForType(doc, type, 96);
    return doc;
}

QString coversMessage(const QString &name)
{
    return "Please insert the '" + name + "' and press 'Print' to continue printing the cover(s).";
}
QString discMessage(const QString &name)
{
    return "Please insert the '" + name + "' and press 'Print' to continue printing the disc.";
}

} // namespace

// Outcomes and orientations as letters: P printed, S skipped, F failed;
// P portrait, L landscape.
QString statuses(const PrintReport &report)
{
    QString out;
    for (const SheetResult &s : report.sheets)
        out += s.status == Status::Printed ? 'P' : s.status == Status::Skipped ? 'S' : 'F';
    return out;
}

QString orientations(const RecordingPrinter &printer)
{
    QString out;
    for (const RecordingPrinter::Job &job : printer.jobs)
        out += job.orientation == Orientation::Landscape ? 'L' : 'P';
    return out;
}

// The paper each job asked for: - the printer dialog's, L Letter, A A4.
QString papers(const RecordingPrinter &printer)
{
    QString out;
    for (const RecordingPrinter::Job &job : printer.jobs)
        out += !job.paper                          ? '-'
            : job.paper->id() == QPageSize::Letter ? 'L'
            : job.paper->id() == QPageSize::A4     ? 'A'
                                                   : '?';
    return out;
}

TEST(PrintRun, SheetsPromptsOrientationsAndPapersByPaperAndCoverType)
{
    const QString plainCovers = coversMessage(kPlainPaper);
    struct Case {
        const char *what;
        int32_t type;
        QString disc;
        bool printCover, printDisc;
        std::deque<bool> answers;
        std::optional<Orientation> dialog; // what the user leaves in the printer dialog
        QStringList prompts;
        QString statuses, jobs, papers;
    } cases[] = {
        {"both plain: no prompt, the dialog's paper", StandardCD, kPlainPaper, true, true, {}, {},
            {}, "PP", "PP", "--"},
        {"an Avery disc: the shared layout's name, on Letter", StandardCD, kAvery8960, true, true,
            {true, true}, {}, {plainCovers, discMessage(kAvery5931)}, "PP", "PP", "-L"},
        {"skip the covers, then the disc on A4", StandardCD, kNeato, true, true, {false, true}, {},
            {plainCovers, discMessage(kNeato)}, "SP", "P", "A"},
        {"disc only", StandardCD, kPlainPaper, false, true, {}, {}, {}, "P", "P", "-"},
        {"disc only on labels: no covers prompt", SlimlineCD, kNeato, false, true, {true}, {},
            {discMessage(kNeato)}, "P", "P", "A"},
        {"DVD covers landscape", StandardDVD, kPlainPaper, true, true, {}, {}, {}, "PP", "LP",
            "--"},
        {"slimline DVD too, PressIT on A4", SlimlineDVD, kPressIT, true, true, {true, true}, {},
            {plainCovers, discMessage(kPressIT)}, "PP", "LP", "-A"},
        {"landscape chosen in the dialog", StandardDVD, kPlainPaper, true, true, {},
            Orientation::Landscape, {}, "PP", "LL", "--"},
        {"PC Line on A4 whatever the dialog", StandardCD, kPCLine, false, true, {true},
            Orientation::Landscape, {discMessage(kPCLine)}, "P", "L", "A"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        storeChoices(c.type, kPlainPaper, c.disc, c.printCover, c.printDisc);
        RecordingPrinter printer;
        printer.dialogOrientation = c.dialog;
        ScriptedPrompt prompt;
        prompt.answers = c.answers;
        const CoverDocument doc = coverOf(c.type);
        const PrintReport report
            = PrintEngine(printer, prompt, kCoverName).runPrintJob(doc, DiscLabelPosition::Top, 96);
        EXPECT_EQ(report.outcome, PrintReport::Outcome::Ran);
        EXPECT_TRUE(report.notices.isEmpty());
        EXPECT_EQ(prompt.messages, c.prompts);
        EXPECT_EQ(statuses(report), c.statuses);
        EXPECT_EQ(orientations(printer), c.jobs);
        EXPECT_EQ(papers(printer), c.papers);
        // Each job is named after the cover and its sheet.
        qsizetype job = 0;
        for (const SheetResult &sheet : report.sheets) {
            if (sheet.status == Status::Skipped)
                continue;
            ASSERT_LT(job, printer.jobs.size());
            EXPECT_EQ(printer.jobs[job].title,
                sheet.kind == SheetKind::Covers ? "northern-lights.zcv \u2013 covers"
                                                : "northern-lights.zcv \u2013 disc");
            EXPECT_TRUE(printer.jobs[job].finished && printer.jobs[job].accepted);
            EXPECT_FALSE(printer.jobs[job].aborted);
            ++job;
        }
        ASSERT_EQ(printer.dialogPresets.size(), 1);
        EXPECT_EQ(printer.dialogPresets[0].paperCode, kPaperA4);
        EXPECT_EQ(printer.dialogPresets[0].orientation, Orientation::Portrait);
        EXPECT_EQ(PrintEngine::chosenOrientation(), c.dialog.value_or(Orientation::Portrait));
    }
}

TEST(PrintRun, FacesArePlacedByTheRowAndThePrintersOffsets)
{
    struct Case {
        const char *what;
        int32_t type;
        QString disc;
        bool top;
        int dpi, physX, physY;
        SheetKind sheet;
        int face;
        QRect expected;
    } cases[] = {
        // 0.25 inch offsets at 600 dpi: 150 + trunc(600 x 4.735) = 2991.
        {"standard CD front", StandardCD, kPlainPaper, true, 600, 150, 150, SheetKind::Covers, 0,
            QRect(QPoint(150, 150), QPoint(2990, 2990))},
        {"standard CD back", StandardCD, kPlainPaper, true, 600, 150, 150, SheetKind::Covers, 1,
            QRect(150, 3138, 3555, 2775)},
        // The PC Line top label's left edge at 0.38 inch under a 0.5 inch offset.
        {"PC Line clamp", StandardCD, kPCLine, true, 600, 300, 300, SheetKind::Disc, 0,
            QRect(0, 289, 2803, 2804)},
        {"Avery bottom label", StandardCD, kAvery8960, false, 600, 0, 0, SheetKind::Disc, 0,
            QRect(1162, 3412, 2775, 2792)},
        {"the bottom position of a plain row", StandardDVD, kPlainPaper, false, 300, 0, 0,
            SheetKind::Disc, 0, QRect(581, 206, 1405, 1405)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        storeChoices(c.type, kPlainPaper, c.disc);
        RecordingPrinter printer;
        printer.dpi = c.dpi;
        printer.physX = c.physX;
        printer.physY = c.physY;
        ScriptedPrompt prompt;
        prompt.answers = {true, true};
        const CoverDocument doc = coverOf(c.type);
        const PrintReport report
            = PrintEngine(printer, prompt, kCoverName)
                  .runPrintJob(doc, c.top ? DiscLabelPosition::Top : DiscLabelPosition::Bottom, 96);
        const auto sheet = std::find_if(report.sheets.begin(), report.sheets.end(),
            [&](const SheetResult &s) { return s.kind == c.sheet; });
        ASSERT_NE(sheet, report.sheets.end());
        ASSERT_GT(sheet->faces.size(), c.face);
        EXPECT_EQ(sheet->faces[c.face].rect, c.expected);
        EXPECT_EQ(sheet->device.dpi, c.dpi);
    }
}

TEST(PrintRun, AnUnfinishedOrRefusedJobIsReportedAndTheRunGoesOn)
{
    using Submission = PrinterDevice::Submission;
    const QString both = "The cover(s) and the disc label could not be printed: the printer did "
                         "not finish their pages, and their print jobs were cancelled.";
    const Submission stopped{false, "Destination \"desk\" is not accepting jobs."};
    struct Case {
        const char *what;
        QList<bool> pageEnds;
        bool failBegin;
        QList<Submission> submissions;
        QString statuses, notice; // F unfinished, R refused by the spooler
    } cases[] = {
        {"covers unfinished", {false, true}, false, {}, "FP",
            "The cover(s) could not be printed: the printer did not finish the page, and its "
            "print job was cancelled."},
        {"disc unfinished", {true, false}, false, {}, "PF",
            "The disc label could not be printed: the printer did not finish the page, and its "
            "print job was cancelled."},
        {"both unfinished", {false, false}, false, {}, "FF", both},
        {"no job started", {}, true, {}, "FF", both},
        {"the disc refused", {}, false, {{}, stopped}, "PR",
            "The disc label could not be printed: the printer's queue did not take its print "
            "job.  The printing system said: Destination \"desk\" is not accepting jobs."},
        {"both refused alike", {}, false, {stopped, stopped}, "RR",
            "The cover(s) and the disc label could not be printed: the printer's queue did not "
            "take their print jobs.  The printing system said: Destination \"desk\" is not "
            "accepting jobs."},
        {"refused without a reason", {}, false, {{false, ""}}, "RP",
            "The cover(s) could not be printed: the printer's queue did not take its print "
            "job."},
        {"one of each", {true, false}, false, {{false, "Gone."}}, "RF",
            "The cover(s) could not be printed: the printer's queue did not take its print job.  "
            "The printing system said: Gone.\n\nThe disc label could not be printed: the "
            "printer did not finish the page, and its print job was cancelled."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        storeChoices(StandardCD, kPlainPaper, kPlainPaper);
        RecordingPrinter printer;
        printer.pageEnds = c.pageEnds;
        printer.failBegin = c.failBegin;
        printer.submissions = c.submissions;
        ScriptedPrompt prompt;
        const CoverDocument doc = coverOf(StandardCD);
        const PrintReport report
            = PrintEngine(printer, prompt, kCoverName).runPrintJob(doc, DiscLabelPosition::Top, 96);
        QString got;
        for (const SheetResult &sheet : report.sheets)
            got += sheet.status == Status::Printed ? 'P'
                : sheet.status == Status::Refused  ? 'R'
                : sheet.status == Status::Failed   ? 'F'
                                                   : 'S';
        EXPECT_EQ(got, c.statuses);
        ASSERT_EQ(printer.jobs.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const bool unfinished = c.statuses[i] == 'F';
            // An unfinished page is abandoned and never handed over.
            EXPECT_EQ(printer.jobs[i].aborted, unfinished && !c.failBegin) << i;
            EXPECT_EQ(printer.jobs[i].finished, !unfinished) << i;
            EXPECT_EQ(printer.jobs[i].accepted, c.statuses[i] == 'P') << i;
        }
        ASSERT_EQ(report.notices.size(), 1);
        EXPECT_EQ(report.notices[0], (PrintNotice{c.notice, "Print", PrintNotice::Kind::Error}));
    }
}

TEST(PrintRun, JobsAreNamedAfterTheCoverFileAndTheSheet)
{
    struct Case {
        QString coverPath;
        SheetKind kind;
        QString title;
    } cases[] = {
        {"/home/u/Covers/northern-lights.zcv", SheetKind::Covers,
            "northern-lights.zcv \u2013 covers"},
        {"/home/u/Covers/northern-lights.zcv", SheetKind::Disc, "northern-lights.zcv \u2013 disc"},
        {"relative/Winter Tour.zcv", SheetKind::Disc, "Winter Tour.zcv \u2013 disc"},
        {"", SheetKind::Covers, "Untitled cover \u2013 covers"},
        {"", SheetKind::Disc, "Untitled cover \u2013 disc"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PrintEngine::jobTitle(PrintEngine::coverName(c.coverPath), c.kind), c.title)
            << c.coverPath.toStdString();
}

TEST(PrintRun, RefusalsComeBeforeThePrinterDialog)
{
    struct Case {
        const char *what;
        int32_t type;
        QString covers, disc;
        bool printCover, printDisc;
        PrinterDevice::Availability available;
        bool acceptDialog;
        PrintReport::Outcome outcome;
        QString notice; // a part of the one notice; empty: none
        int jobs;
        int printerQueries; // the printer is only asked once the papers are known
    } cases[] = {
        {"cover type Other", Other, "", "", true, true, PrinterDevice::Availability::Default, true,
            PrintReport::Outcome::Refused, "Covers of type Other have no paper", 0, 0},
        {"unknown disc paper", StandardCD, kPlainPaper, "Neato Labels", true, true,
            PrinterDevice::Availability::Default, true, PrintReport::Outcome::Refused,
            "The paper 'Neato Labels' chosen for the disc label is not a paper", 0, 0},
        {"no covers paper chosen", StandardDVD, "", kPlainPaper, true, true,
            PrinterDevice::Availability::Default, true, PrintReport::Outcome::Refused,
            "No paper is chosen for the cover(s)", 0, 0},
        {"unknown paper of a sheet left out", StandardCD, kPlainPaper, "Neato Labels", true, false,
            PrinterDevice::Availability::Default, true, PrintReport::Outcome::Ran, "", 1, 1},
        {"no printer", StandardCD, kPlainPaper, kPlainPaper, true, true,
            PrinterDevice::Availability::NoPrinter, true, PrintReport::Outcome::Refused,
            "You do not have a default printer, or no printer is installed.  Please choose a "
            "default printer in your system's printer settings before printing.",
            0, 1},
        {"printers without a default: the dialog picks one", StandardCD, kPlainPaper, kPlainPaper,
            true, true, PrinterDevice::Availability::NoDefault, true, PrintReport::Outcome::Ran, "",
            2, 1},
        {"printer dialog cancelled", StandardCD, kPlainPaper, kAvery8960, true, true,
            PrinterDevice::Availability::Default, false, PrintReport::Outcome::Cancelled, "", 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        clearSettings();
        UserSettings s;
        s.cdFormatCover = s.dvdFormatCover = c.covers;
        s.cdFormatDisc = s.dvdFormatDisc = c.disc;
        s.printCover = c.printCover;
        s.printDisc = c.printDisc;
        s.save();
        RecordingPrinter printer;
        printer.available = c.available;
        printer.acceptDialog = c.acceptDialog;
        ScriptedPrompt prompt; // only a run that prints asks for paper
        if (c.jobs > 0 && c.disc != kPlainPaper)
            prompt.answers = {true};
        const CoverDocument doc = coverOf(c.type);
        const PrintReport report
            = PrintEngine(printer, prompt, kCoverName).runPrintJob(doc, DiscLabelPosition::Top, 96);
        EXPECT_EQ(report.outcome, c.outcome);
        EXPECT_EQ(printer.jobs.size(), c.jobs);
        if (c.notice.isEmpty()) {
            EXPECT_TRUE(report.notices.isEmpty());
        } else {
            ASSERT_EQ(report.notices.size(), 1);
            EXPECT_TRUE(report.notices[0].text.contains(c.notice))
                << report.notices[0].text.toStdString();
        }
        const bool refusedEarly = c.outcome == PrintReport::Outcome::Refused;
        EXPECT_EQ(printer.dialogPresets.isEmpty(), refusedEarly);
        EXPECT_EQ(printer.availabilityQueries, c.printerQueries);
    }
    EXPECT_EQ(PrintEngine::noPrinterNotice().caption, "Default Printer");
    EXPECT_EQ(PrintEngine::noPrinterNotice().kind, PrintNotice::Kind::Information);
}

TEST(PrintRun, PrintsWhatThePageComposerDrawsAndOnlyReadsTheCover)
{
    storeChoices(StandardCD, kPlainPaper, kPlainPaper);
    CoverDocument doc = coverOf(StandardCD);
    doc.fBGColor = 0x000000FF;
    doc.bBGColor = 0x0000FF00;
    doc.dBGColor = 0x00FF0000;
    doc.bCoverAlign = AlignRight;
    doc.dCoverAlign = AlignLeft;
    doc.fCoverTitle = "Title";
    doc.dCoverText = "Disc";
    const CoverDocument before = doc;
    RecordingPrinter printer;
    printer.keepPages = true;
    printer.physX = printer.physY = 20;
    ScriptedPrompt prompt;
    const PrintReport report
        = PrintEngine(printer, prompt, kCoverName).runPrintJob(doc, DiscLabelPosition::Top, 96);
    EXPECT_EQ(doc, before);
    ASSERT_EQ(printer.jobs.size(), 2);

    const LabelStock row = buildLabelStock(StockRow::PlainStandardCD);
    const PageDevice device{100, 20, 20};
    const QImage &covers = printer.jobs[0].page;
    const RenderedFace expectedCovers
        = renderOnCanvas(covers.size(), 100, QRect(), [&](DeviceContext &dc, const QRect &) {
              drawCoversPage(dc, device, {&doc, row, row, 96});
          });
    EXPECT_EQ(covers, expectedCovers.image);
    const QImage &disc = printer.jobs[1].page;
    const RenderedFace expectedDisc
        = renderOnCanvas(disc.size(), 100, QRect(), [&](DeviceContext &dc, const QRect &) {
              drawDiscPage(dc, device, {&doc, row, DiscLabelPosition::Top, 96});
          });
    EXPECT_EQ(disc, expectedDisc.image);
    // The faces are really there: colours inside their rectangles.
    const QRect front = report.sheets[0].faces[0].rect;
    EXPECT_TRUE(sameColor(covers.pixel(front.center()), QColor(255, 0, 0)));
}
