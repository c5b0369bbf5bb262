#include "FileExport.h"

#include "CoverLoading.h"
#include "FaceTextCheck.h"
#include "FileSetWriter.h"
#include "PrintJob.h"
#include "SheetPdf.h"
#include "document/UserSettings.h"
#include "print/CoverFaces.h"
#include "print/DrawFace.h"
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "render/Geometry.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {

// A command line that cannot be used, as the command-line parser answers it.
constexpr int kExitUsage = 64;
// Fonts are taken at this screen resolution when no screen is at hand.
constexpr int kReferenceDpi = 96;

int fail(QTextStream &err, const QString &message, int exitCode = kExportFailureExit)
{
    err << "discora: " << message << "\n";
    err.flush();
    return exitCode;
}

// Reads the cover for an export; false with the exit code set when it
// cannot be used or has no printable faces.
bool loadExportCover(const QString &path, CoverDocument &doc, QTextStream &err, int &exitCode)
{
    LoadedCover cover;
    QString error;
    if (!loadCover(path, CoverLoadOptions{kReferenceDpi, false}, cover, error)) {
        exitCode = fail(err, error);
        return false;
    }
    doc = cover.document;
    if (!plainRowForCoverType(doc.covertype)) {
        exitCode = fail(err,
            QStringLiteral("%1: cover type %2 (%3) has no printable faces")
                .arg(path)
                .arg(doc.covertype)
                .arg(doc.covertype == Other ? QStringLiteral("Other") : QStringLiteral("unknown")));
        return false;
    }
    return true;
}

// Both papers must name a stock of the cover type.
bool checkPapers(const PrintJob &job, QTextStream &err, int &exitCode)
{
    if (!job.coversRow) {
        exitCode = fail(err,
            QStringLiteral("no covers paper is named \"%1\"; the covers paper is "
                           "\"%2\"")
                .arg(job.coversPaper, coverPaperNames().join(QStringLiteral("\", \""))));
        return false;
    }
    if (!job.discRow) {
        exitCode = fail(err,
            QStringLiteral("no disc paper is named \"%1\"; the disc papers are \"%2\"")
                .arg(job.discPaper, discPaperNames().join(QStringLiteral("\", \""))));
        return false;
    }
    return true;
}

// A line for each face whose text is cut. The export still goes on: the
// drawing is what the user made, and a script may want it all the same.
void warnOfCutText(QTextStream &err, const QList<FaceTextReport> &reports)
{
    for (const FaceTextReport &report : reports) {
        QStringList messages;
        for (const TextCut &cut : report.cuts) {
            QString message = cut.message();
            if (message.startsWith(QLatin1String("The ")))
                message[0] = QLatin1Char('t');
            messages << message;
        }
        err << "discora: " << report.face << ": " << messages.join(QStringLiteral("; ")) << "\n";
    }
    err.flush();
}

} // namespace

QImage renderFaceImage(const CoverDocument &doc, const CoverFaces &faces, const CoverFace &face,
    int dpi, const DrawTarget &target, FaceDrawResult *result)
{
    const QSize size = face.nominalPixels(dpi);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    image.setDotsPerMeterX(dotsPerMeter(dpi));
    image.setDotsPerMeterY(dotsPerMeter(dpi));
    QPainter painter(&image);
    DeviceContext dc(painter, dpi, dpi);
    const FaceDrawResult drawn
        = drawFace(dc, doc, faces, face, QRect(QPoint(0, 0), size), dpi, target);
    if (result)
        *result = drawn;
    return image;
}

int exportCoverPng(const QString &coverPath, const QString &outputDir, int dpi, QTextStream &err)
{
    PictureLibrary pictures;
    if (dpi <= 0)
        return fail(err, QStringLiteral("the resolution must be a positive number"));
    CoverDocument doc;
    int exitCode = 0;
    if (!loadExportCover(coverPath, doc, err, exitCode))
        return exitCode;
    const CoverFaces faces = *CoverFaces::onPlainPaper(doc.covertype);

    FileSetWriter files(outputDir);
    QString error;
    if (!files.open(error))
        return fail(err, error);
    warnOfCutText(err, checkFacesText(doc, faces, faces.all(), kReferenceDpi));
    for (const CoverFace &face : faces.all()) {
        const QString fileName = face.fileStem + QStringLiteral(".png");
        const QImage image
            = renderFaceImage(doc, faces, face, dpi, DrawTarget::file(kReferenceDpi));
        if (image.isNull()) {
            // The writer discards what it holds when it goes.
            const QSize size = face.nominalPixels(dpi);
            return fail(err,
                QStringLiteral("%1 x %2 pixels is too large a picture for %3")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(fileName));
        }
        if (!files.add(
                fileName, [&](QIODevice &file) { return image.save(&file, "PNG"); }, error))
            return fail(err, error);
    }
    if (!files.commit(error))
        return fail(err, error);
    return 0;
}

int exportCoverPdf(const QString &coverPath, const QString &outputPdf,
    const PdfExportOptions &options, QTextStream &err)
{
    PictureLibrary pictures;
    CoverDocument doc;
    int exitCode = 0;
    if (!loadExportCover(coverPath, doc, err, exitCode))
        return exitCode;

    const UserSettings settings;
    const QString coversPaper = options.coversPaper.isEmpty()
        ? settings.coversPaperFor(doc.covertype)
        : options.coversPaper;
    const QString discPaper
        = options.discPaper.isEmpty() ? settings.discPaperFor(doc.covertype) : options.discPaper;
    const PrintJob job
        = PrintJob::forPapers(doc.covertype, coversPaper, discPaper, storedCalibration());
    if (!checkPapers(job, err, exitCode))
        return exitCode;
    // The two places of plain paper overlap: a disc on each would print one
    // over the other.
    if (options.position == DiscLabelPosition::Both && !job.onLabelSheet(SheetKind::Disc))
        return fail(err,
            QStringLiteral("--both-disc-labels needs a label sheet; the disc paper is \"%1\"")
                .arg(job.discPaper),
            kExitUsage);

    warnOfCutText(err, job.cutText(doc, kReferenceDpi));
    QString error;
    if (!writeSheetsPdf(outputPdf, QFileInfo(coverPath).completeBaseName(),
            job.coverSheets(doc, options.position, kReferenceDpi), error))
        return fail(err, QStringLiteral("cannot write %1: %2").arg(outputPdf, error));
    return 0;
}

int exportCalibrationPdf(
    const QString &outputPdf, const PdfExportOptions &options, QTextStream &err)
{
    const UserSettings settings;
    const int32_t coverType = static_cast<int32_t>(settings.Option);
    if (!plainRowForCoverType(coverType))
        return fail(err,
            QStringLiteral("the stored cover type %1 (%2) has no paper to print on")
                .arg(coverType)
                .arg(coverType == Other ? QStringLiteral("Other") : QStringLiteral("unknown")));
    const QString coversPaper
        = options.coversPaper.isEmpty() ? settings.coversPaperFor(coverType) : options.coversPaper;
    const QString discPaper
        = options.discPaper.isEmpty() ? settings.discPaperFor(coverType) : options.discPaper;
    const PrintJob job
        = PrintJob::forPapers(coverType, coversPaper, discPaper, storedCalibration());
    int exitCode = 0;
    if (!checkPapers(job, err, exitCode))
        return exitCode;

    QString error;
    if (!writeSheetsPdf(outputPdf, QStringLiteral("Discora calibration test page"),
            job.calibrationSheets(options.position), error))
        return fail(err, QStringLiteral("cannot write %1: %2").arg(outputPdf, error));
    return 0;
}
