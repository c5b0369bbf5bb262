// Lines pasted into the track grid as number, title and length, and the
// lengths the total time adds up.
#include "document/PastedTracks.h"

#include <gtest/gtest.h>

TEST(PastedTracks, LinesSplitIntoNumberTitleAndLength)
{
    const std::pair<const char *, const char *> cases[] = {
        {"3. Title 4:05", "3.|Title|4:05"},
        {"03 - Title (4:05)", "03.|Title|4:05"},
        {"12) Long Song [1:02:03]", "12.|Long Song|1:02:03"},
        {"Title - 4:05", "|Title|4:05"},
        {"Just A Title", "|Just A Title|"},
        {"1979", "|1979|"},
        {"7 Seconds", "7.|Seconds|"},
        {"4:05", "||4:05"},
        {"2.\tTab Title\t3:00", "2.|Tab Title|3:00"},
        {"Tab Title\t3:00", "|Tab Title|3:00"},
        {"5\tTitle\twith tab\t(2:10)", "5.|Title with tab|2:10"},
        {"\tOnly title\t", "|Only title|"},
    };
    for (const auto &[line, cells] : cases) {
        const QList<QStringList> rows = PastedTracks::parse(QString::fromUtf8(line));
        ASSERT_EQ(rows.size(), 1) << line;
        EXPECT_EQ(rows[0].join(QLatin1Char('|')), QString::fromUtf8(cells)) << line;
    }
    const QList<QStringList> rows
        = PastedTracks::parse(QStringLiteral("1. A 1:00\r\n\r\n  \n2. B\rC"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2].join(QLatin1Char('|')), QStringLiteral("|C|"));

    EXPECT_TRUE(PastedTracks::isRows(QStringLiteral("a\nb")));
    EXPECT_TRUE(PastedTracks::isRows(QStringLiteral("a\tb")));
    EXPECT_FALSE(PastedTracks::isRows(QStringLiteral("one line\n")));
}

TEST(PastedTracks, LengthsAreMinutesAndSecondsOrHours)
{
    const std::pair<const char *, qint64> cases[]
        = {{"4:05", 245}, {" 0:59 ", 59}, {"1:02:03", 3723}, {"75:00", 4500}, {"4:60", -1},
            {"4", -1}, {"4:5x", -1}, {"", -1}, {"-1:00", -1}, {"1:2:3:4", -1}, {":30", -1}};
    for (const auto &[text, seconds] : cases)
        EXPECT_EQ(PastedTracks::lengthSeconds(QString::fromUtf8(text)), seconds) << text;
}
