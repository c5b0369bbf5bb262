// Draws the templates the program ships (data/share/CLIPART): sets of a
// "[BACK]", a "[FRONT]" and a "[DISC]" picture, all generated here from
// gradients, shapes and noise. Run by hand when the templates are to
// change; the JPEG files are committed.
//
//   make_templates OUTPUT_DIR [NAME...]
//
// Sizes: the back picture is what a DVD cover stretches over its whole
// 10.7 x 7.2 inch sheet and a CD cover over its 5.9 x 4.6 inch inlay, so it
// has an aspect ratio between the two (each stretches it by less than 8 %)
// and 2560 pixels across; on a DVD its right half is the front of the case,
// so the pictures keep their main subject there. The front is square (the
// CD booklet), the disc square and seen through a circle with a hub.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

const QSize kBackSize(2560, 1856);
const QSize kFrontSize(1500, 1500);
const QSize kDiscSize(1400, 1400);

enum class Piece { Back, Front, Disc };

double clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

double smoothstep(double a, double b, double x)
{
    const double t = clamp01((x - a) / (b - a));
    return t * t * (3 - 2 * t);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = clamp01(t);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
        float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t),
        float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// A colour ramp: stops at positions 0..1.
struct Ramp {
    std::vector<std::pair<double, QColor>> stops;

    QColor at(double t) const
    {
        t = clamp01(t);
        for (size_t i = 1; i < stops.size(); ++i) {
            if (t <= stops[i].first) {
                const double span = stops[i].first - stops[i - 1].first;
                return mix(stops[i - 1].second, stops[i].second,
                    span > 0 ? (t - stops[i - 1].first) / span : 0);
            }
        }
        return stops.back().second;
    }
};

// Gradient noise on a lattice, deterministic per seed.
class Noise {
public:
    explicit Noise(quint32 seed)
    {
        QRandomGenerator rng(seed);
        for (int i = 0; i < 256; ++i) {
            m_perm[i] = i;
            const double a = rng.generateDouble() * 2 * kPi;
            m_gx[i] = std::cos(a);
            m_gy[i] = std::sin(a);
        }
        for (int i = 255; i > 0; --i)
            std::swap(m_perm[i], m_perm[rng.bounded(i + 1)]);
        for (int i = 0; i < 256; ++i)
            m_perm[256 + i] = m_perm[i];
    }

    // About -0.7 .. 0.7.
    double at(double x, double y) const
    {
        const double fx = std::floor(x), fy = std::floor(y);
        const int xi = int(fx) & 255, yi = int(fy) & 255;
        const double dx = x - fx, dy = y - fy;
        const auto grad = [&](int ix, int iy, double px, double py) {
            const int h = m_perm[m_perm[ix] + iy];
            return m_gx[h] * px + m_gy[h] * py;
        };
        const double u = dx * dx * dx * (dx * (dx * 6 - 15) + 10);
        const double v = dy * dy * dy * (dy * (dy * 6 - 15) + 10);
        const double n00 = grad(xi, yi, dx, dy);
        const double n10 = grad(xi + 1, yi, dx - 1, dy);
        const double n01 = grad(xi, yi + 1, dx, dy - 1);
        const double n11 = grad(xi + 1, yi + 1, dx - 1, dy - 1);
        const double a = n00 + (n10 - n00) * u;
        const double b = n01 + (n11 - n01) * u;
        return a + (b - a) * v;
    }

    // Fractal sum, about -1 .. 1.
    double fbm(double x, double y, int octaves, double gain = 0.5) const
    {
        double sum = 0, amplitude = 1, norm = 0;
        for (int i = 0; i < octaves; ++i) {
            sum += amplitude * at(x, y);
            norm += amplitude;
            amplitude *= gain;
            x = x * 2.03 + 17.1;
            y = y * 2.03 + 9.7;
        }
        return sum / norm * 1.6;
    }

private:
    std::array<int, 512> m_perm{};
    std::array<double, 256> m_gx{};
    std::array<double, 256> m_gy{};
};

QImage canvas(QSize size, const QColor &fill = Qt::black)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// Sets every pixel from `shade(x, y)` in the image's own pixels.
template <typename Shade> void shadePixels(QImage &image, Shade shade)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = shade(x, y, line[x]);
    }
}

// A little noise against banding in the long, slow gradients.
void dither(QImage &image, quint32 seed, int amount = 2)
{
    QRandomGenerator rng(seed);
    shadePixels(image, [&](int, int, QRgb c) {
        const int n = int(rng.bounded(2 * amount + 1)) - amount;
        return qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
            std::clamp(qBlue(c) + n, 0, 255));
    });
}

void verticalGradient(QPainter &p, const QRectF &r, const Ramp &ramp)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    for (const auto &[t, c] : ramp.stops)
        g.setColorAt(t, c);
    p.fillRect(r, g);
}

void glow(QPainter &p, QPointF at, double radius, const QColor &color)
{
    QRadialGradient g(at, radius);
    g.setColorAt(0, color);
    g.setColorAt(0.4, withAlpha(color, color.alpha() / 3));
    g.setColorAt(1, withAlpha(color, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(at, radius, radius);
}

void stars(QPainter &p, const QSizeF &size, int count, quint32 seed, double maxY, double unit)
{
    QRandomGenerator rng(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(rng.generateDouble() * size.width(),
            std::pow(rng.generateDouble(), 1.4) * size.height() * maxY);
        const double r = unit * (0.5 + 1.6 * std::pow(rng.generateDouble(), 3));
        const int a = 80 + int(rng.bounded(176));
        p.setBrush(QColor(255, 250, 240, a));
        p.drawEllipse(at, r, r);
        if (rng.bounded(40) == 0)
            glow(p, at, r * 9, QColor(200, 220, 255, 70));
    }
}

// A ridge line from left to right by midpoint displacement.
QPainterPath ridgePath(const QSizeF &size, double baseY, double roughness, quint32 seed,
    double peakX = -1, double peakHeight = 0)
{
    QRandomGenerator rng(seed);
    const int levels = 9;
    const int n = 1 << levels;
    std::vector<double> ys(n + 1, 0.0);
    double spread = roughness;
    for (int step = n; step > 1; step /= 2) {
        for (int i = step / 2; i < n; i += step)
            ys[i]
                = (ys[i - step / 2] + ys[i + step / 2]) / 2 + (rng.generateDouble() - 0.5) * spread;
        spread *= 0.55;
    }
    QPainterPath path;
    path.moveTo(0, size.height());
    for (int i = 0; i <= n; ++i) {
        const double x = size.width() * i / n;
        double y = baseY + ys[i];
        if (peakX >= 0) {
            const double d = (x - peakX) / (size.width() * 0.22);
            y -= peakHeight * std::exp(-d * d);
        }
        path.lineTo(x, y);
    }
    path.lineTo(size.width(), size.height());
    path.closeSubpath();
    return path;
}

// Where the main subject sits: right of the middle on the back picture
// (the front of a DVD case), in the middle elsewhere.
double subjectX(Piece piece, double w)
{
    return piece == Piece::Back ? w * 0.74 : w * 0.5;
}

// --- the templates -------------------------------------------------------

// Northern lights over dark hills.
void aurora(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, image.rect(),
        {{{0, QColor(3, 6, 22)}, {0.55, QColor(8, 24, 48)}, {1, QColor(14, 52, 70)}}});
    stars(p, image.size(), int(w * h / 3500), 11, 0.85, u);

    const Noise noise(5);
    // The sky lit green from below the curtains.
    glow(p, QPointF(subjectX(piece, w), h * 0.55), std::max(w, h) * 0.6, QColor(30, 120, 90, 90));
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    const Ramp curtain{{{0, QColor(90, 255, 170)}, {0.35, QColor(40, 230, 150)},
        {0.7, QColor(60, 150, 200)}, {1, QColor(190, 70, 210)}}};
    // Curtains: fine vertical rays hanging from a bright, folded lower edge.
    for (int band = 0; band < 3; ++band) {
        const double baseY = h * (0.5 + 0.06 * band);
        const double height = h * (0.4 - 0.08 * band);
        const double phase = 1.7 * band + 0.6;
        for (double x = -w * 0.05; x < w * 1.05; x += 1.1 * u) {
            const double t = x / w;
            const double y0 = baseY + h * 0.12 * std::sin(t * 4.2 + phase)
                + h * 0.05 * noise.fbm(t * 2.5, band * 3.1, 3);
            const double veil = clamp01(0.6 + 0.9 * noise.fbm(t * 2.2 + band * 5, 2.5, 3));
            const double ray = 0.55 + 0.45 * noise.fbm(t * 70 + band * 11, 7.3, 2);
            const double strength = veil * ray;
            if (strength < 0.02)
                continue;
            const double top = y0 - height * (0.55 + 0.45 * veil);
            QLinearGradient g(0, y0 + h * 0.01, 0, top);
            const int a = int(120 * strength * (1 - 0.22 * band));
            g.setColorAt(0, withAlpha(curtain.at(0), 0));
            g.setColorAt(0.04, withAlpha(curtain.at(0), a));
            g.setColorAt(0.25, withAlpha(curtain.at(0.3), int(a * 0.55)));
            g.setColorAt(0.6, withAlpha(curtain.at(0.7), int(a * 0.25)));
            g.setColorAt(1, withAlpha(curtain.at(1), 0));
            p.setPen(QPen(QBrush(g), 1.6 * u));
            p.drawLine(QPointF(x, y0 + h * 0.01), QPointF(x, top));
        }
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::NoPen);
    p.fillPath(ridgePath(image.size(), h * 0.84, h * 0.12, 21), QColor(8, 18, 30));
    p.fillPath(ridgePath(image.size(), h * 0.93, h * 0.08, 22), QColor(2, 6, 12));
    p.end();
    dither(image, 31);
}

// A sun setting behind neon-lit mountains over an endless grid.
void nightDrive(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    const double horizon = h * (piece == Piece::Back ? 0.62 : 0.6);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, w, horizon),
        {{{0, QColor(14, 6, 38)}, {0.45, QColor(70, 14, 96)}, {0.8, QColor(190, 40, 120)},
            {1, QColor(255, 110, 90)}}});
    stars(p, QSizeF(w, horizon), int(w * h / 9000), 3, 0.7, u);

    const QPointF sun(subjectX(piece, w), horizon - h * 0.13);
    const double r = h * (piece == Piece::Back ? 0.23 : 0.24);
    glow(p, sun, r * 2.2, QColor(255, 90, 140, 120));
    QPainterPath disc;
    disc.addEllipse(sun, r, r);
    // The lower half is cut by widening gaps.
    QPainterPath gaps;
    for (int i = 0; i < 7; ++i) {
        const double y = sun.y() + r * (0.08 + i * 0.14);
        gaps.addRect(QRectF(sun.x() - r, y, 2 * r, r * 0.015 * (i + 1.5)));
    }
    QLinearGradient sunFill(0, sun.y() - r, 0, sun.y() + r);
    sunFill.setColorAt(0, QColor(255, 236, 120));
    sunFill.setColorAt(0.5, QColor(255, 150, 90));
    sunFill.setColorAt(1, QColor(250, 50, 140));
    p.fillPath(disc.subtracted(gaps), sunFill);

    // Mountains with a lit rim.
    const QPainterPath far = ridgePath(
        QSizeF(w, horizon), horizon - h * 0.04, h * 0.16, 8, sun.x() - w * 0.25, h * 0.06);
    p.fillPath(far, QColor(60, 12, 80));
    const QPainterPath near = ridgePath(QSizeF(w, horizon), horizon - h * 0.005, h * 0.1, 9);
    p.fillPath(near, QColor(30, 6, 50));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 90, 200, 150), 2.5 * u));
    p.drawPath(near);

    // The floor and its grid in perspective.
    verticalGradient(
        p, QRectF(0, horizon, w, h - horizon), {{{0, QColor(40, 6, 60)}, {1, QColor(8, 2, 22)}}});
    const auto gridLine = [&](QPointF a, QPointF b, double weight, double strength = 1.0) {
        p.setPen(QPen(
            QColor(255, 60, 200, int(40 * strength)), 9 * u * weight, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
        p.setPen(QPen(QColor(255, 120, 230, int(210 * strength)), 2.2 * u * weight));
        p.drawLine(a, b);
    };
    // Lines of the ground plane run from the vanishing point; those far to
    // the side lie almost flat and crowd into the haze at the horizon.
    const QPointF vanish(sun.x(), horizon);
    for (int i = -70; i <= 70; ++i) {
        const QPointF along(i * w * 0.09, h - horizon);
        const double reach = std::max(1.0, w * 2 / std::max(1.0, std::abs(along.x())));
        gridLine(vanish, vanish + along * reach, 1.0, std::abs(i) <= 20 ? 1.0 : 20.0 / std::abs(i));
    }
    for (int i = 1; i < 16; ++i) {
        const double depth = std::pow(i / 15.0, 2.2);
        const double y = horizon + (h - horizon) * depth;
        gridLine(QPointF(0, y), QPointF(w, y), 0.4 + depth);
    }
    QLinearGradient haze(0, horizon - h * 0.02, 0, horizon + h * 0.08);
    haze.setColorAt(0, QColor(255, 120, 160, 0));
    haze.setColorAt(0.3, QColor(255, 120, 170, 90));
    haze.setColorAt(1, QColor(255, 120, 160, 0));
    p.fillRect(QRectF(0, horizon - h * 0.02, w, h * 0.1), haze);
    p.end();
    dither(image, 32);
}

// Sunlight falling into deep water, with drifting bubbles.
void deepSea(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, image.rect(),
        {{{0, QColor(60, 200, 210)}, {0.25, QColor(18, 120, 160)}, {0.65, QColor(6, 50, 100)},
            {1, QColor(2, 14, 40)}}});
    const Noise noise(9);
    // Rippling light just under the surface.
    shadePixels(image, [&](int x, int y, QRgb c) {
        const double fy = y / h;
        if (fy > 0.3)
            return c;
        const double n = std::abs(noise.fbm(x / (110 * u), y / (45 * u), 3));
        const double caustic = std::pow(1 - clamp01(n * 2.6), 5) * (1 - smoothstep(0, 0.3, fy));
        const int add = int(60 * caustic);
        return qRgb(std::min(255, qRed(c) + add / 2), std::min(255, qGreen(c) + add),
            std::min(255, qBlue(c) + add));
    });
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    QRandomGenerator rng(4);
    const QPointF source(subjectX(piece, w) - w * 0.1, -h * 0.3);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 26; ++i) {
        const double angle = (rng.generateDouble() - 0.5) * 1.2;
        const double spread = 0.01 + rng.generateDouble() * 0.04;
        const double len = h * (1.0 + rng.generateDouble() * 0.4);
        QPainterPath ray;
        ray.moveTo(source);
        ray.lineTo(source + QPointF(std::sin(angle - spread), std::cos(angle - spread)) * len);
        ray.lineTo(source + QPointF(std::sin(angle + spread), std::cos(angle + spread)) * len);
        ray.closeSubpath();
        QLinearGradient fade(source, source + QPointF(std::sin(angle), std::cos(angle)) * len);
        const int a = 10 + int(rng.bounded(18));
        fade.setColorAt(0.2, QColor(120, 230, 255, a));
        fade.setColorAt(1, QColor(120, 230, 255, 0));
        p.fillPath(ray, fade);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Bubbles in rising columns, smaller and fainter further down.
    for (int column = 0; column < 9; ++column) {
        double x = w * rng.generateDouble();
        double y = h * (0.6 + rng.generateDouble() * 0.5);
        const int count = 8 + int(rng.bounded(14));
        for (int i = 0; i < count && y > 0; ++i) {
            const double r = u * (4 + rng.generateDouble() * 16) * (1.3 - y / h * 0.6);
            p.setBrush(QColor(200, 245, 255, 26));
            p.setPen(QPen(QColor(210, 250, 255, 130), 1.4 * u));
            p.drawEllipse(QPointF(x, y), r, r);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 170));
            p.drawEllipse(QPointF(x - r * 0.35, y - r * 0.35), r * 0.22, r * 0.22);
            y -= r * 2.5 + rng.generateDouble() * h * 0.05;
            x += (rng.generateDouble() - 0.5) * r * 2;
        }
    }
    // Specks drifting in the water.
    for (int i = 0; i < int(w * h / 6000); ++i) {
        const QPointF at(rng.generateDouble() * w, rng.generateDouble() * h);
        p.setBrush(QColor(180, 230, 255, 20 + int(rng.bounded(50))));
        p.drawEllipse(at, u * 1.2, u * 1.2);
    }
    p.end();
    dither(image, 33);
}

// City lights out of focus.
void bokeh(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient base(QPointF(subjectX(piece, w), h * 0.45), std::max(w, h) * 0.8);
    base.setColorAt(0, QColor(70, 30, 40));
    base.setColorAt(0.5, QColor(30, 14, 28));
    base.setColorAt(1, QColor(8, 6, 14));
    p.fillRect(image.rect(), base);
    const Ramp warm{{{0, QColor(255, 190, 90)}, {0.35, QColor(255, 120, 70)},
        {0.7, QColor(240, 80, 140)}, {1, QColor(120, 110, 255)}}};
    QRandomGenerator rng(12);
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    p.setPen(Qt::NoPen);
    const int count = piece == Piece::Back ? 230 : 150;
    for (int i = 0; i < count; ++i) {
        // Lights gather along a band that falls from left to right.
        // On the back picture they thin out to the left, where the track
        // listing or a DVD's back text goes.
        const double spread = rng.generateDouble();
        const double x = (piece == Piece::Back ? std::pow(spread, 0.6) : spread) * w;
        const double band = h * (0.3 + 0.25 * x / w) + (rng.generateDouble() - 0.5) * h * 0.7;
        const QPointF at(x, band);
        const double depth = rng.generateDouble();
        const double r = u * (14 + 110 * depth * depth);
        QColor c = warm.at(clamp01(x / w * 0.7 + rng.generateDouble() * 0.4));
        const int a = int(40 + 120 * (1 - depth));
        QRadialGradient g(at, r);
        g.setColorAt(0, withAlpha(c, int(a * 0.55)));
        g.setColorAt(0.82, withAlpha(c, int(a * 0.75)));
        g.setColorAt(0.92, withAlpha(c, a));
        g.setColorAt(1, withAlpha(c, 0));
        p.setBrush(g);
        p.drawEllipse(at, r, r);
    }
    // A few sharp pin lights in front.
    for (int i = 0; i < 60; ++i) {
        const QPointF at(rng.generateDouble() * w, h * (0.25 + rng.generateDouble() * 0.6));
        glow(p, at, u * (6 + rng.generateDouble() * 10), QColor(255, 230, 180, 200));
    }
    p.end();
    dither(image, 34, 3);
}

// Polished white marble with grey and gold veins.
void marble(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    const Noise noise(17), warp(18);
    const double scale = 1.0 / (520 * u);
    shadePixels(image, [&](int x, int y, QRgb) {
        const double px = x * scale, py = y * scale;
        const double qx = warp.fbm(px, py, 4), qy = warp.fbm(px + 5.2, py + 1.3, 4);
        const double n = noise.fbm(px + 1.8 * qx, py + 1.8 * qy, 6);
        const double diagonal = (px * 0.8 + py * 0.6) * 1.6;
        const double vein = std::abs(std::sin((diagonal + n * 2.6) * kPi));
        const double thin = std::pow(1 - vein, 14);
        const double wide = std::pow(1 - vein, 3) * 0.35;
        const double cloud = 0.5 + 0.5 * noise.fbm(px * 2.5 + 9, py * 2.5, 5);
        QColor c = mix(QColor(250, 248, 244), QColor(226, 224, 222), cloud * 0.8);
        c = mix(c, QColor(150, 150, 158), wide);
        // The finest veins are gold where the warp runs one way.
        const QColor veinColor = qx > 0.05 ? QColor(196, 150, 70) : QColor(90, 92, 104);
        c = mix(c, veinColor, thin * 0.9);
        return c.rgb();
    });
    dither(image, 35, 1);
}

// Layered ridges fading into the morning haze.
void mistyPeaks(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, image.rect(),
        {{{0, QColor(150, 180, 214)}, {0.5, QColor(236, 206, 200)}, {0.75, QColor(250, 222, 196)},
            {1, QColor(250, 230, 210)}}});
    const QPointF sun(subjectX(piece, w), h * 0.38);
    glow(p, sun, h * 0.5, QColor(255, 240, 220, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 236));
    p.drawEllipse(sun, h * 0.055, h * 0.055);
    const QColor haze(244, 222, 214);
    const QColor deep(40, 58, 92);
    const int layers = 6;
    for (int i = 0; i < layers; ++i) {
        const double t = i / double(layers - 1);
        const double baseY = h * (0.42 + 0.11 * i);
        const QPainterPath ridge = ridgePath(image.size(), baseY, h * (0.3 - 0.03 * i),
            quint32(40 + i), i % 2 ? w * (0.2 + 0.1 * i) : -1, h * 0.05);
        // Each range fades into the mist lying at its foot.
        const QColor rock = mix(haze, deep, 0.25 + 0.75 * t);
        QLinearGradient mist(0, baseY - h * 0.12, 0, baseY + h * 0.1);
        mist.setColorAt(0, rock);
        mist.setColorAt(0.45, rock);
        mist.setColorAt(1, mix(rock, haze, 0.75 - 0.35 * t));
        p.fillPath(ridge, mist);
    }
    // Birds, far off.
    QRandomGenerator rng(6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(50, 60, 80, 180), 2.2 * u, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) {
        const QPointF at(sun.x() - w * 0.18 + rng.generateDouble() * w * 0.16,
            h * (0.2 + rng.generateDouble() * 0.1));
        const double s = u * (8 + rng.generateDouble() * 8);
        QPainterPath bird;
        bird.moveTo(at + QPointF(-s, -s * 0.3));
        bird.quadTo(at + QPointF(-s * 0.5, -s * 0.6), at);
        bird.quadTo(at + QPointF(s * 0.5, -s * 0.6), at + QPointF(s, -s * 0.3));
        p.drawPath(bird);
    }
    p.end();
    dither(image, 36);
}

// Facets of a crystal lit from one corner.
void lowPoly(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double cell = std::min(w, h) / 9.0;
    const int cols = int(std::ceil(w / cell)) + 1, rows = int(std::ceil(h / cell)) + 1;
    QRandomGenerator rng(23);
    std::vector<QPointF> points(size_t(cols * rows));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const bool edgeX = c == 0 || c == cols - 1, edgeY = r == 0 || r == rows - 1;
            const double jx = edgeX ? 0 : (rng.generateDouble() - 0.5) * cell * 0.8;
            const double jy = edgeY ? 0 : (rng.generateDouble() - 0.5) * cell * 0.8;
            points[size_t(r * cols + c)]
                = QPointF(std::min(w, c * cell) + jx, std::min(h, r * cell) + jy);
        }
    }
    const Ramp ramp{{{0, QColor(16, 40, 90)}, {0.35, QColor(30, 120, 150)},
        {0.65, QColor(120, 70, 170)}, {1, QColor(250, 110, 110)}}};
    const QPointF light(subjectX(piece, w), h * 0.3);
    const auto facet = [&](QPointF a, QPointF b, QPointF c) {
        const QPointF centre = (a + b + c) / 3;
        const double t = clamp01(0.15 + centre.x() / w * 0.55 + (1 - centre.y() / h) * 0.3);
        const double d
            = std::hypot(centre.x() - light.x(), centre.y() - light.y()) / std::max(w, h);
        QColor col = ramp.at(t + (rng.generateDouble() - 0.5) * 0.12);
        col = mix(col, QColor(255, 240, 230), std::max(0.0, 0.45 - d) * 0.9);
        col = col.lighter(92 + int(rng.bounded(18)));
        QPolygonF tri;
        tri << a << b << c;
        p.setBrush(col);
        p.setPen(QPen(col, 1.2));
        p.drawPolygon(tri);
    };
    for (int r = 0; r + 1 < rows; ++r) {
        for (int c = 0; c + 1 < cols; ++c) {
            const QPointF a = points[size_t(r * cols + c)];
            const QPointF b = points[size_t(r * cols + c + 1)];
            const QPointF d = points[size_t((r + 1) * cols + c)];
            const QPointF e = points[size_t((r + 1) * cols + c + 1)];
            if ((r + c) % 2) {
                facet(a, b, e);
                facet(a, e, d);
            } else {
                facet(a, b, d);
                facet(b, e, d);
            }
        }
    }
    p.end();
}

// Cut paper in layered waves, each casting a soft shadow.
void paperWaves(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(255, 236, 214));
    const QColor colors[] = {QColor(255, 214, 180), QColor(252, 186, 160), QColor(244, 150, 140),
        QColor(226, 112, 128), QColor(184, 80, 120), QColor(128, 56, 106), QColor(76, 36, 84)};
    const int layers = int(std::size(colors));
    for (int i = 0; i < layers; ++i) {
        const double baseY = h * (0.18 + 0.12 * i);
        const double amp = h * (0.05 + 0.01 * (i % 3));
        const double freq = (piece == Piece::Back ? 1.6 : 1.1) + 0.25 * (i % 3);
        const double phase = i * 1.3;
        QPainterPath wave;
        wave.moveTo(0, h);
        for (double x = 0; x <= w + 4; x += 4) {
            const double t = x / w;
            const double y = baseY + amp * std::sin(t * freq * 2 * kPi + phase)
                + amp * 0.35 * std::sin(t * freq * 5.3 * kPi + phase * 2.1);
            wave.lineTo(x, y);
        }
        wave.lineTo(w, h);
        wave.closeSubpath();
        for (int s = 6; s >= 1; --s)
            p.fillPath(wave.translated(0, -s * 3.0 * u), QColor(60, 20, 40, 10));
        p.fillPath(wave, colors[i]);
        // Light catching the cut edge.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 60), 2 * u));
        p.drawPath(wave);
    }
    p.end();
    dither(image, 37, 1);
}

// Clouds of gas and young stars.
void nebula(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    const Noise noise(41), detail(42);
    const double scale = 1.0 / (600 * u);
    const QPointF heart(subjectX(piece, w), h * 0.5);
    shadePixels(image, [&](int x, int y, QRgb) {
        const double px = x * scale, py = y * scale;
        const double warpX = detail.fbm(px * 1.5, py * 1.5, 3);
        const double n = noise.fbm(px + warpX, py - warpX, 6);
        const double d = std::hypot(x - heart.x(), y - heart.y()) / std::max(w, h);
        const double density = clamp01((n + 0.45) * 1.25) * clamp01(1.3 - d * 1.6);
        const double dust = clamp01(detail.fbm(px * 3 + 4, py * 3, 5) + 0.15);
        QColor c = mix(QColor(4, 4, 16), QColor(60, 20, 120), density);
        c = mix(c, QColor(230, 60, 140), clamp01(density * density * 1.3));
        c = mix(c, QColor(255, 190, 150), clamp01(std::pow(density, 4) * 2.2));
        c = mix(c, QColor(40, 150, 220), clamp01(dust * (1 - density)) * 0.35);
        return c.rgb();
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    stars(p, image.size(), int(w * h / 1800), 43, 1.0, u);
    QRandomGenerator rng(44);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    for (int i = 0; i < 5; ++i) {
        const QPointF at(heart.x() + (rng.generateDouble() - 0.5) * w * 0.5,
            heart.y() + (rng.generateDouble() - 0.5) * h * 0.6);
        const double r = u * (18 + rng.generateDouble() * 30);
        glow(p, at, r, QColor(200, 220, 255, 160));
        QLinearGradient spike(at - QPointF(r * 1.4, 0), at + QPointF(r * 1.4, 0));
        spike.setColorAt(0, QColor(220, 230, 255, 0));
        spike.setColorAt(0.5, QColor(220, 230, 255, 110));
        spike.setColorAt(1, QColor(220, 230, 255, 0));
        p.setPen(QPen(QBrush(spike), 1.3 * u));
        p.drawLine(at - QPointF(r * 1.4, 0), at + QPointF(r * 1.4, 0));
        QLinearGradient spikeV(at - QPointF(0, r * 1.4), at + QPointF(0, r * 1.4));
        spikeV.setStops(spike.stops());
        p.setPen(QPen(QBrush(spikeV), 1.3 * u));
        p.drawLine(at - QPointF(0, r * 1.4), at + QPointF(0, r * 1.4));
    }
    p.end();
    dither(image, 38);
}

// Washes of watercolour bleeding on rough paper.
void watercolour(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    const Noise fibre(51), edge(52), grain(55);
    shadePixels(image, [&](int x, int y, QRgb) {
        const double n = fibre.fbm(x / (6 * u), y / (6 * u), 3) * 0.5
            + fibre.fbm(x / (80 * u), y / (80 * u), 3) * 0.5;
        const int v = int(247 + 6 * n);
        return qRgb(v, v - 2, v - 7);
    });
    struct Wash {
        QPointF centre;
        double radius;
        QColor paint;
        double seed;
    };
    const QColor paints[] = {QColor(40, 110, 190), QColor(230, 96, 120), QColor(240, 170, 60),
        QColor(90, 70, 170), QColor(40, 160, 150)};
    QRandomGenerator rng(piece == Piece::Disc ? 54 : piece == Piece::Front ? 56 : 53);
    std::vector<Wash> washes;
    // On a loose grid, so that washes touch and overlap a little but do
    // not pile up into mud.
    const int columns = piece == Piece::Back ? 4 : 3, rows = 3;
    for (int i = 0; i < columns * rows; ++i) {
        if (rng.bounded(5) == 0)
            continue;
        const double cx = (i % columns + 0.5 + (rng.generateDouble() - 0.5) * 0.6) / columns;
        const double cy = (i / columns + 0.5 + (rng.generateDouble() - 0.5) * 0.6) / rows;
        washes.push_back({QPointF(cx * w, cy * h),
            std::min(w / columns, h / rows) * (0.45 + rng.generateDouble() * 0.25),
            paints[(i * 3 + int(rng.bounded(2))) % int(std::size(paints))], i * 13.7});
    }
    // Each wash is a pool of pigment with a wobbling rim: fairly even
    // inside, darker where the pigment gathered as it dried, grainy where
    // it settled into the paper; the layers multiply like glazes.
    for (const Wash &wash : washes) {
        const QRect box = QRectF(wash.centre.x() - wash.radius * 1.6,
            wash.centre.y() - wash.radius * 1.6, wash.radius * 3.2, wash.radius * 3.2)
                              .toAlignedRect()
                              .intersected(image.rect());
        const double ar = 1 - wash.paint.redF(), ag = 1 - wash.paint.greenF(),
                     ab = 1 - wash.paint.blueF();
        for (int y = box.top(); y <= box.bottom(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = box.left(); x <= box.right(); ++x) {
                const double dx = (x - wash.centre.x()) / wash.radius;
                const double dy = (y - wash.centre.y()) / wash.radius;
                const double warp = edge.fbm(dx * 1.3 + wash.seed, dy * 1.3, 4);
                const double d = std::hypot(dx, dy) + 0.38 * warp;
                if (d >= 1.0)
                    continue;
                const double inside = smoothstep(1.0, 0.985, d);
                const double rim = std::exp(-std::pow((1 - d) / 0.035, 2));
                const double settle = 0.5 + 0.5 * grain.fbm(x / (3 * u), y / (3 * u), 2);
                const double flow = 0.5 + 0.5 * edge.fbm(dx * 3 + wash.seed, dy * 3 + 4, 3);
                const double density
                    = inside * (0.16 + 0.16 * flow + 0.08 * settle) + 0.25 * rim * inside;
                const QRgb c = line[x];
                line[x] = qRgb(int(qRed(c) * (1 - density * ar)),
                    int(qGreen(c) * (1 - density * ag)), int(qBlue(c) * (1 - density * ab)));
            }
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 120; ++i) {
        const QColor paint = paints[rng.bounded(int(std::size(paints)))];
        const QPointF at(rng.generateDouble() * w, rng.generateDouble() * h);
        const double r = u * (1.5 + 6 * std::pow(rng.generateDouble(), 3));
        p.setBrush(withAlpha(mix(Qt::white, paint, 0.7), 150));
        p.drawEllipse(at, r, r);
    }
    p.end();
}

// Seventies stripes sweeping round a corner.
void retroStripes(QImage &image, Piece piece)
{
    const double w = image.width(), h = image.height(), u = std::min(w, h) / 1000.0;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(250, 238, 212));
    const QColor stripes[]
        = {QColor(120, 52, 30), QColor(206, 92, 38), QColor(236, 150, 48), QColor(244, 200, 90)};
    const QPointF centre = piece == Piece::Back ? QPointF(w * 0.5, h * 1.05)
        : piece == Piece::Front                 ? QPointF(w * -0.05, h * 1.05)
                                                : QPointF(w * 0.5, h * 0.5);
    const double band = std::min(w, h) * 0.055;
    double radius = std::max(w, h) * (piece == Piece::Disc ? 0.62 : 0.95);
    for (int ring = 0; radius > band; ++ring) {
        for (int s = 0; s < 4 && radius > band; ++s) {
            p.setPen(Qt::NoPen);
            p.setBrush(stripes[s]);
            p.drawEllipse(centre, radius, radius);
            radius -= band;
        }
        p.setBrush(QColor(250, 238, 212));
        p.drawEllipse(centre, radius, radius);
        radius -= band * (2.2 + ring * 0.4);
    }
    // A worn print's grain.
    p.end();
    const Noise grain(61);
    shadePixels(image, [&](int x, int y, QRgb c) {
        const double n = grain.fbm(x / (2.5 * u), y / (2.5 * u), 2);
        const int d = int(n * 10);
        return qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
            std::clamp(qBlue(c) + d, 0, 255));
    });
}

struct Theme {
    const char *name;
    std::function<void(QImage &, Piece)> draw;
};

const Theme kThemes[] = {
    {"Aurora", aurora},
    {"Night Drive", nightDrive},
    {"Deep Sea", deepSea},
    {"City Lights", bokeh},
    {"Marble", marble},
    {"Misty Peaks", mistyPeaks},
    {"Crystal", lowPoly},
    {"Paper Waves", paperWaves},
    {"Nebula", nebula},
    {"Water Colours", watercolour},
    {"Seventies", retroStripes},
};

bool save(const QImage &image, const QString &path)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(86);
    writer.setOptimizedWrite(true);
    return writer.write(image);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc < 2) {
        err << "usage: make_templates OUTPUT_DIR [NAME...]\n";
        return 64;
    }
    const QString out = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    QDir().mkpath(out);
    QStringList only;
    for (int i = 2; i < argc; ++i)
        only << QString::fromLocal8Bit(argv[i]);
    const std::pair<Piece, const char *> pieces[]
        = {{Piece::Back, "[BACK]"}, {Piece::Front, "[FRONT]"}, {Piece::Disc, "[DISC]"}};
    bool ok = true;
    for (const Theme &theme : kThemes) {
        const QString name = QString::fromLatin1(theme.name);
        if (!only.isEmpty() && !only.contains(name))
            continue;
        for (const auto &[piece, marker] : pieces) {
            QImage image = canvas(piece == Piece::Back ? kBackSize
                    : piece == Piece::Front            ? kFrontSize
                                                       : kDiscSize);
            theme.draw(image, piece);
            const QString path = out + QLatin1Char('/') + name + QLatin1String(marker) + ".jpg";
            if (!save(image, path)) {
                err << "cannot write " << path << "\n";
                ok = false;
            } else {
                err << path << " " << QFileInfo(path).size() / 1024 << " KB\n";
            }
        }
    }
    return ok ? 0 : 1;
}
