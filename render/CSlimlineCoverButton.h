#pragma once

#include "render/SlimlineSheetRenderer.h"

#include <QAbstractButton>

// Preview of the slimline CD sheet. The render inputs
// live in renderer(); whoever changes the document fills them (the main
// window for the screen, the print engine for the printer) and then calls
// update(). Each paint is one render straight onto the widget.
class CSlimlineCoverButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CSlimlineCoverButton(QWidget *parent = nullptr);

    SlimlineSheetRenderer &renderer() { return m_renderer; }
    const SlimlineSheetRenderer &renderer() const { return m_renderer; }

    // Renders done on screen so far.
    int renderCount() const { return m_renderCount; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SlimlineSheetRenderer m_renderer;
    int m_renderCount = 0;
};
