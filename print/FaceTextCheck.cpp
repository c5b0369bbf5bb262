#include "FaceTextCheck.h"

#include "DrawFace.h"
#include "render/DeviceContext.h"
#include "render/MeasuringDevice.h"
#include "render/PictureSource.h"

#include <QPainter>

namespace {

// Text fit does not depend on the pictures under it.
class NoPictures : public PictureSource {
public:
    std::shared_ptr<const FacePicture> picture(const QByteArray &, QSize) override
    {
        return nullptr;
    }
};

} // namespace

FaceDrawResult checkFaceText(const CoverDocument &doc, const CoverFaces &faces,
    const CoverFace &face, int referenceDpi, int dpi)
{
    const QSize size = face.nominalPixels(dpi);
    if (size.isEmpty())
        return {};
    // One pixel: a renderer that makes a bitmap of the part of the device it
    // draws on makes none worth the name.
    MeasuringDevice device(QSize(1, 1), dpi);
    QPainter painter(&device);
    DeviceContext dc(painter, dpi, dpi);
    NoPictures none;
    return drawFace(dc, doc, faces, face, QRect(QPoint(0, 0), size), dpi,
        DrawTarget::paper(referenceDpi).withPictures(&none));
}

QString faceName(const CoverFace &face)
{
    switch (face.kind) {
    case FaceKind::CdFront: return QStringLiteral("front cover");
    case FaceKind::CdBack: return QStringLiteral("back cover");
    case FaceKind::DvdSheet:
    case FaceKind::SlimlineSheet: return QStringLiteral("cover sheet");
    case FaceKind::Disc: return QStringLiteral("disc");
    }
    return {};
}

QList<FaceTextReport> checkFacesText(const CoverDocument &doc, const CoverFaces &faces,
    const QList<CoverFace> &which, int referenceDpi)
{
    QList<FaceTextReport> reports;
    for (const CoverFace &face : which) {
        const FaceDrawResult result = checkFaceText(doc, faces, face, referenceDpi);
        if (result.textCut())
            reports.append({faceName(face), result.cuts});
    }
    return reports;
}

QString textCutLines(const QList<FaceTextReport> &reports)
{
    QStringList lines;
    for (const FaceTextReport &report : reports) {
        QString name = report.face;
        if (!name.isEmpty())
            name[0] = name[0].toUpper();
        for (const TextCut &cut : report.cuts)
            lines << QStringLiteral("%1: %2").arg(name, cut.message());
    }
    return lines.join(QLatin1Char('\n'));
}
