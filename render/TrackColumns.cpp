#include "TrackColumns.h"

#include "render/Geometry.h"

#include "FaceDrawing.h"
#include "TextDrawing.h"
#include "document/TrackCellScanner.h"
#include "document/TrackListing.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <cmath>
#include <limits>

namespace {

void appendEntry(TrackColumns &columns, int column, const QString &entry)
{
    columns.columns[column].append(entry);
    columns.columns[column].append(QLatin1Char('\r'));
    if (column == 0 && entry.size() > columns.longestFirst.size())
        columns.longestFirst = entry;
}

} // namespace

TrackColumns splitTrackColumns(const QString &text)
{
    TrackColumns result;
    TrackCellScanner scanner(text);
    TrackCellScanner::Cell cell;
    while (scanner.next(cell))
        appendEntry(result, cell.column, text.sliced(cell.start, cell.size));
    return result;
}

TrackColumns splitStoredTrackListing(const QByteArray &stored)
{
    TrackColumns result;
    const QByteArrayView bytes(stored);
    TrackCellScanner scanner(stored);
    TrackCellScanner::Cell cell;
    while (scanner.next(cell)) {
        // "&" is ASCII and in no marker, so doubling it cell by cell gives
        // the cells of the doubled text.
        appendEntry(result, cell.column,
            doubledAmpersands(displayCellText(bytes.sliced(cell.start, cell.size))));
    }
    return result;
}

void drawTrackListing(DeviceContext &dc, const QFont &font, const QColor &color,
    const TrackColumns &columns, const QRect &box, double column2Factor)
{
    drawTextInBox(dc, font, color, columns.columns[0], box, AlignLeft);
    // With a factor of at least 1, a longest entry wider than the box puts
    // column 2 beyond it, however much wider it is.
    const int limit = column2Factor >= 1 ? box.width() : std::numeric_limits<int>::max() / 4;
    const int w = lineWidthWithin(dc, font, columns.longestFirst, limit);
    QRect second = box;
    second.setLeft(truncated(box.left() + column2Factor * w));
    // Moving the left edge keeps the right edge where it was.
    drawTextInBox(dc, font, color, columns.columns[1], second, AlignLeft);
    drawTextInBox(dc, font, color, columns.columns[2], box, AlignRight);
}
