#pragma once

#include "print/FaceBinding.h"

#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

// The named parts of a wrap-around sheet (Back, Spine, Front, Flap) as they
// lie in a preview of `size`, for an overlay that helps to place texts and
// pictures; faces of one part have none.
struct SheetPart {
    QString name;
    QRectF rect;
};

QList<SheetPart> sheetParts(const FaceRenderer &face, QSizeF size);

// A thin overlay: dashed lines between the parts and each part's name.
void drawSheetPartNames(QPainter &painter, const QList<SheetPart> &parts);
