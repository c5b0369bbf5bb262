#pragma once

#include "TrackImport.h"

#include <QByteArray>
#include <QString>

// Playlists as tracks, one per entry: M3U and M3U8 ("#EXTINF:seconds,Artist
// - Title" before a path), PLS (FileN, TitleN, LengthN) and XSPF (location,
// title, creator, duration in ms). What an entry does not say is taken
// from its audio file's tags (readAudioFiles); an entry without a title
// whose file cannot be read is titled by the file's name.
class PlaylistReader {
public:
    // By the extension of `path`: .pls, .xspf, else M3U.
    static TrackImport read(const QString &path);

    // `bytes` as the playlist at `path` (the folder of relative entries and
    // the name in messages).
    static TrackImport parseM3u(const QByteArray &bytes, const QString &path);
    static TrackImport parsePls(const QByteArray &bytes, const QString &path);
    static TrackImport parseXspf(const QByteArray &bytes, const QString &path);
};
