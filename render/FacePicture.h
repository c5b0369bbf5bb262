#pragma once

#include "document/PicturePlacement.h"

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <memory>

class DeviceContext;
class QImage;

// Pictures named by a face: decoded by FreeImage in the format the path's
// extension names, alive for one render only.
class FacePicture;

struct FacePictureDeleter {
    void operator()(FacePicture *picture) const;
};
using FacePicturePtr = std::unique_ptr<FacePicture, FacePictureDeleter>;

// FreeImage format id chosen for a path by the extension table (the last
// matching row wins); -1 when no row matches.
int pictureFormatForPath(const QByteArray &path);

// Decodes the picture at `path`; null for an empty path, an unknown
// extension, a missing, damaged or oversized file, or a file whose content is
// not of the format its extension names. Pictures are untrusted: dimensions
// are checked from the header before any pixel is decoded.
FacePicturePtr LoadFacePicture(const QByteArray &path);

// The same picture, decoded for a known destination of `targetPixels` device
// pixels: a JPEG much larger than that is decoded at 1/2, 1/4 or 1/8 of its
// size by the JPEG codec itself, never below the target size in either
// direction, so a stretched draw into that destination still has at least one
// decoded pixel per device pixel. Other formats, and an empty target, decode
// at full size.
FacePicturePtr LoadFacePicture(const QByteArray &path, QSize targetPixels);

// The same decode of bytes already in memory, in the format `formatId` (as
// pictureFormatForPath gives it); what the fuzzer drives.
FacePicturePtr decodeFacePicture(int formatId, const QByteArray &bytes, QSize targetPixels);

// `box` measured in device pixels of the painter's device (its world
// transform applied); what the overload above wants as its target.
QSize devicePixelSize(DeviceContext &dc, const QRect &box);

// Draws the whole picture stretched into `box` (no aspect ratio kept,
// sampled smooth). `background` is the colour transparent pixels are
// composed over (the face's background, 0x00BBGGRR).
void DrawPictureStretched(DeviceContext &dc, const QRect &box, const FacePicture &picture,
    uint32_t background = 0xFFFFFF);

// Draws the picture on `box` as `placement` says (see framePicture); a
// stretched, unturned picture draws exactly as DrawPictureStretched.
void DrawPicturePlaced(DeviceContext &dc, const QRect &box, const FacePicture &picture,
    const PicturePlacement &placement, uint32_t background = 0xFFFFFF, bool round = false);

void ReleaseFacePicture(FacePicturePtr &picture);

// Width and height in pixels of a decoded picture.
QSize facePictureSize(const FacePicture &picture);

// Whole picture as a QImage (for thumbnails and tests).
QImage facePictureToImage(const FacePicture &picture, uint32_t background = 0xFFFFFF);

// FreeImage is initialised once for the process (and silenced on stderr).
// Objects may nest: the library is initialised by the first one alive and
// shut down when the last one goes.
class PictureLibrary {
public:
    PictureLibrary();
    ~PictureLibrary();
    PictureLibrary(const PictureLibrary &) = delete;
    PictureLibrary &operator=(const PictureLibrary &) = delete;
};
