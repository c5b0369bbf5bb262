#pragma once

#include "TrackImport.h"

#include <QByteArray>
#include <QString>

// A CUE sheet as tracks: one per TRACK, titled by its TITLE (a track alone
// in its FILE without one by the file's title tag, else the file's name),
// PERFORMER before the title when it is not the album's, lengths from one
// INDEX 01 to the next within a FILE. The last track of a FILE runs to the
// file's end, which only the audio file can tell (readAudioFiles).
class CueSheet {
public:
    // A disc holds at most 99 tracks; lines after the 99th are left out,
    // which also bounds what a damaged or hostile sheet can cost.
    static constexpr int kMaxTracks = 99;

    static TrackImport read(const QString &path);
    // `bytes` as the sheet at `path` (which names the folder of its FILEs
    // and the sheet in messages).
    static TrackImport parse(const QByteArray &bytes, const QString &path);

    // "mm:ss:ff" (75 frames a second) in frames; -1 when it is no time.
    static qint64 framesOf(const QString &time);
};
