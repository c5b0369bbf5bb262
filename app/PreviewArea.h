#pragma once

#include <QHash>
#include <QRect>
#include <QScrollArea>
#include <QSizeF>

// The part of the main window that shows the face in view. At Fit the face
// takes the area's room and keeps its shape: at the window's default size
// every preview has the place it always had, and a larger window scales that
// place up. Zoomed, the face has a size of its own (100 % is its real size
// on this screen) and the area scrolls when it is larger.
class PreviewArea : public QScrollArea {
    Q_OBJECT
public:
    // The zoom of Fit; any other zoom is a percentage.
    static constexpr int kFit = 0;
    static constexpr int kMinZoom = 25;
    static constexpr int kMaxZoom = 400;

    explicit PreviewArea(QWidget *parent = nullptr);

    // The previews are the area's: it places the one in show.
    void adopt(QWidget *preview);
    // The area's size at the window's default size; the places of the
    // previews are given within it.
    void setDefaultSize(QSize size) { m_defaultSize = size; }
    // A preview's place at the default size, within the area.
    void setDefaultPlace(QWidget *preview, QRect place);
    // Shows `preview` (hiding the others); `faceInches` is its real size.
    void showPreview(QWidget *preview, QSizeF faceInches);
    void showNoPreview();
    QWidget *shownPreview() const { return m_shown; }

    int zoom() const { return m_zoom; }
    void setZoom(int zoom);
    void zoomIn();
    void zoomOut();
    void zoomToFit() { setZoom(kFit); }
    // The zoom in force as a percentage, also at Fit.
    double effectivePercent() const;
    // The screen resolution that 100 % is measured with.
    double screenDpi() const;

Q_SIGNALS:
    void zoomChanged(int zoom);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void relayout();
    QRect fitPlace(QRect defaultPlace) const;
    QSize room() const;

    QWidget *m_content;
    QWidget *m_shown = nullptr;
    QHash<QWidget *, QRect> m_defaultPlaces;
    QSizeF m_faceInches;
    QSize m_defaultSize;
    int m_zoom = kFit;
    int m_wheelDelta = 0;
};
