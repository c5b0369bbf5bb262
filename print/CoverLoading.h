#pragma once

#include "document/CoverDocument.h"
#include "render/MemoryPictureSource.h"

#include <QString>
#include <memory>

// A cover read for a command that only draws or reports it (the exports, a
// thumbnail): read as a new cover would be, defaults first, with the user's
// settings left alone.
struct LoadedCover {
    CoverDocument document;
    // The pictures when read with keepPicturesInMemory; null otherwise (the
    // paths then name the picture copies).
    std::shared_ptr<MemoryPictureSource> pictures;
};

struct CoverLoadOptions {
    int referenceDpi = 96;
    bool keepPicturesInMemory = false;
    // False: the defaults a file leaves unset are a standard CD's, and the
    // settings store is not even read (a thumbnailer runs without a home).
    bool defaultsFromSettings = true;
};

// False with a message for the user ("no such cover: …", "…: This is not a
// valid cover file…") when the file cannot be used.
bool loadCover(
    const QString &path, const CoverLoadOptions &options, LoadedCover &cover, QString &error);
