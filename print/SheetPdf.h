#pragma once

#include "print/PrintSheet.h"

#include <QList>
#include <QString>

// Writes `sheets` as the pages of one PDF, each page of its sheet's size and
// orientation, drawn at 600 dpi with no printable-area offset. The file is
// written through a temporary file: on failure `error` says why and nothing
// is left at `path` (a file that was there stays as it was).
bool writeSheetsPdf(
    const QString &path, const QString &title, const QList<PrintSheet> &sheets, QString &error);
