// Track listings of about 1 MB in every shape a cover file can hold them:
// how long splitting a listing into its three columns takes, and splitting
// and drawing it on a CD back face at 300 dpi (what an export or the window
// does with it), with the peak memory of each, measured in a process of its
// own, and the characters the columns hold (a damaged listing is cut short
// at about twice its size). Goals: 1 s and 200 MiB for every shape. Then
// the same listings in cover files, exported by `discora` itself, each run
// held to 20 s and 1 GiB of address space, so that a slow renderer shows as
// a figure here instead of stalling the machine.
#include "document/CoverFile.h"
#include "render/DeviceContext.h"
#include "render/TextDrawing.h"
#include "render/TrackColumns.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr qsizetype kTarget = 1 << 20;
constexpr int kDpi = 300;
constexpr double kGoalMs = 1000;
constexpr double kGoalMiB = 200;

QByteArray repeated(const QByteArray &unit, qsizetype size)
{
    QByteArray out;
    out.reserve(size + unit.size());
    while (out.size() + unit.size() <= size)
        out += unit;
    return out;
}

QByteArray cell(const QByteArray &value)
{
    return "[DELIM]" + value + "[/DELIM]";
}

QByteArray rows(qsizetype count)
{
    QByteArray out;
    for (qsizetype i = 1; i <= count; ++i)
        out += cell(QByteArray::number(i) + '.') + cell("Title") + cell("3:45") + "\n\r";
    return out;
}

struct Shape {
    const char *name;
    std::function<QByteArray()> make;
};

// Every listing is stored bytes as a cover file holds them.
const std::vector<Shape> &shapes()
{
    static const std::vector<Shape> all = {
        {"unclosed [DELIM] only", [] { return repeated("[DELIM]", kTarget); }},
        {"unclosed, closed at the end",
            [] { return repeated("[DELIM]", kTarget - 8) + "[/DELIM]"; }},
        {"one unclosed 1 MB cell", [] { return "[DELIM]" + repeated("Song title ", kTarget); }},
        {"unclosed, line breaks", [] { return repeated("[DELIM]a\r\n", kTarget); }},
        {"empty closed cells",
            [] { return repeated(cell("") + cell("") + cell("") + "\n\r", kTarget); }},
        {"rows of three closed cells", [] { return rows(kTarget / 60); }},
        {"300,000 closed cells (6 MB)", [] { return rows(100000); }},
        {"closed cells of line breaks",
            [] {
                return repeated(
                    cell("1\r\n2\r\n") + cell("a\n\rb") + cell("\r\r\r") + "\n\r", kTarget);
            }},
        {"closed and unclosed, line breaks",
            [] {
                return repeated(cell("1.\r\n") + "[DELIM]x\r\n" + cell("3:00") + "\n\r", kTarget);
            }},
        {"mixed encodings",
            [] {
                // "Café" in Windows-1252, "Ωmega" in UTF-8.
                return repeated(
                    cell("1.") + cell("Caf\xE9") + cell("\xCE\xA9mega") + "\n\r", kTarget);
            }},
    };
    return all;
}

double peakMiB()
{
    struct rusage usage { };
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// The CD back face's text box at 300 dpi and its 18-point font.
void drawOnBackFace(const TrackColumns &columns)
{
    QImage face(1777, 1387, QImage::Format_RGB32);
    face.setDotsPerMeterX(qRound(kDpi / 0.0254));
    face.setDotsPerMeterY(qRound(kDpi / 0.0254));
    face.fill(Qt::white);
    QPainter painter(&face);
    DeviceContext dc(painter);
    LogFont record;
    record.setFaceName("Arial");
    const QFont font = fontFromLogFont(record, -75);
    drawTrackListing(dc, font, Qt::black, columns, QRect(105, 105, 1520, 1282), 1.5);
}

// In a child: one shape, "bytes, split ms, split and draw ms, peak MiB,
// characters in the three columns".
int measureShape(int index)
{
    const QByteArray listing = shapes().at(index).make();
    QElapsedTimer timer;
    timer.start();
    qsizetype characters = 0;
    {
        const TrackColumns split = splitStoredTrackListing(listing);
        for (const QString &column : split.columns)
            characters += column.size();
    }
    const double splitMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    drawOnBackFace(splitStoredTrackListing(listing));
    const double drawMs = timer.nsecsElapsed() / 1e6;
    std::printf("%lld %.1f %.1f %.1f %lld\n", qlonglong(listing.size()), splitMs, drawMs, peakMiB(),
        qlonglong(characters));
    return 0;
}

struct ChildRun {
    bool finished = false; // false: killed at the time limit or failed
    double seconds = 0;
    double peakMiB = 0;
    std::string output;
};

// Runs argv with its output in `outPath`, held to `limitSeconds` and, when
// given, to `addressLimit` bytes of address space.
ChildRun runChild(const std::vector<std::string> &args, const QString &outPath, int limitSeconds,
    rlim_t addressLimit = 0)
{
    ChildRun run;
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid < 0)
        return run;
    if (pid == 0) {
        if (addressLimit) {
            const struct rlimit limit {
                addressLimit, addressLimit
            };
            setrlimit(RLIMIT_AS, &limit);
        }
        const int out
            = open(QFile::encodeName(outPath).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
        std::vector<char *> argv;
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execve(argv[0], argv.data(), environ);
        _exit(127);
    }
    int status = 0;
    struct rusage usage { };
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (timer.elapsed() > limitSeconds * 1000) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            run.seconds = timer.elapsed() / 1000.0;
            return run;
        }
        usleep(10000);
    }
    run.seconds = timer.elapsed() / 1000.0;
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    QFile out(outPath);
    if (out.open(QIODevice::ReadOnly))
        run.output = out.readAll().toStdString();
    return run;
}

std::string exportFigure(const ChildRun &run)
{
    char text[64];
    if (!run.finished)
        std::snprintf(text, sizeof text, "%s after %.1f s",
            run.seconds >= 20 ? "stopped" : "failed", run.seconds);
    else
        std::snprintf(text, sizeof text, "%6.0f ms %6.1f MiB", run.seconds * 1000, run.peakMiB);
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--shape") == 0) {
        QGuiApplication app(argc, argv);
        return measureShape(std::atoi(argv[2]));
    }
    QGuiApplication app(argc, argv);
    QTemporaryDir tmp;
    const std::string self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe")).toStdString();
    const QString outPath = tmp.path() + QStringLiteral("/out.txt");

    std::printf("%-34s %9s %10s %14s %10s %9s %6s\n", "listing", "bytes", "split", "split+draw",
        "peak", "columns", "goal");
    bool goalsMet = true;
    for (size_t i = 0; i < shapes().size(); ++i) {
        const ChildRun run = runChild({self, "--shape", std::to_string(i)}, outPath, 60);
        long long bytes = 0, characters = 0;
        double split = 0, splitAndDraw = 0, peak = 0;
        const bool parsed = run.finished
            && std::sscanf(run.output.c_str(), "%lld %lf %lf %lf %lld", &bytes, &split,
                   &splitAndDraw, &peak, &characters)
                == 5;
        const bool ok = parsed && splitAndDraw <= kGoalMs && peak <= kGoalMiB;
        goalsMet &= ok;
        if (parsed)
            std::printf("%-34s %9lld %7.1f ms %11.1f ms %6.1f MiB %9lld %6s\n", shapes()[i].name,
                bytes, split, splitAndDraw, peak, characters, ok ? "met" : "MISSED");
        else
            std::printf("%-34s %s\n", shapes()[i].name, exportFigure(run).c_str());
    }

    // The same listings as the back text of a standard CD and a slimline CD,
    // through the program's own exports.
    std::printf("\n`discora` on covers holding them (20 s, 1 GiB at most):\n");
    std::printf("%-34s %-20s %-20s %-20s\n", "listing", "standard CD png", "standard CD pdf",
        "slimline CD png");
    const std::string exe = DISCORA_EXECUTABLE;
    for (size_t i = 0; i < shapes().size(); ++i) {
        std::string figures[3];
        int column = 0;
        for (int32_t type : {StandardCD, SlimlineCD}) {
            CoverDocument doc;
            resetDocumentForType(doc, type, 96);
            doc.bCoverText = shapes()[i].make();
            const QString cover = tmp.path() + QStringLiteral("/cover.zcv");
            if (!writeCoverFile(doc, cover).ok) {
                std::printf("cannot write %s\n", qPrintable(cover));
                return 1;
            }
            const std::string png = (tmp.path() + QStringLiteral("/png")).toStdString();
            const std::string pdf = (tmp.path() + QStringLiteral("/out.pdf")).toStdString();
            figures[column++] = exportFigure(
                runChild({exe, "--export-png", png, "--dpi", "300", cover.toStdString()}, outPath,
                    20, rlim_t(1) << 30));
            if (type == StandardCD)
                figures[column++] = exportFigure(runChild(
                    {exe, "--export-pdf", pdf, cover.toStdString()}, outPath, 20, rlim_t(1) << 30));
        }
        std::printf("%-34s %-20s %-20s %-20s\n", shapes()[i].name, figures[0].c_str(),
            figures[1].c_str(), figures[2].c_str());
    }
    std::printf("\ngoals (split and draw) %s\n", goalsMet ? "met" : "MISSED");
    return 0;
}
