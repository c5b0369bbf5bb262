#pragma once

#include "document/CoverDocument.h"
#include "print/CoverFaces.h"

#include <QDialog>
#include <QList>

class CFlatHoverButton;
class PicturePositionView;
class QComboBox;
class QRadioButton;
class QSlider;

// "Picture Position": where a face's picture sits. The user drags it on a
// large preview of the face, zooms it (slider, mouse wheel, + and -), turns
// it a quarter at a time and chooses Fill, Fit or Stretch; arrow keys move
// it. Every change is reported at once (placementChanged) so that the main
// window follows; the caller keeps or takes them back at the end.
class CPicturePositionDlg : public QDialog {
    Q_OBJECT
public:
    // One picture the face shows: its name in the window and its slot
    // ('f', 'b', 's' or 'd').
    struct Slot {
        QString name;
        char letter;
    };

    explicit CPicturePositionDlg(QWidget *parent = nullptr);

    // Shows `face` of `doc` (kept up to date by the caller, alive while the
    // window is) with the pictures `slots` it shows.
    void setFace(const CoverDocument &doc, const CoverFaces &faces, const CoverFace &face,
        const QList<Slot> &slots);

    // The picture being placed, and the placement the window shows for it.
    char currentSlot() const;
    PicturePlacement placement() const;

    // The same as the controls do.
    void moveBy(int dxThousandths, int dyThousandths);
    void dragBy(QPoint facePixels);
    void zoomBy(int percent);
    void turn(int quarters);
    void setFit(int32_t fit);
    void reset();

    PicturePositionView *view() const { return m_view; }
    QSlider *zoomSlider() const { return m_zoom; }

Q_SIGNALS:
    void placementChanged(char slot, const PicturePlacement &placement);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    void change(const PicturePlacement &placement);
    void showPlacement();
    QRectF pictureBox() const;
    // The upright picture's size, read once a picture (drags ask often).
    QSizeF uprightSize(const QByteArray &path);

    const CoverDocument *m_document = nullptr;
    QList<Slot> m_slots;
    PicturePositionView *m_view = nullptr;
    QComboBox *m_slotList = nullptr;
    QRadioButton *m_fill = nullptr;
    QRadioButton *m_fit = nullptr;
    QRadioButton *m_stretch = nullptr;
    QSlider *m_zoom = nullptr;
    CFlatHoverButton *m_ok = nullptr;
    CFlatHoverButton *m_cancel = nullptr;
    QByteArray m_sizedPath;
    QSizeF m_upright;
};

// The placement of slot `letter` ('f', 'b', 's', 'd') of `doc`.
PicturePlacement &placementOf(CoverDocument &doc, char letter);
const PicturePlacement &placementOf(const CoverDocument &doc, char letter);
const QByteArray &picturePathOf(const CoverDocument &doc, char letter);
