#pragma once

#include <QAbstractButton>

class DeviceContext;

// What the four face previews share: each paint is one render of the face
// straight onto the widget, once the face has been given a size. The render
// inputs live in the subclass's renderer; whoever changes the document fills
// them (the main window for the screen, the print engine for the printer)
// and then calls update().
class CFacePreviewButton : public QAbstractButton {
    Q_OBJECT
public:
    // A rectangular face covers every pixel of the control; a round one lets
    // the window show around it.
    enum class Shape { Rectangular, Round };

    explicit CFacePreviewButton(Shape shape, QWidget *parent = nullptr);

    // Renders done on screen so far.
    int renderCount() const { return m_renderCount; }

protected:
    void paintEvent(QPaintEvent *event) override;

    // The face has a nominal size (a cover type without geometry has none).
    virtual bool hasFace() const = 0;
    virtual void renderFace(DeviceContext &dc, const QRect &rect) = 0;

private:
    Shape m_shape;
    int m_renderCount = 0;
};
