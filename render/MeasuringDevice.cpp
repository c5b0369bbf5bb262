#include "MeasuringDevice.h"

#include <QPaintEngine>

namespace {

// Takes every drawing call and does nothing with it. Text still goes through
// QPainter's layout before it reaches drawTextItem, so metrics are real.
class NullPaintEngine : public QPaintEngine {
public:
    NullPaintEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override { }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    void drawImage(
        const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override
    {
    }
    void drawTextItem(const QPointF &, const QTextItem &) override { }
    void drawPath(const QPainterPath &) override { }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override { }
    void drawRects(const QRectF *, int) override { }
    void drawLines(const QLineF *, int) override { }
    void drawEllipse(const QRectF &) override { }
    void drawPoints(const QPointF *, int) override { }
    void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override { }
    Type type() const override { return QPaintEngine::User; }
};

} // namespace

MeasuringDevice::MeasuringDevice(QSize size, int dpi)
    : m_size(size)
    , m_dpi(dpi)
    , m_engine(std::make_unique<NullPaintEngine>())
{
}

MeasuringDevice::~MeasuringDevice() = default;

QPaintEngine *MeasuringDevice::paintEngine() const
{
    return m_engine.get();
}

int MeasuringDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_size.width();
    case PdmHeight: return m_size.height();
    case PdmWidthMM: return int(m_size.width() * 25.4 / m_dpi);
    case PdmHeightMM: return int(m_size.height() * 25.4 / m_dpi);
    case PdmNumColors: return 1 << 24;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return m_dpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return 0;
    }
}
