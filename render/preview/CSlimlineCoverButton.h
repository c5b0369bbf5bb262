#pragma once

#include "render/SlimlineSheetRenderer.h"
#include "render/preview/CFacePreviewButton.h"

// Preview of the slimline CD sheet.
class CSlimlineCoverButton : public CFacePreviewButton {
    Q_OBJECT
public:
    explicit CSlimlineCoverButton(QWidget *parent = nullptr)
        : CFacePreviewButton(Shape::Rectangular, parent)
    {
    }

    SlimlineSheetRenderer &renderer() { return m_renderer; }
    const SlimlineSheetRenderer &renderer() const { return m_renderer; }

protected:
    bool hasFace() const override
    {
        return m_renderer.nominalWidth > 0 && m_renderer.nominalHeight > 0;
    }
    void renderFace(DeviceContext &dc, const QRect &rect) override { m_renderer.Render(dc, rect); }

private:
    SlimlineSheetRenderer m_renderer;
};
