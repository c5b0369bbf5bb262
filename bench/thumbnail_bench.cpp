// A desktop thumbnail of a standard CD whose front, back and disc each carry
// a 4000 x 3000 (12 MP) JPEG: the whole `discora --thumbnail` process as a
// file manager starts it, and the work inside it (read, draw, write) alone.
//
// Goal: the whole process within 0.3 s at the default size.

#include "document/CoverFile.h"
#include "print/CoverThumbnail.h"

#include "BenchSupport.h"
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

using bench::medianMs;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir tmp;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(tmp.path() + "/config"));
    QGuiApplication app(argc, argv);

    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.fImagePath = QFile::encodeName(bench::makeBusyJpeg(tmp.path() + "/front.jpg", 0));
    doc.bImagePath = QFile::encodeName(bench::makeBusyJpeg(tmp.path() + "/back.jpg", 1));
    doc.dImagePath = QFile::encodeName(bench::makeBusyJpeg(tmp.path() + "/disc.jpg", 2));
    doc.fCoverTitle = "Northern Lights";
    doc.bCoverText = "[DELIM]1[/DELIM][DELIM]A track[/DELIM][DELIM]3:00[/DELIM]\n\r";
    const QString cover = tmp.path() + "/big.zcv";
    writeCoverFile(doc, cover);
    const QString out = tmp.path() + "/thumb.png";
    std::printf(
        "cover file: %.1f MB, three 4000 x 3000 JPEG pictures\n", QFileInfo(cover).size() / 1e6);

    for (int size : {128, 256, 512}) {
        const double inside = medianMs(5, [&](int) {
            QString err;
            QTextStream stream(&err);
            writeCoverThumbnail(cover, out, size, stream);
        });
        const double process = medianMs(5, [&](int) {
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
