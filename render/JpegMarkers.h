#pragma once

// What is read of a JPEG file's markers before FreeImage sees it. FreeImage
// cannot be asked for a JPEG's header: its header-only load starts the
// decompressor, which for a progressive picture (or any whose first scan
// leaves out a component) allocates and zeroes coefficient buffers for the
// whole picture the frame header claims, so a few hundred bytes claiming
// 60000 × 60000 pixels cost gigabytes. And every load, header or pixels,
// decodes in full the thumbnails of JFXX and Exif segments, whatever size
// they claim.

#include "PictureChecks.h"

#include <cstddef>
#include <optional>
#include <vector>

class PictureFile;

// A JPEG frame header (SOF0 to SOF15): the coding process it names, the
// sample precision, the dimensions and the number of components.
struct JpegFrame {
    unsigned marker = 0; // 0xC0 ... 0xCF, never DHT (C4), JPG (C8) or DAC (CC)
    unsigned precision = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned components = 0;
};

// The first frame header, found by walking the markers the way the JPEG codec
// does: bytes before an 0xFF and 0xFF fill bytes skipped, the restart and TEM
// markers (which have no length) passed over, every other segment skipped by
// its length. Nothing when the file ends first, a segment runs past its end,
// or the codec would stop before a frame (a scan, the end of the picture, a
// second start of picture, an unknown marker, a bad table length).
std::optional<JpegFrame> readJpegFrame(const PictureFile &file);

// The frame as the picture FreeImage decodes: 8, 16 or 24 bits per pixel (a
// four-component picture becomes RGB). Nothing for a frame the codec refuses:
// a process other than baseline, extended, progressive or their arithmetic
// variants, a precision other than 8 bits, an empty picture, or more than
// four components.
std::optional<PictureHeader> readJpegHeader(const PictureFile &file);

// Where the identifying strings of the JFXX (APP0) and Exif (APP1) segments
// start: FreeImage loads the thumbnails these carry without any limit, so the
// bytes it reads have these strings altered (PictureDecoding.cpp). Every such
// segment in the file is found, wherever it lies, so that none escapes a
// marker walk that differs from the codec's; the pixels never depend on them.
std::vector<std::size_t> jpegThumbnailSignatures(const PictureFile &file);

// The Exif orientation of the picture (1 to 8: how its rows are stored
// relative to the upright picture), from the Exif segments before the first
// frame; 1 when there is none or it cannot be read.
int jpegExifOrientation(const PictureFile &file);
