#pragma once

// What the benchmark programs share: the median of timed runs and a busy
// 4000 x 3000 JPEG to decode.

#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// The median of `runs` timings of `work` (given the run's index), in ms.
inline double medianMs(int runs, const std::function<void(int)> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work(i);
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A 12 MP photo-like JPEG at `path`: a gradient with 400 coloured blocks,
// varied by `seed`.
inline QString makeBusyJpeg(const QString &path, int seed = 0)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 4000, 3000);
    g.setColorAt(0, QColor(20 + seed * 40, 40, 120));
    g.setColorAt(1, QColor(240, 160, 60 + seed * 50));
    p.fillRect(image.rect(), g);
    for (int i = 0; i < 400; ++i)
        p.fillRect(QRect((i * 613 + seed) % 4000, (i * 397) % 3000, 120, 80),
            QColor((i * 37) % 256, (i * 91 + seed) % 256, (i * 53) % 256));
    p.end();
    image.save(path, "JPEG", 90);
    return path;
}

} // namespace bench
