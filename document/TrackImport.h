#pragma once

#include "TrackListing.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Tracks read from a CUE sheet or a playlist, before and after the audio
// files they name were read for what the text left out.
struct ImportedTrack {
    QString title;
    // Shown before the title as "Performer - Title".
    QString performer;
    qint64 milliseconds = -1; // -1: unknown
    // The audio file behind the track, absolute; empty when there is none.
    QString file;
    // What the file is read for. A missing title falls back to the file's
    // title tag, else to its name.
    bool titleFromFile = false;
    // The file's artist tag as the performer, with the title from the file.
    bool performerFromFile = false;
    // The length is the file's from `fileStart` (ms) to its end.
    bool lengthFromFile = false;
    qint64 fileStart = 0;
};

struct TrackImport {
    // False: the source gave no tracks at all; `problems` says why.
    bool ok = false;
    QList<ImportedTrack> tracks;
    // The album's performer and title (CUE sheets), for the spine text.
    QString performer;
    QString title;
    // One message per thing that went wrong, each naming what it is about.
    QStringList problems;

    // Called before each file is read with the files read so far, their
    // number and the file's name; false stops reading (the import is then
    // abandoned: `cancelled` is set).
    using Progress = std::function<bool(int done, int total, const QString &file)>;

    // Reads a CUE sheet or playlist by its extension (.cue, .m3u, .m3u8,
    // .pls, .xspf) and then the audio files it names.
    static TrackImport readFile(const QString &path, const Progress &progress = {});
    static bool isImportFileName(const QString &fileName);
    // The text of a CUE sheet or playlist: UTF-8 (a byte order mark
    // dropped) when valid, else Windows-1252.
    static QString decodeText(const QByteArray &bytes);
    // What a file that cannot be read gives: ok false and the reason.
    static TrackImport unreadable(const QString &path, const QString &why);
    // A path in a CUE sheet or playlist, relative to its folder, with
    // backslashes taken as separators; "file:" URLs become paths. A path
    // that leads nowhere while a file of its name lies beside the list
    // means that file.
    static QString resolvePath(const QString &folder, const QString &entry);

    // The audio files the tracks need read, each once.
    QStringList filesToRead() const;
    // Reads them and fills in titles, performers and lengths; a file that
    // cannot be read is named in `problems` with the reason, once.
    void readAudioFiles(const Progress &progress = {});
    bool cancelled = false;

    // Rows as the editor holds them: "1.", "2.", ..., "Performer - Title"
    // cleaned as a cell may hold it, the length as "m:ss"; one encoding.
    QList<TrackRow> rows() const;
    // "PERFORMER - TITLE", the title alone, or empty.
    QString spineText() const;
};
