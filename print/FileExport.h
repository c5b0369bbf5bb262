#pragma once

#include "document/CoverDocument.h"
#include "print/CoverFaces.h"
#include "render/DrawTarget.h"

#include "render/FaceDrawResult.h"
#include <QImage>

#include <QString>
#include <QTextStream>

// The exit code of an export (and a thumbnail) that could not be written.
inline constexpr int kExportFailureExit = 2;

struct PdfExportOptions {
    QString coversPaper; // empty: the name stored for the cover type
    QString discPaper;
    DiscLabelPosition position = DiscLabelPosition::Top;
};

// One face drawn at its nominal size at `dpi` on white, with that
// resolution recorded; null when the image cannot be made. `result`, when
// given, gets what the drawing found.
QImage renderFaceImage(const CoverDocument &doc, const CoverFaces &faces, const CoverFace &face,
    int dpi, const DrawTarget &target, FaceDrawResult *result = nullptr);

// `discora --export-png DIR --dpi N COVER`: every printable face at nominal
// size. Returns the exit code; messages go to `err`.
int exportCoverPng(const QString &coverPath, const QString &outputDir, int dpi, QTextStream &err);

// `discora --export-pdf OUT COVER`: the pages printing produces.
int exportCoverPdf(const QString &coverPath, const QString &outputPdf,
    const PdfExportOptions &options, QTextStream &err);

// `discora --calibration-page OUT`: the calibration test page of the stored
// cover type on the given (or stored) papers, with the stored calibration
// and no printable-area offset.
int exportCalibrationPdf(
    const QString &outputPdf, const PdfExportOptions &options, QTextStream &err);
