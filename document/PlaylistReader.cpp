#include "PlaylistReader.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

// Playlists longer than this are not lists of one disc's tracks; the rest
// is left out so that a huge file cannot flood the grid.
constexpr qsizetype kMaxEntries = 5000;

bool isRemote(const QString &entry)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://"));
    return scheme.match(entry).hasMatch()
        && !entry.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

// A track for an entry; what it does not give comes from the file.
ImportedTrack entryTrack(const QString &folder, const QString &location, const QString &title,
    const QString &performer, qint64 milliseconds)
{
    ImportedTrack t;
    t.title = title.trimmed();
    t.performer = performer.trimmed();
    t.milliseconds = milliseconds > 0 ? milliseconds : -1;
    if (isRemote(location)) {
        // A stream: nothing to read; its name stands for a missing title.
        if (t.title.isEmpty())
            t.title = QUrl(location).fileName();
        if (t.title.isEmpty())
            t.title = location;
        return t;
    }
    t.file = TrackImport::resolvePath(folder, location);
    t.titleFromFile = t.title.isEmpty();
    t.performerFromFile = t.title.isEmpty() && t.performer.isEmpty();
    t.lengthFromFile = t.milliseconds < 0;
    return t;
}

TrackImport finished(TrackImport result, const QString &path, bool cut)
{
    const QString name = QFileInfo(path).fileName();
    if (cut) {
        result.problems << QStringLiteral("\"%1\" holds more than %2 entries; the rest were "
                                          "left out.")
                               .arg(name)
                               .arg(kMaxEntries);
    }
    result.ok = !result.tracks.isEmpty();
    if (!result.ok)
        result.problems << QStringLiteral("\"%1\" holds no tracks.").arg(name);
    return result;
}

qint64 secondsToMs(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(-?[0-9]{1,9})(?:\\.[0-9]*)?"));
    const QRegularExpressionMatch m = number.match(text);
    return m.hasMatch() ? m.captured(1).toLongLong() * 1000 : -1;
}

} // namespace

TrackImport PlaylistReader::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TrackImport::unreadable(
            path, QStringLiteral("cannot be read: ") + file.errorString());
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pls"))
        return parsePls(bytes, path);
    if (suffix == QLatin1String("xspf"))
        return parseXspf(bytes, path);
    return parseM3u(bytes, path);
}

TrackImport PlaylistReader::parseM3u(const QByteArray &bytes, const QString &path)
{
    TrackImport result;
    const QString folder = QFileInfo(path).absolutePath();
    const QString text = TrackImport::decodeText(bytes);
    bool haveInfo = false;
    QString infoTitle;
    qint64 infoMs = -1;
    bool cut = false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1String("#EXTINF:"), Qt::CaseInsensitive)) {
            // "#EXTINF:245,Artist - Title"; the duration may carry
            // attributes after it, the title may hold commas.
            const QStringView info = line.mid(8);
            const qsizetype comma = info.indexOf(QLatin1Char(','));
            infoMs = secondsToMs(info.left(comma < 0 ? info.size() : comma).toString());
            infoTitle = comma < 0 ? QString() : info.mid(comma + 1).toString();
            haveInfo = true;
            continue;
        }
        if (line.startsWith(QLatin1Char('#')))
            continue;
        if (result.tracks.size() == kMaxEntries) {
            cut = true;
            break;
        }
        result.tracks << entryTrack(folder, line.toString(), haveInfo ? infoTitle : QString(),
            QString(), haveInfo ? infoMs : -1);
        haveInfo = false;
    }
    return finished(result, path, cut);
}

TrackImport PlaylistReader::parsePls(const QByteArray &bytes, const QString &path)
{
    struct Entry {
        QString file, title;
        qint64 ms = -1;
    };
    QMap<int, Entry> entries;
    const QString folder = QFileInfo(path).absolutePath();
    const QString text = TrackImport::decodeText(bytes);
    static const QRegularExpression keyed(
        QStringLiteral("^(File|Title|Length)([0-9]{1,6})\\s*=(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    bool cut = false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = keyed.match(line.trimmed().toString());
        if (!m.hasMatch())
            continue;
        const int n = m.captured(2).toInt();
        if (!entries.contains(n) && entries.size() == kMaxEntries) {
            cut = true;
            continue;
        }
        Entry &e = entries[n];
        const QString key = m.captured(1).toLower();
        if (key == QLatin1String("file"))
            e.file = m.captured(3).trimmed();
        else if (key == QLatin1String("title"))
            e.title = m.captured(3);
        else
            e.ms = secondsToMs(m.captured(3));
    }
    TrackImport result;
    for (const Entry &e : std::as_const(entries)) {
        if (!e.file.isEmpty())
            result.tracks << entryTrack(folder, e.file, e.title, QString(), e.ms);
    }
    return finished(result, path, cut);
}

TrackImport PlaylistReader::parseXspf(const QByteArray &bytes, const QString &path)
{
    TrackImport result;
    const QString folder = QFileInfo(path).absolutePath();
    QXmlStreamReader xml(bytes);
    bool inTrack = false, cut = false;
    QString location, title, creator;
    qint64 ms = -1;
    while (!xml.atEnd() && !cut) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (name == QLatin1String("track")) {
                inTrack = true;
                location.clear();
                title.clear();
                creator.clear();
                ms = -1;
            } else if (inTrack && name == QLatin1String("location") && location.isEmpty()) {
                location = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            } else if (inTrack && name == QLatin1String("title")) {
                title = xml.readElementText(QXmlStreamReader::SkipChildElements);
            } else if (inTrack && name == QLatin1String("creator")) {
                creator = xml.readElementText(QXmlStreamReader::SkipChildElements);
            } else if (inTrack && name == QLatin1String("duration")) {
                bool ok = false;
                const qint64 value = xml.readElementText(QXmlStreamReader::SkipChildElements)
                                         .trimmed()
                                         .toLongLong(&ok);
                ms = ok ? value : -1;
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("track")) {
            inTrack = false;
            if (result.tracks.size() == kMaxEntries) {
                cut = true;
            } else if (!location.isEmpty() || !title.isEmpty()) {
                // A location is a URL; a relative one names a file beside the list.
                const QUrl url(location);
                const QString entry
                    = url.isRelative() ? QUrl::fromPercentEncoding(location.toUtf8()) : location;
                ImportedTrack t = entryTrack(folder, entry, title, creator, ms);
                if (location.isEmpty())
                    t.file.clear();
                result.tracks << t;
            }
        }
    }
    if (xml.hasError() && !cut) {
        return TrackImport::unreadable(path,
            QStringLiteral("is not a playlist that can be read (line %1: %2)")
                .arg(xml.lineNumber())
                .arg(xml.errorString()));
    }
    return finished(result, path, cut);
}
