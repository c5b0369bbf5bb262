// Start-up time: from starting the discora process to the main window's
// first complete paint, on the offscreen platform. The program is run with
// DISCORA_BENCH_EXIT_AFTER_PAINT=1, which takes it straight to the main
// window; the window prints a line at its first complete paint and quits.
#include "document/CoverFile.h"
#include "document/UserSettings.h"

#include <QDir>
#include <QElapsedTimer>
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

struct Run {
    double paintMs = -1; // process start to the paint line, measured here
    double exitMs = -1;
    QString reported; // the program's own figure
};

Run runOnce(const QString &configHome, const QStringList &arguments)
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
    process.start(QStringLiteral(DISCORA_EXECUTABLE), arguments);
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

    out << "Start-up to the main window's first complete paint (offscreen, " << kRuns
        << " runs each; goal <= " << kGoalMs << " ms)\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("case"), -42)
               .arg(QStringLiteral("median"), 8)
               .arg(QStringLiteral("min"), 8)
               .arg(QStringLiteral("max"), 8)
               .arg(QStringLiteral("exit"), 8)
               .arg(QStringLiteral("vs goal"), 8);
    bool allMet = true;
    for (const Case &c : cases) {
        storeCoverType(c.coverType);
        const QStringList args = c.withCover ? QStringList{coverPath} : QStringList{};
        runOnce(sandbox.path() + QStringLiteral("/config"), args); // warm the file cache
        std::vector<double> paint, exit;
        for (int i = 0; i < kRuns; ++i) {
            const Run r = runOnce(sandbox.path() + QStringLiteral("/config"), args);
            if (r.paintMs < 0) {
                out << c.name << ": no paint reported\n";
                return 1;
            }
            paint.push_back(r.paintMs);
            exit.push_back(r.exitMs);
        }
        const double med = median(paint);
        allMet = allMet && med <= kGoalMs;
        out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(QString::fromLatin1(c.name), -42)
                   .arg(med, 8, 'f', 1)
                   .arg(*std::min_element(paint.begin(), paint.end()), 8, 'f', 1)
                   .arg(*std::max_element(paint.begin(), paint.end()), 8, 'f', 1)
                   .arg(median(exit), 8, 'f', 1)
                   .arg(med / kGoalMs, 8, 'f', 2);
    }
    out << (allMet ? "goal met\n" : "goal NOT met\n");
    return 0;
}
