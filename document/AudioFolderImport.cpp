#include "AudioFolderImport.h"

#include "CoverTextCheck.h"
#include "DisplayText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>
#include <taglib/tstring.h>

namespace {

// What one readable file contributes, before ordering.
struct FileTrack {
    QString fileName;
    QString title;
    QString album;
    QString artist;
    QString albumArtist;
    unsigned track = 0; // 0: none
    int disc = 1;
    qint64 milliseconds = 0;
};

QString fromTagLib(const TagLib::String &s)
{
    return QString::fromStdString(s.to8Bit(true));
}

QString firstProperty(const TagLib::PropertyMap &properties, const char *key)
{
    const auto found = properties.find(key);
    if (found == properties.end() || found->second.isEmpty())
        return {};
    return fromTagLib(found->second.front());
}

// "2" and "2/3" give 2; anything without a leading number, `fallback`.
int leadingNumber(const QString &text, int fallback)
{
    qsizetype end = 0;
    while (end < text.size() && end < 9 && text[end] >= QLatin1Char('0')
        && text[end] <= QLatin1Char('9'))
        ++end;
    return end == 0 ? fallback : text.left(end).toInt();
}

bool readFile(const QString &path, FileTrack &out)
{
    const QByteArray name = QFile::encodeName(path);
    const TagLib::FileRef ref(name.constData(), true, TagLib::AudioProperties::Average);
    if (ref.isNull() || !ref.audioProperties())
        return false;
    out.milliseconds = ref.audioProperties()->lengthInMilliseconds();
    if (out.milliseconds <= 0)
        return false;
    if (const TagLib::Tag *tag = ref.tag()) {
        out.title = AudioFolderImport::cellText(fromTagLib(tag->title()));
        out.album = AudioFolderImport::cellText(fromTagLib(tag->album()));
        out.artist = AudioFolderImport::cellText(fromTagLib(tag->artist()));
        out.track = tag->track();
    }
    const TagLib::PropertyMap properties = ref.file()->properties();
    out.albumArtist = AudioFolderImport::cellText(firstProperty(properties, "ALBUMARTIST"));
    out.disc = leadingNumber(firstProperty(properties, "DISCNUMBER"), 1);
    return true;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The one value every track has for `field`, or empty.
QString shared(const QList<FileTrack> &tracks, QString FileTrack::*field)
{
    const QString first = tracks.first().*field;
    for (const FileTrack &t : tracks) {
        if (t.*field != first)
            return {};
    }
    return first;
}

} // namespace

bool AudioFolderImport::isAudioFileName(const QString &fileName)
{
    // What TagLib reads: MP3, FLAC, Ogg Vorbis, Opus, Speex, M4A/AAC, WAV,
    // AIFF, WavPack, Monkey's Audio, Musepack, WMA/ASF and TrueAudio.
    static const QStringList suffixes = {QStringLiteral("mp3"), QStringLiteral("flac"),
        QStringLiteral("ogg"), QStringLiteral("oga"), QStringLiteral("opus"), QStringLiteral("spx"),
        QStringLiteral("m4a"), QStringLiteral("aac"), QStringLiteral("wav"), QStringLiteral("aif"),
        QStringLiteral("aiff"), QStringLiteral("aifc"), QStringLiteral("wv"), QStringLiteral("ape"),
        QStringLiteral("mpc"), QStringLiteral("mp+"), QStringLiteral("wma"), QStringLiteral("asf"),
        QStringLiteral("tta")};
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && suffixes.contains(fileName.mid(dot + 1), Qt::CaseInsensitive);
}

QString AudioFolderImport::formatNames()
{
    return QStringLiteral("MP3, FLAC, Ogg Vorbis, Opus, Speex, M4A (AAC), WAV, AIFF, WavPack, "
                          "Monkey's Audio (APE), Musepack, WMA and TrueAudio");
}

QString AudioFolderImport::lengthText(qint64 milliseconds)
{
    const qint64 seconds = (qMax(milliseconds, qint64(0)) + 500) / 1000;
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const QString ss = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (hours == 0)
        return QStringLiteral("%1:%2").arg(minutes).arg(ss);
    return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(ss);
}

QString AudioFolderImport::titleFromFileName(const QString &fileName)
{
    const QString stem = QFileInfo(fileName).completeBaseName();
    // "01 - ", "01. ", "01_", "1-01 " (disc and track): a number followed
    // by separators; a name that is only a number stays as it is.
    static const QRegularExpression leadingNumber(
        QStringLiteral("^[0-9]+(?:[-.][0-9]+)?(?:[\\s._)-]+|$)"));
    const QString rest = stem.mid(leadingNumber.match(stem).capturedLength());
    return cellText(rest.isEmpty() ? stem : rest);
}

int AudioFolderImport::compareNames(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            const qsizetype startA = i, startB = j;
            while (i < a.size() && isAsciiDigit(a[i]))
                ++i;
            while (j < b.size() && isAsciiDigit(b[j]))
                ++j;
            QStringView runA = QStringView(a).mid(startA, i - startA);
            QStringView runB = QStringView(b).mid(startB, j - startB);
            while (runA.size() > 1 && runA.front() == QLatin1Char('0'))
                runA = runA.mid(1);
            while (runB.size() > 1 && runB.front() == QLatin1Char('0'))
                runB = runB.mid(1);
            if (runA.size() != runB.size())
                return runA.size() < runB.size() ? -1 : 1;
            if (const int c = runA.compare(runB))
                return c < 0 ? -1 : 1;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    // Equal but for leading zeros or case: still a fixed order.
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

QString AudioFolderImport::cellText(const QString &tagText)
{
    QString line = tagText;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return withoutFileTags(line.trimmed());
}

QStringList AudioFolderImport::audioFileNames(const QString &folder)
{
    // Hidden files are left out: they are the desktop's and other
    // programs' companions ("._01.mp3"), not tracks.
    QStringList names;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::NoDotAndDotDot)) {
        if (isAudioFileName(name))
            names << name;
    }
    return names;
}

AudioFolderImport AudioFolderImport::read(const QString &folder, const Progress &progress)
{
    AudioFolderImport result;
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir() || !folderInfo.isReadable() || !folderInfo.isExecutable()) {
        result.status = Status::FolderUnreadable;
        return result;
    }

    const QStringList names = audioFileNames(folder);
    const QDir dir(folder);
    if (names.isEmpty()) {
        result.status = Status::NoAudioFiles;
        return result;
    }

    QList<FileTrack> tracks;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        if (progress && !progress(int(i), int(names.size()), dir.filePath(name))) {
            result.status = Status::Cancelled;
            return result;
        }
        FileTrack track;
        track.fileName = name;
        if (readFile(dir.filePath(name), track))
            tracks << track;
        else
            result.unreadableFiles << name;
    }
    const auto byName = [](const QString &a, const QString &b) { return compareNames(a, b) < 0; };
    std::sort(result.unreadableFiles.begin(), result.unreadableFiles.end(), byName);
    if (tracks.isEmpty())
        return result;

    const bool allNumbered = std::all_of(
        tracks.cbegin(), tracks.cend(), [](const FileTrack &t) { return t.track > 0; });
    std::sort(tracks.begin(), tracks.end(), [allNumbered](const FileTrack &a, const FileTrack &b) {
        if (allNumbered && (a.disc != b.disc || a.track != b.track))
            return a.disc != b.disc ? a.disc < b.disc : a.track < b.track;
        return compareNames(a.fileName, b.fileName) < 0;
    });

    for (qsizetype i = 0; i < tracks.size(); ++i) {
        const FileTrack &t = tracks[i];
        const QString title = t.title.isEmpty() ? titleFromFileName(t.fileName) : t.title;
        result.rows << TrackRow{QByteArray::number(i + 1) + '.', storedText(title),
            storedText(lengthText(t.milliseconds))};
    }
    result.rows = inOneEncoding(result.rows);

    const QString album = shared(tracks, &FileTrack::album);
    if (!album.isEmpty()) {
        QString artist = shared(tracks, &FileTrack::albumArtist);
        if (artist.isEmpty())
            artist = shared(tracks, &FileTrack::artist);
        result.spineText
            = storedText(artist.isEmpty() ? album : artist + QStringLiteral(" - ") + album);
    }
    return result;
}
