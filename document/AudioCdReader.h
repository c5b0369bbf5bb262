#pragma once

#include "TrackImport.h"

#include <QString>

// The tracks of an audio CD through libcdio: one per audio track, its
// length from the table of contents, titles and performers from CD-TEXT
// (a track without a title is "Track NN"); the disc's CD-TEXT title and
// performer as the album's. A missing drive, an empty drive and a disc
// without audio tracks each give their own message.
class AudioCdReader {
public:
    // `source`: empty for the default drive, a device ("/dev/sr1"), or a
    // disc image (".cue" with its BIN, cdrdao's ".toc").
    static TrackImport read(const QString &source = {});
};
