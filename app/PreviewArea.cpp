#include "PreviewArea.h"

#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The steps of Ctrl++ and Ctrl+-, in percent.
constexpr std::array<int, 8> kSteps{25, 50, 75, 100, 150, 200, 300, 400};

} // namespace

PreviewArea::PreviewArea(QWidget *parent)
    : QScrollArea(parent)
    , m_content(new QWidget)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The window's own background shows around the face.
    setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(false);
    m_content->setAutoFillBackground(false);
    setWidget(m_content);
    setFocusPolicy(Qt::NoFocus);
}

void PreviewArea::adopt(QWidget *preview)
{
    preview->setParent(m_content);
    preview->hide();
}

void PreviewArea::setDefaultPlace(QWidget *preview, QRect place)
{
    m_defaultPlaces.insert(preview, place);
    relayout();
}

void PreviewArea::showPreview(QWidget *preview, QSizeF faceInches)
{
    for (QWidget *w : m_content->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        w->setVisible(w == preview);
    m_shown = preview;
    m_faceInches = faceInches;
    relayout();
}

void PreviewArea::showNoPreview()
{
    for (QWidget *w : m_content->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        w->hide();
    m_shown = nullptr;
    relayout();
}

double PreviewArea::screenDpi() const
{
    // Screens that report no sensible size (virtual displays) are taken at
    // the logical resolution.
    const QScreen *screen = window()->screen();
    const double physical = screen ? screen->physicalDotsPerInchX() : 0.0;
    if (physical >= 50 && physical <= 1000)
        return physical / devicePixelRatioF();
    return logicalDpiX();
}

QSize PreviewArea::room() const
{
    // Before the window is first shown the viewport has no size of its own
    // yet; the area's, less its frame, is what it will get.
    return viewport()->isVisible() ? viewport()->size() : maximumViewportSize();
}

QRect PreviewArea::fitPlace(QRect defaultPlace) const
{
    const QSize area = maximumViewportSize();
    if (m_defaultSize.isEmpty() || area.isEmpty() || defaultPlace.isEmpty())
        return defaultPlace;
    if (area == m_defaultSize)
        return defaultPlace;
    // The face grows with the room, keeping the margins it has at the
    // default size, and as the whole layout does at least.
    const double layoutScale = std::min(double(area.width()) / m_defaultSize.width(),
        double(area.height()) / m_defaultSize.height());
    const QSize slack = m_defaultSize - defaultPlace.size();
    const double faceScale = std::min(double(area.width() - slack.width()) / defaultPlace.width(),
        double(area.height() - slack.height()) / defaultPlace.height());
    const double scale = std::max(layoutScale, faceScale);
    const QSize size(qRound(defaultPlace.width() * scale), qRound(defaultPlace.height() * scale));
    // Around where the scaled layout has its middle, within the area.
    const QPointF layoutOffset((area.width() - m_defaultSize.width() * layoutScale) / 2,
        (area.height() - m_defaultSize.height() * layoutScale) / 2);
    const QPointF middle = layoutOffset + QPointF(defaultPlace.center()) * layoutScale;
    const int x = std::clamp(
        qRound(middle.x() - size.width() / 2.0), 0, std::max(0, area.width() - size.width()));
    const int y = std::clamp(
        qRound(middle.y() - size.height() / 2.0), 0, std::max(0, area.height() - size.height()));
    return QRect(QPoint(x, y), size);
}

double PreviewArea::effectivePercent() const
{
    if (m_zoom != kFit)
        return m_zoom;
    if (m_faceInches.isEmpty())
        return 100.0;
    return 100.0 * fitPlace(m_defaultPlaces.value(m_shown)).width()
        / (m_faceInches.width() * screenDpi());
}

void PreviewArea::setZoom(int zoom)
{
    if (zoom != kFit)
        zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == m_zoom)
        return;
    // Zooming keeps the middle of the view where it was.
    const QPointF middle((horizontalScrollBar()->value() + viewport()->width() / 2.0)
            / std::max(1, m_content->width()),
        (verticalScrollBar()->value() + viewport()->height() / 2.0)
            / std::max(1, m_content->height()));
    m_zoom = zoom;
    relayout();
    horizontalScrollBar()->setValue(
        qRound(middle.x() * m_content->width() - viewport()->width() / 2.0));
    verticalScrollBar()->setValue(
        qRound(middle.y() * m_content->height() - viewport()->height() / 2.0));
    Q_EMIT zoomChanged(m_zoom);
}

void PreviewArea::zoomIn()
{
    const double now = effectivePercent();
    const auto next
        = std::find_if(kSteps.begin(), kSteps.end(), [now](int s) { return s > now + 0.5; });
    setZoom(next == kSteps.end() ? kSteps.back() : *next);
}

void PreviewArea::zoomOut()
{
    const double now = effectivePercent();
    const auto next
        = std::find_if(kSteps.rbegin(), kSteps.rend(), [now](int s) { return s < now - 0.5; });
    setZoom(next == kSteps.rend() ? kSteps.front() : *next);
}

void PreviewArea::relayout()
{
    // Before the window is first shown the scroll area has not laid out its
    // viewport yet; put it where it will be, so that places are right
    // already (the first show lays it out the same).
    if (!isVisible())
        viewport()->setGeometry(QRect(QPoint(0, 0), maximumViewportSize()));
    // The previews out of show wait at their fitting places too.
    for (auto it = m_defaultPlaces.cbegin(); it != m_defaultPlaces.cend(); ++it)
        if (it.key() != m_shown || m_zoom == kFit)
            it.key()->setGeometry(fitPlace(it.value()));
    const QSize area = m_zoom == kFit ? maximumViewportSize() : room();
    if (!m_shown || m_zoom == kFit || m_faceInches.isEmpty()) {
        m_content->resize(area);
        return;
    }
    // The face's real size at this zoom, with the shape it has at Fit.
    const QRect defaultPlace = m_defaultPlaces.value(m_shown);
    const double width = m_faceInches.width() * screenDpi() * m_zoom / 100.0;
    const double aspect = defaultPlace.isEmpty()
        ? m_faceInches.height() / m_faceInches.width()
        : double(defaultPlace.height()) / defaultPlace.width();
    const QSize face(std::max(1, qRound(width)), std::max(1, qRound(width * aspect)));
    constexpr int kMargin = 8;
    const QSize content(std::max(area.width(), face.width() + 2 * kMargin),
        std::max(area.height(), face.height() + 2 * kMargin));
    m_content->resize(content);
    m_shown->setGeometry(
        QRect(QPoint((content.width() - face.width()) / 2, (content.height() - face.height()) / 2),
            face));
}

void PreviewArea::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    relayout();
}

void PreviewArea::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    // One step a notch; touchpads send small deltas that add up to one.
    m_wheelDelta += event->angleDelta().y();
    while (m_wheelDelta >= 120) {
        m_wheelDelta -= 120;
        zoomIn();
    }
    while (m_wheelDelta <= -120) {
        m_wheelDelta += 120;
        zoomOut();
    }
    event->accept();
}
