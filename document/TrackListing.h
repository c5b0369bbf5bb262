#pragma once

#include <QByteArray>
#include <QList>

// The track listing of a CD cover lives in one string: every cell between
// "[DELIM]" and "[/DELIM]", three cells a row (number, title, length), each
// row followed by LF CR. Anything outside the markers is ignored.
using TrackRow = QList<QByteArray>; // one to three cells

inline constexpr char kDelimOpen[] = "[DELIM]";
inline constexpr char kDelimClose[] = "[/DELIM]";

// Reads the rows; a fourth cell starts a new row, a cell without a closing
// marker runs to the end of the string. A damaged listing whose cells would
// hold far more than the string is cut short (TrackCellScanner).
QList<TrackRow> readTrackListing(const QByteArray &encoded);

// Encodes rows as the editor writes them.
QByteArray writeTrackListing(const QList<TrackRow> &rows);
