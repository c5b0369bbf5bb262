// The options a print job is handed to the spooler with: the printer
// dialog's choices kept, the job's paper and orientation, and no scaling.
#include "print/SpoolerOptions.h"

#include <gtest/gtest.h>

namespace {

using Duplex = SpoolerJob::Duplex;

// The options that end every job: the sides, then no scaling.
SpoolerOptions unscaled(const QString &sides = QStringLiteral("one-sided"))
{
    return {{"sides", sides}, {"print-scaling", "none"}, {"fit-to-page", "false"}};
}

std::string describe(const SpoolerOptions &options)
{
    QStringList parts;
    for (const auto &[name, value] : options)
        parts << name + "=" + value;
    return parts.join(' ').toStdString();
}

} // namespace

TEST(SpoolerOptions, TheDialogsChoicesWithTheJobsPaperAndNoScaling)
{
    struct Case {
        const char *what;
        QStringList dialog;
        int copies;
        bool collate;
        Duplex duplex;
        QString media;
        bool landscape;
        SpoolerOptions expected;
    } cases[] = {
        {"plain A4", {}, 1, false, Duplex::None, "A4", false,
            SpoolerOptions{{"media", "A4"}} + unscaled()},
        {"tray, quality and colour kept, in order",
            {"InputSlot", "Tray2", "Resolution", "600dpi", "ColorModel", "Gray"}, 1, false,
            Duplex::None, "Letter", false,
            SpoolerOptions{{"InputSlot", "Tray2"}, {"Resolution", "600dpi"}, {"ColorModel", "Gray"},
                {"media", "Letter"}}
                + unscaled()},
        {"whatever would scale the page is dropped",
            {"fit-to-page", "true", "print-scaling", "fit", "number-up", "2", "scaling", "90",
                "fitplot", "true", "Fill", "true", "natural-scaling", "50", "ppi", "300",
                "InputSlot", "Manual"},
            1, false, Duplex::None, "A4", false,
            SpoolerOptions{{"InputSlot", "Manual"}, {"media", "A4"}} + unscaled()},
        {"the job's paper wins over the dialog's",
            {"media", "A4", "PageSize", "A4", "PageRegion", "A4", "landscape", "true",
                "orientation-requested", "4"},
            1, false, Duplex::None, "Letter", false,
            SpoolerOptions{{"media", "Letter"}} + unscaled()},
        {"copies collated", {}, 3, true, Duplex::None, "A4", false,
            SpoolerOptions{{"media", "A4"}, {"copies", "3"}, {"Collate", "True"}} + unscaled()},
        {"copies uncollated", {}, 2, false, Duplex::LongSide, "A4", false,
            SpoolerOptions{{"media", "A4"}, {"copies", "2"}} + unscaled("two-sided-long-edge")},
        {"automatic duplex follows a landscape page", {}, 1, false, Duplex::Auto, "A4", true,
            SpoolerOptions{{"media", "A4"}, {"landscape", "true"}}
                + unscaled("two-sided-short-edge")},
        {"automatic duplex on a portrait page", {}, 1, false, Duplex::Auto, "A4", false,
            SpoolerOptions{{"media", "A4"}} + unscaled("two-sided-long-edge")},
        {"short side chosen", {}, 1, false, Duplex::ShortSide, "A4", false,
            SpoolerOptions{{"media", "A4"}} + unscaled("two-sided-short-edge")},
        {"a dialog option given twice counts once, the last value",
            {"InputSlot", "Tray1", "InputSlot", "Tray2", "odd"}, 1, false, Duplex::None, "A4",
            false, SpoolerOptions{{"InputSlot", "Tray2"}, {"media", "A4"}} + unscaled()},
    };
    for (const Case &c : cases) {
        SpoolerJob job;
        job.dialogOptions = c.dialog;
        job.copies = c.copies;
        job.collate = c.collate;
        job.duplex = c.duplex;
        job.media = c.media;
        job.landscape = c.landscape;
        const SpoolerOptions got = spoolerOptions(job);
        EXPECT_EQ(got, c.expected) << c.what << ": " << describe(got);
    }
}
