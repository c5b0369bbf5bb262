#pragma once

#include "render/preview/CFacePreviewButton.h"

// Preview of the slimline CD sheet.
class CSlimlineCoverButton : public CFacePreviewButton {
    Q_OBJECT
public:
    explicit CSlimlineCoverButton(QWidget *parent = nullptr)
        : CFacePreviewButton(Shape::Rectangular, parent)
    {
    }
};
