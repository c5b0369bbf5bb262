#include "AudioFolderImport.h"

#include "AudioFileInfo.h"
#include "CoverTextCheck.h"
#include "DisplayText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <numeric>
#include <utility>

#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/opusfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/tstring.h>
#include <taglib/vorbisfile.h>
#include <taglib/xiphcomment.h>

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

// The first value of `key` (in capitals, as TagLib keeps keys) in a map of
// TagLib's, or empty.
QString firstValue(const TagLib::SimplePropertyMap &fields, const TagLib::String &key)
{
    const auto found = fields.find(key);
    if (found == fields.end() || found->second.isEmpty())
        return {};
    return AudioFileInfo::fromTagLib(found->second.front());
}

// The Xiph comment that File::properties() would be made from, or null
// when it would be made otherwise. Making that map of every field costs
// about as much as reading a small file, for two values looked up in it.
const TagLib::Ogg::XiphComment *xiphProperties(TagLib::File *file)
{
    // A FLAC file's properties are those of its first tag that holds
    // anything, and the Xiph comment comes before ID3.
    if (auto *flac = dynamic_cast<TagLib::FLAC::File *>(file)) {
        return flac->hasXiphComment() && !flac->xiphComment()->isEmpty() ? flac->xiphComment()
                                                                         : nullptr;
    }
    if (auto *vorbis = dynamic_cast<TagLib::Ogg::Vorbis::File *>(file))
        return vorbis->tag();
    if (auto *opus = dynamic_cast<TagLib::Ogg::Opus::File *>(file))
        return opus->tag();
    return nullptr;
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
    // The length in the headers is all a listing shows (to the second):
    // the quickest reading that still gives it.
    const TagLib::FileRef ref(name.constData(), true, TagLib::AudioProperties::Fast);
    if (ref.isNull() || !ref.audioProperties())
        return false;
    out.milliseconds = ref.audioProperties()->lengthInMilliseconds();
    if (out.milliseconds <= 0)
        return false;
    if (const TagLib::Tag *tag = ref.tag()) {
        out.title = AudioFolderImport::cellText(AudioFileInfo::fromTagLib(tag->title()));
        out.album = AudioFolderImport::cellText(AudioFileInfo::fromTagLib(tag->album()));
        out.artist = AudioFolderImport::cellText(AudioFileInfo::fromTagLib(tag->artist()));
        out.track = tag->track();
    }
    static const TagLib::String albumArtistKey("ALBUMARTIST"), discKey("DISCNUMBER");
    const auto readMore = [&out](const TagLib::SimplePropertyMap &fields) {
        out.albumArtist = AudioFolderImport::cellText(firstValue(fields, albumArtistKey));
        out.disc = leadingNumber(firstValue(fields, discKey), 1);
    };
    if (const TagLib::Ogg::XiphComment *xiph = xiphProperties(ref.file()))
        readMore(xiph->fieldListMap());
    else
        readMore(ref.file()->properties());
    return true;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// QChar::toCaseFolded(), without a table look-up for the ASCII letters
// that most file names are made of.
QChar caseFolded(QChar c)
{
    if (c.unicode() >= 0x80)
        return c.toCaseFolded();
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        return QChar(char16_t(c.unicode() + 0x20));
    return c;
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
    // Put together by hand: one call per track of a large folder.
    const auto twoDigits = [](qint64 n) {
        const QChar digits[2] = {QChar(char16_t(u'0' + n / 10)), QChar(char16_t(u'0' + n % 10))};
        return QString(digits, 2);
    };
    if (hours == 0)
        return QString::number(minutes) + QLatin1Char(':') + twoDigits(seconds % 60);
    return QString::number(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':')
        + twoDigits(seconds % 60);
}

QString AudioFolderImport::titleFromFileName(const QString &fileName)
{
    // The name up to its last dot, as QFileInfo::completeBaseName() has it,
    // without a QFileInfo per track.
    const QStringView name = QStringView(fileName).mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = (dot < 0 ? name : name.left(dot)).toString();
    // "01 - ", "01. ", "01_", "1-01 " (disc and track): a number followed
    // by separators; a name that is only a number stays as it is. Only a
    // name that starts with a digit can match.
    static const QRegularExpression leadingNumber(
        QStringLiteral("^[0-9]+(?:[-.][0-9]+)?(?:[\\s._)-]+|$)"));
    if (stem.isEmpty() || !isAsciiDigit(stem.front()))
        return cellText(stem);
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
        const QChar ca = caseFolded(a[i]), cb = caseFolded(b[j]);
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
    // Most tags need nothing done: no control character (C0, DEL and C1),
    // no line or paragraph separator, nothing to trim, and no "]" that
    // could end one of the cover file's tags. They are kept as they are,
    // without a copy.
    const auto plain = [](QChar c) {
        const char16_t u = c.unicode();
        return u >= 0x20 && (u < 0x7F || u > 0x9F) && u != 0x2028 && u != 0x2029 && u != u']';
    };
    if (tagText.isEmpty()
        || (!tagText.front().isSpace() && !tagText.back().isSpace()
            && std::all_of(tagText.cbegin(), tagText.cend(), plain)))
        return tagText;

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
    for (const QString &name : dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        if (isAudioFileName(name))
            names << name;
    }
    // In the order a listing of untagged files has: read in this order,
    // the tracks need no sorting by name afterwards.
    std::sort(names.begin(), names.end(),
        [](const QString &a, const QString &b) { return compareNames(a, b) < 0; });
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
    tracks.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        const QString path = dir.filePath(name);
        if (progress && !progress(int(i), int(names.size()), path)) {
            result.status = Status::Cancelled;
            return result;
        }
        FileTrack track;
        track.fileName = name;
        if (readFile(path, track))
            tracks << std::move(track);
        else
            result.unreadableFiles << name;
    }
    // The files were read in natural order of their names, so the tracks
    // and the unreadable files are in that order already; numbered tracks
    // are sorted by disc and track alone, which keeps that order among
    // equal numbers. Only the tracks' places move (a track is eight
    // strings).
    if (tracks.isEmpty())
        return result;
    const bool allNumbered = std::all_of(
        tracks.cbegin(), tracks.cend(), [](const FileTrack &t) { return t.track > 0; });
    QList<qsizetype> order(tracks.size());
    std::iota(order.begin(), order.end(), 0);
    if (allNumbered) {
        std::stable_sort(order.begin(), order.end(), [&tracks](qsizetype i, qsizetype j) {
            const FileTrack &a = std::as_const(tracks)[i], &b = std::as_const(tracks)[j];
            return a.disc != b.disc ? a.disc < b.disc : a.track < b.track;
        });
    }

    result.rows.reserve(tracks.size());
    for (qsizetype i = 0; i < order.size(); ++i) {
        const FileTrack &t = std::as_const(tracks)[order[i]];
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
