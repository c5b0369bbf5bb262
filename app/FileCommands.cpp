#include "FileCommands.h"

#include "ProductInfo.h"
#include "document/CoverFile.h"
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

FileCommands::FileCommands(QWidget *parent, const CoverDocument &doc, CoverWindowState &state)
    : m_parent(parent)
    , m_doc(doc)
    , m_state(state)
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

QString FileCommands::withCoverExtension(const QString &path)
{
    // Deliberately a case-sensitive search anywhere in the path, so that
    // "COVER.ZCV" becomes "COVER.ZCV.zcv" and "a.zcv.old" stays as it is.
    if (path.contains(ProductInfo::coverExtension(), Qt::CaseSensitive))
        return path;
    return path + ProductInfo::coverExtension();
}

bool FileCommands::askSaveChanges()
{
    return UiHost::instance().message(m_parent, saveChangesText(), saveChangesCaption(),
               UiHost::Buttons::YesNo, UiHost::Icon::Question)
        == UiHost::Answer::Yes;
}

bool FileCommands::querySave()
{
    m_state.saveCancelled = false;
    if (!m_state.modified)
        return true;
    if (!askSaveChanges())
        return true;
    save();
    return !m_state.modified;
}

std::optional<int> FileCommands::newCover()
{
    m_state.saveCancelled = false;
    if (m_state.modified && askSaveChanges()) {
        save();
        if (m_state.modified || m_state.saveCancelled)
            return std::nullopt;
    }
    m_state.modified = false;
    // New starts a new cover: without this, a cover saved in this run would
    // be read straight back instead of asking for the next cover's type.
    m_state.filePath.clear();
    return kResultStartOver;
}

void FileCommands::save()
{
    const QString previousPath = m_state.filePath;
    if (m_state.filePath.isEmpty())
        m_state.filePath = existingFolder(QStandardPaths::DesktopLocation, QDir::homePath());

    const QString chosen = UiHost::instance().saveFileName(
        m_parent, QStringLiteral("Save As"), m_state.filePath, ProductInfo::coverFileFilter());
    if (chosen.isEmpty()) {
        m_state.saveCancelled = true;
        m_state.filePath.clear();
        return;
    }

    const QString path = withCoverExtension(chosen);
    if (QFileInfo::exists(path)
        && UiHost::instance().message(m_parent, overwriteText(), overwriteCaption(),
               UiHost::Buttons::YesNo, UiHost::Icon::Question)
            != UiHost::Answer::Yes) {
        m_state.filePath = previousPath;
        return;
    }

    const CoverWriteResult written = writeCoverFile(m_doc, path);
    if (!written.ok) {
        // The writer leaves whatever was at `path` untouched; the cover stays
        // unsaved so that closing still asks for it.
        m_state.filePath = previousPath;
        m_state.modified = true;
        UiHost::instance().message(m_parent,
            QStringLiteral("Your cover could not be saved as \"%1\".\n\n%2")
                .arg(QDir::toNativeSeparators(path), written.reason),
            QStringLiteral("Save"), UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
        return;
    }
    m_state.filePath = path;
    m_state.modified = false;
    m_state.saveCancelled = false;
}

std::optional<int> FileCommands::load()
{
    if (!querySave())
        return std::nullopt;
    if (m_state.filePath.isEmpty())
        m_state.filePath = existingFolder(QStandardPaths::DocumentsLocation, QStringLiteral("/"));

    const QString chosen = UiHost::instance().openFileName(
        m_parent, QStringLiteral("Open"), m_state.filePath, ProductInfo::coverFileFilter());
    if (chosen.isEmpty()) {
        m_state.filePath.clear();
        return std::nullopt;
    }

    const QString path = withCoverExtension(chosen);
    if (!QFileInfo(path).isFile())
        return std::nullopt; // nothing to open; the cover in the window stays as it is
    m_state.modified = false;
    m_state.filePath = path;
    return kResultStartOver;
}

std::optional<int> FileCommands::close()
{
    m_state.saveCancelled = false;
    if (m_state.modified && askSaveChanges()) {
        save();
        if (m_state.modified)
            return std::nullopt;
    }
    m_state.filePath.clear();
    return kResultQuit;
}
