#pragma once

#include "render/DiscRenderer.h"
#include "render/preview/CFacePreviewButton.h"

// Preview of the disc label.
class CMyDiscButton : public CFacePreviewButton {
    Q_OBJECT
public:
    explicit CMyDiscButton(QWidget *parent = nullptr)
        : CFacePreviewButton(Shape::Round, parent)
    {
    }

    DiscRenderer &renderer() { return m_renderer; }
    const DiscRenderer &renderer() const { return m_renderer; }

protected:
    bool hasFace() const override
    {
        return m_renderer.nominalWidth > 0 && m_renderer.nominalHeight > 0;
    }
    void renderFace(DeviceContext &dc, const QRect &rect) override { m_renderer.Render(dc, rect); }

private:
    DiscRenderer m_renderer;
};
