#pragma once

#include "print/PageComposer.h"

#include <QList>
#include <QPageSize>
#include <QString>
#include <functional>

class DeviceContext;

enum class SheetKind { Covers, Disc };

// One printed sheet: one print job of one page, or one page of a PDF.
struct PrintSheet {
    SheetKind kind = SheetKind::Covers;
    // The sheet the stock is cut on. A PDF page takes this size, and so does
    // a print job on a label stock; plain paper is printed on the paper
    // chosen in the printer dialog.
    QPageSize pageSize;
    bool landscape = false; // the covers of the DVD types; else the orientation chosen
    QString prompt; // what to ask before the job; empty: printed without asking
    // Draws the page on a device whose origin is the printable area's corner.
    std::function<QList<PlacedFace>(DeviceContext &, const PageDevice &)> draw;
    // The labels of a pre-cut sheet, for a preview to outline; empty for
    // plain paper. Never printed.
    std::function<QList<QRect>(const PageDevice &)> labels;
};
