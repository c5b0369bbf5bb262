#include "document/DisplayText.h"
#include "document/TrackListing.h"
#include "render/FaceDrawing.h"
#include "render/TrackColumns.h"
#include "tests/support/FaceRendering.h"

#include <QFontMetrics>
#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {
QString cell(const QString &value)
{
    return QStringLiteral("[DELIM]") + value + QStringLiteral("[/DELIM]");
}

// What the track listing editor writes: three cells a row, LF CR after each.
QString listing(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        for (const QString &value : row)
            text += cell(value);
        text += QStringLiteral("\n\r");
    }
    return text;
}
} // namespace

TEST(TrackColumns, RowsOfThreeFillTheThreeColumns)
{
    const TrackColumns c = splitTrackColumns(
        listing({{"1", "Intro", "1:02"}, {"2", "Song", "3:45"}, {"3", "Outro", "2:00"}}));
    EXPECT_EQ(c.columns[0], QStringLiteral("1\r2\r3\r"));
    EXPECT_EQ(c.columns[1], QStringLiteral("Intro\rSong\rOutro\r"));
    EXPECT_EQ(c.columns[2], QStringLiteral("1:02\r3:45\r2:00\r"));
    EXPECT_EQ(c.longestFirst, QStringLiteral("1"));
}

TEST(TrackColumns, SevenEntriesLeaveTheThirdRowWithANumberOnly)
{
    QString text;
    for (const char *v : {"1", "a", "1:00", "2", "b", "2:00", "3"})
        text += cell(QString::fromLatin1(v));
    const TrackColumns c = splitTrackColumns(text);
    EXPECT_EQ(c.columns[0], QStringLiteral("1\r2\r3\r"));
    EXPECT_EQ(c.columns[1], QStringLiteral("a\rb\r"));
    EXPECT_EQ(c.columns[2], QStringLiteral("1:00\r2:00\r"));
}

TEST(TrackColumns, LongestFirstIsTheEarliestOfTheLongest)
{
    QList<QStringList> rows;
    for (int i = 1; i <= 12; ++i)
        rows.append({QString::number(i), QStringLiteral("t"), QStringLiteral("0:00")});
    EXPECT_EQ(splitTrackColumns(listing(rows)).longestFirst, QStringLiteral("10"));
    // Only column 1 counts.
    EXPECT_EQ(splitTrackColumns(listing({{"1", "a much longer title", "10:00:00"}})).longestFirst,
        QStringLiteral("1"));
}

TEST(TrackColumns, MissingCloseMarkerTakesTheRestOfTheText)
{
    const TrackColumns c
        = splitTrackColumns(cell("1") + cell("Song") + QStringLiteral("[DELIM]4:1"));
    EXPECT_EQ(c.columns[2], QStringLiteral("4:1\r"));
    // A later entry inside an unclosed one is still found on its own.
    const TrackColumns d = splitTrackColumns(QStringLiteral("[DELIM]1[DELIM]x[/DELIM]"));
    EXPECT_EQ(d.columns[0], QStringLiteral("1[DELIM]x\r"));
    EXPECT_EQ(d.columns[1], QStringLiteral("x\r"));
}

TEST(TrackColumns, TextOutsideTheMarkersIsIgnored)
{
    EXPECT_EQ(splitTrackColumns(QStringLiteral("just a note\r\nno tracks")).columns,
        (std::array<QString, 3>{}));
    const TrackColumns c = splitTrackColumns(
        QStringLiteral("head ") + cell("1") + "junk" + cell("a") + "\n\r" + cell("b"));
    EXPECT_EQ(c.columns[0], QStringLiteral("1\r"));
    EXPECT_EQ(c.columns[1], QStringLiteral("a\r"));
    EXPECT_EQ(c.columns[2], QStringLiteral("b\r"));
    EXPECT_TRUE(splitTrackColumns(QString()).longestFirst.isEmpty());
}

TEST(TrackListingDrawing, SecondColumnStartsAtOneAndAHalfTimesTheLongestNumber)
{
    LogFont record;
    record.setFaceName("Arial");
    const QFont font = fontFromLogFont(record, -24);
    QList<QStringList> rows;
    for (int i = 1; i <= 12; ++i)
        rows.append({QString::number(i), QStringLiteral("Title"), QStringLiteral("3:00")});
    const TrackColumns columns = splitTrackColumns(listing(rows));
    const QRect box(33, 9, 504, 435);
    for (double factor : {1.5, 1.0}) {
        const RenderedFace out
            = renderOnCanvas(QSize(600, 450), 96, box, [&](DeviceContext &dc, const QRect &r) {
                  drawTrackListing(dc, font, Qt::black, columns, r, factor);
              });
        const QList<TextDrawCall> calls = out.boxes();
        ASSERT_EQ(calls.size(), 3);
        QImage probe = makeCanvas(1, 1, 96);
        const int w = QFontMetrics(font, &probe).horizontalAdvance(QStringLiteral("10"));
        EXPECT_EQ(calls[0].box, box);
        EXPECT_EQ(calls[1].box.left(), int(33 + factor * w));
        EXPECT_EQ(calls[1].box.right(), box.right());
        EXPECT_EQ(calls[2].box, box);
        EXPECT_EQ(calls[2].format, 2);
        // The lengths line up at the right edge of the box.
        const QRect lengths = inkBounds(out.image, QRect(400, 0, 200, 450), Qt::white);
        EXPECT_NEAR(lengths.right(), box.right(), 3);
    }
}

TEST(TrackListingDrawing, AmpersandInATitleAppearsOnce)
{
    LogFont record;
    record.setFaceName("Arial");
    const QFont font = fontFromLogFont(record, -24);
    // The renderer doubles every "&" before splitting.
    const TrackColumns doubled
        = splitTrackColumns(cell("1") + cell("Salt && Pepper") + cell("1:00"));
    const TrackColumns plain = splitTrackColumns(cell("1") + cell("Salt & Pepper") + cell("1:00"));
    auto draw = [&](const TrackColumns &c) {
        return renderOnCanvas(QSize(500, 100), 96, QRect(0, 0, 500, 100),
            [&](DeviceContext &dc, const QRect &r) {
                drawTrackListing(dc, font, Qt::black, c, r, 1.5);
            })
            .image;
    };
    const QImage shown = draw(doubled);
    QImage expected = makeCanvas(500, 100, 96);
    {
        QPainter p(&expected);
        p.setFont(font);
        p.setPen(Qt::black);
        const QFontMetrics fm(font, &expected);
        p.drawText(QPoint(0, fm.ascent()), QStringLiteral("1"));
        p.drawText(QPoint(int(1.5 * fm.horizontalAdvance("1")), fm.ascent()),
            QStringLiteral("Salt & Pepper"));
        p.drawText(QPoint(500 - fm.horizontalAdvance("1:00"), fm.ascent()), QStringLiteral("1:00"));
    }
    EXPECT_EQ(shown, expected);
    EXPECT_NE(draw(plain), expected); // a single "&" is a mnemonic marker, not shown
}

namespace {

// The columns as the listing's definition splits them, searching afresh
// for every entry; quadratic, so only for small listings.
TrackColumns columnsByDefinition(const QString &text)
{
    TrackColumns result;
    int column = 0;
    for (qsizetype position = 0; position < text.size();) {
        const qsizetype start = text.indexOf(QLatin1String("[DELIM]"), position);
        if (start < 0)
            break;
        const qsizetype end = text.indexOf(QLatin1String("[/DELIM]"), start);
        const QString entry = end < 0 ? text.mid(start + 7) : text.mid(start + 7, end - start - 7);
        result.columns[column] += entry + QLatin1Char('\r');
        if (column == 0 && entry.size() > result.longestFirst.size())
            result.longestFirst = entry;
        column = (column + 1) % 3;
        position = start + 7;
    }
    return result;
}

// What the face renderers split before cells were decoded on their own.
TrackColumns splitWhole(const QByteArray &stored)
{
    return splitTrackColumns(doubledAmpersands(displayText(stored)));
}

void expectSameColumns(const TrackColumns &a, const TrackColumns &b)
{
    EXPECT_EQ(a.columns, b.columns);
    EXPECT_EQ(a.longestFirst, b.longestFirst);
}

} // namespace

TEST(StoredTrackListing, ListingsInOneEncodingSplitAsTheWholeDecodedText)
{
    // Windows-1252 and UTF-8 texts of every shape, with "&", unclosed cells
    // and text outside the markers.
    const QString tokens[] = {QStringLiteral("[DELIM]"), QStringLiteral("[/DELIM]"),
        QStringLiteral("a"), QStringLiteral("\n\r"), QStringLiteral("&"), QStringLiteral("1."),
        QStringLiteral("Caf\u00e9"), QStringLiteral("\u20ac"), QStringLiteral("[DEL")};
    QRandomGenerator random(11);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int n = random.bounded(30);
        const bool utf8 = round % 2;
        for (int i = 0; i < n; ++i)
            text += tokens[random.bounded(int(std::size(tokens)))];
        if (utf8)
            text += QStringLiteral("\u03a9");
        QByteArray stored;
        ASSERT_TRUE(utf8 || toWindows1252(text, stored));
        if (utf8)
            stored = text.toUtf8();
        // The Windows-1252 bytes of a cell may happen to be valid UTF-8 (E9 80
        // 80 for "e-acute, euro, euro"); such a cell reads as UTF-8, and no
        // listing this program writes holds one.
        const QList<TrackRow> cells = readTrackListing(stored);
        if (!utf8 && std::any_of(cells.cbegin(), cells.cend(), [](const TrackRow &row) {
                return std::any_of(row.cbegin(), row.cend(), holdsUtf8);
            }))
            continue;
        SCOPED_TRACE(stored.toHex().constData());
        const TrackColumns split = splitStoredTrackListing(stored);
        expectSameColumns(split, splitWhole(stored));
        expectSameColumns(split, columnsByDefinition(doubledAmpersands(text)));
        expectSameColumns(splitTrackColumns(text), columnsByDefinition(text));
        if (HasFailure())
            return;
    }
}
