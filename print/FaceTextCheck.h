#pragma once

#include "document/CoverDocument.h"
#include "print/CoverFaces.h"
#include "render/FaceDrawResult.h"

#include <QList>
#include <QString>

// Which texts of a cover would be cut off on paper. The faces are laid out
// as a printer lays them out, whatever shows them, so the preview's marker,
// the question before printing and the exports' warnings all agree.

// The resolution texts are measured at: a printer's, where glyph widths are
// the fonts' own and not a screen's rounded ones.
inline constexpr int kTextCheckDpi = 600;

// The texts of `face` drawn for paper on a device that draws nothing; its
// pictures are not read. `referenceDpi` as for drawFace's paper target.
FaceDrawResult checkFaceText(const CoverDocument &doc, const CoverFaces &faces,
    const CoverFace &face, int referenceDpi, int dpi = kTextCheckDpi);

// "front cover", "back cover", "cover sheet", "disc".
QString faceName(const CoverFace &face);

// One face whose text is cut, for a question or a warning.
struct FaceTextReport {
    QString face; // faceName
    QList<TextCut> cuts;
};

// The faces of `which` with cut text, in order; none when all text fits.
QList<FaceTextReport> checkFacesText(const CoverDocument &doc, const CoverFaces &faces,
    const QList<CoverFace> &which, int referenceDpi);

// The faces and their cuts, a line each: "Back cover: 3 of 25 track rows
// do not fit".
QString textCutLines(const QList<FaceTextReport> &reports);
