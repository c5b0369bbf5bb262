// A chosen font as a face's font record, and a record as the font chooser
// starts from it.
#include "document/DisplayText.h"
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

LogFont record(int height, int weight, QByteArray face, bool italic = false, bool underline = false,
    bool strikeOut = false)
{
    LogFont r;
    r.height = height;
    r.weight = weight;
    r.italic = italic;
    r.underline = underline;
    r.strikeOut = strikeOut;
    r.faceName = face;
    return r;
}

} // namespace

TEST(FontRecord, ChosenFontBecomesTheFacesRecord)
{
    QFont underlined = font("DejaVu Serif", 12);
    underlined.setUnderline(true);
    underlined.setStrikeOut(true);
    QFont inPixels = font("DejaVu Sans", 10);
    inPixels.setPixelSize(30);
    QFont oblique = font("DejaVu Sans", 9);
    oblique.setStyle(QFont::StyleOblique);

    struct Case {
        const char *why;
        QFont chosen;
        int dpiY;
        LogFont expected;
    };
    const Case cases[] = {
        {"18 points at 96 dpi", font("DejaVu Sans", 18), 96, record(-24, 400, "DejaVu Sans")},
        {"bold italic at 120 dpi", font("Liberation Serif", 12, 700, true), 120,
            record(-20, 700, "Liberation Serif", true)},
        {"MulDiv rounds 14.67 up", font("DejaVu Sans", 11), 96, record(-15, 400, "DejaVu Sans")},
        {"half points", font("DejaVu Sans", 10.5), 96, record(-14, 400, "DejaVu Sans")},
        {"light", font("DejaVu Sans", 8, 200), 144, record(-16, 200, "DejaVu Sans")},
        {"underline and strike-out", underlined, 96,
            record(-16, 400, "DejaVu Serif", false, true, true)},
        {"sized in pixels", inPixels, 120, record(-30, 400, "DejaVu Sans")},
        {"oblique counts as italic", oblique, 96, record(-12, 400, "DejaVu Sans", true)},
        {"a long family is cut to 31 bytes", font("Abcdefghij Klmnopqrst Uvwxyz Sans Mono", 10), 96,
            record(-13, 400, "Abcdefghij Klmnopqrst Uvwxyz Sa")},
        {"a family in Windows-1252", font("Sch\xc3\xb6n Grotesk", 10), 96,
            record(-13, 400, "Sch\xf6n Grotesk")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const LogFont got = logFontFromChosenFont(c.chosen, c.dpiY);
        EXPECT_EQ(got.height, c.expected.height);
        EXPECT_EQ(got.weight, c.expected.weight);
        EXPECT_EQ(got.italic, c.expected.italic);
        EXPECT_EQ(got.underline, c.expected.underline);
        EXPECT_EQ(got.strikeOut, c.expected.strikeOut);
        EXPECT_EQ(got.faceName, c.expected.faceName);
        EXPECT_EQ(got, c.expected); // every other member 0
    }
}

TEST(FontRecord, RecordPreselectsWhatTheFaceDrawsWith)
{
    struct Case {
        const char *why;
        LogFont stored;
        int dpiY;
        QString family;
        double points;
        int weight;
        bool italic, underline, strikeOut;
    };
    const Case cases[] = {
        {"new cover default", record(-24, 0, "Arial"), 96, QStringLiteral("Arial"), 18, 400, false,
            false, false},
        {"rounded as it was made", record(-13, 400, "DejaVu Sans"), 96,
            QStringLiteral("DejaVu Sans"), 10, 400, false, false, false},
        {"styles", record(-20, 700, "DejaVu Serif", true, true, true), 120,
            QStringLiteral("DejaVu Serif"), 12, 700, true, true, true},
        {"a styled face name", record(-16, 400, "Verdana Bold"), 96, QStringLiteral("Verdana"), 12,
            700, false, false, false},
        {"a face name in Windows-1252", record(-16, 400, "Sch\xf6n"), 96,
            QStringLiteral("Sch\u00f6n"), 12, 400, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const QFont f = chooserFontFromLogFont(c.stored, c.dpiY);
        EXPECT_EQ(f.family(), c.family);
        EXPECT_EQ(f.pointSizeF(), c.points);
        EXPECT_EQ(int(f.weight()), c.weight);
        EXPECT_EQ(f.italic(), c.italic);
        EXPECT_EQ(f.underline(), c.underline);
        EXPECT_EQ(f.strikeOut(), c.strikeOut);
    }
    // A record without a height starts at the usual size.
    EXPECT_EQ(chooserFontFromLogFont(record(0, 0, "Arial"), 96).pointSizeF(), QFont().pointSizeF());

    // Whole points chosen come back as chosen, at the usual resolutions.
    for (int dpi : {96, 120, 144}) {
        for (int points = 4; points <= 96; ++points) {
            const LogFont r = logFontFromChosenFont(font("DejaVu Sans", points), dpi);
            EXPECT_EQ(chooserFontFromLogFont(r, dpi).pointSizeF(), points) << dpi << " " << points;
            EXPECT_EQ(logFontFromChosenFont(chooserFontFromLogFont(r, dpi), dpi), r);
        }
    }
}
