#include "TrackListing.h"

QList<TrackRow> readTrackListing(const QByteArray &encoded)
{
    QList<TrackRow> rows;
    const qsizetype openLen = sizeof(kDelimOpen) - 1;
    qsizetype offset = 0;
    int cell = 1;
    for (;;) {
        const qsizetype open = encoded.indexOf(kDelimOpen, offset);
        if (open < 0)
            break;
        if (cell == 4)
            cell = 1;
        if (cell == 1 || rows.isEmpty())
            rows.append(TrackRow{});
        const qsizetype start = open + openLen;
        qsizetype close = encoded.indexOf(kDelimClose, open);
        if (close < 0)
            close = encoded.size();
        // A close marker found before the cell's text starts (it overlaps the
        // open marker) leaves the cell empty.
        rows.last().append(close > start ? encoded.mid(start, close - start) : QByteArray());
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
