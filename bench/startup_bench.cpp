// Start-up time: from starting the discora process to the main window's
// first complete paint, on the offscreen platform. The program is run with
// DISCORA_BENCH_EXIT_AFTER_PAINT=1, which takes it straight to the main
// window; the window prints a line at its first complete paint and quits.
//
// Each case runs two copies of the program side by side, in turns: one with
// the templates it ships, one whose templates folder is empty. What the
// templates cost a start is their difference; the goal is that they cost
// next to nothing, since most covers are made without the templates window.
#include "document/CoverFile.h"
#include "document/UserSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

constexpr int kRuns = 15;
constexpr double kGoalMs = 300;
// Shipped templates against an empty templates folder.
constexpr double kTemplatesGoalRatio = 1.15;

struct Run {
    double paintMs = -1; // process start to the paint line, measured here
    double exitMs = -1;
    QString reported; // the program's own figure
};

Run runOnce(const QString &program, const QString &configHome, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("DISCORA_BENCH_EXIT_AFTER_PAINT"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);

    Run run;
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    QByteArray out;
    while (run.paintMs < 0 && process.waitForReadyRead(10000)) {
        out += process.readAllStandardOutput();
        if (out.contains("first complete paint")) {
            run.paintMs = clock.nsecsElapsed() / 1e6;
            const int at = out.indexOf(": ") + 2;
            run.reported = QString::fromLatin1(out.mid(at, out.indexOf(' ', at) - at));
        }
    }
    if (!process.waitForFinished(10000))
        process.kill();
    run.exitMs = clock.nsecsElapsed() / 1e6;
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

void storeCoverType(int type)
{
    UserSettings settings;
    settings.Option = uint32_t(type);
    settings.save();
}

// A copy of the program in `root`/bin with a data folder of its own beside
// it, where the program looks for it: every entry of the built program's data
// folder linked in, except the templates folder, which is linked in too when
// `withTemplates` and is an empty folder otherwise. Returns the program's
// path; empty when it cannot be made.
QString programCopy(const QString &root, bool withTemplates)
{
    const QString built = QStringLiteral(DISCORA_EXECUTABLE);
    const QString builtData = QDir::cleanPath(
        QFileInfo(built).absolutePath() + QLatin1Char('/') + QStringLiteral(DISCORA_DATA_RELATIVE));
    const QString bin = root + QStringLiteral("/bin");
    const QString data
        = QDir::cleanPath(bin + QLatin1Char('/') + QStringLiteral(DISCORA_DATA_RELATIVE));
    const QString program = bin + QStringLiteral("/discora");
    if (!QDir().mkpath(bin) || !QDir().mkpath(data) || !QFile::copy(built, program))
        return {};
    const QString templates = QStringLiteral("CLIPART");
    for (const QFileInfo &entry :
        QDir(builtData).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = data + QLatin1Char('/') + entry.fileName();
        if (entry.fileName() == templates && !withTemplates) {
            if (!QDir().mkpath(target))
                return {};
            continue;
        }
        if (!QFile::link(entry.absoluteFilePath(), target))
            return {};
    }
    return program;
}

int templateCount(const QString &program)
{
    const QString folder = QDir::cleanPath(QFileInfo(program).absolutePath() + QLatin1Char('/')
        + QStringLiteral(DISCORA_DATA_RELATIVE) + QStringLiteral("/CLIPART"));
    return int(QDir(folder).entryList({QStringLiteral("*[[]BACK]*")}, QDir::Files).size());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir sandbox;
    qputenv("XDG_CONFIG_HOME", (sandbox.path() + QStringLiteral("/config")).toLocal8Bit());
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);

    // A cover with a large picture on each face, as a finished cover has.
    QImage picture(2400, 1600, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.fillRect(picture.rect(), QColor(40, 90, 160));
    painter.setBrush(QColor(240, 200, 60));
    painter.drawEllipse(picture.rect().adjusted(300, 200, -300, -200));
    painter.end();
    const QString picturePath = sandbox.path() + QStringLiteral("/picture.jpg");
    picture.save(picturePath, "JPG", 90);
    CoverDocument doc;
    resetDocumentForType(doc, StandardDVD);
    doc.sImagePath = doc.bImagePath = doc.fImagePath = doc.dImagePath
        = QFile::encodeName(picturePath);
    doc.bCoverTitle = "Benchmark";
    const QString coverPath = sandbox.path() + QStringLiteral("/bench.zcv");
    if (!writeCoverFile(doc, coverPath).ok) {
        out << "cannot write the benchmark cover\n";
        return 1;
    }

    struct Case {
        const char *name;
        int coverType;
        bool withCover;
    };
    const Case cases[] = {
        {"new standard CD", StandardCD, false},
        {"new standard DVD", StandardDVD, false},
        {"new slimline CD", SlimlineCD, false},
        {"new slimline DVD", SlimlineDVD, false},
        {"DVD cover file with a 2400x1600 picture", StandardDVD, true},
    };

    const QString shipped = programCopy(sandbox.path() + QStringLiteral("/shipped"), true);
    const QString empty = programCopy(sandbox.path() + QStringLiteral("/empty"), false);
    if (shipped.isEmpty() || empty.isEmpty()) {
        out << "cannot make the copies of the program\n";
        return 1;
    }

    out << "Start-up to the main window's first complete paint (offscreen, " << kRuns
        << " runs each, medians in ms; goal <= " << kGoalMs << " ms, and the shipped "
        << templateCount(shipped) << " templates <= " << kTemplatesGoalRatio
        << " x an empty templates folder)\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
               .arg(QStringLiteral("case"), -42)
               .arg(QStringLiteral("shipped"), 8)
               .arg(QStringLiteral("min"), 8)
               .arg(QStringLiteral("max"), 8)
               .arg(QStringLiteral("empty"), 8)
               .arg(QStringLiteral("ratio"), 8)
               .arg(QStringLiteral("exit"), 8);
    bool allMet = true;
    const QString config = sandbox.path() + QStringLiteral("/config");
    for (const Case &c : cases) {
        storeCoverType(c.coverType);
        const QStringList args = c.withCover ? QStringList{coverPath} : QStringList{};
        // Warm the file cache for both.
        runOnce(shipped, config, args);
        runOnce(empty, config, args);
        std::vector<double> withTemplates, without, exit;
        for (int i = 0; i < kRuns; ++i) {
            // In turns, so that whatever else the machine does falls on both.
            const Run a = runOnce(shipped, config, args);
            const Run b = runOnce(empty, config, args);
            if (a.paintMs < 0 || b.paintMs < 0) {
                out << c.name << ": no paint reported\n";
                return 1;
            }
            withTemplates.push_back(a.paintMs);
            without.push_back(b.paintMs);
            exit.push_back(a.exitMs);
        }
        const double med = median(withTemplates);
        const double base = median(without);
        const double ratio = med / base;
        allMet = allMet && med <= kGoalMs && ratio <= kTemplatesGoalRatio;
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                   .arg(QString::fromLatin1(c.name), -42)
                   .arg(med, 8, 'f', 1)
                   .arg(*std::min_element(withTemplates.begin(), withTemplates.end()), 8, 'f', 1)
                   .arg(*std::max_element(withTemplates.begin(), withTemplates.end()), 8, 'f', 1)
                   .arg(base, 8, 'f', 1)
                   .arg(ratio, 8, 'f', 2)
                   .arg(median(exit), 8, 'f', 1);
    }
    out << (allMet ? "goals met\n" : "goals NOT met\n");
    return 0;
}
