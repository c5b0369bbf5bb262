// Importing a folder of 2,000 small FLAC files into the track listing: the
// time TagLib alone takes to read them, the folder import read on the
// window's thread (which stays blocked throughout), and the same import run
// by ImportRunner on a thread of its own, with the longest the window's
// event loop waited for its turn meanwhile (a 2 ms timer measures it).
#include "dialogs/ImportRunner.h"
#include "document/AudioFileInfo.h"
#include "document/AudioFolderImport.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kFiles = 2000;

// A quarter second of 16-bit mono PCM, encoded by the Debian flac encoder.
bool makeFlac(const QString &path)
{
    const QString wav = path + QStringLiteral(".wav");
    QFile f(wav);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const quint32 rate = 44100, samples = rate / 4;
    QDataStream out(&f);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + 2 * samples);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(2 * samples);
    for (quint32 i = 0; i < samples; ++i)
        out << qint16(3000 * std::sin(i * 0.05));
    f.close();
    QProcess p;
    p.start(QStringLiteral("flac"), {"-s", "-f", "-o", path, wav});
    const bool ok = p.waitForFinished(60000) && p.exitCode() == 0;
    QFile::remove(wav);
    return ok;
}

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString one = dir.filePath(QStringLiteral("one.flac"));
    if (!dir.isValid() || !makeFlac(one)) {
        std::fprintf(stderr, "cannot make the FLAC file (is flac installed?)\n");
        return 1;
    }
    const QString folder = dir.filePath(QStringLiteral("music"));
    QDir().mkpath(folder);
    for (int i = 1; i <= kFiles; ++i)
        QFile::copy(
            one, QStringLiteral("%1/%2 Track.flac").arg(folder).arg(i, 4, 10, QLatin1Char('0')));
    std::printf("%d FLAC files of %lld bytes\n", kFiles, QFileInfo(one).size());

    // Warm the file cache so that every run reads from memory.
    AudioFolderImport::read(folder);

    QElapsedTimer t;
    t.start();
    int readable = 0;
    for (const QString &name : AudioFolderImport::audioFileNames(folder))
        readable += AudioFileInfo::read(folder + QLatin1Char('/') + name).ok ? 1 : 0;
    const double taglib = ms(t);
    std::printf("TagLib alone:                 %8.1f ms (%d files read)\n", taglib, readable);

    t.restart();
    const AudioFolderImport blocking = AudioFolderImport::read(folder);
    const double onWindowThread = ms(t);
    std::printf("import on the window's thread: %7.1f ms (%lld rows; the window waits all of it)\n",
        onWindowThread, blocking.rows.size());

    QWidget owner;
    ImportRunner runner(&owner, QStringLiteral("Import Tracks"));
    QElapsedTimer sinceTick;
    double longestWait = 0;
    QTimer tick;
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestWait = qMax(longestWait, ms(sinceTick));
        sinceTick.restart();
    });
    AudioFolderImport found;
    tick.start();
    sinceTick.start();
    t.restart();
    const bool done = runner.run([&](const ImportRunner::Progress &progress) {
        found = AudioFolderImport::read(folder, progress);
    });
    const double offThread = ms(t);
    tick.stop();
    std::printf("import off the window's thread: %6.1f ms (%lld rows, %s)\n", offThread,
        found.rows.size(), done ? "finished" : "cancelled");
    std::printf("longest event-loop wait meanwhile: %.1f ms (timer every 2 ms)\n", longestWait);
    std::printf("off-thread import / TagLib alone: %.2f\n", offThread / taglib);
    return 0;
}
