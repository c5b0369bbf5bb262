#pragma once

#include "render/DvdSheetRenderer.h"
#include "render/preview/CFacePreviewButton.h"

// Preview of the standard or slimline DVD wrap-around sheet.
class CDVDCoverButton : public CFacePreviewButton {
    Q_OBJECT
public:
    explicit CDVDCoverButton(QWidget *parent = nullptr)
        : CFacePreviewButton(Shape::Rectangular, parent)
    {
    }

    DvdSheetRenderer &renderer() { return m_renderer; }
    const DvdSheetRenderer &renderer() const { return m_renderer; }

protected:
    bool hasFace() const override
    {
        return m_renderer.nominalWidth > 0 && m_renderer.nominalHeight > 0;
    }
    void renderFace(DeviceContext &dc, const QRect &rect) override { m_renderer.Render(dc, rect); }

private:
    DvdSheetRenderer m_renderer;
};
