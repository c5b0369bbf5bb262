#pragma once

#include "TextCut.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>

// The three columns of a track listing ("[DELIM]" value "[/DELIM]" cells,
// three per track: number, title, length). Every entry of a column is
// followed by one carriage return, so rows line up across columns when each
// column is drawn from the same top. Anything outside the markers is ignored.
struct TrackColumns {
    std::array<QString, 3> columns;
    QString longestFirst; // longest entry of column 1; the earlier one on ties
};

// A final "[DELIM]" without its closing marker takes the rest of the text.
// The cells are found in one pass (TrackCellScanner); a damaged listing whose
// unclosed cells would hold far more than the text is cut short.
TrackColumns splitTrackColumns(const QString &text);

// The columns the CD back face and the slimline sheet draw from the listing
// as the document stores it: each cell decoded on its own (displayCellText),
// since cells of one listing may differ in encoding, and every "&" doubled
// so that the box drawing shows it. For a listing in one encoding this is
// splitTrackColumns(doubledAmpersands(displayText(stored))).
TrackColumns splitStoredTrackListing(const QByteArray &stored);

class DeviceContext;
class QColor;
class QFont;
class QRect;

// Draws the three columns into `box` from its top: column 1 left-aligned,
// column 2 left-aligned from trunc(box.left + factor x width of
// longestFirst), column 3 right-aligned to the box's right edge. The CD
// back face and the slimline sheet use 1.5. Returns the rows that did not
// fit: below the box, or with a title running past the box or into its
// row's length.
QList<TextCut> drawTrackListing(DeviceContext &dc, const QFont &font, const QColor &color,
    const TrackColumns &columns, const QRect &box, double column2Factor,
    TextCut::Bound bound = TextCut::Bound::Cover);
