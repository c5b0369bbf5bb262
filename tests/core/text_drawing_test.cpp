#include "render/DeviceContext.h"
#include "render/TextDrawing.h"
#include "tests/support/FaceImage.h"

#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

LogFont arial(int height, int weight = 0)
{
    LogFont font;
    font.setFaceName("Arial");
    font.height = height;
    font.weight = weight;
    return font;
}

struct Canvas {
    QImage image;
    explicit Canvas(int w, int h, int dpi = 96)
        : image(makeCanvas(w, h, dpi))
    {
    }
};

// Draws into a fresh canvas and returns it.
template <typename F> QImage drawn(int w, int h, int dpi, F &&draw)
{
    QImage image = makeCanvas(w, h, dpi);
    QPainter painter(&image);
    DeviceContext dc(painter);
    draw(dc);
    painter.end();
    return image;
}

} // namespace

TEST(FontFromLogFont, StyledFaceNamesNameTheFamilyAndTheStyle)
{
    struct Case {
        const char *faceName;
        int weight;
        const char *family;
        int expectedWeight;
        bool italic;
    } cases[] = {
        {"Verdana Bold", 0, "Verdana", 700, false},
        {"Verdana", 0, "Verdana", 400, false},
        {"Arial", 700, "Arial", 700, false},
        {"Arial Bold Italic", 0, "Arial", 700, true},
        {"Times New Roman", 300, "Times New Roman", 300, false},
    };
    for (const Case &c : cases) {
        LogFont record;
        record.setFaceName(c.faceName);
        record.weight = c.weight;
        const QFont font = fontFromLogFont(record, -20);
        EXPECT_EQ(font.family(), QString::fromLatin1(c.family)) << c.faceName;
        EXPECT_EQ(font.weight(), c.expectedWeight) << c.faceName;
        EXPECT_EQ(font.italic(), c.italic) << c.faceName;
        EXPECT_EQ(font.pixelSize(), 20) << c.faceName;
    }
}

TEST(FontFromLogFont, RecordFlagsCarryOver)
{
    LogFont record = arial(-16);
    record.italic = 1;
    record.underline = 1;
    record.strikeOut = 1;
    const QFont font = fontFromLogFont(record, -16);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
}

TEST(FontFromLogFont, PositiveHeightIsTheCellHeight)
{
    const QFont font = fontFromLogFont(arial(40), 40);
    const QFontMetrics fm(font);
    EXPECT_NEAR(fm.ascent() + fm.descent(), 40, 2);
    EXPECT_LT(font.pixelSize(), 40);
}

TEST(FontFromLogFont, AbsurdHeightsAreBounded)
{
    EXPECT_LE(fontFromLogFont(arial(-2000000000), -2000000000).pixelSize(), 8000);
    EXPECT_GE(fontFromLogFont(arial(0), 0).pixelSize(), 1);
}

TEST(TextLines, ACrLfPairInEitherOrderIsOneBreakAndEqualCharactersAreTwo)
{
    struct Case {
        const char *text;
        QStringList lines;
    } cases[] = {
        {"one line", {"one line"}},
        {"", {""}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\rb", {"a", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\r\n\rb", {"a", "", "b"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"a\r\n\rb", {"a", "", "b"}},
        {"1\n\r2\n\r", {"1", "2", ""}},
        {"1\r2\r", {"1", "2", ""}},
        {"\n\r", {"", ""}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(splitTextLines(QString::fromLatin1(c.text)), c.lines)
            << QByteArray(c.text).toPercentEncoding().constData();
}

TEST(TextPrefixes, DoubledAmpersandShowsOnceAndASingleOneIsAMnemonic)
{
    EXPECT_EQ(stripPrefixes(QStringLiteral("Rock && Roll")), QStringLiteral("Rock & Roll"));
    EXPECT_EQ(stripPrefixes(QStringLiteral("&&&&")), QStringLiteral("&&"));
    EXPECT_EQ(stripPrefixes(QStringLiteral("&File")), QStringLiteral("File"));
    EXPECT_EQ(stripPrefixes(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST(TextBox, DoubledAmpersandDrawsLikeOneAmpersand)
{
    const QFont font = fontFromLogFont(arial(-30), -30);
    auto render = [&](const QString &text) {
        return drawn(300, 60, 96, [&](DeviceContext &dc) {
            drawTextInBox(dc, font, Qt::black, text, QRect(0, 0, 300, 60), AlignLeft);
        });
    };
    const QImage direct = drawn(300, 60, 96, [&](DeviceContext &dc) {
        QPainter &p = dc.painter();
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPoint(0, QFontMetrics(font, p.device()).ascent()), QStringLiteral("A&B"));
    });
    EXPECT_EQ(render(QStringLiteral("A&&B")), direct);
    EXPECT_NE(render(QStringLiteral("AB")), direct);
}

TEST(TextBox, LinesAreAlignedEachOnItsOwn)
{
    const QFont font = fontFromLogFont(arial(-20), -20);
    const QRect box(10, 0, 300, 100);
    const QString text = QStringLiteral("WWWWWWWW\rI");
    for (int format : {AlignLeft, AlignCenter, AlignRight}) {
        QImage image = drawn(320, 100, 96,
            [&](DeviceContext &dc) { drawTextInBox(dc, font, Qt::black, text, box, format); });
        const int lineHeight = QFontMetrics(font, &image).height();
        const QRect second = inkBounds(image, QRect(0, lineHeight, 320, lineHeight), Qt::white);
        ASSERT_FALSE(second.isNull()) << format;
        const int centre = (second.left() + second.right()) / 2;
        if (format == AlignLeft)
            EXPECT_LE(second.left(), box.left() + 4);
        else if (format == AlignCenter)
            EXPECT_NEAR(centre, box.left() + box.width() / 2, 3);
        else
            EXPECT_GE(second.right(), box.left() + box.width() - 5);
    }
}

TEST(TextBox, LongLinesAreClippedNotWrapped)
{
    const QFont font = fontFromLogFont(arial(-20), -20);
    const QRect box(20, 10, 100, 200);
    QImage image = drawn(400, 250, 96, [&](DeviceContext &dc) {
        drawTextInBox(dc, font, Qt::black,
            QStringLiteral("a very long line that cannot fit in the box"), box, AlignLeft);
    });
    const QRect ink = inkBounds(image, image.rect(), Qt::white);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), box.left());
    EXPECT_LE(ink.right(), box.right());
    EXPECT_GE(ink.right(), box.right() - 3); // ink reaches the edge: cut, not wrapped
    const int lineHeight = QFontMetrics(font, &image).height();
    EXPECT_LE(ink.bottom(), box.top() + lineHeight); // one line only
}

TEST(TextBox, AVeryLongLineDrawsAsLaidOutWhole)
{
    // Only the part of the line that reaches into the box is laid out; the
    // pixels are those of the whole line. A line with right-to-left text may
    // be reordered as a whole, so it is laid out whole.
    const QFont font = fontFromLogFont(arial(-20), -20);
    const QRect box(10, 5, 300, 40);
    const QString latin = QStringLiteral("Song title & more, ").repeated(3000);
    // Right to left as a whole: the last words show at the left.
    const QString hebrew = QStringLiteral("\u05e9\u05d9\u05e8 ")
        + QStringLiteral("Song \u05e9\u05d9\u05e8 ").repeated(3000) + QStringLiteral("THE END");
    const QString cut = latin.left(100); // short enough to be laid out whole
    for (const QString &line : {latin, hebrew, cut}) {
        for (int format : {AlignLeft, AlignRight}) {
            SCOPED_TRACE(format);
            const QImage shown = drawn(320, 50, 96,
                [&](DeviceContext &dc) { drawTextInBox(dc, font, Qt::black, line, box, format); });
            const QImage whole = drawn(320, 50, 96, [&](DeviceContext &dc) {
                QPainter &p = dc.painter();
                const QFontMetrics fm(font, p.device());
                const QString text = stripPrefixes(line);
                p.setClipRect(box);
                p.setFont(font);
                p.setPen(Qt::black);
                const int x = format == AlignLeft
                    ? box.left()
                    : box.left() + box.width() - fm.horizontalAdvance(text);
                p.drawText(QPoint(x, box.top() + fm.ascent()), text);
            });
            if (format == AlignRight && line == latin) {
                // Placed from its right end, the part may sit a fraction of a
                // pixel off where the whole line's glyphs fall.
                const QRect a = inkBounds(shown, shown.rect(), Qt::white);
                const QRect b = inkBounds(whole, whole.rect(), Qt::white);
                EXPECT_NEAR(a.left(), b.left(), 1);
                EXPECT_NEAR(a.right(), b.right(), 1);
                EXPECT_EQ(a.top(), b.top());
                EXPECT_EQ(a.bottom(), b.bottom());
            } else {
                EXPECT_EQ(shown, whole) << line.size();
            }
        }
    }
}

TEST(TextExtent, AVeryLongLineIsMeasuredUntilItPassesTheLimit)
{
    const QFont font = fontFromLogFont(arial(-20), -20);
    QImage canvas = makeCanvas(10, 10, 96);
    QPainter painter(&canvas);
    DeviceContext dc(painter);
    const QFontMetrics fm(font, &canvas);
    const QString line = QStringLiteral("Song title ").repeated(5000);
    const QString shortLine = line.left(200);
    const QString spaces = QStringLiteral("\u200b").repeated(20000); // zero width
    EXPECT_EQ(lineWidthWithin(dc, font, shortLine, 10), fm.horizontalAdvance(shortLine));
    EXPECT_EQ(lineWidthWithin(dc, font, spaces, 10), fm.horizontalAdvance(spaces));
    EXPECT_EQ(lineWidthWithin(dc, font, line, 1 << 30), fm.horizontalAdvance(line));
    const int within = lineWidthWithin(dc, font, line, 500);
    EXPECT_GT(within, 500);
    EXPECT_LT(within, fm.horizontalAdvance(line) / 2);
}

TEST(TextBox, SameFontHeightOnAnyResolution)
{
    // A 12 point face: 16 px at 96 dpi, 100 px at 600 dpi.
    auto capHeight = [](int dpi, int pixels) {
        const QFont font = fontFromLogFont(arial(-pixels), -pixels);
        QImage image = drawn(2000, 400, dpi, [&](DeviceContext &dc) {
            drawTextInBox(
                dc, font, Qt::black, QStringLiteral("H"), QRect(0, 0, 2000, 400), AlignLeft);
        });
        return inkBounds(image, image.rect(), Qt::white).height();
    };
    const int at96 = capHeight(96, 16);
    const int at600 = capHeight(600, 100);
    EXPECT_NEAR(at600, at96 * 600.0 / 96.0, 8);
    EXPECT_NEAR(at600, 72, 6); // Arial's capitals are about 0.716 em
}

TEST(TextExtent, MeasuresOnTheDeviceInUse)
{
    const QFont font = fontFromLogFont(arial(-100), -100);
    QImage at600 = makeCanvas(10, 10, 600);
    QImage at96 = makeCanvas(10, 10, 96);
    QPainter p600(&at600);
    QPainter p96(&at96);
    DeviceContext dc600(p600);
    DeviceContext dc96(p96);
    EXPECT_EQ(dc600.dpiY(), 600);
    const QSize a600 = textExtent(dc600, font, QStringLiteral("AAAA"));
    const QSize a96 = textExtent(dc96, font, QStringLiteral("AAAA"));
    EXPECT_NEAR(a600.width(), a96.width(), 2);
    EXPECT_NEAR(a600.height(), 115, 4); // Arial's cell is about 1.15 em
}

TEST(RotatedText, ReadsDownFromTheTopRightAndUpFromTheBottomLeft)
{
    const QFont font = fontFromLogFont(arial(-20), -20);
    const QString text = QStringLiteral("SPINE TEXT");
    QImage probe = makeCanvas(1, 1, 96);
    const int cx = QFontMetrics(font, &probe).horizontalAdvance(text);
    const int cy = QFontMetrics(font, &probe).height();

    QImage down = drawn(300, 300, 96, [&](DeviceContext &dc) {
        drawRotatedText(dc, font, Qt::black, -900, QPoint(100, 50), QRect(0, 0, 300, 300), text);
    });
    QRect ink = inkBounds(down, down.rect(), Qt::white);
    EXPECT_GE(ink.left(), 100 - cy - 1);
    EXPECT_LE(ink.right(), 100);
    EXPECT_GE(ink.top(), 50);
    EXPECT_LE(ink.bottom(), 50 + cx);
    EXPECT_GT(ink.height(), cx * 3 / 4);

    QImage up = drawn(300, 300, 96, [&](DeviceContext &dc) {
        drawRotatedText(dc, font, Qt::black, 900, QPoint(100, 250), QRect(0, 0, 300, 300), text);
    });
    ink = inkBounds(up, up.rect(), Qt::white);
    EXPECT_GE(ink.left(), 100);
    EXPECT_LE(ink.right(), 100 + cy);
    EXPECT_LE(ink.bottom(), 250);
    EXPECT_GE(ink.top(), 250 - cx);

    // The two read in opposite directions: one is the other turned by 180 degrees.
    QImage turned = down.transformed(QTransform().rotate(180));
    EXPECT_NE(down, turned);
}

TEST(RotatedText, IsClippedToItsBox)
{
    const QFont font = fontFromLogFont(arial(-20), -20);
    QImage image = drawn(300, 300, 96, [&](DeviceContext &dc) {
        drawRotatedText(dc, font, Qt::black, -900, QPoint(100, 0), QRect(90, 0, 5, 300),
            QStringLiteral("MMMMMMMM"));
    });
    const QRect ink = inkBounds(image, image.rect(), Qt::white);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), 90);
    EXPECT_LE(ink.right(), 94);
}

TEST(TextObserver, IsToldOfEveryTextWithItsBox)
{
    const QFont font = fontFromLogFont(arial(-20), -20);
    QImage image = makeCanvas(100, 100, 96);
    QPainter painter(&image);
    DeviceContext dc(painter);
    TextDrawRecorder recorder;
    dc.setTextObserver(&recorder);
    drawTextInBox(dc, font, Qt::red, QStringLiteral("x"), QRect(1, 2, 30, 40), AlignRight);
    drawRotatedText(
        dc, font, Qt::blue, 900, QPoint(5, 6), QRect(0, 0, 10, 10), QStringLiteral("y"));
    ASSERT_EQ(recorder.calls.size(), 2);
    EXPECT_EQ(recorder.calls[0].kind, TextDrawCall::Kind::Box);
    EXPECT_EQ(recorder.calls[0].box, QRect(1, 2, 30, 40));
    EXPECT_EQ(recorder.calls[0].format, AlignRight);
    EXPECT_EQ(recorder.calls[0].pixelSize, 20);
    EXPECT_EQ(recorder.calls[0].color, QColor(Qt::red));
    EXPECT_EQ(recorder.calls[1].kind, TextDrawCall::Kind::Rotated);
    EXPECT_EQ(recorder.calls[1].origin, QPoint(5, 6));
    EXPECT_EQ(recorder.calls[1].escapement, 900);
}

TEST(Colors, ColorRefIsBlueGreenRed)
{
    EXPECT_EQ(colorFromRef(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorFromRef(0x0000FF00), QColor(0, 255, 0));
    EXPECT_EQ(colorFromRef(0x00FF0000), QColor(0, 0, 255));
}
