// What the Templates window costs before it can appear: the thumbnails of
// the shipped templates (print-size JPEGs), decoded the way the window does
// it (the JPEG codec reducing to the thumbnail's size) against a decode at
// full size, per template and for the whole folder.
#include "dialogs/CTemplatesDlg.h"
#include "render/DeviceContext.h"
#include "render/FacePicture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <time.h>
#include <vector>

namespace {

constexpr int kRounds = 5;

// Processor time of the process: the machine is shared.
double processMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double measure(const std::function<void()> &work)
{
    work(); // warm the file cache
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        const double start = processMs();
        work();
        times.push_back(processMs() - start);
    }
    return median(times);
}

// The thumbnail as it would be made without the reduced decode.
QImage fullSizeThumbnail(const QString &path)
{
    FacePicturePtr picture = LoadFacePicture(QFile::encodeName(path));
    if (!picture)
        return QImage();
    QImage square(60, 60, QImage::Format_RGB888);
    square.fill(Qt::white);
    QPainter painter(&square);
    DeviceContext dc(painter);
    DrawPictureStretched(dc, QRect(0, 0, 60, 60), *picture);
    painter.end();
    return square;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PictureLibrary library;
    const QString folder = QStringLiteral(DISCORA_SAMPLES_DIR "/../share/CLIPART");
    QStringList backs;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*[[]BACK]*")}, QDir::Files))
        backs << folder + QLatin1Char('/') + name;
    if (backs.isEmpty()) {
        std::fprintf(stderr, "no templates in %s\n", qPrintable(folder));
        return 1;
    }

    const double reduced = measure([&] {
        for (const QString &path : backs)
            CTemplatesDlg::makeThumbnail(path, false);
    });
    const double full = measure([&] {
        for (const QString &path : backs)
            fullSizeThumbnail(path);
    });
    // What each new cover's window pays: the folder is only named.
    const double opened = measure([&] {
        CTemplatesDlg dlg;
        dlg.openFolder(1, QByteArray(), folder);
    });
    // What the first showing pays.
    const double window = measure([&] {
        CTemplatesDlg dlg;
        dlg.openFolder(1, QByteArray(), folder);
        dlg.templateNames();
    });

    FacePicturePtr sample = LoadFacePicture(QFile::encodeName(backs.first()));
    const QSize size = sample ? facePictureSize(*sample) : QSize();
    std::printf("templates: %lld back pictures of %d x %d px (median of %d rounds, CPU ms)\n",
        qlonglong(backs.size()), size.width(), size.height(), kRounds);
    std::printf("  thumbnails, reduced JPEG decode   %8.1f ms  (%.1f ms each)\n", reduced,
        reduced / backs.size());
    std::printf("  thumbnails, full-size decode      %8.1f ms  (%.1f ms each)\n", full,
        full / backs.size());
    std::printf("  window created, folder named      %8.1f ms\n", opened);
    std::printf("  window created and filled         %8.1f ms\n", window);
    return 0;
}
