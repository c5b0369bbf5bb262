// Track listings cell by cell: the one pass over damaged listings.
#include "document/TrackCellScanner.h"
#include "document/TrackListing.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// The cells as the listing's definition reads them, searching afresh for
// every cell; quadratic, so only for small listings.
QList<TrackRow> cellsByDefinition(const QByteArray &encoded)
{
    QList<TrackRow> rows;
    int cell = 0;
    for (qsizetype offset = 0;;) {
        const qsizetype open = encoded.indexOf(kDelimOpen, offset);
        if (open < 0)
            break;
        const qsizetype start = open + 7;
        const qsizetype close = encoded.indexOf(kDelimClose, open);
        if (cell % 3 == 0)
            rows.append(TrackRow{});
        rows.last().append(close < 0 ? encoded.mid(start) : encoded.mid(start, close - start));
        ++cell;
        offset = start;
    }
    return rows;
}

qsizetype cellBytes(const QList<TrackRow> &rows)
{
    qsizetype n = 0;
    for (const TrackRow &row : rows)
        for (const QByteArray &cell : row)
            n += cell.size();
    return n;
}

} // namespace

TEST(TrackCellScanner, FindsTheCellsOfTheDefinitionInOnePassWithinABudget)
{
    // Small listings of every shape read as the definition reads them.
    const QByteArray tokens[] = {"[DELIM]", "[/DELIM]", "a", "\n\r", "[DEL", "IM]", "&"};
    QRandomGenerator random(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray encoded;
        const int n = random.bounded(40);
        for (int i = 0; i < n; ++i)
            encoded += tokens[random.bounded(int(std::size(tokens)))];
        ASSERT_EQ(readTrackListing(encoded), cellsByDefinition(encoded)) << encoded.constData();
    }

    // Unclosed cells overlap all the cells after them; the scan stops once
    // the cells hold about twice the listing, keeping the first cells whole.
    const struct {
        const char *what;
        QByteArray encoded;
    } damaged[] = {
        {"20,000 unclosed cells", QByteArray("[DELIM]").repeated(20000)},
        {"closed only at the end", QByteArray("[DELIM]x").repeated(20000) + "[/DELIM]"},
        {"unclosed cells of line breaks", QByteArray("[DELIM]\r\n").repeated(20000)},
    };
    for (const auto &c : damaged) {
        SCOPED_TRACE(c.what);
        const QList<TrackRow> rows = readTrackListing(c.encoded);
        ASSERT_FALSE(rows.isEmpty());
        EXPECT_LE(cellBytes(rows), 2 * c.encoded.size() + 65536);
        EXPECT_GE(cellBytes(rows), c.encoded.size());
        const qsizetype end
            = c.encoded.endsWith(kDelimClose) ? c.encoded.size() - 8 : c.encoded.size();
        EXPECT_EQ(rows[0][0], c.encoded.mid(7, end - 7));
    }

    // The scanner reads decoded text the same way.
    const QString text = QStringLiteral("x[DELIM]\u03a9[/DELIM][DELIM]b[DELIM]c");
    TrackCellScanner scanner(text);
    TrackCellScanner::Cell cell;
    QStringList cells;
    QList<int> columns;
    while (scanner.next(cell)) {
        cells << text.sliced(cell.start, cell.size);
        columns << cell.column;
    }
    EXPECT_EQ(cells, (QStringList{QStringLiteral("\u03a9"), "b[DELIM]c", "c"}));
    EXPECT_EQ(columns, (QList<int>{0, 1, 2}));
}
