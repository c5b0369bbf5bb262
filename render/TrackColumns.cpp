#include "TrackColumns.h"

#include "render/Geometry.h"

#include "TextDrawing.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <cmath>

TrackColumns splitTrackColumns(const QString &text)
{
    static const QString open = QStringLiteral("[DELIM]");
    static const QString close = QStringLiteral("[/DELIM]");
    TrackColumns result;
    int column = 0;
    qsizetype position = 0;
    while (position >= 0 && position < text.size()) {
        const qsizetype start = text.indexOf(open, position);
        if (start < 0)
            break;
        if (column == 3)
            column = 0;
        const qsizetype valueStart = start + open.size();
        const qsizetype end = text.indexOf(close, start);
        const QString entry
            = end < 0 ? text.mid(valueStart) : text.mid(valueStart, end - valueStart);
        result.columns[column].append(entry);
        result.columns[column].append(QLatin1Char('\r'));
        if (column == 0 && entry.size() > result.longestFirst.size())
            result.longestFirst = entry;
        ++column;
        position = valueStart;
    }
    return result;
}

void drawTrackListing(DeviceContext &dc, const QFont &font, const QColor &color,
    const TrackColumns &columns, const QRect &box, double column2Factor)
{
    drawTextInBox(dc, font, color, columns.columns[0], box, AlignLeft);
    const int w = textExtent(dc, font, columns.longestFirst).width();
    QRect second = box;
    second.setLeft(truncated(box.left() + column2Factor * w));
    // Moving the left edge keeps the right edge where it was.
    drawTextInBox(dc, font, color, columns.columns[1], second, AlignLeft);
    drawTextInBox(dc, font, color, columns.columns[2], box, AlignRight);
}
