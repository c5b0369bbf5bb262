#pragma once

// Runs a face renderer on a canvas, recording the texts it draws.

#include "FaceImage.h"
#include "render/DeviceContext.h"
#include "render/TextDrawing.h"

#include <QPainter>

namespace testsupport {

struct RenderedFace {
    QImage image;
    QList<TextDrawCall> texts;

    // The recorded calls of one kind, in drawing order.
    QList<TextDrawCall> boxes() const { return ofKind(TextDrawCall::Kind::Box); }
    QList<TextDrawCall> rotated() const { return ofKind(TextDrawCall::Kind::Rotated); }

private:
    QList<TextDrawCall> ofKind(TextDrawCall::Kind kind) const
    {
        QList<TextDrawCall> out;
        for (const TextDrawCall &c : texts)
            if (c.kind == kind)
                out.append(c);
        return out;
    }
};

// `render` is called as render(dc, rect) on a canvas of `canvasSize`.
template <typename F>
RenderedFace renderOnCanvas(
    QSize canvasSize, int dpi, QRect rect, F &&render, QColor canvasColor = Qt::white)
{
    RenderedFace out;
    out.image = makeCanvas(canvasSize.width(), canvasSize.height(), dpi, canvasColor);
    QPainter painter(&out.image);
    DeviceContext dc(painter);
    TextDrawRecorder recorder;
    dc.setTextObserver(&recorder);
    render(dc, rect);
    painter.end();
    out.texts = recorder.calls;
    return out;
}

// A renderer printed at nominal size onto a canvas of exactly that size.
template <typename R> RenderedFace printFace(R &renderer, int dpi, QColor canvasColor = Qt::white)
{
    const QSize size(renderer.nominalWidth, renderer.nominalHeight);
    return renderOnCanvas(
        size, dpi, QRect(QPoint(0, 0), size),
        [&](DeviceContext &dc, const QRect &r) { renderer.PrintFace(dc, r, 96); }, canvasColor);
}

} // namespace testsupport
