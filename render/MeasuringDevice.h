#pragma once

#include <QPaintDevice>
#include <QSize>
#include <memory>

class QPaintEngine;

// A paint device that lays text out as a printer of `dpi` would and draws
// nothing: drawing a face on it tells what its texts do on paper at the
// cost of the text layout alone, without a page-sized bitmap.
class MeasuringDevice : public QPaintDevice {
public:
    MeasuringDevice(QSize size, int dpi);
    ~MeasuringDevice() override;

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    int m_dpi;
    std::unique_ptr<QPaintEngine> m_engine;
};
