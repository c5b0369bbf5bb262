// Face rendering figures: every face at preview size and at 600 dpi, with a
// 4000 x 3000 JPEG and without a picture; FreeImage's decode of that JPEG
// alone; the peak memory of 600-dpi exports; a standard CD set to PDF.
//
// Goals: with the picture, stretched or filling the face, a preview render
// within 0.25 x the decode alone (the picture decoded reduced, then drawn
// smooth);
// without a picture, 2 ms a face at preview size; the standard CD PDF set at
// 600 dpi without pictures within 0.3 s.

#include "document/CoverDocument.h"
#include "document/CoverFile.h"
#include "print/CoverFaces.h"
#include "print/DrawFace.h"
#include "print/FaceTextCheck.h"
#include "print/FileExport.h"
#include "print/LabelStock.h"
#include "render/DeviceContext.h"
#include "render/FacePicture.h"

#include <FreeImage.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    work(); // warm caches (fonts, glyphs)
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QString makeJpeg(const QString &dir)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 4000, 3000);
    g.setColorAt(0, QColor(20, 40, 120));
    g.setColorAt(1, QColor(240, 160, 60));
    p.fillRect(image.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 60; ++i) {
        QRadialGradient r(QPointF((i * 613) % 4000, (i * 397) % 3000), 300);
        r.setColorAt(0, QColor(255, 255, 255, 120));
        r.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(image.rect(), r);
    }
    p.end();
    const QString path = dir + "/big.jpg";
    image.save(path, "JPEG", 90);
    return path;
}

CoverDocument documentFor(int32_t type, const QByteArray &picture, int32_t fit = FitStretch)
{
    CoverDocument d;
    resetDocumentForType(d, type, 96);
    for (PicturePlacement *p :
        {&d.fImagePlacement, &d.bImagePlacement, &d.sImagePlacement, &d.dImagePlacement})
        p->fit = fit;
    d.fImagePath = d.bImagePath = d.sImagePath = d.dImagePath = picture;
    d.CoverOption = StretchedImage;
    d.fCoverTitle = d.bCoverTitle = d.dCoverTitle = "Benchmark Title";
    d.fCoverText = d.dCoverText = "Some text\r\nover two lines";
    QByteArray tracks;
    for (int i = 1; i <= 14; ++i)
        tracks += "[DELIM]" + QByteArray::number(i) + "[/DELIM][DELIM]Track title number "
            + QByteArray::number(i) + "[/DELIM][DELIM]3:2" + QByteArray::number(i % 10)
            + "[/DELIM]\n\r";
    d.bCoverText = tracks;
    d.frontCoverSpineText = d.backCoverSpineText = "SPINE TEXT OF THE BENCHMARK";
    return d;
}

struct BenchFace {
    const char *name;
    int32_t coverType;
    CoverFace face;
};

// The preview control's pixels of each kind of face (dialog units x 1.5 / 1.625).
QSize previewSize(FaceKind kind)
{
    switch (kind) {
    case FaceKind::CdFront: return {360, 347};
    case FaceKind::CdBack: return {420, 339};
    case FaceKind::DvdSheet: return {427, 292};
    case FaceKind::SlimlineSheet: return {418, 321};
    case FaceKind::Disc: break;
    }
    return {360, 347};
}

const char *faceName(FaceKind kind)
{
    switch (kind) {
    case FaceKind::CdFront: return "CD front";
    case FaceKind::CdBack: return "CD back";
    case FaceKind::DvdSheet: return "DVD sheet";
    case FaceKind::SlimlineSheet: return "slimline CD sheet";
    case FaceKind::Disc: break;
    }
    return "disc";
}

// Every kind of face once: the faces of each cover type, the disc of the first.
std::vector<BenchFace> faces()
{
    std::vector<BenchFace> list;
    for (int32_t type : {StandardCD, StandardDVD, SlimlineCD}) {
        const CoverFaces faces = *CoverFaces::onPlainPaper(type);
        for (const CoverFace &face : faces.all())
            if (face.kind != FaceKind::Disc || type == StandardCD)
                list.push_back({faceName(face.kind), type, face});
    }
    return list;
}

double timeFace(
    const BenchFace &bench, int dpi, const QByteArray &picture, int runs, int32_t fit = FitStretch)
{
    const CoverFaces faces = *CoverFaces::onPlainPaper(bench.coverType);
    const QSize nominal = bench.face.nominalPixels(dpi);
    const QSize target = dpi == 96 ? previewSize(bench.face.kind) : nominal;
    const DrawTarget drawTarget = dpi == 96
        ? DrawTarget::screen(96, double(target.width()) / nominal.width(),
            double(target.height()) / nominal.height())
        : DrawTarget::paper(96);
    QImage image(target, QImage::Format_RGB32);
    const int dpm = int(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    CoverDocument doc = documentFor(bench.coverType, picture, fit);
    return medianMs(runs, [&] {
        image.fill(Qt::white);
        QPainter p(&image);
        DeviceContext dc(p, dpi, dpi);
        drawFace(dc, doc, faces, bench.face, QRect(QPoint(0, 0), target), dpi, drawTarget);
    });
}

// Measuring a face's texts as paper lays them out, as the preview does
// after each change.
double timeTextCheck(const BenchFace &bench)
{
    const CoverFaces faces = *CoverFaces::onPlainPaper(bench.coverType);
    const CoverDocument doc = documentFor(bench.coverType, QByteArray());
    return medianMs(51, [&] { checkFaceText(doc, faces, bench.face, 96); });
}

// The CD back's preview with 99 track rows, which do not fit at their size.
double timeListing(const BenchFace &bench, bool shrink)
{
    const CoverFaces faces = *CoverFaces::onPlainPaper(bench.coverType);
    CoverDocument doc = documentFor(bench.coverType, QByteArray());
    QByteArray tracks;
    for (int i = 1; i <= 99; ++i)
        tracks += "[DELIM]" + QByteArray::number(i) + "[/DELIM][DELIM]Track title number "
            + QByteArray::number(i) + "[/DELIM][DELIM]3:2" + QByteArray::number(i % 10)
            + "[/DELIM]\n\r";
    doc.bCoverText = tracks;
    doc.bShrinkText = shrink;
    const QSize nominal = bench.face.nominalPixels(96);
    const QSize target = previewSize(bench.face.kind);
    const DrawTarget screen = DrawTarget::screen(
        96, double(target.width()) / nominal.width(), double(target.height()) / nominal.height());
    QImage image(target, QImage::Format_RGB32);
    return medianMs(21, [&] {
        QPainter p(&image);
        DeviceContext dc(p, 96, 96);
        drawFace(dc, doc, faces, bench.face, QRect(QPoint(0, 0), target), 96, screen);
    });
}

// Peak resident memory of one run of the program, in MiB.
double childPeakMiB(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return -1;
    int status = 0;
    struct rusage usage { };
    if (wait4(pid, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss / 1024.0;
}

} // namespace

// A cover with the 4000 x 3000 picture on every face, made in a process of
// its own so that the measuring process stays small.
int makeHeavyCover(const QString &dir)
{
    const QByteArray jpeg = QFile::encodeName(makeJpeg(dir));
    return writeCoverFile(documentFor(StandardCD, jpeg), dir + "/heavy.zcv").ok ? 0 : 1;
}

// The peak memory of the exports. A child's maxrss starts from its
// parent's at the time of the spawn, so this runs before anything big is
// allocated here, and the figure of `--version` is the floor.
std::string measureExports(const QString &dir)
{
    const std::string self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe")).toStdString();
    childPeakMiB({self, "--make-heavy-cover", dir.toStdString()});
    const std::string exe = DISCORA_EXECUTABLE;
    std::string report;
    char line[256];
    std::snprintf(line, sizeof line, "  %-16s %7.1f MiB\n", "--version (floor)",
        childPeakMiB({exe, "--version"}));
    report += line;
    struct Cover {
        const char *name;
        std::string path;
    };
    const std::string samples = DISCORA_SAMPLES_DIR;
    const Cover covers[] = {{"standard-cd", samples + "/standard-cd.zcv"},
        {"standard-dvd", samples + "/standard-dvd.zcv"},
        {"slimline-cd", samples + "/slimline-cd.zcv"},
        {"4000x3000 pics", (dir + "/heavy.zcv").toStdString()}};
    for (const Cover &c : covers) {
        const std::string base = (dir + "/").toStdString() + c.name;
        const double png
            = childPeakMiB({exe, "--export-png", base + "-png", "--dpi", "600", c.path});
        const double pdf = childPeakMiB({exe, "--export-pdf", base + ".pdf", c.path});
        std::snprintf(line, sizeof line,
            "  %-16s --export-png %7.1f MiB   --export-pdf %7.1f MiB\n", c.name, png, pdf);
        report += line;
    }
    return report;
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string(argv[1]) == "--make-heavy-cover") {
        QGuiApplication app(argc, argv);
        return makeHeavyCover(QString::fromLocal8Bit(argv[2]));
    }
    QTemporaryDir tmp;
    const std::string memoryReport = measureExports(tmp.path());

    QGuiApplication app(argc, argv);
    PictureLibrary library;
    const QByteArray jpegPath = QFile::encodeName(tmp.path() + "/big.jpg");

    const double decode = medianMs(7, [&] {
        FIBITMAP *bitmap = FreeImage_Load(FIF_JPEG, jpegPath.constData(), 0);
        FreeImage_Unload(bitmap);
    });
    std::printf("FreeImage decode of a 4000 x 3000 JPEG alone: %.1f ms\n\n", decode);

    std::printf("%-18s %12s %12s %12s %8s %12s %12s %12s %12s\n", "face", "stretched", "filled",
        "ratio", "goal", "no picture", "text check", "600dpi+pic", "600dpi");
    bool goalsMet = true;
    for (const BenchFace &face : faces()) {
        const double previewPic = timeFace(face, 96, jpegPath, 7);
        const double previewFill = timeFace(face, 96, jpegPath, 7, FitFill);
        const double preview = timeFace(face, 96, QByteArray(), 51);
        const double printPic = timeFace(face, 600, jpegPath, 3);
        const double print = timeFace(face, 600, QByteArray(), 3);
        const double check = timeTextCheck(face);
        const double ratio = std::max(previewPic, previewFill) / decode;
        // A text-only face, drawn and checked for cut text, within a millisecond.
        const bool ok = ratio <= 0.25 && preview + check <= 1.0;
        goalsMet &= ok;
        std::printf("%-18s %9.1f ms %9.1f ms %11.3fx %8s %9.2f ms %9.2f ms %9.1f ms %9.1f ms\n",
            face.name, previewPic, previewFill, ratio, ok ? "met" : "MISSED", preview, check,
            printPic, print);
    }

    // Shrink to fit of a 99-row listing on the CD back's preview.
    const BenchFace back = faces()[1];
    const double plainRows = timeListing(back, false);
    const double shrunkRows = timeListing(back, true);
    std::printf("\n99-row listing on the back preview: %.2f ms as set, %.2f ms shrunk to fit "
                "(goal 5 ms: %s)\n",
        plainRows, shrunkRows, shrunkRows <= 5 ? "met" : "MISSED");
    goalsMet &= shrunkRows <= 5;

    // A whole standard CD set (covers page and disc page) to PDF at 600 dpi.
    CoverDocument plain = documentFor(StandardCD, QByteArray());
    const QString coverPath = tmp.path() + "/plain.zcv";
    writeCoverFile(plain, coverPath);
    const QString pdfPath = tmp.path() + "/set.pdf";
    const double pdf = medianMs(5, [&] {
        QString sink;
        QTextStream err(&sink);
        exportCoverPdf(coverPath, pdfPath, {}, err);
    });
    std::printf("\nstandard CD set to PDF at 600 dpi, no pictures: %.1f ms (goal 300 ms: %s), "
                "%lld bytes\n",
        pdf, pdf <= 300 ? "met" : "MISSED", QFileInfo(pdfPath).size());
    goalsMet &= pdf <= 300;

    std::printf(
        "\npeak memory (maxrss) of `discora` at 600 dpi, each run a process of its own:\n%s",
        memoryReport.c_str());
    std::printf("\ngoals %s\n", goalsMet ? "met" : "MISSED");
    return 0;
}
