#include "FileCommands.h"

#include "document/CoverFile.h"
#include "document/CoverSession.h"
#include "document/DisplayText.h"
#include "document/ProductInfo.h"
#include "widgets/UiHost.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString existingFolder(QStandardPaths::StandardLocation location, const QString &fallback)
{
    const QString folder = QStandardPaths::writableLocation(location);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return fallback;
}

} // namespace

FileCommands::FileCommands(QWidget *parent, CoverSession &session)
    : m_parent(parent)
    , m_session(session)
{
}

QString FileCommands::saveChangesText()
{
    return QStringLiteral("You have made changes to your cover, would you like to save the cover?");
}

QString FileCommands::saveChangesCaption()
{
    return QStringLiteral("Save");
}

QString FileCommands::overwriteText()
{
    return QStringLiteral(
        "A cover with this name already exists. Would you like to overwrite this cover?");
}

QString FileCommands::overwriteCaption()
{
    return QStringLiteral("Overwrite?");
}

QString FileCommands::missingPicturesText(const QStringList &pictures)
{
    QStringList names;
    for (const QString &p : pictures)
        names << QDir::toNativeSeparators(p);
    return QStringLiteral("Your cover was saved, but without these pictures, which could not be "
                          "found or read:\n\n%1\n\nThe faces that show them are saved without a "
                          "picture.")
        .arg(names.join(QLatin1Char('\n')));
}

QString FileCommands::withCoverExtension(const QString &path)
{
    // Deliberately a case-sensitive search anywhere in the path, so that
    // "COVER.ZCV" becomes "COVER.ZCV.zcv" and "a.zcv.old" stays as it is.
    if (path.contains(ProductInfo::coverExtension(), Qt::CaseSensitive))
        return path;
    return path + ProductInfo::coverExtension();
}

FileCommands::Go FileCommands::askSaveChanges()
{
    if (!m_session.isModified())
        return Go::DontSave;
    switch (UiHost::instance().message(m_parent, saveChangesText(), saveChangesCaption(),
        UiHost::Buttons::YesNo, UiHost::Icon::Question)) {
    case UiHost::Answer::Yes: return Go::Save;
    case UiHost::Answer::No: return Go::DontSave;
    default: return Go::Stop;
    }
}

bool FileCommands::querySave()
{
    m_saveCancelled = false;
    switch (askSaveChanges()) {
    case Go::DontSave: return true;
    case Go::Stop: return false;
    case Go::Save: break;
    }
    save();
    return !m_session.isModified();
}

std::optional<int> FileCommands::newCover()
{
    if (!querySave())
        return std::nullopt;
    m_session.discardChanges();
    // New starts a new cover: without this, a cover saved in this run would
    // be read straight back instead of asking for the next cover's type.
    m_session.setFilePath(QString());
    return kResultStartOver;
}

QString FileCommands::fileNameFromTitle(const QString &title)
{
    QString name;
    for (const QChar c : title) {
        // Path separators, the characters other systems forbid, and
        // controls (a title's line breaks) become spaces.
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            name += QLatin1Char(' ');
        else
            name += c;
    }
    name = name.simplified();
    // A leading dot would hide the file.
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.left(100).trimmed();
    return name.isEmpty() ? QStringLiteral("cover") : name;
}

void FileCommands::save()
{
    m_saveCancelled = false;
    const QString own = m_session.coverPath();
    if (own.isEmpty()) {
        saveAs();
        return;
    }
    writeTo(own);
}

void FileCommands::saveAs()
{
    m_saveCancelled = false;
    const QString own = m_session.coverPath();
    const QString startPath = !own.isEmpty()
        ? own
        : QDir(existingFolder(QStandardPaths::DesktopLocation, QDir::homePath()))
              .filePath(withCoverExtension(
                  fileNameFromTitle(displayText(m_session.document().fCoverTitle))));

    const QString chosen = UiHost::instance().saveFileName(
        m_parent, QStringLiteral("Save As"), startPath, ProductInfo::coverFileFilter());
    if (chosen.isEmpty()) {
        m_saveCancelled = true;
        m_session.setFilePath(QString());
        return;
    }

    const QString path = withCoverExtension(chosen);
    // Anything but Yes, a dismissed question too, keeps the other cover.
    if (QFileInfo::exists(path)
        && UiHost::instance().message(m_parent, overwriteText(), overwriteCaption(),
               UiHost::Buttons::YesNo, UiHost::Icon::Question)
            != UiHost::Answer::Yes)
        return;
    writeTo(path);
}

void FileCommands::writeTo(const QString &path)
{
    const CoverWriteResult written = writeCoverFile(m_session.document(), path);
    if (!written.ok) {
        // The writer leaves whatever was at `path` untouched; the cover stays
        // unsaved so that closing still asks for it.
        UiHost::instance().message(m_parent,
            QStringLiteral("Your cover could not be saved as \"%1\".\n\n%2")
                .arg(QDir::toNativeSeparators(path), written.reason),
            QStringLiteral("Save"), UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
        return;
    }
    m_session.markSaved(path);
    if (!written.missingPictures.isEmpty())
        UiHost::instance().message(m_parent, missingPicturesText(written.missingPictures),
            QStringLiteral("Save"), UiHost::Buttons::Ok, UiHost::Icon::Information);
}

std::optional<int> FileCommands::load()
{
    if (!querySave())
        return std::nullopt;
    const QString startPath = m_session.filePath().isEmpty()
        ? existingFolder(QStandardPaths::DocumentsLocation, QStringLiteral("/"))
        : m_session.filePath();

    const QString chosen = UiHost::instance().openFileName(
        m_parent, QStringLiteral("Open"), startPath, ProductInfo::coverFileFilter());
    if (chosen.isEmpty()) {
        m_session.setFilePath(QString());
        return std::nullopt;
    }

    const QString path = withCoverExtension(chosen);
    if (!QFileInfo(path).isFile())
        return std::nullopt; // nothing to open; the cover in the window stays as it is
    m_session.discardChanges();
    m_session.setFilePath(path);
    return kResultStartOver;
}

std::optional<int> FileCommands::close()
{
    if (!querySave())
        return std::nullopt;
    m_session.setFilePath(QString());
    return kResultQuit;
}
