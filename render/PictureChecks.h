#pragma once

// What is checked of a picture file before a decoder sees it. Picture files
// are untrusted, and FreeImage's loaders believe what headers claim: its icon
// and bitmap loaders read as many bytes as a header's bit count and sizes
// say into a bitmap allocated for what they understood of it, its TIFF plugin
// asserts on sample layouts it was not written for, and every loader
// allocates the size a header claims. So the structure is judged, and the
// dimensions, before any pixel memory is allocated.

#include <FreeImage.h>
#include <cstdint>
#include <optional>
#include <vector>

class PictureFile;

struct PictureHeader {
    unsigned width = 0;
    unsigned height = 0;
    unsigned bitsPerPixel = 0; // as the file stores its pixels
};

namespace picturelimits {
constexpr unsigned maxSide = 30000;
constexpr std::uint64_t maxPixels = 200'000'000;
constexpr std::uint64_t maxDecodedBytes = std::uint64_t(1) << 30;
// No compressor these formats use gets past a few thousand to one on real
// pictures (a flat page in CCITT G4 comes closest, at about its width in
// pixels to one): a picture that claims more than this times its file, plus
// the allowance, is a small file made to cost a large decode.
constexpr std::uint64_t maxCompression = 5000;
constexpr std::uint64_t decodedAllowance = 64 * 1024;
} // namespace picturelimits

// Whether the file starts the way every file of `format` starts. FreeImage
// decodes with the format it is told and does not check this itself.
bool hasPictureSignature(FREE_IMAGE_FORMAT format, const PictureFile &file);

// Whether the file is built the way FreeImage's loader of `format` can read
// safely. An icon (its first image, the one decoded) and a BMP: a header
// FreeImage reads, a bit count of 1, 4, 8, 16, 24 or 32, one plane, a colour
// count the bit count allows, and header, colour table, pixels and (icons)
// mask inside the directory entry and inside the file. A GIF: every block
// inside the file up to the trailer, and sound image descriptors. A TIFF:
// its first directory inside the file, describing one of the sample layouts
// FreeImage decodes. JPEG and PNG: true (their libraries check their input).
bool hasCompleteStructure(FREE_IMAGE_FORMAT format, const PictureFile &file);

// False for dimensions no cover picture has and no decode should allocate.
bool isPlausiblePictureSize(const PictureHeader &header);

// The same limits on plain dimensions and bits per pixel.
bool fitsPictureLimits(std::uint64_t width, std::uint64_t height, unsigned bitsPerPixel);

// Whether a file of `fileBytes` can hold the picture `header` claims, counted
// at the file's own bits per pixel (so that a flat 1-bit picture, which
// compresses best, still loads).
bool fitsFileSize(const PictureHeader &header, std::uint64_t fileBytes);

// FreeImage's GIF loader cannot read a header alone: the dimensions of the
// first frame (or of the logical screen, when larger) and the depth of its
// colour table, read by walking the blocks; nothing for a file without a
// sound frame.
std::optional<PictureHeader> readGifHeader(const PictureFile &file);

// A PNG's header chunk: dimensions and bits per pixel as the file stores
// them (bit depth times channels); nothing when the file does not start with
// a whole header chunk. libpng allocates rows of the claimed width even for a
// header-only read.
std::optional<PictureHeader> readPngHeader(const PictureFile &file);

// The first image of an icon (the one FreeImage decodes): the dimensions and
// bit count of its bitmap header (whose height counts the mask too), or the
// header of the PNG it carries; nothing when either is cut short.
std::optional<PictureHeader> readIconHeader(const PictureFile &file);

// A byte of the file that FreeImage is given changed.
struct ByteChange {
    std::size_t at = 0;
    unsigned char value = 0;
};

// What keeps FreeImage from the metadata it decodes without limits, for a
// header-only read too. Thumbnails, decoded in full at any size they claim:
// in a JPEG, the identifying strings of its JFXX and Exif segments are
// altered (JpegMarkers.h); in a TIFF, the tags of its first directory that
// lead to them are renamed (the Exif IFD, after which FreeImage decodes the
// second directory; sub-IFDs; Photoshop's resources). Compressed texts, of up
// to 8 MB each and a thousand of them, inflated on every load: the zTXt and
// iTXt chunks of a PNG (or of the PNG an icon carries) are renamed to an
// unknown ancillary chunk, which libpng skips. Nothing drawn depends on them.
std::vector<ByteChange> concealedMetadata(FREE_IMAGE_FORMAT format, const PictureFile &file);

// A BMP's header, whichever version (FreeImage reads only some).
std::optional<PictureHeader> readBitmapHeader(const PictureFile &file);

// The first directory of a TIFF: dimensions and bits per pixel (bits per
// sample times samples per pixel); nothing when it cannot be read.
std::optional<PictureHeader> readTiffHeader(const PictureFile &file);
