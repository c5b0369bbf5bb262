// Importing a folder of 2,000 small FLAC files into the track listing,
// once without tags (titles from the file names) and once with title,
// artist, album and track number: the time TagLib alone takes to read what
// the import needs of them (the folder's audio files listed, then title,
// artist and length, the quickest way TagLib offers), the folder import read on
// the window's thread (which stays blocked throughout), and the same
// import run by ImportRunner on a thread of its own, with the longest the
// window's event loop waited for its turn meanwhile (a 2 ms timer measures
// it). TagLib alone is timed twice: on this thread while the process has
// no other, and on a thread of its own as the import reads. A process
// with a second thread pays more for every file operation and allocation
// (the kernel and the allocator stop taking their single-thread shortcuts),
// which no reading thread escapes. Medians of several rounds, taken in
// turn so that the machine's other work falls on all of them alike. Last,
// a reading long enough for the progress window to show, with the event
// loop's longest wait while it follows the reading.
#include "dialogs/ImportRunner.h"
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
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace {

constexpr int kFiles = 2000;
constexpr int kRounds = 9;

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

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The folder `name` in `dir` with kFiles copies of `one`, tagged when asked.
QString makeFolder(const QString &dir, const QString &name, const QString &one, bool tagged)
{
    const QString folder = dir + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    for (int i = 1; i <= kFiles; ++i) {
        const QString path
            = QStringLiteral("%1/%2 Track.flac").arg(folder).arg(i, 4, 10, QLatin1Char('0'));
        QFile::copy(one, path);
        if (!tagged)
            continue;
        const QByteArray encoded = QFile::encodeName(path);
        TagLib::FileRef ref(encoded.constData(), false);
        ref.tag()->setTitle(TagLib::String("Song number " + std::to_string(i)));
        ref.tag()->setArtist(TagLib::String("The Players"));
        ref.tag()->setAlbum(TagLib::String("Two Thousand Songs"));
        ref.tag()->setTrack(unsigned(i));
        ref.save();
    }
    return folder;
}

// What the import needs of each of the folder's audio files, read by
// TagLib and nothing else: the texts stay TagLib's.
int readWithTagLibAlone(const QString &folder)
{
    int readable = 0;
    for (const QString &name : AudioFolderImport::audioFileNames(folder)) {
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
        const TagLib::FileRef ref(path.constData(), true, TagLib::AudioProperties::Fast);
        if (ref.isNull() || !ref.audioProperties() || !ref.tag())
            continue;
        const TagLib::String title = ref.tag()->title(), artist = ref.tag()->artist();
        if (ref.audioProperties()->lengthInMilliseconds() > 0
            && title.size() + artist.size() < 1000)
            ++readable;
    }
    return readable;
}

// Runs `job` with `runner` while a 2 ms timer ticks; the longest gap
// between ticks is how long the window's events waited at worst.
double longestWaitDuring(ImportRunner &runner, const ImportRunner::Job &job, bool &finished)
{
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer tick;
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = qMax(longest, ms(sinceTick));
        sinceTick.restart();
    });
    tick.start();
    sinceTick.start();
    finished = runner.run(job);
    longest = qMax(longest, ms(sinceTick));
    return longest;
}

void measure(const char *what, const QString &folder, ImportRunner &runner)
{
    // Warm the file cache so that every run reads from memory.
    AudioFolderImport::read(folder);

    std::vector<double> alone, aloneOnThread, onWindowThread, offThread;
    double longestWait = 0;
    int readable = 0;
    qsizetype rowsOn = 0, rowsOff = 0;
    bool allFinished = true;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer t;
        t.start();
        readable = readWithTagLibAlone(folder);
        alone.push_back(ms(t));

        t.restart();
        std::thread reader([&] { readWithTagLibAlone(folder); });
        reader.join();
        aloneOnThread.push_back(ms(t));

        t.restart();
        rowsOn = AudioFolderImport::read(folder).rows.size();
        onWindowThread.push_back(ms(t));

        AudioFolderImport found;
        bool finished = false;
        t.restart();
        longestWait = qMax(longestWait,
            longestWaitDuring(
                runner,
                [&](const ImportRunner::Progress &progress) {
                    found = AudioFolderImport::read(folder, progress);
                },
                finished));
        offThread.push_back(ms(t));
        rowsOff = found.rows.size();
        allFinished = allFinished && finished;
    }
    const double taglib = median(alone), taglibOnThread = median(aloneOnThread);
    const double on = median(onWindowThread), off = median(offThread);
    std::printf("%d FLAC files %s, medians of %d rounds:\n", kFiles, what, kRounds);
    std::printf(
        "  TagLib alone, on this thread:           %6.1f ms (%d files read)\n", taglib, readable);
    std::printf("  TagLib alone, on a thread of its own:   %6.1f ms\n", taglibOnThread);
    std::printf("  import on the window's thread:          %6.1f ms (%lld rows; the window waits "
                "all of it)\n",
        on, rowsOn);
    std::printf("  import off the window's thread:         %6.1f ms (%lld rows, %s)\n", off,
        rowsOff, allFinished ? "finished" : "cancelled");
    std::printf(
        "  longest event-loop wait meanwhile:      %6.1f ms (timer every 2 ms, worst round)\n",
        longestWait);
    std::printf("  import / TagLib alone, both on this thread:         %.2f\n", on / taglib);
    std::printf(
        "  import / TagLib alone, both on a thread of its own: %.2f\n", off / taglibOnThread);
    std::printf("  off-thread import / TagLib alone on this thread:    %.2f\n", off / taglib);
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
    const QString plain = makeFolder(dir.path(), QStringLiteral("plain"), one, false);
    const QString tagged = makeFolder(dir.path(), QStringLiteral("tagged"), one, true);
    std::printf("FLAC files of %lld bytes\n", QFileInfo(one).size());

    QWidget owner;
    ImportRunner runner(&owner, QStringLiteral("Import Tracks"));
    measure("without tags", plain, runner);
    measure("with tags", tagged, runner);

    // Long enough for the progress window to show and follow the reading.
    const int passes = 16;
    bool finished = false;
    QElapsedTimer t;
    t.start();
    const double waitWithWindow = longestWaitDuring(
        runner,
        [&](const ImportRunner::Progress &progress) {
            for (int i = 0; i < passes; ++i)
                AudioFolderImport::read(tagged, progress);
        },
        finished);
    std::printf("%d files read in %.0f ms, the progress window showing after %d ms: longest "
                "event-loop wait %.1f ms\n",
        passes * kFiles, ms(t), ImportRunner::kShowAfterMs, waitWithWindow);
    return 0;
}
