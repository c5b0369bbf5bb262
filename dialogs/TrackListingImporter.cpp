#include "TrackListingImporter.h"

#include "ImportRunner.h"
#include "document/AudioCdReader.h"
#include "document/AudioFolderImport.h"
#include "document/DisplayText.h"
#include "document/TrackImport.h"
#include "widgets/UiHost.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

namespace {

// Names in a list of files; the rest are counted.
constexpr int kListed = 15;
// More audio files than this in a folder ask first: they take a while to
// read, and are seldom one disc.
constexpr int kAskAbove = 500;

QString folderCaption()
{
    return QStringLiteral("Import Folder");
}

QString listCaption()
{
    return QStringLiteral("Import CUE Sheet or Playlist");
}

// Where the choosers start: the last folder imported from in this run, else
// the music folder.
QString &lastImportFolder()
{
    static QString folder;
    return folder;
}

QString importStartFolder()
{
    if (!lastImportFolder().isEmpty())
        return lastImportFolder();
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return QDir(music).exists() ? music : QDir::homePath();
}

QString listed(const QStringList &lines)
{
    QStringList shown = lines.mid(0, kListed);
    if (lines.size() > kListed)
        shown << QStringLiteral("and %1 more").arg(lines.size() - kListed);
    return shown.join(QLatin1Char('\n'));
}

} // namespace

TrackListingImporter::TrackListingImporter(QWidget *owner, Listing listing)
    : QObject(owner)
    , m_owner(owner)
    , m_listing(std::move(listing))
{
    m_runner = new ImportRunner(owner, QStringLiteral("Import Tracks"));
    m_menu = new QMenu(owner);
    connect(m_menu->addAction(QStringLiteral("Folder\u2026")), &QAction::triggered, this,
        &TrackListingImporter::importFolder);
    connect(m_menu->addAction(QStringLiteral("CUE Sheet or Playlist\u2026")), &QAction::triggered,
        this, &TrackListingImporter::importListFile);
    connect(m_menu->addAction(QStringLiteral("Audio CD")), &QAction::triggered, this,
        &TrackListingImporter::importAudioCd);
}

bool TrackListingImporter::canImport(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() || (info.isFile() && TrackImport::isImportFileName(path));
}

bool TrackListingImporter::importPath(const QString &path)
{
    if (!canImport(path) || m_runner->isRunning())
        return false;
    lastImportFolder() = QFileInfo(path).isDir() ? path : QFileInfo(path).absolutePath();
    if (QFileInfo(path).isDir())
        fromFolder(path);
    else
        fromListFile(path);
    return true;
}

void TrackListingImporter::importFolder()
{
    if (m_runner->isRunning())
        return;
    const QString folder
        = UiHost::instance().existingFolder(m_owner, folderCaption(), importStartFolder());
    if (folder.isEmpty())
        return;
    lastImportFolder() = folder;
    fromFolder(folder);
}

void TrackListingImporter::importListFile()
{
    if (m_runner->isRunning())
        return;
    const QString path
        = UiHost::instance().openFileName(m_owner, listCaption(), importStartFolder(),
            QStringLiteral("CUE Sheets and Playlists (*.cue *.m3u *.m3u8 *.pls *.xspf)"));
    if (path.isEmpty())
        return;
    lastImportFolder() = QFileInfo(path).absolutePath();
    fromListFile(path);
}

void TrackListingImporter::tell(const QString &text, const QString &caption)
{
    UiHost::instance().message(
        m_owner, text, caption, UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
}

bool TrackListingImporter::replaceAfterAsking(
    const QList<TrackRow> &rows, const QByteArray &spineText)
{
    const int held = m_listing.trackCount();
    if (held > 0) {
        const QString question = held == 1
            ? QStringLiteral("Replace the track in the listing?")
            : QStringLiteral("Replace the %1 tracks in the listing?").arg(held);
        if (UiHost::instance().message(m_owner, question, QStringLiteral("Import Tracks"),
                UiHost::Buttons::YesNo, UiHost::Icon::Question)
            != UiHost::Answer::Yes)
            return false;
    }
    m_listing.replace(rows, spineText);
    return true;
}

void TrackListingImporter::fromFolder(const QString &folder)
{
    const QString shownFolder = QDir::toNativeSeparators(folder);
    const qsizetype count = AudioFolderImport::audioFileNames(folder).size();
    if (count > kAskAbove
        && UiHost::instance().message(m_owner,
               QStringLiteral("The folder \"%1\" holds %2 audio files. Reading them all takes a "
                              "while. Read them?")
                   .arg(shownFolder)
                   .arg(count),
               folderCaption(), UiHost::Buttons::YesNo, UiHost::Icon::Question)
            != UiHost::Answer::Yes)
        return;
    AudioFolderImport found;
    const bool read = m_runner->run([&found, &folder](const ImportRunner::Progress &progress) {
        found = AudioFolderImport::read(folder, progress);
    });
    if (!read)
        return;
    switch (found.status) {
    case AudioFolderImport::Status::Cancelled: return;
    case AudioFolderImport::Status::FolderUnreadable:
        tell(QStringLiteral("The folder \"%1\" cannot be read.").arg(shownFolder), folderCaption());
        return;
    case AudioFolderImport::Status::NoAudioFiles:
        tell(QStringLiteral("There are no audio files in the folder \"%1\".\n\nTracks are read "
                            "from %2 files.")
                 .arg(shownFolder, AudioFolderImport::formatNames()),
            folderCaption());
        return;
    case AudioFolderImport::Status::Ok: break;
    }
    if (found.rows.isEmpty()) {
        tell(QStringLiteral("None of the audio files in the folder could be read:\n\n%1")
                 .arg(listed(found.unreadableFiles)),
            folderCaption());
        return;
    }
    if (!replaceAfterAsking(found.rows, found.spineText))
        return;
    if (!found.unreadableFiles.isEmpty()) {
        tell(QStringLiteral("These files could not be read and were left out:\n\n%1")
                 .arg(listed(found.unreadableFiles)),
            folderCaption());
    }
}

void TrackListingImporter::fromListFile(const QString &path)
{
    TrackImport found;
    const bool read = m_runner->run([&found, &path](const ImportRunner::Progress &progress) {
        found = TrackImport::readFile(path, progress);
    });
    if (!read || found.cancelled)
        return;
    if (!found.ok) {
        tell(QStringLiteral("No tracks could be read:\n\n%1").arg(listed(found.problems)),
            listCaption());
        return;
    }
    if (!replaceAfterAsking(found.rows(), storedText(found.spineText())))
        return;
    if (!found.problems.isEmpty()) {
        tell(QStringLiteral("The tracks were read, with these problems:\n\n%1")
                 .arg(listed(found.problems)),
            listCaption());
    }
}

void TrackListingImporter::importAudioCd()
{
    if (m_runner->isRunning())
        return;
    // A drive may take seconds to spin up and read the disc's contents.
    TrackImport found;
    const QString source = m_cdSource;
    if (!m_runner->run([&found, &source](const ImportRunner::Progress &) {
            found = AudioCdReader::read(source);
        }))
        return;
    if (!found.ok) {
        tell(found.problems.join(QLatin1Char('\n')), QStringLiteral("Import Audio CD"));
        return;
    }
    replaceAfterAsking(found.rows(), storedText(found.spineText()));
}
