// What a render pays for its picture: FreeImage's decode of a 4000 × 3000
// JPEG alone, against LoadFacePicture + DrawPictureStretched into a preview
// face (454 × 454) and a 600-dpi face (2841 × 2841).
#include "render/DeviceContext.h"
#include "render/FacePicture.h"

#include <FreeImage.h>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string_view>
#include <time.h>
#include <vector>

namespace {

constexpr int kRounds = 9;

// Processor time of the process (Qt's raster engine spreads large draws over
// a thread pool): the machine is shared, and wall-clock time would measure
// the neighbours too.
double processMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Measure {
    const char *label;
    std::function<void()> work;
    std::vector<double> times;

    double median() const
    {
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
    double best() const { return *std::min_element(times.begin(), times.end()); }
};

// Rounds interleave the measures, so that a busy moment of the machine
// weighs on all of them alike.
void run(std::vector<Measure> &measures)
{
    for (Measure &m : measures)
        m.work(); // warm the file cache and the allocator
    for (int round = 0; round < kRounds; ++round) {
        for (Measure &m : measures) {
            const double start = processMs();
            m.work();
            m.times.push_back(processMs() - start);
        }
    }
}

// Photo-like content: smooth colour fields with fine detail, so the JPEG
// has a photo's size and decode cost.
bool writeBenchJpeg(const QByteArray &path)
{
    const int width = 4000;
    const int height = 3000;
    FIBITMAP *dib = FreeImage_Allocate(width, height, 24);
    if (!dib)
        return false;
    unsigned noise = 12345;
    for (int y = 0; y < height; ++y) {
        BYTE *line = FreeImage_GetScanLine(dib, y);
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int grain = int((noise >> 24) & 31) - 16;
            const double u = x / double(width);
            const double v = y / double(height);
            const int r = int(128 + 100 * std::sin(6.0 * u + 2.0 * v)) + grain;
            const int g = int(128 + 100 * std::sin(4.0 * v - 3.0 * u)) + grain;
            const int b = int(128 + 100 * std::cos(5.0 * (u + v))) + grain;
            BYTE *p = line + 3 * x;
            p[FI_RGBA_RED] = BYTE(std::clamp(r, 0, 255));
            p[FI_RGBA_GREEN] = BYTE(std::clamp(g, 0, 255));
            p[FI_RGBA_BLUE] = BYTE(std::clamp(b, 0, 255));
        }
    }
    const bool saved = FreeImage_Save(FIF_JPEG, dib, path.constData(), 90);
    FreeImage_Unload(dib);
    return saved;
}

void loadAndDraw(const QByteArray &path, QImage &face, bool forTarget)
{
    QPainter painter(&face);
    DeviceContext dc(painter);
    const QRect box = face.rect();
    FacePicturePtr picture
        = forTarget ? LoadFacePicture(path, devicePixelSize(dc, box)) : LoadFacePicture(path);
    if (picture)
        DrawPictureStretched(dc, box, *picture);
    ReleaseFacePicture(picture);
}

void drawOnly(const FacePicture &picture, QImage &face)
{
    QPainter painter(&face);
    DeviceContext dc(painter);
    DrawPictureStretched(dc, face.rect(), picture);
}

} // namespace

int main()
{
    const PictureLibrary library;
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path() + QStringLiteral("/bench.jpg"));
    if (!dir.isValid() || !writeBenchJpeg(path)) {
        std::fprintf(stderr, "could not write the bench picture\n");
        return 1;
    }
    std::printf(
        "picture: 4000 x 3000 JPEG, %lld bytes; processor time over %d interleaved rounds\n",
        static_cast<long long>(QFile(QFile::decodeName(path)).size()), kRounds);

    QImage preview(454, 454, QImage::Format_RGB32);
    QImage print(2841, 2841, QImage::Format_RGB32);
    preview.fill(Qt::white);
    print.fill(Qt::white);
    FacePicturePtr decoded = LoadFacePicture(path);
    if (!decoded) {
        std::fprintf(stderr, "the bench picture did not load\n");
        return 1;
    }

    std::vector<Measure> measures{
        {"FreeImage decode alone",
            [&] { FreeImage_Unload(FreeImage_Load(FIF_JPEG, path.constData(), 0)); }, {}},
        {"load + draw, preview 454 x 454", [&] { loadAndDraw(path, preview, false); }, {}},
        {"load + draw, 600 dpi 2841 x 2841", [&] { loadAndDraw(path, print, false); }, {}},
        {"load for target + draw, preview 454 x 454", [&] { loadAndDraw(path, preview, true); },
            {}},
        {"load for target + draw, 600 dpi 2841 x 2841", [&] { loadAndDraw(path, print, true); },
            {}},
        {"draw alone, preview 454 x 454", [&] { drawOnly(*decoded, preview); }, {}},
        {"draw alone, 600 dpi 2841 x 2841", [&] { drawOnly(*decoded, print); }, {}},
    };
    run(measures);
    ReleaseFacePicture(decoded);

    const double decode = measures[0].median();
    const double decodeBest = measures[0].best();
    std::printf("%-46s %8s %8s\n", "", "median", "best");
    for (const Measure &m : measures) {
        std::printf("%-46s %5.1f ms %5.1f ms", m.label, m.median(), m.best());
        if (&m != &measures[0] && std::string_view(m.label).rfind("draw alone", 0) != 0)
            std::printf(
                "   ratio to decode %.3f (best %.3f)", m.median() / decode, m.best() / decodeBest);
        if (&m == &measures[1])
            std::printf(" (goal <= 1.10)");
        std::printf("\n");
    }
    return 0;
}
