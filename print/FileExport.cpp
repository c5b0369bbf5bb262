#include "FileExport.h"

#include "PageComposer.h"
#include "PrintJob.h"
#include "SheetPdf.h"
#include "document/CoverFile.h"
#include "document/UserSettings.h"
#include "render/CdFaceRenderer.h"
#include "render/DeviceContext.h"
#include "render/DiscRenderer.h"
#include "render/DvdSheetRenderer.h"
#include "print/FaceBinding.h"
#include "render/FacePicture.h"
#include "render/Geometry.h"
#include "render/SlimlineSheetRenderer.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kExitFailure = 2;
// Fonts are taken at this screen resolution when no screen is at hand.
constexpr int kReferenceDpi = 96;

int fail(QTextStream &err, const QString &message)
{
    err << "discora: " << message << "\n";
    err.flush();
    return kExitFailure;
}

// Reads the cover as a new cover would: defaults first, then the file. The
// settings store is left alone.
bool loadCover(const QString &path, CoverDocument &doc, QTextStream &err, int &exitCode)
{
    if (!QFileInfo(path).isFile()) {
        exitCode = fail(err, QStringLiteral("no such cover: %1").arg(path));
        return false;
    }
    resetDocument(doc, kReferenceDpi);
    CoverReadOptions options;
    options.referenceDpiY = kReferenceDpi;
    options.storeCoverTypeInSettings = false;
    const CoverReadResult result = readCoverFile(doc, path, options);
    switch (result.status) {
    case CoverReadResult::Status::Ok: break;
    case CoverReadResult::Status::Missing:
        exitCode = fail(err, QStringLiteral("no such cover: %1").arg(path));
        return false;
    case CoverReadResult::Status::Invalid:
        exitCode = fail(err, QStringLiteral("%1: %2").arg(path, invalidCoverFileMessage()));
        return false;
    }
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

struct PngFace {
    QString fileName;
    QSize size;
    std::function<void(DeviceContext &, const QRect &)> draw;
};

} // namespace

int exportCoverPng(const QString &coverPath, const QString &outputDir, int dpi, QTextStream &err)
{
    PictureLibrary pictures;
    if (dpi <= 0)
        return fail(err, QStringLiteral("the resolution must be a positive number"));
    CoverDocument doc;
    int exitCode = 0;
    if (!loadCover(coverPath, doc, err, exitCode))
        return exitCode;
    const LabelStock geometry = buildLabelStock(*plainRowForCoverType(doc.covertype));

    CdFaceRenderer front;
    CdFaceRenderer back;
    DvdSheetRenderer dvd;
    SlimlineSheetRenderer slim;
    DiscRenderer disc;
    QList<PngFace> faces;
    switch (doc.covertype) {
    case StandardCD:
        applyFaceConstants(front);
        bindCdFront(front, doc, geometry, dpi);
        faces.append({QStringLiteral("front.png"), QSize(front.nominalWidth, front.nominalHeight),
            [&](DeviceContext &dc, const QRect &r) { front.PrintFace(dc, r, kReferenceDpi); }});
        applyFaceConstants(back);
        bindCdBack(back, doc, geometry, dpi);
        faces.append({QStringLiteral("back.png"), QSize(back.nominalWidth, back.nominalHeight),
            [&](DeviceContext &dc, const QRect &r) { back.PrintFace(dc, r, kReferenceDpi); }});
        break;
    case SlimlineCD:
        applyFaceConstants(slim);
        bindSlimlineSheet(slim, doc, geometry, dpi);
        faces.append({QStringLiteral("cover.png"), QSize(slim.nominalWidth, slim.nominalHeight),
            [&](DeviceContext &dc, const QRect &r) { slim.PrintFace(dc, r, kReferenceDpi); }});
        break;
    default: // the two DVD types
        applyFaceConstants(dvd, doc.covertype);
        bindDvdSheet(dvd, doc, geometry, dpi);
        faces.append({QStringLiteral("cover.png"), QSize(dvd.nominalWidth, dvd.nominalHeight),
            [&](DeviceContext &dc, const QRect &r) { dvd.PrintFace(dc, r, kReferenceDpi); }});
        break;
    }
    bindDisc(disc, doc, geometry, dpi);
    faces.append({QStringLiteral("disc.png"), QSize(disc.nominalWidth, disc.nominalHeight),
        [&](DeviceContext &dc, const QRect &r) { disc.PrintFace(dc, r, kReferenceDpi); }});

    QDir dir(outputDir);
    const bool madeFolder = !dir.exists();
    if (madeFolder && !QDir().mkpath(outputDir))
        return fail(err, QStringLiteral("cannot create the folder %1").arg(outputDir));
    // Every face is written to a temporary file first and the set is renamed
    // into place only when all of them were written. A failed export leaves
    // no trace, not even the folder it made.
    std::vector<std::unique_ptr<QSaveFile>> files;
    auto failAndClean = [&](const QString &message) {
        files.clear(); // discards the temporary files
        if (madeFolder)
            QDir().rmdir(outputDir);
        return fail(err, message);
    };

    for (const PngFace &face : faces) {
        QImage image(face.size, QImage::Format_RGB32);
        if (image.isNull())
            return failAndClean(QStringLiteral("%1 x %2 pixels is too large a picture for %3")
                                    .arg(face.size.width())
                                    .arg(face.size.height())
                                    .arg(face.fileName));
        image.fill(Qt::white);
        image.setDotsPerMeterX(dotsPerMeter(dpi));
        image.setDotsPerMeterY(dotsPerMeter(dpi));
        {
            QPainter painter(&image);
            DeviceContext dc(painter, dpi, dpi);
            face.draw(dc, QRect(QPoint(0, 0), face.size));
        }
        files.push_back(std::make_unique<QSaveFile>(dir.filePath(face.fileName)));
        QSaveFile &file = *files.back();
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG"))
            return failAndClean(QStringLiteral("cannot write %1: %2")
                                    .arg(dir.filePath(face.fileName), file.errorString()));
    }
    QStringList committed;
    for (auto &file : files) {
        if (!file->commit()) {
            // Half a set would pass for a whole one.
            for (const QString &path : committed)
                QFile::remove(path);
            const QString message
                = QStringLiteral("cannot write %1: %2").arg(file->fileName(), file->errorString());
            return failAndClean(message);
        }
        committed << file->fileName();
    }
    return 0;
}

int exportCoverPdf(const QString &coverPath, const QString &outputPdf,
    const PdfExportOptions &options, QTextStream &err)
{
    PictureLibrary pictures;
    CoverDocument doc;
    int exitCode = 0;
    if (!loadCover(coverPath, doc, err, exitCode))
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

    QString error;
    if (!writeSheetsPdf(outputPdf, QFileInfo(coverPath).completeBaseName(),
            job.coverSheets(doc, options.useTopDiscLabel, kReferenceDpi), error))
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
            job.calibrationSheets(options.useTopDiscLabel), error))
        return fail(err, QStringLiteral("cannot write %1: %2").arg(outputPdf, error));
    return 0;
}
