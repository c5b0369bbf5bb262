// Printing against the export: a standard CD with a 12 MP picture on each
// face (front, back, disc), printed from the press of "&Print" in the Print
// dialog until both jobs are handed to the spooler, and the same cover
// through `--export-pdf` (in process). The spooler is a cupsd of this
// program's own with a cups-pdf queue; the same run also goes into a
// PDF-backed QPrinter through the printer interface, which needs no spooler.
//
// Goal: printing within 1.5 x the export.

#include "document/CoverDocument.h"
#include "document/CoverFile.h"
#include "print/FileExport.h"
#include "print/dialogs/CInsertPaperDlg.h"
#include "print/dialogs/CPrintPaperDlg.h"
#include "print/dialogs/PrintCommand.h"
#include "print/printer/PrinterDevices.h"
#include "print/printer/QtPrinterDevice.h"
#include "render/FacePicture.h"
#include "tests/support/PrivateCupsd.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/UiHost.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Answers every window as a person who wants the print: "&Print" in the
// Print dialog (starting the clock), the printer dialog as it opens.
class BenchHost : public UiHost {
public:
    QElapsedTimer pressed;
    int messages = 0;

    Answer message(QWidget *, const QString &text, const QString &, Buttons, Icon) override
    {
        ++messages;
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    bool noticeWithAction(QWidget *, const QString &, const QString &, const QString &) override
    {
        return false;
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString exportFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString existingFolder(QWidget *, const QString &, const QString &) override { return {}; }
    bool confirmAction(QWidget *, const QString &, const QString &, const QString &) override
    {
        return true;
    }
    bool textInput(QWidget *, const QString &, const QString &, QString &) override
    {
        return false;
    }
    bool chooseColor(QWidget *, QColor &) override { return false; }
    bool chooseFont(QWidget *, FontChoice &) override { return false; }
    bool printerDialog(QWidget *, QPrinter &) override { return true; }
    void showHelp(QWidget *, const QString &) override { }
    bool openUrl(const QUrl &) override { return false; }
    int execDialog(QDialog &dialog) override
    {
        if (auto *print = qobject_cast<CPrintPaperDlg *>(&dialog)) {
            pressed.start();
            print->printButton()->click();
            return print->result();
        }
        return QDialog::Accepted; // the insert-paper prompt
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString makeJpeg(const QString &path, int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 4000, 3000);
    g.setColorAt(0, QColor(20 + seed * 60, 40, 120));
    g.setColorAt(1, QColor(240, 160, 60 + seed * 50));
    p.fillRect(image.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 60; ++i) {
        QRadialGradient r(QPointF((i * 613 + seed * 101) % 4000, (i * 397) % 3000), 300);
        r.setColorAt(0, QColor(255, 255, 255, 120));
        r.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(image.rect(), r);
    }
    p.end();
    image.save(path, "JPEG", 90);
    return path;
}

constexpr int kRuns = 3;

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir tmp;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(tmp.filePath("config")));
    // The spooler first: CUPS clients read their settings once.
    testsupport::PrivateCupsd cupsd;
    QString cupsError;
    const QString queue = QStringLiteral("discora-bench");
    const bool spooler = cupsd.start(cupsError) && cupsd.addPdfQueue(queue, 18, cupsError);
    if (spooler)
        cupsd.useFromThisProcess();

    QApplication app(argc, argv);
    PictureLibrary pictures;
    BenchHost host;
    UiHost::setInstance(&host);

    CoverDocument made;
    resetDocumentForType(made, StandardCD, 96);
    made.fImagePath = QFile::encodeName(makeJpeg(tmp.filePath("front.jpg"), 0));
    made.bImagePath = QFile::encodeName(makeJpeg(tmp.filePath("back.jpg"), 1));
    made.dImagePath = QFile::encodeName(makeJpeg(tmp.filePath("disc.jpg"), 2));
    made.fCoverTitle = made.dCoverTitle = "Benchmark Title";
    const QString coverPath = tmp.filePath("bench.zcv");
    writeCoverFile(made, coverPath);
    CoverDocument doc;
    resetDocument(doc, 96);
    readCoverFile(doc, coverPath);
    std::printf("standard CD, a 4000 x 3000 JPEG on the front, the back and the disc "
                "(cover file %lld bytes), median of %d runs\n\n",
        QFileInfo(coverPath).size(), kRuns);

    // --export-pdf, in process: reading the cover included, as the command does.
    std::vector<double> exportTimes;
    const QString exported = tmp.filePath("export.pdf");
    for (int i = 0; i <= kRuns; ++i) {
        QString sink;
        QTextStream err(&sink);
        QElapsedTimer t;
        t.start();
        exportCoverPdf(coverPath, exported, {}, err);
        if (i > 0) // the first run warms fonts and caches
            exportTimes.push_back(t.nsecsElapsed() / 1e6);
    }
    const double exportMs = median(exportTimes);
    std::printf("--export-pdf                          %8.1f ms   %9lld bytes\n", exportMs,
        QFileInfo(exported).size());

    // One print run from the press of "&Print" until run() returns, which is
    // when the last job's painter has ended: the job is with the spooler.
    const auto printOnce = [&] {
        PrintCommand command(nullptr, doc, coverPath);
        command.run();
        return host.pressed.nsecsElapsed() / 1e6;
    };

    bool goalsMet = true;
    if (spooler) {
        std::vector<double> times;
        QList<int> jobs;
        for (int i = 0; i <= kRuns; ++i) {
            const int before = cupsd.completedJobs(queue, 0, 0).size();
            const double ms = printOnce();
            jobs = cupsd.completedJobs(queue, before + 2, 300000).mid(before);
            if (i > 0)
                times.push_back(ms);
        }
        const double ms = median(times);
        const double ratio = ms / exportMs;
        goalsMet &= ratio <= 1.5;
        std::printf("print to the cups-pdf queue           %8.1f ms   %.2f x the export (goal "
                    "1.5: %s)\n",
            ms, ratio, ratio <= 1.5 ? "met" : "MISSED");
        for (int id : jobs) {
            const QStringList out = cupsd.outputsOf(id);
            std::printf("  job %d: spooled %lld bytes, cups-pdf wrote %lld bytes\n", id,
                QFileInfo(cupsd.spooledFileOf(id)).size(),
                out.isEmpty() ? -1LL : QFileInfo(out.first()).size());
        }
    } else {
        std::printf("print to the cups-pdf queue           not measured: %s\n",
            qPrintable(cupsError.section(QLatin1Char('\n'), 0, 0)));
    }

    // The same through the printer interface into a PDF-backed QPrinter.
    const QString folder = tmp.filePath("printer-pdf");
    QDir().mkpath(folder);
    setPrinterDeviceMaker([&](QWidget *parent) {
        auto printer = std::make_shared<QtPrinterDevice>(parent);
        printer->setPdfOutputFolder(folder);
        return printer;
    });
    std::vector<double> times;
    for (int i = 0; i <= kRuns; ++i) {
        const double ms = printOnce();
        if (i > 0)
            times.push_back(ms);
    }
    setPrinterDeviceMaker({});
    const double pdfMs = median(times);
    const double pdfRatio = pdfMs / exportMs;
    if (!spooler)
        goalsMet &= pdfRatio <= 1.5;
    std::printf("print to a PDF-backed QPrinter        %8.1f ms   %.2f x the export (goal 1.5: "
                "%s)\n",
        pdfMs, pdfRatio, pdfRatio <= 1.5 ? "met" : "MISSED");
    for (const QString &name : QDir(folder).entryList({"job-*.pdf"}, QDir::Files))
        std::printf(
            "  %s: %lld bytes\n", qPrintable(name), QFileInfo(QDir(folder).filePath(name)).size());

    UiHost::setInstance(nullptr);
    std::printf("\ngoals %s%s\n", goalsMet ? "met" : "MISSED",
        host.messages ? " (the runs showed messages)" : "");
    return 0;
}
