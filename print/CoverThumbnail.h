#pragma once

#include "document/CoverDocument.h"
#include "print/CoverFaces.h"

#include <QImage>
#include <QString>
#include <QTextStream>

class PictureSource;

inline constexpr int kDefaultThumbnailSize = 256;

// The faces a thumbnail chooses from: the plain-paper sizes without the
// printer adjustment (a picture of the design, not of a print, and the
// settings store is never read). A type without plain paper (Other) has
// the disc alone, at a CD's size.
CoverFaces thumbnailFaces(int32_t coverType);

// The face that stands for the cover: a standard CD's front, or its back
// when the front has neither picture, title nor text; the whole sheet of the
// sheet types; the disc of a cover that has nothing else.
CoverFace thumbnailFace(const CoverDocument &doc, const CoverFaces &faces);

// The chosen face at most `maxSide` pixels on its longer side, with the
// corners outside a disc transparent. Null with the reason when a picture
// the face names cannot be decoded or the image cannot be made.
QImage renderThumbnail(
    const CoverDocument &doc, PictureSource &pictures, int maxSide, QString &error);

// `discora --thumbnail OUT --size N COVER`: reads the cover with its
// pictures kept in memory (nothing is written but OUT) and leaves the
// settings alone. Returns the exit code of the exports; messages go to `err`.
int writeCoverThumbnail(
    const QString &coverPath, const QString &outputPng, int maxSide, QTextStream &err);
