#include "CPicturePositionDlg.h"

#include "PicturePositionView.h"
#include "document/CoverTypes.h"
#include "render/FacePicture.h"
#include "render/PictureFraming.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogLook.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPainter>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>

namespace {

constexpr int kWidthUnits = 330;
constexpr int kHeightUnits = 246;
constexpr int kBandBottomUnits = 48;
// One arrow key press, in thousandths of the picture; with Shift five.
constexpr int kStep = 10;
constexpr int kZoomStep = 10;

} // namespace

PicturePlacement &placementOf(CoverDocument &doc, char letter)
{
    switch (letter) {
    case 'f': return doc.fImagePlacement;
    case 'b': return doc.bImagePlacement;
    case 's': return doc.sImagePlacement;
    default: return doc.dImagePlacement;
    }
}

const PicturePlacement &placementOf(const CoverDocument &doc, char letter)
{
    return placementOf(const_cast<CoverDocument &>(doc), letter);
}

const QByteArray &picturePathOf(const CoverDocument &doc, char letter)
{
    switch (letter) {
    case 'f': return doc.fImagePath;
    case 'b': return doc.bImagePath;
    case 's': return doc.sImagePath;
    default: return doc.dImagePath;
    }
}

CPicturePositionDlg::CPicturePositionDlg(QWidget *parent)
    : QDialog(parent)
{
    DialogLook::setUpDialog(*this, QStringLiteral("Picture Position"), kWidthUnits, kHeightUnits);
    buildControls();
}

void CPicturePositionDlg::buildControls()
{
    DialogLook::addLogo(this, QRect(4, 3, 45, 41));
    DialogLook::addHeading(this,
        QStringLiteral("Drag the picture to choose the part that shows; zoom it, turn it, or "
                       "choose how it covers the face."),
        QRect(56, 9, 266, 24));

    m_view = new PicturePositionView(this);
    m_view->setGeometry(dialogUnitRect(4, 52, 222, 188));
    connect(m_view, &PicturePositionView::dragged, this, &CPicturePositionDlg::dragBy);
    connect(m_view, &PicturePositionView::wheelTurned, this,
        [this](int steps) { zoomBy(steps * kZoomStep); });

    m_slotList = new QComboBox(this);
    m_slotList->setGeometry(dialogUnitRect(232, 54, 92, 13));
    connect(m_slotList, &QComboBox::currentIndexChanged, this, [this] { showPlacement(); });

    DialogLook::addLabel(this, QStringLiteral("The picture:"), QRect(232, 72, 92, 9));
    const auto choice = [this](const QString &text, int y, int32_t fit) {
        auto *b = new QRadioButton(text, this);
        b->setGeometry(dialogUnitRect(234, y, 90, 11));
        connect(b, &QRadioButton::clicked, this, [this, fit] { setFit(fit); });
        return b;
    };
    m_fill = choice(QStringLiteral("&Fill the face"), 82, FitFill);
    m_fit = choice(QStringLiteral("F&it inside the face"), 94, FitInside);
    m_stretch = choice(QStringLiteral("&Stretch to the face"), 106, FitStretch);

    DialogLook::addLabel(this, QStringLiteral("Zoom:"), QRect(232, 122, 92, 9));
    m_zoom = new QSlider(Qt::Horizontal, this);
    m_zoom->setGeometry(dialogUnitRect(232, 132, 92, 12));
    m_zoom->setRange(PicturePlacement::kMinZoom, PicturePlacement::kMaxZoom);
    m_zoom->setSingleStep(kZoomStep);
    m_zoom->setPageStep(50);
    connect(m_zoom, &QSlider::valueChanged, this, [this](int zoom) {
        PicturePlacement p = placement();
        if (p.zoom == zoom)
            return;
        p.zoom = zoom;
        change(p);
    });

    const auto button = [this](const QString &text, const QIcon &icon, const QRect &units) {
        CFlatHoverButton *b = DialogLook::addDialogButton(this, text, icon, units);
        return b;
    };
    CFlatHoverButton *left
        = button(QStringLiteral("Turn Left"), Icons::undo(), QRect(232, 150, 45, 30));
    connect(left, &CFlatHoverButton::clicked, this, [this] { turn(-1); });
    CFlatHoverButton *right
        = button(QStringLiteral("Turn Right"), Icons::redo(), QRect(279, 150, 45, 30));
    connect(right, &CFlatHoverButton::clicked, this, [this] { turn(1); });
    CFlatHoverButton *resetButton
        = button(QStringLiteral("Reset"), Icons::clearImage(), QRect(232, 182, 45, 30));
    resetButton->setTooltipText(QStringLiteral("Fill the face, centred, without zoom or turn."));
    connect(resetButton, &CFlatHoverButton::clicked, this, &CPicturePositionDlg::reset);

    m_ok = button(QStringLiteral("OK"), Icons::ok(), QRect(232, 214, 45, 28));
    m_ok->setDefault(true, false);
    connect(m_ok, &CFlatHoverButton::clicked, this, &QDialog::accept);
    m_cancel = button(QStringLiteral("Cancel"), Icons::cancel(), QRect(279, 214, 45, 28));
    connect(m_cancel, &CFlatHoverButton::clicked, this, &QDialog::reject);
}

void CPicturePositionDlg::setFace(const CoverDocument &doc, const CoverFaces &faces,
    const CoverFace &face, const QList<Slot> &slots)
{
    m_document = &doc;
    m_slots = slots;
    m_view->showFace(doc, faces, face);
    m_slotList->clear();
    for (const Slot &s : slots)
        m_slotList->addItem(s.name);
    m_slotList->setVisible(slots.size() > 1);
    showPlacement();
}

char CPicturePositionDlg::currentSlot() const
{
    const int n = m_slotList->currentIndex();
    return n >= 0 && n < m_slots.size() ? m_slots[n].letter : 'b';
}

PicturePlacement CPicturePositionDlg::placement() const
{
    return m_document ? placementOf(*m_document, currentSlot()) : PicturePlacement{};
}

void CPicturePositionDlg::showPlacement()
{
    const PicturePlacement p = placement();
    m_fill->setChecked(p.fit == FitFill);
    m_fit->setChecked(p.fit == FitInside);
    m_stretch->setChecked(p.fit != FitFill && p.fit != FitInside);
    const QSignalBlocker quiet(m_zoom);
    m_zoom->setValue(p.zoom);
    // Zoom and the point at the centre mean nothing to a stretched picture.
    m_zoom->setEnabled(p.fit == FitFill || p.fit == FitInside);
    m_view->update();
}

void CPicturePositionDlg::change(const PicturePlacement &placement)
{
    Q_EMIT placementChanged(currentSlot(), placement);
    showPlacement();
}

void CPicturePositionDlg::moveBy(int dxThousandths, int dyThousandths)
{
    PicturePlacement p = placement();
    p.centerX = std::clamp(p.centerX + dxThousandths, 0, 1000);
    p.centerY = std::clamp(p.centerY + dyThousandths, 0, 1000);
    if (p != placement())
        change(p);
}

QRectF CPicturePositionDlg::pictureBox() const
{
    // The picture's box on the face: half the sheet for a DVD's separate
    // back and front pictures, else the face.
    const QRectF face = m_view->faceRect();
    const char slot = currentSlot();
    if (m_document && isDvdType(m_document->covertype) && m_document->CoverOption == SeparateImages
        && (slot == 'f' || slot == 'b'))
        return QRectF(face.topLeft(), QSizeF(face.width() / 2, face.height()));
    return face;
}

void CPicturePositionDlg::dragBy(QPoint facePixels)
{
    if (!m_document)
        return;
    const PicturePlacement p = placement();
    if (p.fit != FitFill && p.fit != FitInside)
        return;
    const QRectF box = pictureBox();
    const QSizeF upright = uprightSize(picturePathOf(*m_document, currentSlot()));
    if (upright.isEmpty())
        return;
    const PictureFrame frame = framePicture(upright, p, box);
    if (frame.target.isEmpty())
        return;
    // The picture follows the mouse: the point at the centre moves the
    // other way, in picture pixels of the turned picture.
    const double perPixel = frame.source.width() / frame.target.width();
    const double tx = -facePixels.x() * perPixel;
    const double ty = -facePixels.y() * perPixel;
    double ux = tx, uy = ty;
    switch (p.rotation) {
    case 90:
        ux = ty;
        uy = -tx;
        break;
    case 180:
        ux = -tx;
        uy = -ty;
        break;
    case 270:
        ux = -ty;
        uy = tx;
        break;
    default: break;
    }
    moveBy(qRound(ux / upright.width() * 1000), qRound(uy / upright.height() * 1000));
}

QSizeF CPicturePositionDlg::uprightSize(const QByteArray &path)
{
    if (path != m_sizedPath) {
        // Reduced as far as it goes: only the proportions matter here.
        const auto picture = LoadFacePicture(path, QSize(1, 1));
        m_upright = picture ? QSizeF(facePictureSize(*picture)) : QSizeF();
        m_sizedPath = path;
    }
    return m_upright;
}

void CPicturePositionDlg::zoomBy(int percent)
{
    m_zoom->setValue(m_zoom->value() + percent);
}

void CPicturePositionDlg::turn(int quarters)
{
    PicturePlacement p = placement();
    p.rotation = ((p.rotation + 90 * quarters) % 360 + 360) % 360;
    change(p);
}

void CPicturePositionDlg::setFit(int32_t fit)
{
    PicturePlacement p = placement();
    p.fit = fit;
    change(p);
}

void CPicturePositionDlg::reset()
{
    change(PicturePlacement::forNewPicture());
}

void CPicturePositionDlg::keyPressEvent(QKeyEvent *event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? 5 * kStep : kStep;
    switch (event->key()) {
    case Qt::Key_Left: moveBy(step, 0); return;
    case Qt::Key_Right: moveBy(-step, 0); return;
    case Qt::Key_Up: moveBy(0, step); return;
    case Qt::Key_Down: moveBy(0, -step); return;
    case Qt::Key_Plus:
    case Qt::Key_Equal: zoomBy(kZoomStep); return;
    case Qt::Key_Minus: zoomBy(-kZoomStep); return;
    case Qt::Key_F1: UiHost::instance().showHelp(this, QStringLiteral("pictureposition")); return;
    default: break;
    }
    if (DialogLook::handleEnter(*this, event, m_ok))
        return;
    QDialog::keyPressEvent(event);
}

void CPicturePositionDlg::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DialogLook::paintBand(painter, *this, dialogUnitsY(kBandBottomUnits));
}
