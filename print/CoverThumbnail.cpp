#include "CoverThumbnail.h"

#include "CoverLoading.h"
#include "FileExport.h"
#include "LabelStock.h"
#include "RecordingPictureSource.h"
#include "document/CoverTypes.h"
#include "render/FacePicture.h"

#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kReferenceDpi = 96;
// Drawn at twice the thumbnail's size and reduced smoothly: text and thin
// lines laid out at a few dozen dpi would come out ragged. Never below this
// resolution, so that the smallest sizes still get legible layout.
constexpr int kOversample = 2;
constexpr int kMinimumDpi = 24;

int fail(QTextStream &err, const QString &message)
{
    err << "discora: " << message << "\n";
    err.flush();
    return kExportFailureExit;
}

// Everything outside the circle inscribed in the image becomes transparent.
QImage cutDisc(const QImage &square)
{
    QImage disc = square.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage mask(disc.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing);
        m.setPen(Qt::NoPen);
        m.setBrush(Qt::black);
        m.drawEllipse(QRectF(QPointF(0, 0), QSizeF(disc.size())));
    }
    QPainter painter(&disc);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, mask);
    painter.end();
    return disc.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

CoverFaces thumbnailFaces(int32_t coverType)
{
    const StockRow row = plainRowForCoverType(coverType).value_or(StockRow::PlainStandardCD);
    const LabelStock plain = baseLabelStock(row);
    return CoverFaces(coverType, plain, plain);
}

CoverFace thumbnailFace(const CoverDocument &doc, const CoverFaces &faces)
{
    const QList<CoverFace> covers = faces.covers();
    if (covers.isEmpty())
        return faces.disc();
    if (hasFrontFace(doc.covertype)) {
        const bool frontDesigned
            = !doc.fImagePath.isEmpty() || !doc.fCoverTitle.isEmpty() || !doc.fCoverText.isEmpty();
        return *faces.forView(frontDesigned ? Face::Front : Face::Back);
    }
    return covers.front();
}

QImage renderThumbnail(
    const CoverDocument &doc, PictureSource &pictures, int maxSide, QString &error)
{
    const CoverFaces faces = thumbnailFaces(doc.covertype);
    const CoverFace face = thumbnailFace(doc, faces);
    const double longer = std::max(face.inches.width(), face.inches.height());
    const int dpi
        = std::max(kMinimumDpi, static_cast<int>(std::ceil(kOversample * maxSide / longer)));

    RecordingPictureSource recording(pictures);
    const QImage drawn = renderFaceImage(
        doc, faces, face, dpi, DrawTarget::file(kReferenceDpi).withPictures(&recording));
    if (!recording.failed().isEmpty()) {
        // A face drawn without its picture would pass for the cover's look.
        error = QStringLiteral("the picture on the %1 cannot be read").arg(face.fileStem);
        return {};
    }
    if (drawn.isNull()) {
        error = QStringLiteral("the %1 cannot be drawn").arg(face.fileStem);
        return {};
    }
    const QImage fitted
        = drawn.scaled(QSize(maxSide, maxSide), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return face.round ? cutDisc(fitted) : fitted;
}

int writeCoverThumbnail(
    const QString &coverPath, const QString &outputPng, int maxSide, QTextStream &err)
{
    PictureLibrary library;
    CoverLoadOptions options;
    options.referenceDpi = kReferenceDpi;
    options.keepPicturesInMemory = true;
    options.defaultsFromSettings = false;
    LoadedCover cover;
    QString error;
    if (!loadCover(coverPath, options, cover, error))
        return fail(err, error);

    const QImage image = renderThumbnail(cover.document, *cover.pictures, maxSide, error);
    if (image.isNull())
        return fail(err, QStringLiteral("%1: %2").arg(coverPath, error));

    QSaveFile file(outputPng);
    if (!file.open(QIODevice::WriteOnly))
        return fail(err, QStringLiteral("cannot write %1: %2").arg(outputPng, file.errorString()));
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return fail(err, QStringLiteral("cannot write %1").arg(outputPng));
    }
    if (!file.commit())
        return fail(err, QStringLiteral("cannot write %1: %2").arg(outputPng, file.errorString()));
    return 0;
}
