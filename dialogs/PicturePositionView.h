#pragma once

#include "print/CoverFaces.h"
#include "render/CachingPictureSource.h"

#include <QWidget>

class CoverDocument;

// The Picture Position window's large preview: the face as it prints, drawn
// fitted into the control, on which the user drags the picture. A drag
// reports how far the picture's centre moved, in thousandths of the turned
// picture's width and height (picture pixels per face pixel of the box the
// picture is placed on).
class PicturePositionView : public QWidget {
    Q_OBJECT
public:
    explicit PicturePositionView(QWidget *parent = nullptr);

    // Shows `face` of `doc` (which must outlive the view or the next call).
    void showFace(const CoverDocument &doc, const CoverFaces &faces, const CoverFace &face);
    // Where the face lies in the control.
    QRect faceRect() const;
    // Decoded pictures are kept while the window is open: dragging repaints
    // without decoding.
    const CachingPictureSource &pictures() const { return m_pictures; }

Q_SIGNALS:
    // The mouse dragged the picture by `delta` face pixels of the control.
    void dragged(QPoint delta);
    void wheelTurned(int steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    const CoverDocument *m_document = nullptr;
    std::optional<CoverFaces> m_faces;
    CoverFace m_face;
    CachingPictureSource m_pictures;
    std::optional<QPoint> m_dragFrom;
    int m_wheel = 0;
};
