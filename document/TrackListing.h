#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The track listing of a CD cover lives in one string: every cell between
// "[DELIM]" and "[/DELIM]", three cells a row (number, title, length), each
// row followed by LF CR. Anything outside the markers is ignored.
//
// Each cell is stored on its own terms (Windows-1252, or UTF-8 when it does
// not fit there), and covers exist whose cells mix the two, so a listing is
// decoded cell by cell, never as a whole. Listings this program writes keep
// to one encoding, so that other readers show them right too.
using TrackRow = QList<QByteArray>; // one to three cells

inline constexpr char kDelimOpen[] = "[DELIM]";
inline constexpr char kDelimClose[] = "[/DELIM]";

// Reads the rows; a fourth cell starts a new row, a cell without a closing
// marker runs to the end of the string. A damaged listing whose cells would
// hold far more than the string is cut short (TrackCellScanner).
QList<TrackRow> readTrackListing(const QByteArray &encoded);

// Encodes rows as the editor writes them.
QByteArray writeTrackListing(const QList<TrackRow> &rows);

// One cell's bytes as text: UTF-8 when they are valid UTF-8, else
// Windows-1252, as displayText decides for a whole text; a byte order mark
// at the cell's start is a character of the cell, as it is inside a
// listing read whole.
QString displayCellText(QByteArrayView cell);

// Whether stored bytes are UTF-8 beyond ASCII: valid UTF-8 with a byte
// from 0x80 on.
bool holdsUtf8(QByteArrayView bytes);

// The rows in one encoding: when any cell holds UTF-8, every cell is
// re-encoded as UTF-8 (each decoded on its own first); else unchanged.
QList<TrackRow> inOneEncoding(const QList<TrackRow> &rows);

// The whole listing as one text, for showing it as stored: each cell
// decoded on its own, and the runs between cells too. A text that is valid
// UTF-8 throughout reads as displayText reads it.
QString displayTrackListing(const QByteArray &encoded);
