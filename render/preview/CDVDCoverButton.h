#pragma once

#include "render/preview/CFacePreviewButton.h"

// Preview of the standard or slimline DVD wrap-around sheet.
class CDVDCoverButton : public CFacePreviewButton {
    Q_OBJECT
public:
    explicit CDVDCoverButton(QWidget *parent = nullptr)
        : CFacePreviewButton(Shape::Rectangular, parent)
    {
    }
};
