#include "TrackListing.h"

#include "TrackCellScanner.h"

QList<TrackRow> readTrackListing(const QByteArray &encoded)
{
    QList<TrackRow> rows;
    TrackCellScanner scanner(encoded);
    TrackCellScanner::Cell cell;
    while (scanner.next(cell)) {
        if (cell.column == 0 || rows.isEmpty())
            rows.append(TrackRow{});
        rows.last().append(encoded.mid(cell.start, cell.size));
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
