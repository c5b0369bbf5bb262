#include "FacePicture.h"

#include "document/Colors.h"

#include "DeviceContext.h"
#include "JpegMarkers.h"
#include "PictureDecoding.h"
#include "PictureFile.h"
#include "PictureFraming.h"
#include "PictureView.h"

#include <FreeImage.h>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QtMath>
#include <array>
#include <utility>

class FacePicture {
public:
    FacePicture(FIBITMAP *bitmap, FREE_IMAGE_FORMAT format)
        : m_bitmap(bitmap)
        , m_format(format)
    {
    }
    ~FacePicture() { FreeImage_Unload(m_bitmap); }
    FacePicture(const FacePicture &) = delete;
    FacePicture &operator=(const FacePicture &) = delete;

    FIBITMAP *bitmap() const { return m_bitmap; }

    // A JPEG's pixels are lossy already: a PDF may store them compressed
    // again (for a photo a tenth of the size in a fifth of the time). Every
    // other picture keeps its exact pixels, which small and drawn pictures
    // need.
    bool mayRecompress() const { return m_format == FIF_JPEG; }

private:
    FIBITMAP *m_bitmap;
    FREE_IMAGE_FORMAT m_format;
};

void FacePictureDeleter::operator()(FacePicture *picture) const
{
    delete picture;
}

namespace {

QRgb rgbFromColorRef(uint32_t colorRef)
{
    return colorFromRef(colorRef).rgb();
}

// Raster and PDF engines are done with an image when drawImage returns;
// engines that record (pictures, print previews) keep it, and must get a copy
// that outlives the decoded bitmap.
bool drawsImmediately(QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    return engine
        && (engine->type() == QPaintEngine::Raster || engine->type() == QPaintEngine::Pdf);
}

// Whether a transform maps picture pixels one to one onto device pixels
// (turned upside down at most).
bool isPixelForPixel(const QTransform &transform)
{
    return transform.type() <= QTransform::TxScale && qFuzzyCompare(qAbs(transform.m11()), 1.0)
        && qFuzzyCompare(qAbs(transform.m22()), 1.0) && transform.dx() == qRound(transform.dx())
        && transform.dy() == qRound(transform.dy());
}

// The bitmap turned from its Exif `orientation` to upright. FreeImage turns
// counter-clockwise; its flips are as seen, whatever order the rows are
// stored in.
FIBITMAP *turnUpright(FIBITMAP *bitmap, int orientation)
{
    const auto rotate = [&](double degrees) {
        FIBITMAP *turned = FreeImage_Rotate(bitmap, degrees);
        if (turned) {
            FreeImage_Unload(bitmap);
            bitmap = turned;
        }
    };
    switch (orientation) {
    case 2: FreeImage_FlipHorizontal(bitmap); break;
    case 3: rotate(180); break;
    case 4: FreeImage_FlipVertical(bitmap); break;
    case 5:
        rotate(90);
        FreeImage_FlipVertical(bitmap);
        break;
    case 6: rotate(270); break;
    case 7:
        rotate(270);
        FreeImage_FlipVertical(bitmap);
        break;
    case 8: rotate(90); break;
    default: break;
    }
    return bitmap;
}

// The dimensions a header claims are judged before the pixels are decoded,
// against the limits and against what the file can hold.
FacePicturePtr decodeFile(FREE_IMAGE_FORMAT format, const PictureFile &file, QSize targetPixels)
{
    if (!file.isOpen())
        return {};
    ensurePictureLibrary();
    quietPictureDecoders();
    if (!hasPictureSignature(format, file) || !hasCompleteStructure(format, file))
        return {};
    const std::optional<PictureHeader> header = readPictureHeader(format, file);
    if (!header || !isPlausiblePictureSize(*header) || !fitsFileSize(*header, file.size()))
        return {};
    int flags = 0;
    // Icons keep their transparency in a separate mask; as an alpha channel
    // it composes over the face's background like any other transparency.
    if (format == FIF_ICO)
        flags |= ICO_MAKEALPHA;
    // A photo is shown the way up its camera recorded; its stored rows may
    // lie on their side, and so does the target they are reduced for.
    const int orientation = format == FIF_JPEG ? jpegExifOrientation(file) : 1;
    if (orientation >= 5)
        targetPixels.transpose();
    if (format == FIF_JPEG)
        flags |= jpegReductionFlags(*header, targetPixels);
    FIBITMAP *bitmap = decodePicture(format, file, flags);
    if (bitmap && orientation != 1)
        bitmap = turnUpright(bitmap, orientation);
    if (!bitmap && format == FIF_BMP)
        bitmap = decodeBitmapWithQt(file, *header);
    if (!bitmap)
        return {};
    return FacePicturePtr(new FacePicture(bitmap, format));
}

} // namespace

int pictureFormatForPath(const QByteArray &path)
{
    static const std::array<std::pair<const char *, FREE_IMAGE_FORMAT>, 8> table{{
        {".JPG", FIF_JPEG},
        {".JPEG", FIF_JPEG},
        {".PNG", FIF_PNG},
        {".BMP", FIF_BMP},
        {".TIF", FIF_TIFF},
        {".TIFF", FIF_TIFF},
        {".GIF", FIF_GIF},
        {".ICO", FIF_ICO},
    }};
    const QByteArray upper = path.toUpper();
    int format = -1;
    for (const auto &[extension, id] : table) {
        if (upper.contains(extension))
            format = id;
    }
    return format;
}

FacePicturePtr LoadFacePicture(const QByteArray &path)
{
    return LoadFacePicture(path, QSize());
}

FacePicturePtr LoadFacePicture(const QByteArray &path, QSize targetPixels)
{
    if (path.isEmpty())
        return {};
    const int formatId = pictureFormatForPath(path);
    if (formatId < 0)
        return {};
    return decodeFile(static_cast<FREE_IMAGE_FORMAT>(formatId), PictureFile(path), targetPixels);
}

FacePicturePtr decodeFacePicture(int formatId, const QByteArray &bytes, QSize targetPixels)
{
    if (formatId < 0)
        return {};
    return decodeFile(
        static_cast<FREE_IMAGE_FORMAT>(formatId), PictureFile::fromBytes(bytes), targetPixels);
}

QSize devicePixelSize(DeviceContext &dc, const QRect &box)
{
    const QRectF mapped = dc.painter().deviceTransform().mapRect(QRectF(box));
    return QSize(qCeil(mapped.width()), qCeil(mapped.height()));
}

namespace {

// Draws the picture's rows over `area` (cut off beyond it when `cut`), once
// `place` has set the painter's transform from the upright picture's rows,
// top down, to the face. FreeImage's rows are bottom-up: the transform starts
// with a flip instead of a flipped copy.
template <typename Place>
void drawPictureOver(DeviceContext &dc, const FacePicture &picture, uint32_t background,
    const QRectF &area, bool cut, Place place)
{
    const QRgb under = rgbFromColorRef(background);
    const PictureView view(picture.bitmap(), under);
    if (view.isNull())
        return;
    QPainter &painter = dc.painter();
    const QImage image = drawsImmediately(painter) ? view.image() : view.image().copy();

    painter.save();
    // The picture's edges stay sharp (no antialiasing), so it meets the
    // face's border and spines exactly.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, !picture.mayRecompress());
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (cut)
        painter.setClipRect(area, Qt::IntersectClip);
    if (view.translucent())
        painter.fillRect(area, QColor(under));
    place(painter, image.size());
    // Smooth sampling whatever the caller left set, so that an enlarged photo
    // never prints in blocks; but a picture drawn pixel for pixel is copied
    // exactly (the raster engine's smooth path would round its colours).
    painter.setRenderHint(
        QPainter::SmoothPixmapTransform, !isPixelForPixel(painter.deviceTransform()));
    painter.drawImage(QPointF(0, 0), image);
    painter.restore();
}

} // namespace

void DrawPictureStretched(
    DeviceContext &dc, const QRect &box, const FacePicture &picture, uint32_t background)
{
    if (box.width() <= 0 || box.height() <= 0)
        return;
    drawPictureOver(dc, picture, background, QRectF(box), false, [&](QPainter &p, QSize image) {
        p.translate(box.left(), box.top() + box.height());
        p.scale(double(box.width()) / image.width(), -double(box.height()) / image.height());
    });
}

void DrawPicturePlaced(DeviceContext &dc, const QRect &box, const FacePicture &picture,
    const PicturePlacement &placement, uint32_t background, bool round)
{
    if ((placement.fit != FitFill && placement.fit != FitInside) && placement.rotation == 0) {
        DrawPictureStretched(dc, box, picture, background);
        return;
    }
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QSizeF upright = facePictureSize(picture);
    const PictureFrame frame = framePicture(upright, placement, QRectF(box), round);
    if (frame.target.isEmpty() || frame.source.isEmpty())
        return;
    // Only the frame's target shows: what lies beyond is cut off.
    drawPictureOver(dc, picture, background, frame.target.intersected(QRectF(box)), true,
        [&](QPainter &p, QSize) {
            const QTransform flip(1, 0, 0, -1, 0, upright.height());
            p.setWorldTransform(
                flip * pictureTransform(upright, placement.rotation, frame) * p.worldTransform());
        });
}

void ReleaseFacePicture(FacePicturePtr &picture)
{
    picture.reset();
}

QSize facePictureSize(const FacePicture &picture)
{
    return QSize(
        int(FreeImage_GetWidth(picture.bitmap())), int(FreeImage_GetHeight(picture.bitmap())));
}

QImage facePictureToImage(const FacePicture &picture, uint32_t background)
{
    const QSize size = facePictureSize(picture);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(QColor(rgbFromColorRef(background)));
    QPainter painter(&image);
    DeviceContext dc(painter);
    DrawPictureStretched(dc, QRect(QPoint(0, 0), size), picture, background);
    painter.end();
    return image;
}
