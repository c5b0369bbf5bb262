// A chosen font as a face's font record, and a record as the chooser shows it.
#include "render/FontRecord.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

QFont font(const char *family, double points, int weight = 400, bool italic = false)
{
    QFont f;
    f.setFamilies(QStringList{QString::fromUtf8(family)});
    f.setPointSizeF(points);
    f.setWeight(QFont::Weight(weight));
    f.setItalic(italic);
    return f;
}

LogFont record(int height, int weight, QByteArray face, bool italic = false, bool lines = false)
{
    LogFont r;
    r.height = height;
    r.weight = weight;
    r.italic = italic;
    r.underline = r.strikeOut = lines;
    r.faceName = face;
    return r;
}

} // namespace

TEST(FontRecord, ChosenFontsBecomeRecordsAndRecordsShowAsChosen)
{
    QFont lined = font("DejaVu Serif", 12);
    lined.setUnderline(true);
    lined.setStrikeOut(true);
    QFont pixels = font("DejaVu Sans", 10);
    pixels.setPixelSize(30);
    const std::tuple<QFont, int, LogFont> chosen[] = {
        {font("DejaVu Sans", 18), 96, record(-24, 400, "DejaVu Sans")},
        {font("Liberation Serif", 12, 700, true), 120, record(-20, 700, "Liberation Serif", true)},
        {font("DejaVu Sans", 11), 96, record(-15, 400, "DejaVu Sans")}, // MulDiv rounds
        {font("DejaVu Sans", 10.5), 96, record(-14, 400, "DejaVu Sans")},
        {lined, 96, record(-16, 400, "DejaVu Serif", false, true)},
        {pixels, 120, record(-30, 400, "DejaVu Sans")},
        {font("Abcdefghij Klmnopqrst Uvwxyz Sans Mono", 10), 96,
            record(-13, 400, "Abcdefghij Klmnopqrst Uvwxyz Sa")},
        {font("Sch\xc3\xb6n", 10), 96, record(-13, 400, "Sch\xf6n")}, // Windows-1252
    };
    for (const auto &[f, dpi, expected] : chosen)
        EXPECT_EQ(logFontFromChosenFont(f, dpi), expected) << f.family().toStdString();

    // The chooser starts from what the face draws with.
    const QFont styled = chooserFontFromLogFont(record(-16, 0, "Verdana Bold", true, true), 96);
    EXPECT_EQ(styled.family(), QStringLiteral("Verdana"));
    EXPECT_EQ(styled.pointSizeF(), 12);
    EXPECT_TRUE(styled.bold() && styled.italic() && styled.underline() && styled.strikeOut());
    EXPECT_EQ(chooserFontFromLogFont(record(0, 0, "Arial"), 96).pointSizeF(), QFont().pointSizeF());
    // Whole points chosen come back as chosen.
    for (int dpi : {96, 120, 144}) {
        for (int points = 4; points <= 96; ++points) {
            const LogFont r = logFontFromChosenFont(font("DejaVu Sans", points), dpi);
            EXPECT_EQ(chooserFontFromLogFont(r, dpi).pointSizeF(), points) << dpi << " " << points;
            EXPECT_EQ(logFontFromChosenFont(chooserFontFromLogFont(r, dpi), dpi), r);
        }
    }
}
