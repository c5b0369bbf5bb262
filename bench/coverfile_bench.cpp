// Writing and reading a cover that holds four 10 MB pictures, against a
// plain copy of the same bytes in the same run. Both ratios should stay at
// or below 1.5: the cover file costs about what moving its pictures costs.
#include "document/CoverFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr qint64 kPictureBytes = 10 * 1000 * 1000;
constexpr int kRounds = 7;

bool writeRandomFile(const QString &path, qint64 size, QRandomGenerator &random)
{
    QByteArray bytes(size, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == size;
}

// The plain copy: the four pictures, one after the other, into one file,
// read and written in large chunks.
bool copyByReadWrite(const QStringList &sources, const QString &target)
{
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto chunk = std::make_unique<char[]>(1 << 20);
    for (const QString &source : sources) {
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly))
            return false;
        for (qint64 got; (got = in.read(chunk.get(), 1 << 20)) > 0;)
            if (out.write(chunk.get(), got) != got)
                return false;
    }
    return true;
}

bool copyByQFile(const QStringList &sources, const QString &dir)
{
    for (int i = 0; i < sources.size(); ++i) {
        const QString target = dir + QStringLiteral("/copy%1.jpg").arg(i);
        QFile::remove(target);
        if (!QFile::copy(sources[i], target))
            return false;
    }
    return true;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Runs `run` once and adds its time in milliseconds to `times`.
bool timed(std::vector<double> &times, const std::function<bool()> &run)
{
    QElapsedTimer timer;
    timer.start();
    const bool ok = run();
    times.push_back(timer.nsecsElapsed() / 1e6);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    QRandomGenerator random(42);
    const QStringList names = {"front.jpg", "back.jpg", "stretched.jpg", "disc.jpg"};
    QStringList pictures;
    for (const QString &name : names) {
        pictures << dir.filePath(name);
        if (!writeRandomFile(pictures.last(), kPictureBytes, random))
            return 1;
    }

    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    doc.fImagePath = QFile::encodeName(pictures[0]);
    doc.bImagePath = QFile::encodeName(pictures[1]);
    doc.sImagePath = QFile::encodeName(pictures[2]);
    doc.dImagePath = QFile::encodeName(pictures[3]);
    const QString coverPath = dir.filePath("bench.zcv");
    QString failure;

    // The four runs take turns, so that a busy moment of the machine
    // falls on all of them alike.
    std::vector<double> readWriteTimes, qfileTimes, writeTimes, readTimes;
    for (int round = 0; round < kRounds; ++round) {
        bool ok = timed(
            readWriteTimes, [&] { return copyByReadWrite(pictures, dir.filePath("copy.bin")); });
        ok = ok && timed(qfileTimes, [&] { return copyByQFile(pictures, dir.path()); });
        ok = ok && timed(writeTimes, [&] {
            const CoverWriteResult r = writeCoverFile(doc, coverPath);
            failure = r.reason;
            return r.ok;
        });
        ok = ok && timed(readTimes, [&] {
            CoverDocument readBack;
            resetDocumentForType(readBack, StandardCD);
            CoverReadOptions options;
            options.storeCoverTypeInSettings = false;
            const CoverReadResult r = readCoverFile(readBack, coverPath, options);
            return r.status == CoverReadResult::Status::Ok && r.pictureBytes[3] == kPictureBytes;
        });
        if (!ok) {
            out << "benchmark failed " << failure << "\n";
            return 1;
        }
    }
    const double readWriteCopy = median(readWriteTimes);
    const double qfileCopy = median(qfileTimes);
    const double write = median(writeTimes);
    const double read = median(readTimes);

    // Writing a cover is a durable replace (temporary file, sync, rename),
    // as QFile::copy is; reading writes temporary copies, as a plain
    // read+write copy does. Each is measured against its like, and both
    // against the plain read+write copy for the record.
    out << QStringLiteral("pictures: 4 x %1 MB, median of %2 rounds\n")
               .arg(kPictureBytes / 1e6)
               .arg(kRounds);
    out << QStringLiteral("copy (read+write): %1 ms\n").arg(readWriteCopy, 0, 'f', 1);
    out << QStringLiteral("copy (QFile::copy): %1 ms\n").arg(qfileCopy, 0, 'f', 1);
    out << QStringLiteral("write: %1 ms (ratio %2 to QFile::copy, %3 to read+write)\n")
               .arg(write, 0, 'f', 1)
               .arg(write / qfileCopy, 0, 'f', 2)
               .arg(write / readWriteCopy, 0, 'f', 2);
    out << QStringLiteral("read: %1 ms (ratio %2 to read+write)\n")
               .arg(read, 0, 'f', 1)
               .arg(read / readWriteCopy, 0, 'f', 2);
    return 0;
}
