#include "TrackColumns.h"

#include "render/Geometry.h"

#include "FaceDrawing.h"
#include "TextDrawing.h"
#include "document/TrackCellScanner.h"
#include "document/TrackListing.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <algorithm>
#include <array>
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

QList<TextCut> drawTrackListing(DeviceContext &dc, const QFont &font, const QColor &color,
    const TrackColumns &columns, const QRect &box, double column2Factor, TextCut::Bound bound)
{
    std::array<QList<QRect>, 3> lines;
    drawTextInBox(dc, font, color, columns.columns[0], box, AlignLeft, &lines[0]);
    // With a factor of at least 1, a longest entry wider than the box puts
    // column 2 beyond it, however much wider it is.
    const int limit = column2Factor >= 1 ? box.width() : std::numeric_limits<int>::max() / 4;
    const int w = lineWidthWithin(dc, font, columns.longestFirst, limit);
    QRect second = box;
    second.setLeft(truncated(box.left() + column2Factor * w));
    // Moving the left edge keeps the right edge where it was.
    drawTextInBox(dc, font, color, columns.columns[1], second, AlignLeft, &lines[1]);
    drawTextInBox(dc, font, color, columns.columns[2], box, AlignRight, &lines[2]);

    // A row is cut when any of it is below the box, or when its title runs
    // past the box or into its own length.
    int rows = 0, below = 0, wider = 0;
    const int bottom = box.y() + box.height();
    const qsizetype count = std::max({lines[0].size(), lines[1].size(), lines[2].size()});
    for (qsizetype i = 0; i < count; ++i) {
        auto at = [&](int column) { return i < lines[column].size() ? lines[column][i] : QRect(); };
        const QRect number = at(0), title = at(1), length = at(2);
        if (number.width() <= 0 && title.width() <= 0 && length.width() <= 0)
            continue;
        ++rows;
        const QRect any = number.width() > 0 ? number : title.width() > 0 ? title : length;
        if (any.y() + any.height() > bottom) {
            ++below;
            continue;
        }
        const int titleRight = title.x() + title.width();
        const int room = length.width() > 0 ? length.x() : box.x() + box.width();
        if (title.width() > 0 && titleRight > room)
            ++wider;
        else if (length.width() > 0 && length.x() < box.x())
            ++wider;
    }
    QList<TextCut> cuts;
    if (below > 0)
        cuts.append({TextCut::Part::TrackRows, TextCut::Reason::Below, bound, below, rows});
    if (wider > 0)
        cuts.append({TextCut::Part::TrackRows, TextCut::Reason::Wider, bound, wider, rows});
    return cuts;
}
