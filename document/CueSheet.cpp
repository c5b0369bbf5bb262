#include "CueSheet.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 kFramesPerSecond = 75;
// Longer lines are no CUE sheet's; they are skipped unread.
constexpr qsizetype kMaxLine = 4096;

struct CueTrack {
    int number = 0;
    QString title;
    QString performer;
    qint64 start = -1; // INDEX 01, frames into its file
    int file = -1; // index into the FILE list
    bool badTime = false;
};

// The words of a line: a quoted word runs to its closing quote.
QStringList wordsOf(QStringView line)
{
    QStringList words;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i].isSpace())
            ++i;
        if (i >= line.size())
            break;
        if (line[i] == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? line.size() : close;
            words << line.mid(i + 1, end - i - 1).toString();
            i = end + 1;
            continue;
        }
        const qsizetype start = i;
        while (i < line.size() && !line[i].isSpace())
            ++i;
        words << line.mid(start, i - start).toString();
    }
    return words;
}

// The value of TITLE and PERFORMER: the quoted word, or the rest of the line
// when it is not quoted (some writers leave the quotes out).
QString valueOf(QStringView line, const QStringList &words)
{
    const QStringView rest = line.trimmed().mid(words.first().size()).trimmed();
    if (rest.startsWith(QLatin1Char('"')))
        return words.value(1);
    return rest.toString();
}

// FILE "name" TYPE: a name with spaces but without quotes is every word but
// the type.
QString fileNameOf(QStringView line, const QStringList &words)
{
    const QStringView rest = line.trimmed().mid(words.first().size()).trimmed();
    if (rest.startsWith(QLatin1Char('"')) || words.size() <= 2)
        return words.value(1);
    return words.mid(1, words.size() - 2).join(QLatin1Char(' '));
}

} // namespace

qint64 CueSheet::framesOf(const QString &time)
{
    const QStringList parts = time.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return -1;
    bool ok[3];
    const qint64 m = parts[0].toLongLong(&ok[0]), s = parts[1].toLongLong(&ok[1]),
                 f = parts[2].toLongLong(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || m < 0 || m > 9999 || s < 0 || s >= 60 || f < 0
        || f >= kFramesPerSecond)
        return -1;
    return (m * 60 + s) * kFramesPerSecond + f;
}

TrackImport CueSheet::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TrackImport::unreadable(
            path, QStringLiteral("cannot be read: ") + file.errorString());
    return parse(file.readAll(), path);
}

TrackImport CueSheet::parse(const QByteArray &bytes, const QString &path)
{
    TrackImport result;
    const QString folder = QFileInfo(path).absolutePath();
    const QString sheetName = QFileInfo(path).fileName();
    const QString text = TrackImport::decodeText(bytes);

    QStringList files;
    QList<CueTrack> tracks;
    bool tooMany = false;
    qsizetype pos = 0;
    while (pos < text.size() && !tooMany) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), pos);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(pos, end - pos).trimmed();
        pos = end + 1;
        if (line.isEmpty() || line.size() > kMaxLine)
            continue;
        const QStringList words = wordsOf(line);
        if (words.isEmpty())
            continue;
        const QString keyword = words.first().toUpper();
        CueTrack *track = tracks.isEmpty() ? nullptr : &tracks.last();
        if (keyword == QLatin1String("FILE")) {
            files << TrackImport::resolvePath(folder, fileNameOf(line, words));
        } else if (keyword == QLatin1String("TRACK")) {
            if (tracks.size() == kMaxTracks) {
                tooMany = true;
                break;
            }
            CueTrack t;
            t.number = words.value(1).toInt();
            t.file = int(files.size()) - 1;
            tracks << t;
        } else if (keyword == QLatin1String("TITLE")) {
            (track ? track->title : result.title) = valueOf(line, words);
        } else if (keyword == QLatin1String("PERFORMER")) {
            (track ? track->performer : result.performer) = valueOf(line, words);
        } else if (keyword == QLatin1String("INDEX") && track && words.value(1).toInt() == 1) {
            track->start = framesOf(words.value(2));
            track->badTime = track->start < 0;
            if (track->badTime) {
                result.problems << QStringLiteral("Track %1: the time \"%2\" cannot be read.")
                                       .arg(track->number)
                                       .arg(words.value(2));
            }
        }
        // REM, INDEX 00 (the pregap), FLAGS, ISRC and the rest are not
        // needed for a listing.
    }
    if (tracks.isEmpty()) {
        result.problems << QStringLiteral("\"%1\" holds no tracks.").arg(sheetName);
        return result;
    }

    for (qsizetype i = 0; i < tracks.size(); ++i) {
        const CueTrack &t = tracks[i];
        ImportedTrack out;
        out.title = t.title.trimmed();
        if (t.performer.trimmed() != result.performer.trimmed())
            out.performer = t.performer.trimmed();
        if (t.file >= 0)
            out.file = files[t.file];
        const bool lastInFile = i + 1 == tracks.size() || tracks[i + 1].file != t.file;
        const bool aloneInFile
            = lastInFile && (i == 0 || tracks[i - 1].file != t.file) && t.file >= 0;
        if (out.title.isEmpty()) {
            if (aloneInFile)
                out.titleFromFile = true;
            else
                out.title = QStringLiteral("Track %1").arg(t.number, 2, 10, QLatin1Char('0'));
        }
        if (t.file < 0) {
            result.problems << QStringLiteral("Track %1 comes before any FILE line.").arg(t.number);
        }
        if (t.start < 0) {
            if (!t.badTime)
                result.problems << QStringLiteral("Track %1 has no INDEX 01.").arg(t.number);
        } else if (lastInFile) {
            out.lengthFromFile = t.file >= 0;
            out.fileStart = t.start * 1000 / kFramesPerSecond;
        } else if (tracks[i + 1].start > t.start) {
            out.milliseconds = (tracks[i + 1].start - t.start) * 1000 / kFramesPerSecond;
        } else if (tracks[i + 1].start >= 0) {
            result.problems << QStringLiteral("Track %1 starts before track %2 does.")
                                   .arg(tracks[i + 1].number)
                                   .arg(t.number);
        }
        result.tracks << out;
    }
    if (tooMany) {
        result.problems << QStringLiteral(
            "\"%1\" holds more than %2 tracks; the rest were left out.")
                               .arg(sheetName)
                               .arg(kMaxTracks);
    }
    result.ok = true;
    return result;
}
