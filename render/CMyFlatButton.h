#pragma once

#include "render/CdFaceRenderer.h"

#include <QAbstractButton>

// Preview of the standard CD front or back cover (the renderer's isBackFace says which). The render
// inputs live in renderer(); whoever changes the document fills them (the main window for the
// screen, the print engine for the printer) and then calls update(). Each paint is one render
// straight onto the widget.
class CMyFlatButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CMyFlatButton(QWidget *parent = nullptr);

    CdFaceRenderer &renderer() { return m_renderer; }
    const CdFaceRenderer &renderer() const { return m_renderer; }

    // Renders done on screen so far.
    int renderCount() const { return m_renderCount; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CdFaceRenderer m_renderer;
    int m_renderCount = 0;
};
