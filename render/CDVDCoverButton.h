#pragma once

#include "render/DvdSheetRenderer.h"

#include <QAbstractButton>

// Preview of the wrap-around sheet of a standard or slimline DVD case. The render inputs
// live in renderer(); whoever changes the document fills them (the main
// window for the screen, the print engine for the printer) and then calls
// update(). Each paint is one render straight onto the widget.
class CDVDCoverButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CDVDCoverButton(QWidget *parent = nullptr);

    DvdSheetRenderer &renderer() { return m_renderer; }
    const DvdSheetRenderer &renderer() const { return m_renderer; }

    // Renders done on screen so far.
    int renderCount() const { return m_renderCount; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DvdSheetRenderer m_renderer;
    int m_renderCount = 0;
};
