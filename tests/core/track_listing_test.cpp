// Track listings cell by cell: the one pass over damaged listings, the
// decoding of each cell on its own, one encoding per listing written, and
// the whole listing shown as stored (--info).
#include "document/DisplayText.h"
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

const QByteArray kCafe1252 = "Caf\xe9";
const QByteArray kCafeUtf8 = "Caf\xc3\xa9";
const QByteArray kOmegaUtf8 = "\xce\xa9mega";

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

TEST(TrackListingText, EachCellIsDecodedOnItsOwn)
{
    const struct {
        QByteArray cell;
        QString shown;
        bool utf8;
    } cells[] = {
        {"", "", false},
        {"3:45 & more", "3:45 & more", false},
        {kCafe1252, QStringLiteral("Caf\u00e9"), false},
        {kCafeUtf8, QStringLiteral("Caf\u00e9"), true},
        {kOmegaUtf8, QStringLiteral("\u03a9mega"), true},
        {"\x80\x81", QStringLiteral("\u20ac\u0081"), false},
        {"\xce\xa9\xe9", QStringLiteral("\u00ce\u00a9\u00e9"), false}, // not valid UTF-8
        // Inside a listing a byte order mark is a character like any other.
        {"\xef\xbb\xbfx", QStringLiteral("\ufeffx"), true},
    };
    for (const auto &c : cells) {
        SCOPED_TRACE(c.cell.toHex().constData());
        EXPECT_EQ(displayCellText(c.cell), c.shown);
        EXPECT_EQ(holdsUtf8(c.cell), c.utf8);
        if (!c.cell.startsWith("\xef\xbb\xbf")) {
            EXPECT_EQ(displayCellText(c.cell), displayText(c.cell));
        }
    }
}

TEST(TrackListingText, ListingsAreWrittenInOneEncoding)
{
    const struct {
        const char *what;
        QList<TrackRow> rows, written;
    } cases[] = {
        {"all Windows-1252 stays", {{"1.", kCafe1252, "3:00"}}, {{"1.", kCafe1252, "3:00"}}},
        {"all UTF-8 stays", {{"1.", kCafeUtf8, ""}, {"2.", kOmegaUtf8}},
            {{"1.", kCafeUtf8, ""}, {"2.", kOmegaUtf8}}},
        {"one UTF-8 cell turns every cell to UTF-8",
            {{"1.", kCafe1252, "3:00"}, {"2.", kOmegaUtf8, "\x80"}},
            {{"1.", kCafeUtf8, "3:00"}, {"2.", kOmegaUtf8, "\xe2\x82\xac"}}},
        {"no rows", {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QList<TrackRow> written = inOneEncoding(c.rows);
        EXPECT_EQ(written, c.written);
        // Read whole or cell by cell, the listing shows the same text.
        const QByteArray encoded = writeTrackListing(written);
        EXPECT_EQ(displayText(encoded), displayTrackListing(encoded));
        EXPECT_EQ(readTrackListing(encoded), written);
    }
}

TEST(TrackListingText, AWholeListingIsShownCellByCell)
{
    const struct {
        const char *what;
        QByteArray encoded;
        QString shown;
    } cases[] = {
        {"mixed cells", "[DELIM]" + kCafe1252 + "[/DELIM][DELIM]" + kOmegaUtf8 + "[/DELIM]\n\r",
            QStringLiteral("[DELIM]Caf\u00e9[/DELIM][DELIM]\u03a9mega[/DELIM]\n\r")},
        {"text between cells decoded on its own",
            "\xe9[DELIM]" + kOmegaUtf8 + "[/DELIM]" + kCafeUtf8,
            QStringLiteral("\u00e9[DELIM]\u03a9mega[/DELIM]Caf\u00e9")},
        {"an unclosed cell holding later cells is decoded once",
            "[DELIM]" + kCafe1252 + "[DELIM]" + kOmegaUtf8,
            QStringLiteral("[DELIM]Caf\u00e9[DELIM]\u00ce\u00a9mega")},
        {"valid UTF-8 throughout reads as a whole text, leading mark dropped",
            "\xef\xbb\xbf[DELIM]" + kOmegaUtf8 + "[/DELIM]",
            QStringLiteral("[DELIM]\u03a9mega[/DELIM]")},
        {"no cells", kCafe1252, QStringLiteral("Caf\u00e9")},
        {"empty", "", QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(displayTrackListing(c.encoded), c.shown);
    }
    // Linear for a damaged listing too: every byte shown once.
    const QByteArray unclosed = QByteArray("[DELIM]\xe9").repeated(20000);
    EXPECT_EQ(displayTrackListing(unclosed), fromWindows1252(unclosed));
}
