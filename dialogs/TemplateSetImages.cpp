#include "TemplateSetImages.h"

#include "document/CoverTypes.h"
#include "print/CoverThumbnail.h"
#include "print/DrawFace.h"
#include "render/DeviceContext.h"
#include "render/Geometry.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Fonts play no part without texts; any reference resolution will do.
constexpr int kReferenceDpi = 96;

ColorRef faceColor(const CoverDocument &doc, Face face)
{
    switch (face) {
    case Face::Front: return doc.fBGColor;
    case Face::Back: return doc.bBGColor;
    case Face::Disc: break;
    }
    return doc.dBGColor;
}

// The resolution at which `inches` is at least `pixels` in both directions,
// so that the drawing is only ever reduced to the piece's size.
int dpiFor(const QSizeF &inches, const QSize &pixels)
{
    const double across = pixels.width() / std::max(inches.width(), 0.01);
    const double down = pixels.height() / std::max(inches.height(), 0.01);
    return std::max(1, static_cast<int>(std::ceil(std::max(across, down))));
}

// The face at its nominal size at `dpi`, on its colour also where its shape
// (a disc) leaves the square.
QImage drawAt(const CoverDocument &layer, const CoverFaces &faces, const CoverFace &face, int dpi)
{
    const QSize size = face.nominalPixels(dpi);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(colorFromRef(faceColor(layer, face.face)));
    QPainter painter(&image);
    DeviceContext dc(painter, dpi, dpi);
    drawFace(
        dc, layer, faces, face, QRect(QPoint(0, 0), size), dpi, DrawTarget::file(kReferenceDpi));
    return image;
}

QImage stretchedTo(const QImage &image, const QSize &size)
{
    if (image.isNull())
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

// Where a sheet's front panel starts, in inches from its left edge: right of
// the middle spine of a DVD sheet, right of the flap and spine of a
// slimline CD sheet (as the sheet renderers lay them out). The notches cut
// out of the slimline sheet's left part reach into its front panel: the
// panel is taken right of them.
double frontPanelLeft(int32_t coverType, const LabelStock &row)
{
    if (isDvdType(coverType))
        return (row.backWidth + row.backSpineWidth) / 2;
    return std::max(row.flapWidth + row.backSpineWidth, FaceConstants::kSlimCdNotchWidth);
}

QImage sheetFront(const CoverDocument &layer, const CoverFaces &faces, const QSize &size)
{
    const CoverFace sheet = faces.covers().front();
    const double left = frontPanelLeft(layer.covertype, faces.coversRow());
    const double side = std::min(sheet.inches.width() - left, sheet.inches.height());
    if (side <= 0)
        return QImage();
    const int dpi = dpiFor(QSizeF(side, side), size);
    const QImage drawn = drawAt(layer, faces, sheet, dpi);
    if (drawn.isNull())
        return drawn;
    const int x = inchesToPixels(left, dpi);
    const int square = std::min(drawn.width() - x, drawn.height());
    const QRect panel(x, (drawn.height() - square) / 2, square, square);
    return stretchedTo(drawn.copy(panel), size);
}

} // namespace

QString TemplateSetImages::marker(Piece piece)
{
    switch (piece) {
    case Piece::Back: return QStringLiteral("[BACK]");
    case Piece::Front: return QStringLiteral("[FRONT]");
    case Piece::Disc: break;
    }
    return QStringLiteral("[DISC]");
}

QSize TemplateSetImages::pixelSize(Piece piece)
{
    switch (piece) {
    case Piece::Back: return QSize(2560, 1856);
    case Piece::Front: return QSize(1500, 1500);
    case Piece::Disc: break;
    }
    return QSize(1400, 1400);
}

CoverDocument TemplateSetImages::pictureLayer(const CoverDocument &doc)
{
    CoverDocument layer = doc;
    for (QByteArray *text : {&layer.fCoverText, &layer.bCoverText, &layer.dCoverText,
             &layer.fCoverTitle, &layer.bCoverTitle, &layer.dCoverTitle, &layer.frontCoverSpineText,
             &layer.backCoverSpineText})
        text->clear();
    layer.fShowBorder = layer.bShowBorder = layer.dShowBorder = false;
    layer.printOverInnerCircleDisc = 1;
    return layer;
}

QImage TemplateSetImages::draw(const CoverDocument &doc, Piece piece)
{
    const QSize size = pixelSize(piece);
    const CoverDocument layer = pictureLayer(doc);
    const CoverFaces faces = thumbnailFaces(layer.covertype);
    const Face wanted
        = piece == Piece::Disc ? Face::Disc : (piece == Piece::Front ? Face::Front : Face::Back);
    for (const CoverFace &face : faces.all()) {
        if (face.face == wanted)
            return stretchedTo(drawAt(layer, faces, face, dpiFor(face.inches, size)), size);
    }
    if (piece == Piece::Front && isSheetType(layer.covertype))
        return sheetFront(layer, faces, size);
    // No face of this kind (the Other type has the disc alone): its colour.
    QImage plain(size, QImage::Format_RGB32);
    plain.fill(colorFromRef(faceColor(layer, wanted)));
    return plain;
}
