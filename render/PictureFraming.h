#pragma once

#include "document/PicturePlacement.h"

#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QTransform>

// Where a placed picture goes: the part of the turned picture that shows
// (`source`, in its pixels) and where on the face it lands (`target`, in the
// face's coordinates). The one answer the screen, print and every export
// draw by.
struct PictureFrame {
    QRectF source;
    QRectF target;
};

// The picture's size after its quarter turn.
QSizeF turnedSize(QSizeF upright, int32_t rotation);

// The frame of a picture of `upright` size placed on `box`. A round face
// (the disc) fits the picture's diagonal to the circle inscribed in the box;
// filling, it covers the whole box.
PictureFrame framePicture(
    QSizeF upright, const PicturePlacement &placement, const QRectF &box, bool round = false);

// Maps the upright picture's pixels (rows top down) onto the face so that
// the frame's source lands on its target.
QTransform pictureTransform(QSizeF upright, int32_t rotation, const PictureFrame &frame);

// The size to decode a picture at for a box of `boxPixels` device pixels:
// enough pixels for the part that shows, whatever the zoom and the turn.
QSize pictureDecodeTarget(QSize boxPixels, const PicturePlacement &placement);
