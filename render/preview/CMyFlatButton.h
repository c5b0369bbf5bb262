#pragma once

#include "render/preview/CFacePreviewButton.h"

// Preview of the standard CD front or back cover.
class CMyFlatButton : public CFacePreviewButton {
    Q_OBJECT
public:
    explicit CMyFlatButton(QWidget *parent = nullptr)
        : CFacePreviewButton(Shape::Rectangular, parent)
    {
    }
};
