#pragma once

// What is checked of a picture file before a decoder sees it. Picture files
// are untrusted; FreeImage's loaders believe the dimensions a header claims,
// so those are judged before any pixel memory is allocated.

#include <FreeImage.h>
#include <cstdint>
#include <optional>

class PictureFile;

struct PictureHeader {
    unsigned width = 0;
    unsigned height = 0;
    unsigned bitsPerPixel = 0;
};

namespace picturelimits {
constexpr unsigned maxSide = 30000;
constexpr std::uint64_t maxPixels = 200'000'000;
constexpr std::uint64_t maxDecodedBytes = std::uint64_t(1) << 30;
} // namespace picturelimits

// Whether the file starts the way every file of `format` starts. FreeImage
// decodes with the format it is told and does not check this itself.
bool hasPictureSignature(FREE_IMAGE_FORMAT format, const PictureFile &file);

// FreeImage's ICO and BMP loaders do not check that their headers were read
// in full (a short file leaves the rest of a header uninitialised) and read
// uncompressed rows into a bitmap allocated from the header's claim. Those
// headers must lie inside the file, and so must uncompressed BMP rows and an
// icon's image, so that a few bytes never claim hundreds of megabytes. True
// for the other formats, whose decoders check their input.
bool hasCompleteStructure(FREE_IMAGE_FORMAT format, const PictureFile &file);

// False for dimensions no cover picture has and no decode should allocate.
bool isPlausiblePictureSize(const PictureHeader &header);

// The same limits on plain dimensions and bits per pixel.
bool fitsPictureLimits(std::uint64_t width, std::uint64_t height, unsigned bitsPerPixel);

// FreeImage's GIF loader cannot read a header alone: the dimensions of the
// first frame (or of the logical screen, when larger), read by walking the
// blocks; nothing for a file without a frame.
std::optional<PictureHeader> readGifHeader(const PictureFile &file);
