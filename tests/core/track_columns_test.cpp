#include "render/TrackColumns.h"
#include "tests/support/FaceRendering.h"

#include <QFontMetrics>
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

qsizetype columnsSize(const TrackColumns &c)
{
    return c.columns[0].size() + c.columns[1].size() + c.columns[2].size();
}

} // namespace

TEST(TrackColumns, DamagedListingsAreSplitInOnePassAndCutShort)
{
    const struct {
        const char *what;
        QString text;
        QString firstEntry;
    } cases[] = {
        {"20,000 unclosed cells", QStringLiteral("[DELIM]").repeated(20000),
            QStringLiteral("[DELIM]").repeated(19999)},
        {"closed only at the end", QStringLiteral("[DELIM]&").repeated(20000) + "[/DELIM]",
            "&" + QStringLiteral("[DELIM]&").repeated(19999)},
        {"unclosed cells of line breaks", QStringLiteral("[DELIM]\r\n").repeated(20000),
            QStringLiteral("\r\n") + QStringLiteral("[DELIM]\r\n").repeated(19999)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        // The cells stop at about twice the listing; the first ones stay whole.
        const TrackColumns split = splitTrackColumns(c.text);
        EXPECT_TRUE(split.columns[0].startsWith(c.firstEntry + '\r'));
        EXPECT_LE(columnsSize(split), 2 * c.text.size() + 65536 + 16);
    }
}
