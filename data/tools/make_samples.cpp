// Writes the sample covers of data/samples: one per cover type, with
// pictures drawn here, a track listing, spine text and every alignment.
// Run by hand when the samples are to change; the .zcv files are committed.
//
//   make_samples OUTPUT_DIR

#include "document/CoverDocument.h"
#include "document/CoverFile.h"
#include "document/TrackListing.h"
#include "render/Geometry.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

void stars(QPainter &p, QSize size, int count, quint32 seed, double maxY)
{
    QRandomGenerator rng(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double x = rng.bounded(size.width());
        const double y = rng.bounded(size.height() * maxY);
        const double r = 0.6 + rng.generateDouble() * 1.6;
        p.setBrush(QColor(255, 255, 255, 90 + rng.bounded(160)));
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

// A ridge line of mountains across the picture, filled down to the bottom.
void ridge(QPainter &p, QSize size, double baseY, double height, quint32 seed, QColor color)
{
    QRandomGenerator rng(seed);
    QPainterPath path;
    path.moveTo(0, size.height());
    const int steps = 14;
    for (int i = 0; i <= steps; ++i) {
        const double x = size.width() * i / double(steps);
        const double y = baseY - height * (0.3 + 0.7 * rng.generateDouble());
        path.lineTo(x, y);
    }
    path.lineTo(size.width(), size.height());
    path.closeSubpath();
    p.fillPath(path, color);
}

void aurora(QPainter &p, QSize size, double top, double amplitude, QColor color, double phase)
{
    for (int band = 0; band < 3; ++band) {
        QPainterPath path;
        const double y0 = size.height() * (top + 0.07 * band);
        path.moveTo(0, y0);
        for (int x = 0; x <= size.width(); x += 8)
            path.lineTo(
                x, y0 + amplitude * std::sin(x * 2 * kPi / size.width() * 1.3 + phase + band));
        QColor c = color;
        c.setAlpha(70 - band * 15);
        p.setPen(QPen(c, size.height() * (0.05 + 0.02 * band), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
}

QImage nightSky(int w, int h, bool darker)
{
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, darker ? QColor(6, 8, 24) : QColor(10, 14, 40));
    sky.setColorAt(0.7, darker ? QColor(18, 30, 60) : QColor(20, 60, 92));
    sky.setColorAt(1, darker ? QColor(28, 22, 54) : QColor(40, 90, 110));
    p.fillRect(image.rect(), sky);
    stars(p, image.size(), darker ? 160 : 260, 7, 0.75);
    aurora(p, image.size(), darker ? 0.12 : 0.28, h * 0.06, QColor(80, 255, 170), 0.4);
    aurora(p, image.size(), darker ? 0.2 : 0.38, h * 0.05, QColor(90, 200, 255), 2.1);
    ridge(p, image.size(), h * 0.86, h * 0.14, 3, QColor(12, 18, 30));
    ridge(p, image.size(), h * 0.95, h * 0.08, 5, QColor(4, 6, 12));
    return image;
}

QImage discRings(int size, QColor inner, QColor outer)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(size / 2.0, size / 2.0, size / 2.0);
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.fillRect(image.rect(), g);
    for (int i = 0; i < 28; ++i) {
        const double r = size * (0.2 + 0.29 * i / 28.0);
        p.setPen(QPen(QColor(255, 255, 255, i % 3 == 0 ? 36 : 14), size / 400.0));
        p.drawEllipse(QPointF(size / 2.0, size / 2.0), r, r);
    }
    stars(p, image.size(), 90, 11, 1.0);
    return image;
}

QImage desertSunset(int w, int h, double sunX = 0.72, double sunY = 0.62)
{
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(44, 24, 84));
    sky.setColorAt(0.45, QColor(214, 84, 110));
    sky.setColorAt(0.7, QColor(250, 170, 90));
    sky.setColorAt(1, QColor(255, 214, 140));
    p.fillRect(image.rect(), sky);
    const QPointF sun(w * sunX, h * sunY);
    QRadialGradient glow(sun, h * 0.45);
    glow.setColorAt(0, QColor(255, 240, 200, 200));
    glow.setColorAt(1, QColor(255, 200, 120, 0));
    p.fillRect(image.rect(), glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 244, 214));
    p.drawEllipse(sun, h * 0.09, h * 0.09);
    ridge(p, image.size(), h * 0.78, h * 0.2, 21, QColor(150, 60, 96));
    ridge(p, image.size(), h * 0.88, h * 0.16, 22, QColor(96, 36, 80));
    ridge(p, image.size(), h * 0.98, h * 0.12, 23, QColor(46, 18, 50));
    return image;
}

QImage bokeh(int w, int h, quint32 seed)
{
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, w, h);
    bg.setColorAt(0, QColor(250, 244, 232));
    bg.setColorAt(1, QColor(236, 222, 206));
    p.fillRect(image.rect(), bg);
    QRandomGenerator rng(seed);
    const QColor palette[] = {QColor(236, 112, 99), QColor(245, 176, 65), QColor(88, 214, 141),
        QColor(93, 173, 226), QColor(175, 122, 197)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        QColor c = palette[rng.bounded(5)];
        c.setAlpha(40 + rng.bounded(90));
        const double r = h * (0.02 + 0.1 * rng.generateDouble());
        p.setBrush(c);
        p.drawEllipse(QPointF(rng.bounded(w), rng.bounded(h)), r, r);
    }
    return image;
}

QImage waves(int w, int h, bool deep)
{
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, deep ? QColor(8, 40, 74) : QColor(40, 110, 170));
    sky.setColorAt(1, deep ? QColor(2, 14, 34) : QColor(16, 94, 148));
    p.fillRect(image.rect(), sky);
    for (int layer = 0; layer < 7; ++layer) {
        QPainterPath path;
        const double y0 = h * (0.35 + 0.09 * layer);
        path.moveTo(0, h);
        for (int x = 0; x <= w; x += 6)
            path.lineTo(x, y0 + h * 0.025 * std::sin(x * 2 * kPi / (w / (2.0 + layer)) + layer));
        path.lineTo(w, h);
        path.closeSubpath();
        const int shade = 40 + layer * 12;
        p.fillPath(path,
            deep ? QColor(0, shade / 2, shade + 30, 150)
                 : QColor(10, 60 + shade, 120 + shade, 140));
    }
    return image;
}

QString save(const QImage &image, const QString &dir, const QString &name)
{
    // Saved in the working folder and named without a folder, so that the
    // covers carry no path of the machine they were made on.
    Q_UNUSED(dir);
    const QString path = name;
    image.save(path, name.endsWith(QLatin1String(".png")) ? "PNG" : "JPEG", 88);
    return path;
}

QByteArray pathBytes(const QString &path)
{
    return QFile::encodeName(path);
}

LogFont font(const char *face, int points, int weight = 0, bool italic = false)
{
    LogFont f;
    f.setFaceName(face);
    f.height = -mulDiv(points, 96, 72);
    f.weight = weight;
    f.italic = italic ? 1 : 0;
    return f;
}

QByteArray tracks(const QList<QList<const char *>> &rows)
{
    QList<TrackRow> encoded;
    for (const auto &row : rows) {
        TrackRow r;
        for (const char *cell : row)
            r.append(QByteArray(cell));
        encoded.append(r);
    }
    return writeTrackListing(encoded);
}

bool write(const CoverDocument &doc, const QString &path, QTextStream &err)
{
    const CoverWriteResult result = writeCoverFile(doc, path);
    if (!result.ok)
        err << path << ": " << result.reason << "\n";
    return result.ok;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_samples OUTPUT_DIR\n";
        return 64;
    }
    const QString out = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    QTemporaryDir pictures;
    const QString dir = pictures.path();
    QDir::setCurrent(dir);
    bool ok = true;

    { // Standard CD: front centred, back track listing (always left), both spines.
        CoverDocument d;
        resetDocumentForType(d, StandardCD, 96);
        d.fImagePath = pathBytes(save(nightSky(900, 900, false), dir, "front.jpg"));
        d.bImagePath = pathBytes(save(nightSky(1140, 890, true), dir, "back.jpg"));
        d.dImagePath = pathBytes(
            save(discRings(900, QColor(40, 110, 130), QColor(8, 16, 40)), dir, "disc.jpg"));
        d.fCoverTitle = "Northern Lights";
        d.fCoverText = "\r\nLive at the Harbour Hall\r\nTromsø, winter 2024";
        d.fCoverAlign = AlignCenter;
        d.fCoverTextColor = 0x00FFFFFF;
        d.fCoverTextFont = font("DejaVu Sans", 21, 700);
        d.bCoverText = tracks({{"1", "Polar Night", "4:12"}, {"2", "Snow & Silence", "3:48"},
            {"3", "Midnight Sun", "5:01"}, {"4", "Fjord Lines", "4:27"},
            {"5", "Solar Wind", "6:15"}, {"6", "Ice Cathedral", "3:33"},
            {"7", "Green Veil", "4:50"}, {"8", "Harbour Lights", "3:59"}, {"9", "Drift", "2:41"},
            {"10", "Magnetic North", "5:22"}, {"11", "First Light", "4:04"},
            {"12", "Aurora (reprise)", "7:30"}});
        d.bCoverTextColor = 0x00F0F4E8;
        d.bCoverTextFont = font("DejaVu Sans", 13);
        d.backCoverSpineText = "NORTHERN LIGHTS  -  Live at the Harbour Hall";
        d.backCoverSpinesOn = true;
        d.bBackPrintOverSpines = 1;
        d.frontCoverSpineText = "";
        d.dCoverTitle = "Northern Lights";
        d.dCoverText = "Live at the Harbour Hall\r\n2024";
        d.dCoverTextColor = 0x00FFFFFF;
        d.dCoverTextFont = font("DejaVu Sans", 16, 700);
        d.printOverInnerCircleDisc = 0;
        ok &= write(d, out + "/standard-cd.zcv", err);
    }
    { // Standard DVD: one picture over the sheet, right-aligned panels.
        CoverDocument d;
        resetDocumentForType(d, StandardDVD, 96);
        d.CoverOption = StretchedImage;
        d.sImagePath = pathBytes(save(desertSunset(1800, 1208), dir, "sheet.jpg"));
        d.dImagePath = pathBytes(save(desertSunset(900, 900, 0.8, 0.4), dir, "dvd-disc.jpg"));
        d.bCoverTitle = "Red Horizon";
        d.bCoverText = "A journey across the desert\r\nin six chapters.\r\n\r\n"
                       "Running time 96 minutes\r\nColour & sound restored";
        d.fCoverTitle = "RED HORIZON";
        d.fCoverText = "a film by M. Okafor";
        d.bCoverAlign = AlignRight;
        d.bCoverTextColor = 0x00FFFFFF;
        d.bCoverTextFont = font("Liberation Serif", 22, 700);
        d.backCoverSpineText = "RED HORIZON";
        d.backCoverSpinesOn = true;
        d.dCoverTitle = "RED HORIZON";
        d.dCoverText = "Feature & extras";
        d.dCoverTextColor = 0x00FFFFFF;
        d.dCoverTextFont = font("Liberation Serif", 16, 700);
        d.printOverInnerCircleDisc = 0;
        ok &= write(d, out + "/standard-dvd.zcv", err);
    }
    { // Slimline CD: flap, spine and a track listing over a light picture.
        CoverDocument d;
        resetDocumentForType(d, SlimlineCD, 96);
        d.bImagePath = pathBytes(save(bokeh(1180, 920, 5), dir, "slim.jpg"));
        d.dImagePath = pathBytes(save(bokeh(900, 900, 9), dir, "slim-disc.jpg"));
        d.bCoverText = tracks({{"1", "Paper Lanterns", "3:21"}, {"2", "Sugar & Salt", "2:58"},
            {"3", "Afternoon Tea", "4:05"}, {"4", "Confetti", "3:12"}, {"5", "Kites", "3:44"},
            {"6", "Goodnight", "5:10"}});
        d.bCoverTextColor = 0x00402A1E;
        d.bCoverTextFont = font("DejaVu Sans", 14);
        d.backCoverSpineText = "CONFETTI";
        d.backCoverSpinesOn = true;
        d.bBackPrintOverSpines = 0;
        d.bBGColor = 0x00E8F4FA;
        d.dCoverTitle = "Confetti";
        d.dCoverText = "six songs for a sunny day";
        d.dCoverTextColor = 0x00402A1E;
        d.dCoverTextFont = font("DejaVu Sans", 15, 700);
        d.printOverInnerCircleDisc = 1;
        ok &= write(d, out + "/slimline-cd.zcv", err);
    }
    { // Slimline DVD: separate front and back pictures, left-aligned panels.
        CoverDocument d;
        resetDocumentForType(d, SlimlineDVD, 96);
        d.CoverOption = SeparateImages;
        d.fImagePath = pathBytes(save(waves(1000, 1300, false), dir, "slimdvd-front.jpg"));
        d.bImagePath = pathBytes(save(waves(1000, 1300, true), dir, "slimdvd-back.jpg"));
        d.dImagePath = pathBytes(
            save(discRings(900, QColor(60, 150, 200), QColor(4, 30, 70)), dir, "slimdvd-disc.jpg"));
        d.bBGColor = 0x00502810;
        d.bCoverTitle = "Open Water";
        d.bCoverText = "Season one, episodes 1 - 6\r\nTwo discs\r\n\r\nSubtitles: EN, FR & DE";
        d.fCoverTitle = "Open Water";
        d.fCoverText = "The complete first season";
        d.bCoverAlign = AlignLeft;
        d.bCoverTextColor = 0x00FFFFFF;
        d.bCoverTextFont = font("Liberation Sans", 20, 700);
        d.backCoverSpineText = "OPEN WATER  -  SEASON ONE";
        d.backCoverSpinesOn = true;
        d.dCoverTitle = "Open Water";
        d.dCoverText = "Season one - disc 1";
        d.dCoverTextColor = 0x00FFFFFF;
        d.dCoverTextFont = font("Liberation Sans", 16, 700, true);
        d.printOverInnerCircleDisc = 0;
        ok &= write(d, out + "/slimline-dvd.zcv", err);
    }
    return ok ? 0 : 1;
}
