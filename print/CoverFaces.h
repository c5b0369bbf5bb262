#pragma once

#include "document/CoverDocument.h"
#include "print/LabelStock.h"

#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <optional>

// The faces a cover has, for every output: the previews, printing, the
// exports. No output asks the cover type which faces to draw; it walks this
// list and hands each entry to drawFace (DrawFace.h).

enum class FaceKind { CdFront, CdBack, DvdSheet, SlimlineSheet, Disc };

struct CoverFace {
    FaceKind kind = FaceKind::CdBack;
    // The document's face it shows: a sheet is the back (it holds the back's
    // colour, border and texts), the disc the disc.
    Face face = Face::Back;
    QString fileStem; // "front", "back", "cover" or "disc": the exported file's name
    QSizeF inches;
    bool round = false;

    // The face in whole pixels at `dpi`, each side truncated: the size its
    // lengths are laid out in.
    QSize nominalPixels(int dpi) const;

    bool operator==(const CoverFace &) const = default;
};

class CoverFaces {
public:
    // The faces of a cover of `coverType`, sized by `coversRow` (covers and
    // spines) and `discRow` (the disc and its hub). Other and unknown types
    // have only the disc.
    CoverFaces(int32_t coverType, const LabelStock &coversRow, const LabelStock &discRow);

    // The faces as the screen and the file exports show them: both rows are
    // the cover type's plain-paper row with the stored calibration. None for
    // a cover type without printable faces (Other).
    static std::optional<CoverFaces> onPlainPaper(int32_t coverType);

    int32_t coverType() const { return m_coverType; }
    const LabelStock &coversRow() const { return m_coversRow; }
    const LabelStock &discRow() const { return m_discRow; }
    // The row a face takes its size from.
    const LabelStock &rowOf(const CoverFace &face) const;

    // Covers first (front before back), the disc last.
    const QList<CoverFace> &all() const { return m_faces; }
    // The faces of the covers sheet.
    QList<CoverFace> covers() const;
    const CoverFace &disc() const { return m_faces.back(); }
    // The face the main window shows in a view: on a sheet type both cover
    // views show the sheet. None for a cover view of a type without covers.
    std::optional<CoverFace> forView(Face view) const;

private:
    int32_t m_coverType;
    LabelStock m_coversRow;
    LabelStock m_discRow;
    QList<CoverFace> m_faces;
};
