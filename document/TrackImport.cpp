#include "TrackImport.h"

#include "AudioFileInfo.h"
#include "AudioFolderImport.h"
#include "CueSheet.h"
#include "DisplayText.h"
#include "PlaylistReader.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QUrl>

TrackImport TrackImport::readFile(const QString &path, const Progress &progress)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    TrackImport result
        = suffix == QLatin1String("cue") ? CueSheet::read(path) : PlaylistReader::read(path);
    if (result.ok)
        result.readAudioFiles(progress);
    return result;
}

bool TrackImport::isImportFileName(const QString &fileName)
{
    static const QStringList suffixes = {QStringLiteral("cue"), QStringLiteral("m3u"),
        QStringLiteral("m3u8"), QStringLiteral("pls"), QStringLiteral("xspf")};
    return suffixes.contains(QFileInfo(fileName).suffix(), Qt::CaseInsensitive);
}

QString TrackImport::decodeText(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(view);
}

TrackImport TrackImport::unreadable(const QString &path, const QString &why)
{
    TrackImport result;
    result.problems << QStringLiteral("\"%1\" %2.").arg(QFileInfo(path).fileName(), why);
    return result;
}

QString TrackImport::resolvePath(const QString &folder, const QString &entry)
{
    QString path = entry.trimmed();
    if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl(path).toLocalFile();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty())
        return {};
    const QString resolved = QDir::cleanPath(QDir(folder).absoluteFilePath(path));
    // Sheets and lists written elsewhere name their files by paths of that
    // machine ("C:\Music\Album\01.flac"); the file is often beside the list.
    if (!QFileInfo::exists(resolved)) {
        const QString beside = QDir(folder).filePath(path.section(QLatin1Char('/'), -1));
        if (QFileInfo::exists(beside))
            return beside;
    }
    return resolved;
}

QStringList TrackImport::filesToRead() const
{
    QStringList files;
    for (const ImportedTrack &t : tracks) {
        const bool needed = t.lengthFromFile || t.titleFromFile || t.performerFromFile;
        if (needed && !t.file.isEmpty() && !files.contains(t.file))
            files << t.file;
    }
    return files;
}

void TrackImport::readAudioFiles(const Progress &progress)
{
    const QStringList files = filesToRead();
    QHash<QString, AudioFileInfo> read;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (progress && !progress(int(i), int(files.size()), files[i])) {
            cancelled = true;
            return;
        }
        const AudioFileInfo info = AudioFileInfo::read(files[i]);
        if (!info.ok) {
            problems
                << QStringLiteral("\"%1\" %2.").arg(QFileInfo(files[i]).fileName(), info.reason);
        }
        read.insert(files[i], info);
    }
    if (progress)
        progress(int(files.size()), int(files.size()), QString());

    for (ImportedTrack &t : tracks) {
        if (t.file.isEmpty())
            continue;
        const AudioFileInfo info = read.value(t.file);
        if (t.titleFromFile && t.title.isEmpty()) {
            t.title = info.ok ? info.title.trimmed() : QString();
            if (t.title.isEmpty())
                t.title = AudioFolderImport::titleFromFileName(QFileInfo(t.file).fileName());
        }
        if (t.performerFromFile && info.ok)
            t.performer = info.artist.trimmed();
        if (t.lengthFromFile && info.ok && info.milliseconds > t.fileStart)
            t.milliseconds = info.milliseconds - t.fileStart;
        t.titleFromFile = t.performerFromFile = t.lengthFromFile = false;
    }
}

QList<TrackRow> TrackImport::rows() const
{
    QList<TrackRow> rows;
    for (qsizetype i = 0; i < tracks.size(); ++i) {
        const ImportedTrack &t = tracks[i];
        const QString performer = AudioFolderImport::cellText(t.performer);
        const QString title = AudioFolderImport::cellText(t.title);
        const QString shown = performer.isEmpty() || title.isEmpty()
            ? performer + title
            : performer + QStringLiteral(" - ") + title;
        const QString length
            = t.milliseconds < 0 ? QString() : AudioFolderImport::lengthText(t.milliseconds);
        rows << TrackRow{QByteArray::number(i + 1) + '.', storedText(shown), storedText(length)};
    }
    return inOneEncoding(rows);
}

QString TrackImport::spineText() const
{
    const QString p = AudioFolderImport::cellText(performer);
    const QString t = AudioFolderImport::cellText(title);
    return p.isEmpty() || t.isEmpty() ? p + t : p + QStringLiteral(" - ") + t;
}
