#pragma once

#include "TrackListing.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The tracks of a folder of audio files (the formats of formatNames()) as
// track listing rows, read from their tags and audio
// properties. Only the files directly in the folder are read.
struct AudioFolderImport {
    enum class Status {
        Ok, // `rows` may still be empty when no file could be read
        NoAudioFiles,
        FolderUnreadable,
        Cancelled, // the progress callback stopped the reading; nothing kept
    };
    Status status = Status::Ok;
    // Number "1.", "2.", ..., title, length ("m:ss", "h:mm:ss" from an
    // hour), as the document stores text, all cells in one encoding (UTF-8
    // when a title needs it). Ordered by disc and track number
    // when every file has a track number, else by file name in natural order.
    QList<TrackRow> rows;
    // "ARTIST - ALBUM" (or the album alone) when every file names the same
    // album; else empty.
    QByteArray spineText;
    // Audio files that could not be opened, have no audio properties or a
    // length of 0, by name. (A raw ".aac" stream is among them: TagLib reads
    // AAC from M4A files only.)
    QStringList unreadableFiles;

    // Called before each file with the files read so far, their number and
    // the file's path; false stops the reading.
    using Progress = std::function<bool(int done, int total, const QString &file)>;
    static AudioFolderImport read(const QString &folder, const Progress &progress = {});
    // The audio files directly in the folder, by name in natural order
    // (compareNames), hidden ones left out.
    static QStringList audioFileNames(const QString &folder);

    // Whether a file name has one of the extensions read (any case).
    static bool isAudioFileName(const QString &fileName);
    // The formats read, for messages.
    static QString formatNames();
    // Milliseconds rounded to the nearest second: "3:05", "1:02:03".
    static QString lengthText(qint64 milliseconds);
    // The title a file without a title tag gets: its name without the
    // extension and without a leading track number ("01 - Intro.mp3" is
    // "Intro"); the whole name when nothing else is left.
    static QString titleFromFileName(const QString &fileName);
    // Natural order of names: runs of digits compare by value ("2" before
    // "10"), the rest without regard to case. Negative, 0 or positive.
    static int compareNames(const QString &a, const QString &b);
    // Text from a tag as a cell may hold it: one line (line breaks and
    // other control characters become spaces), trimmed, and without
    // anything that reads as one of the cover file's tags.
    static QString cellText(const QString &tagText);
};
