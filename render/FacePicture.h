#pragma once

#include <QByteArray>
#include <QRect>
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
// extension, a missing, damaged or oversized file.
FacePicturePtr LoadFacePicture(const QByteArray &path);

// Draws the whole picture stretched into `box` (no aspect ratio kept,
// nearest-neighbour sampling). `background` is the colour transparent
// pixels are composed over (the face's background, 0x00BBGGRR).
void DrawPictureStretched(DeviceContext &dc, const QRect &box, const FacePicture &picture,
                          uint32_t background = 0xFFFFFF);

void ReleaseFacePicture(FacePicturePtr &picture);

// Width and height in pixels of a decoded picture.
QSize facePictureSize(const FacePicture &picture);

// Whole picture as a QImage (for thumbnails and tests).
QImage facePictureToImage(const FacePicture &picture, uint32_t background = 0xFFFFFF);

// FreeImage is initialised once for the process (and silenced on stderr).
class PictureLibrary {
public:
    PictureLibrary();
    ~PictureLibrary();
    PictureLibrary(const PictureLibrary &) = delete;
    PictureLibrary &operator=(const PictureLibrary &) = delete;
};
