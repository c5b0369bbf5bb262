#pragma once

#include "document/CoverDocument.h"

#include <QImage>
#include <QSize>
#include <QString>

// The pictures of a template set made from a cover: each face's pictures
// as placed, on the face's colour, without texts or outlines, drawn by the
// one face-drawing routine and stretched to the pixel size the shipped sets
// have for that marker. A template is applied stretched to its faces again,
// so a set saved from a cover gives a cover of that type its faces back as
// they were.
class TemplateSetImages {
public:
    enum class Piece { Back, Front, Disc };
    static constexpr Piece kPieces[] = {Piece::Back, Piece::Front, Piece::Disc};

    // "[BACK]", "[FRONT]" or "[DISC]".
    static QString marker(Piece piece);
    // The shipped sets' sizes: the back spans a CD inlay or a whole DVD
    // sheet, the front and the disc are square.
    static QSize pixelSize(Piece piece);

    // The cover with what the pictures' layer leaves out taken away: texts,
    // titles, spine texts and outlines; the disc's picture runs through the
    // hub.
    static CoverDocument pictureLayer(const CoverDocument &doc);

    // One piece at pixelSize(piece). The back is the back face (a sheet
    // type's whole sheet), the front the front face or, on a sheet, the
    // largest centred square of its front panel; a piece the cover type has
    // no face for is the colour of that face. Null when it cannot be drawn.
    static QImage draw(const CoverDocument &doc, Piece piece);
};
