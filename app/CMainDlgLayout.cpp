// The main window's layout at any size: the preview area that grows with the
// window, the zoom row under it, and the window's size, place and zoom kept
// in the settings between runs.
#include "CMainDlg.h"
#include "MainDlgIds.h"
#include "PreviewArea.h"
#include "document/UserSettings.h"
#include "render/preview/CDVDCoverButton.h"
#include "render/preview/CMyDiscButton.h"
#include "render/preview/CMyFlatButton.h"
#include "render/preview/CSlimlineCoverButton.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogUnits.h"

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QResizeEvent>
#include <QSizeGrip>

namespace {

// The area the previews share at the default size (dialog units): from the
// view buttons down to the window's former bottom, left of the tools.
const QRect kAreaUnits(4, 72, 285, 217);
// The zoom row under it.
constexpr int kZoomRowY = 291;

// Controls right of this (dialog units) keep to the window's right edge.
constexpr int kRightColumnX = 290;
constexpr int kBannerButtonsX = 220;

const int kZoomChoices[] = {PreviewArea::kFit, 25, 50, 75, 100, 150, 200, 300, 400};

QString zoomText(int zoom)
{
    return zoom == PreviewArea::kFit ? QStringLiteral("Fit") : QStringLiteral("%1 %").arg(zoom);
}

} // namespace

void CMainDlg::createPreviewArea()
{
    using namespace MainDlgId;
    m_previewArea = new PreviewArea(this);
    m_previewArea->setObjectName(QStringLiteral("previewArea"));
    const QRect area
        = dialogUnitRect(kAreaUnits.x(), kAreaUnits.y(), kAreaUnits.width(), kAreaUnits.height());
    m_previewArea->setGeometry(area);
    m_previewArea->setDefaultSize(area.size());
    for (CFacePreviewButton *preview :
        {static_cast<CFacePreviewButton *>(m_cdFront), static_cast<CFacePreviewButton *>(m_cdBack),
            static_cast<CFacePreviewButton *>(m_dvd), static_cast<CFacePreviewButton *>(m_slimline),
            static_cast<CFacePreviewButton *>(m_disc)}) {
        m_previewPlaces.insert(preview, preview->geometry());
        m_previewArea->adopt(preview);
        preview->setPictureSource(&m_pictures);
        connect(preview, &CFacePreviewButton::doubleClicked, this, &CMainDlg::positionPicture);
    }
    m_previewArea->lower();
    m_noPreview->setGeometry(area);
    m_noPreview->raise();

    // The sheets' part names, from the preview's context menu.
    m_partNamesAction = new QAction(QStringLiteral("Show &Part Names"), this);
    m_partNamesAction->setCheckable(true);
    connect(m_partNamesAction, &QAction::toggled, this, [this](bool shown) {
        for (CFacePreviewButton *sheet : {static_cast<CFacePreviewButton *>(m_dvd),
                 static_cast<CFacePreviewButton *>(m_slimline)})
            sheet->setShowPartNames(shown);
    });
}

void CMainDlg::createZoomRow()
{
    using namespace MainDlgId;
    auto *label = new CTransparentStatic(QStringLiteral("Zoom:"), this);
    label->setObjectName(QStringLiteral("zoomLabel"));
    label->setGeometry(dialogUnitRect(6, kZoomRowY + 2, 24, 9));
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("control%1").arg(ZoomBox));
    m_zoomBox->setGeometry(dialogUnitRect(30, kZoomRowY, 44, 12));
    m_zoomBox->setFocusPolicy(Qt::ClickFocus);
    for (int zoom : kZoomChoices)
        m_zoomBox->addItem(zoomText(zoom), zoom);
    m_zoomBox->setToolTip(QStringLiteral("Zoom the preview (Ctrl++, Ctrl+-, Ctrl+0 to fit, or "
                                         "Ctrl and the mouse wheel)"));
    m_controls.insert(ZoomBox, m_zoomBox);

    // Where the face's picture sits; also a double-click on the preview.
    auto *position = new CFlatHoverButton(QStringLiteral("Picture Position..."), this);
    position->setObjectName(QStringLiteral("control%1").arg(PicturePosition));
    position->setGeometry(dialogUnitRect(80, kZoomRowY, 80, 12));
    position->setTransparent(true, false);
    position->setHoverCursor();
    position->setTooltipText(QStringLiteral(
        "Click here (or double-click the preview) to move, zoom or turn the picture."));
    m_controls.insert(PicturePosition, position);
    connect(position, &QAbstractButton::clicked, this, &CMainDlg::positionPicture);
    connect(m_zoomBox, &QComboBox::activated, this,
        [this](int index) { m_previewArea->setZoom(m_zoomBox->itemData(index).toInt()); });
    connect(m_previewArea, &PreviewArea::zoomChanged, this, &CMainDlg::syncZoomBox);

    // The usual keys, wherever the focus is in the window.
    const std::pair<QList<QKeySequence>, void (PreviewArea::*)()> keys[] = {
        {{QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
             QKeySequence::ZoomIn},
            &PreviewArea::zoomIn},
        {{QKeySequence(Qt::CTRL | Qt::Key_Minus), QKeySequence::ZoomOut}, &PreviewArea::zoomOut},
        {{QKeySequence(Qt::CTRL | Qt::Key_0)}, &PreviewArea::zoomToFit},
    };
    for (const auto &[sequences, slot] : keys) {
        auto *action = new QAction(this);
        action->setShortcuts(sequences);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, m_previewArea, slot);
        addAction(action);
    }
}

void CMainDlg::syncZoomBox(int zoom)
{
    const int index = m_zoomBox->findData(zoom);
    if (index >= 0)
        m_zoomBox->setCurrentIndex(index);
}

void CMainDlg::rememberHomePlaces()
{
    // Windows of their own (the templates window, menus) and the size grip,
    // which places itself, are no controls of the layout.
    for (QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!w->isWindow() && !qobject_cast<QSizeGrip *>(w))
            m_homePlaces.insert(w, w->geometry());
    for (QWidget *w : m_banner->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        m_homePlaces.insert(w, w->geometry());
}

void CMainDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeForSize();
}

void CMainDlg::placeForSize()
{
    if (m_homePlaces.isEmpty())
        return; // still being built
    const int dx = std::max(0, width() - m_defaultSize.width());
    const int dy = std::max(0, height() - m_defaultSize.height());
    const int rightColumn = dialogUnitsX(kRightColumnX);
    const int bannerButtons = dialogUnitsX(kBannerButtonsX);
    const int zoomRow = dialogUnitsY(kZoomRowY);
    for (auto it = m_homePlaces.cbegin(); it != m_homePlaces.cend(); ++it) {
        QWidget *w = it.key();
        const QRect home = it.value();
        if (w == m_banner) {
            w->setGeometry(home.adjusted(0, 0, dx, 0));
        } else if (w->parentWidget() == m_banner) {
            if (home.x() >= bannerButtons)
                w->move(home.topLeft() + QPoint(dx, 0));
        } else if (w == m_previewArea || w == m_noPreview) {
            w->setGeometry(home.adjusted(0, 0, dx, dy));
        } else if (home.y() >= zoomRow) {
            w->move(home.topLeft() + QPoint(0, dy));
        } else if (home.x() >= rightColumn) {
            w->move(home.topLeft() + QPoint(dx, 0));
        }
    }
}

void CMainDlg::restoreWindowState()
{
    const UserSettings settings;
    if (!settings.windowGeometry.isEmpty())
        restoreGeometry(QByteArray::fromBase64(settings.windowGeometry.toLatin1()));
    const int zoom = int(settings.previewZoom);
    m_previewArea->setZoom(zoom);
    syncZoomBox(m_previewArea->zoom());
    m_partNamesAction->setChecked(settings.showPartNames != 0);
}

void CMainDlg::storeWindowState() const
{
    UserSettings settings;
    settings.windowGeometry = QString::fromLatin1(saveGeometry().toBase64());
    settings.previewZoom = uint32_t(m_previewArea->zoom());
    settings.showPartNames = m_partNamesAction->isChecked() ? 1 : 0;
    settings.save();
}
