#include "CFacePreviewButton.h"

#include "SheetPartNames.h"

#include "print/DrawFace.h"
#include "print/FaceTextCheck.h"
#include "render/DeviceContext.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

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
    m_checkedFace.reset();
    m_textCheck = {};
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

void CFacePreviewButton::updateTextCheck()
{
    // Binding is cheap and measuring is not: the face is measured only when
    // its inputs at the measuring resolution differ from the last ones.
    FaceRenderer bound = bindFace(*m_document, *m_faces, m_face, kTextCheckDpi);
    if (m_checkedFace && *m_checkedFace == bound)
        return;
    m_textCheck = checkFaceText(*m_document, *m_faces, m_face, logicalDpiY());
    m_checkedFace = std::move(bound);
}

QString CFacePreviewButton::cutTextTip() const
{
    QStringList lines;
    for (const TextCut &cut : m_textCheck.cuts)
        lines << cut.message();
    return lines.join(QLatin1Char('\n'));
}

QRect CFacePreviewButton::cutTextMark() const
{
    const int side = std::max(10, std::min(width(), height()) / 16);
    return QRect(width() - side, 0, side, side);
}

bool CFacePreviewButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        // The whole corner answers, not only the triangle: it is small.
        if (hasFace() && m_textCheck.textCut()
            && cutTextMark().adjusted(-4, -4, 4, 4).contains(help->pos()))
            QToolTip::showText(help->globalPos(), cutTextTip(), this, cutTextMark());
        else
            QToolTip::hideText();
        return true;
    }
    return QAbstractButton::event(event);
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
    updateTextCheck();
    if (m_textCheck.textCut()) {
        // A red corner, folded over the face like a sticky note's.
        const QRect mark = cutTextMark();
        QPolygon corner;
        corner << mark.topLeft() << QPoint(mark.right() + 1, mark.top())
               << QPoint(mark.right() + 1, mark.bottom() + 1);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(220, 30, 30));
        painter.drawPolygon(corner);
    }
}
