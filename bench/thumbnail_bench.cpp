// A desktop thumbnail of a standard CD whose front, back and disc each carry
// a 4000 x 3000 (12 MP) JPEG: the whole `discora --thumbnail` process as a
// file manager starts it, and the work inside it (read, draw, write) alone.
//
// Goal: the whole process within 0.3 s at the default size.

#include "document/CoverFile.h"
#include "print/CoverThumbnail.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QString makeJpeg(const QString &dir, const QString &name, int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 4000, 3000);
    g.setColorAt(0, QColor(20 + seed * 40, 40, 120));
    g.setColorAt(1, QColor(240, 160, 60 + seed * 50));
    p.fillRect(image.rect(), g);
    for (int i = 0; i < 400; ++i)
        p.fillRect(QRect((i * 613 + seed) % 4000, (i * 397) % 3000, 120, 80),
            QColor((i * 37) % 256, (i * 91 + seed) % 256, (i * 53) % 256));
    p.end();
    const QString path = dir + QLatin1Char('/') + name;
    image.save(path, "JPEG", 90);
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir tmp;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(tmp.path() + "/config"));
    QGuiApplication app(argc, argv);

    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.fImagePath = QFile::encodeName(makeJpeg(tmp.path(), "front.jpg", 0));
    doc.bImagePath = QFile::encodeName(makeJpeg(tmp.path(), "back.jpg", 1));
    doc.dImagePath = QFile::encodeName(makeJpeg(tmp.path(), "disc.jpg", 2));
    doc.fCoverTitle = "Northern Lights";
    doc.bCoverText = "[DELIM]1[/DELIM][DELIM]A track[/DELIM][DELIM]3:00[/DELIM]\n\r";
    const QString cover = tmp.path() + "/big.zcv";
    writeCoverFile(doc, cover);
    const QString out = tmp.path() + "/thumb.png";
    std::printf(
        "cover file: %.1f MB, three 4000 x 3000 JPEG pictures\n", QFileInfo(cover).size() / 1e6);

    for (int size : {128, 256, 512}) {
        const double inside = medianMs(5, [&] {
            QString err;
            QTextStream stream(&err);
            writeCoverThumbnail(cover, out, size, stream);
        });
        const double process = medianMs(5, [&] {
            QProcess p;
            p.start(QStringLiteral(DISCORA_EXECUTABLE),
                {QStringLiteral("--thumbnail"), out, QStringLiteral("--size"),
                    QString::number(size), cover});
            p.waitForFinished(60000);
        });
        std::printf("--size %4d: whole process %7.1f ms (goal 300 ms at 256), "
                    "read + draw + write %7.1f ms\n",
            size, process, inside);
    }
    return 0;
}
