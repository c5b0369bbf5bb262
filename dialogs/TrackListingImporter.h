#pragma once

#include "document/TrackListing.h"

#include <QObject>
#include <QStringList>
#include <functional>

class ImportRunner;
class QMenu;
class QWidget;

// The track listing editor's imports: from a folder of audio files, from a
// CUE sheet or a playlist, asked for through the Import button's menu or
// dropped on the editor. An import replaces the rows, after asking when the
// listing already holds tracks; every question and message goes through
// UiHost. A folder of more than 500 audio files asks first; the files are
// read off the window's thread (ImportRunner), and a cancelled import keeps
// nothing.
class TrackListingImporter : public QObject {
    Q_OBJECT
public:
    struct Listing {
        // Tracks the listing holds now (rows with a title or a length).
        std::function<int()> trackCount;
        // Replaces every row; `spineText` is empty when there is none.
        std::function<void(const QList<TrackRow> &rows, const QByteArray &spineText)> replace;
    };
    TrackListingImporter(QWidget *owner, Listing listing);

    // "Folder…", "CUE Sheet or Playlist…", "Audio CD".
    QMenu *menu() const { return m_menu; }
    // Reads the audio files off the window's thread, with progress.
    ImportRunner *runner() const { return m_runner; }

    void importFolder();
    void importListFile();
    // The disc in the default drive: titles from its CD-TEXT, lengths from
    // its table of contents.
    void importAudioCd();
    // Where importAudioCd reads: empty for the default drive, else a device
    // or a disc image (for tests).
    void setCdSource(const QString &source) { m_cdSource = source; }
    // A dropped folder, CUE sheet or playlist; false for anything else.
    bool importPath(const QString &path);
    static bool canImport(const QString &path);

private:
    void fromFolder(const QString &folder);
    void fromListFile(const QString &path);
    bool replaceAfterAsking(const QList<TrackRow> &rows, const QByteArray &spineText);
    void tell(const QString &text, const QString &caption);

    QWidget *m_owner;
    Listing m_listing;
    QMenu *m_menu = nullptr;
    ImportRunner *m_runner = nullptr;
    QString m_cdSource;
};
