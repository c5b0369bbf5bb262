#pragma once

#include <QPainter>

class TextDrawObserver;

// The drawing target of a render: a painter on any paint device (widget,
// QImage, QPrinter, PDF) with the device's logical resolution. Renderers
// take every resolution from here, never from the screen.
class DeviceContext {
public:
    // Resolutions from the painter's device.
    explicit DeviceContext(QPainter &painter);
    DeviceContext(QPainter &painter, int dpiX, int dpiY);

    QPainter &painter() { return *m_painter; }
    int dpiX() const { return m_dpiX; }
    int dpiY() const { return m_dpiY; }

    // Told of every text the renderers draw (see TextDrawing.h); tests use it
    // to check text boxes without depending on glyph pixels.
    TextDrawObserver *textObserver() const { return m_textObserver; }
    void setTextObserver(TextDrawObserver *observer) { m_textObserver = observer; }

private:
    QPainter *m_painter;
    int m_dpiX;
    int m_dpiY;
    TextDrawObserver *m_textObserver = nullptr;
};
