#pragma once

// The decoding side of picture loading: FreeImage reading the file's bytes,
// header first, and what stands in where FreeImage fails on sound files.

#include "PictureChecks.h"

#include <FreeImage.h>
#include <QSize>
#include <optional>

class PictureFile;

// Dimensions the file claims, read without decoding pixels; nothing when the
// header itself cannot be read.
std::optional<PictureHeader> readPictureHeader(FREE_IMAGE_FORMAT format, const PictureFile &file);

// FreeImage load flags asking the JPEG codec for the largest 1/2, 1/4 or 1/8
// reduction that still covers `targetPixels`; 0 when none does.
int jpegReductionFlags(const PictureHeader &header, QSize targetPixels);

// FreeImage_LoadFromHandle over the file's bytes; null when it fails or yields
// a bitmap without pixels or of implausible size.
FIBITMAP *decodePicture(FREE_IMAGE_FORMAT format, const PictureFile &file, int flags);

// FreeImage 3.18's BMP loader refuses sound files of two common kinds: any
// with a version 4 or 5 header (what ImageMagick, GIMP and others write) and
// every run-length encoded one whose last row ends with an end-of-line code
// before the end-of-bitmap code (how encoders, FreeImage's own among them,
// write them). A BMP that FreeImage cannot read is handed to Qt's BMP reader,
// under the same checks (`header`, judged already, is what Qt must read too),
// into a FreeImage bitmap like any other.
FIBITMAP *decodeBitmapWithQt(const PictureFile &file, const PictureHeader &header);

// Routes FreeImage's and libtiff's messages to nowhere. Cheap; called before
// every decode, since libtiff's handlers are process-wide and anyone else
// using libtiff may have set their own.
void quietPictureDecoders();

// Makes sure FreeImage is initialised even when no PictureLibrary object is
// alive (PictureLibrary.cpp).
void ensurePictureLibrary();
