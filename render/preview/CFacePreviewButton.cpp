#include "CFacePreviewButton.h"

#include "SheetPartNames.h"

#include "print/DrawFace.h"
#include "render/DeviceContext.h"

#include <QPainter>

CFacePreviewButton::CFacePreviewButton(Shape shape, QWidget *parent)
    : QAbstractButton(parent)
    , m_shape(shape)
{
    // A rectangular face covers every pixel, so nothing is erased first.
    if (shape == Shape::Rectangular)
        setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CFacePreviewButton::showFace(
    const CoverDocument &doc, const CoverFaces &faces, const CoverFace &face, int dpi)
{
    m_document = &doc;
    m_faces = faces;
    m_face = face;
    m_dpi = dpi;
}

void CFacePreviewButton::clearFace()
{
    m_document = nullptr;
    m_faces.reset();
}

bool CFacePreviewButton::hasFace() const
{
    return m_document && !m_face.nominalPixels(m_dpi).isEmpty();
}

std::optional<FaceRenderer> CFacePreviewButton::boundFace() const
{
    if (!m_document)
        return std::nullopt;
    return bindFace(*m_document, *m_faces, m_face, m_dpi);
}

DrawTarget CFacePreviewButton::drawTarget() const
{
    const QSize nominal = m_face.nominalPixels(m_dpi);
    return DrawTarget::screen(
        logicalDpiY(), double(width()) / nominal.width(), double(height()) / nominal.height())
        .withPictures(m_pictures);
}

void CFacePreviewButton::setShowPartNames(bool shown)
{
    if (shown == m_showPartNames)
        return;
    m_showPartNames = shown;
    update();
}

void CFacePreviewButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!hasFace()) {
        // Not bound to a face yet: an opaque control must still paint itself.
        if (m_shape == Shape::Rectangular)
            painter.fillRect(rect(), palette().window());
        return;
    }
    DeviceContext dc(painter);
    drawFace(dc, *m_document, *m_faces, m_face, rect(), m_dpi, drawTarget());
    ++m_renderCount;
    if (m_showPartNames)
        drawSheetPartNames(painter, sheetParts(*boundFace(), QSizeF(size())));
}
