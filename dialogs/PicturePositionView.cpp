#include "PicturePositionView.h"

#include "print/DrawFace.h"
#include "render/DeviceContext.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

PicturePositionView::PicturePositionView(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::OpenHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void PicturePositionView::showFace(
    const CoverDocument &doc, const CoverFaces &faces, const CoverFace &face)
{
    m_document = &doc;
    m_faces = faces;
    m_face = face;
    update();
}

QRect PicturePositionView::faceRect() const
{
    const QSizeF inches = m_face.inches;
    if (inches.isEmpty())
        return rect();
    const QSize size
        = inches.scaled(QSizeF(width() - 8, height() - 8), Qt::KeepAspectRatio).toSize();
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void PicturePositionView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_document || !m_faces)
        return;
    const QRect face = faceRect();
    const int dpi = logicalDpiX();
    const QSize nominal = m_face.nominalPixels(dpi);
    if (nominal.isEmpty())
        return;
    DeviceContext dc(painter);
    const DrawTarget target = DrawTarget::screen(logicalDpiY(),
        double(face.width()) / nominal.width(), double(face.height()) / nominal.height())
                                  .withPictures(&m_pictures);
    drawFace(dc, *m_document, *m_faces, m_face, face, dpi, target);
}

void PicturePositionView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragFrom = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
}

void PicturePositionView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragFrom)
        return;
    const QPoint at = event->position().toPoint();
    const QPoint delta = at - *m_dragFrom;
    if (delta.isNull())
        return;
    m_dragFrom = at;
    Q_EMIT dragged(delta);
}

void PicturePositionView::mouseReleaseEvent(QMouseEvent *)
{
    m_dragFrom.reset();
    setCursor(Qt::OpenHandCursor);
}

void PicturePositionView::wheelEvent(QWheelEvent *event)
{
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / 120;
    m_wheel -= steps * 120;
    if (steps != 0)
        Q_EMIT wheelTurned(steps);
    event->accept();
}
