#pragma once

#include "render/preview/CFacePreviewButton.h"

// Preview of the disc label.
class CMyDiscButton : public CFacePreviewButton {
    Q_OBJECT
public:
    explicit CMyDiscButton(QWidget *parent = nullptr)
        : CFacePreviewButton(Shape::Round, parent)
    {
    }
};
