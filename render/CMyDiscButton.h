#pragma once

#include "render/DiscRenderer.h"

#include <QAbstractButton>

// Preview of the disc label; round, so the window shows around it. The render inputs
// live in renderer(); whoever changes the document fills them (the main
// window for the screen, the print engine for the printer) and then calls
// update(). Each paint is one render straight onto the widget.
class CMyDiscButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CMyDiscButton(QWidget *parent = nullptr);

    DiscRenderer &renderer() { return m_renderer; }
    const DiscRenderer &renderer() const { return m_renderer; }

    // Renders done on screen so far.
    int renderCount() const { return m_renderCount; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DiscRenderer m_renderer;
    int m_renderCount = 0;
};
