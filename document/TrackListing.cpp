#include "TrackListing.h"

QList<TrackRow> readTrackListing(const QByteArray &encoded)
{
    QList<TrackRow> rows;
    const qsizetype openLen = sizeof(kDelimOpen) - 1;
    // Cells whose closing marker is missing overlap all the cells after
    // them, so a damaged listing of n bytes could decode to n * n / 14
    // bytes. Genuine cells lie side by side; decoding stops once the cells
    // hold far more than the whole string.
    const qsizetype budget = 2 * encoded.size() + (qsizetype(1) << 16);
    qsizetype decoded = 0;
    qsizetype offset = 0;
    // The first "[/DELIM]" at or after the last "[DELIM]"; it stays the
    // answer for every later "[DELIM]" before it, which keeps one scan
    // over the string however many cells lack their closing marker.
    qsizetype close = -1;
    bool noMoreClose = false;
    int cell = 1;
    for (;;) {
        const qsizetype open = encoded.indexOf(kDelimOpen, offset);
        if (open < 0)
            break;
        if (cell == 4)
            cell = 1;
        const qsizetype start = open + openLen;
        if (!noMoreClose && close < open) {
            close = encoded.indexOf(kDelimClose, open);
            noMoreClose = close < 0;
        }
        const qsizetype cellEnd = noMoreClose ? encoded.size() : close;
        // A close marker found before the cell's text starts (it overlaps the
        // open marker) leaves the cell empty.
        const qsizetype cellSize = cellEnd > start ? cellEnd - start : 0;
        decoded += cellSize;
        if (decoded > budget)
            break;
        if (cell == 1 || rows.isEmpty())
            rows.append(TrackRow{});
        rows.last().append(encoded.mid(start, cellSize));
        offset = start;
        ++cell;
    }
    return rows;
}

QByteArray writeTrackListing(const QList<TrackRow> &rows)
{
    QByteArray out;
    for (const TrackRow &row : rows) {
        for (const QByteArray &cell : row) {
            out += kDelimOpen;
            out += cell;
            out += kDelimClose;
        }
        out += "\n\r";
    }
    return out;
}
