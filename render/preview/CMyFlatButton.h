#pragma once

#include "render/CdFaceRenderer.h"
#include "render/preview/CFacePreviewButton.h"

// Preview of the standard CD front or back cover (the renderer's isBackFace says which).
class CMyFlatButton : public CFacePreviewButton {
    Q_OBJECT
public:
    explicit CMyFlatButton(QWidget *parent = nullptr)
        : CFacePreviewButton(Shape::Rectangular, parent)
    {
    }

    CdFaceRenderer &renderer() { return m_renderer; }
    const CdFaceRenderer &renderer() const { return m_renderer; }

protected:
    bool hasFace() const override
    {
        return m_renderer.nominalWidth > 0 && m_renderer.nominalHeight > 0;
    }
    void renderFace(DeviceContext &dc, const QRect &rect) override { m_renderer.Render(dc, rect); }

private:
    CdFaceRenderer m_renderer;
};
