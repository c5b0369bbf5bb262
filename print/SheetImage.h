#pragma once

#include "print/PrintSheet.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QSizeF>

// A sheet drawn as the print run draws it (the same draw function, the
// sheet's own paper, no printable-area offset), for the Print dialog's
// preview: white paper, the faces where they land, and the labels of a
// pre-cut sheet outlined in grey over them.
struct SheetImage {
    QImage image; // the whole sheet at `dpi`
    int dpi = 0;
    QList<PlacedFace> faces; // as the sheet's draw function placed them
    QList<QRect> labels; // the grey outlines
};

// The sheet's paper in inches, turned for a landscape sheet.
QSizeF sheetInches(const PrintSheet &sheet);

// Null image when `dpi` is not positive or the image cannot be made.
SheetImage drawSheetImage(const PrintSheet &sheet, int dpi);

// The colour of the label outlines.
QColor labelOutlineColor();
