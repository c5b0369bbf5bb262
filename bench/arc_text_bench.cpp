// Text along the disc's edge: a title and three lines of text on a 12 cm
// label at 600 dpi, drawn into an image the size of the disc and into a PDF
// page, and measured alone (what a fit check costs). Goal: the drawing within
// 5 ms.
#include "BenchSupport.h"
#include "render/ArcText.h"
#include "render/DeviceContext.h"
#include "render/TextDrawing.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>

namespace {

constexpr int kDpi = 600;
constexpr double kGoalMs = 5;

struct Label {
    QPointF center;
    double outer = 0;
    double hub = 0;
    QFont titleFont;
    QFont textFont;
};

Label labelAt600()
{
    const int size = int(120 / 25.4 * kDpi); // a 12 cm disc
    LogFont record;
    record.setFaceName("Arial");
    Label label;
    label.center = QPointF(size / 2.0, size / 2.0);
    label.outer = size / 2.0;
    label.hub = 0.81 * kDpi / 2; // the plain-paper hub
    label.titleFont = fontFromLogFont(record, -16 * kDpi / 72);
    label.textFont = fontFromLogFont(record, -11 * kDpi / 72);
    return label;
}

const QStringList kTitle{"NORTHERN LIGHTS"};
const QStringList kText{"Live at the Harbour Hall", "Recorded on the twelfth of March",
    "Disc 1 of 2 - 14 tracks, 63 minutes"};

int drawLabel(DeviceContext &dc, const Label &l, bool draw)
{
    ArcTextResult top, bottom;
    if (draw) {
        top = drawTextAlongCircle(dc, l.titleFont, Qt::black, kTitle, l.center, l.outer, l.hub,
            ArcSide::Top, AlignCenter);
        bottom = drawTextAlongCircle(dc, l.textFont, Qt::black, kText, l.center, l.outer, l.hub,
            ArcSide::Bottom, AlignCenter);
    } else {
        top = layoutTextAlongCircle(
            dc, l.titleFont, kTitle, l.center, l.outer, l.hub, ArcSide::Top, AlignCenter);
        bottom = layoutTextAlongCircle(
            dc, l.textFont, kText, l.center, l.outer, l.hub, ArcSide::Bottom, AlignCenter);
    }
    return int(top.cutLines().size() + bottom.cutLines().size());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const Label label = labelAt600();
    const int side = int(label.outer * 2);
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);

    int cut = 0;
    auto onImage = [&](bool draw) {
        return [&, draw](int) {
            QPainter painter(&image);
            DeviceContext dc(painter);
            cut = drawLabel(dc, label, draw);
        };
    };
    onImage(true)(0); // fonts and glyphs loaded once, as in a running program
    const double measure = bench::medianMs(21, onImage(false));
    const double drawImage = bench::medianMs(21, onImage(true));

    qint64 pdfBytes = 0;
    const double drawPdf = bench::medianMs(11, [&](int) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(kDpi);
            QPainter painter(&writer);
            DeviceContext dc(painter);
            drawLabel(dc, label, true);
        }
        pdfBytes = buffer.size();
    });

    std::printf("title + 3 lines along a 12 cm disc at %d dpi (%d x %d pixels), %d lines cut\n",
        kDpi, side, side, cut);
    std::printf("  measured only:     %7.2f ms\n", measure);
    std::printf("  drawn on an image: %7.2f ms (goal %.0f ms: %s)\n", drawImage, kGoalMs,
        drawImage <= kGoalMs ? "met" : "MISSED");
    std::printf("  drawn on a PDF:    %7.2f ms (a whole one-page document, %lld bytes)\n", drawPdf,
        pdfBytes);
    return 0;
}
