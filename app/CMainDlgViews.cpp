// The main window's initialisation, its three views and the preview refresh.
#include "CMainDlg.h"
#include "MainDlgIds.h"
#include "ProductInfo.h"
#include "document/CoverFile.h"
#include "render/FaceBinding.h"
#include "render/preview/CDVDCoverButton.h"
#include "render/preview/CMyDiscButton.h"
#include "render/preview/CMyFlatButton.h"
#include "render/preview/CSlimlineCoverButton.h"
#include "widgets/AppPaths.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogUnits.h"
#include "widgets/UiHost.h"

#include <QUrl>
#include <cmath>

namespace {

constexpr double kDvdPreviewAspect = 0.685;
constexpr int kDiscButtonGap = 11;

bool isDvd(int32_t type)
{
    return type == StandardDVD || type == SlimlineDVD;
}

int truncated(double v)
{
    return static_cast<int>(std::trunc(v));
}

void setPreviewHeightForDvd(QWidget *dvd)
{
    dvd->resize(dvd->width(), truncated(kDvdPreviewAspect * dvd->width()));
}

} // namespace

int CMainDlg::runModal()
{
    initDialog();
    return UiHost::instance().execDialog(*this);
}

Face CMainDlg::currentView() const
{
    using namespace MainDlgId;
    if (button(ViewFront)->isChecked())
        return Face::Front;
    if (button(ViewBack)->isChecked())
        return Face::Back;
    return Face::Disc;
}

void CMainDlg::initDialog()
{
    using namespace MainDlgId;
    setResult(0);

    // Previews lie beneath everything they could overlap.
    for (QWidget *w : {static_cast<QWidget *>(m_cdFront), static_cast<QWidget *>(m_cdBack),
             static_cast<QWidget *>(m_dvd), static_cast<QWidget *>(m_slimline),
             static_cast<QWidget *>(m_disc)})
        w->lower();

    setWindowTitle(ProductInfo::name());
    button(WebLink)->setText(ProductInfo::webAddress());
    button(WebLink)->setUrl(QUrl(ProductInfo::webAddress()));
    m_version->setText(ProductInfo::version());

    m_state.saveCancelled = false;
    m_state.modified = false;

    tickAlignment(::AlignCenter);
    showAlignmentRow(false);

    // A re-run may bring another cover type than the last run: start from
    // the template's places and texts, then lay out for the type.
    button(ViewDisc)->setGeometry(dialogUnitRect(179, 52, 74, 16));
    m_disc->setGeometry(dialogUnitRect(26, 74, 240, 214));
    m_dvd->setGeometry(dialogUnitRect(4, 73, 285, 171));
    button(ViewBack)->setText(QStringLiteral("VIEW BACK COVER"));
    button(ViewFront)->setText(QStringLiteral("VIEW FRONT COVER"));
    button(ViewDisc)->setText(QStringLiteral("VIEW DISC"));
    button(EditTexts)->setText(QStringLiteral("Track Listing"));
    button(ChooseImage)->setText(QStringLiteral("Choose Image"));
    button(ExtendImage)->setText(QStringLiteral("Extend image over spines?"));

    const int dpiY = logicalDpiY();
    resetDocument(m_doc, dpiY);

    button(ExtendImage)->show();
    button(ExtendImage)->setCheck(true);
    button(PrintBorders)->show();
    button(PrintBorders)->setCheck(true);
    button(ChooseImage)->show();
    button(ClearImage)->hide();
    m_dvd->hide();

    if (!m_state.filePath.isEmpty()) {
        CoverReadOptions options;
        options.referenceDpiY = dpiY;
        const CoverReadResult read = readCoverFile(m_doc, m_state.filePath, options);
        if (read.status == CoverReadResult::Status::Invalid)
            UiHost::instance().message(this, invalidCoverFileMessage(), invalidCoverFileCaption(),
                UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
        // The window opens in the back view: its controls mirror the back.
        button(PrintBorders)->setCheck(m_doc.bShowBorder);
        if (m_doc.covertype == StandardCD || m_doc.covertype == SlimlineCD)
            button(ExtendImage)->setCheck(m_doc.bBackPrintOverSpines != 0);
        showPictureButtonFor(m_doc.bImagePath);
        m_state.modified = false;
    }
    m_state.filePath.clear();

    button(ViewFront)->setCheck(false);
    button(ViewDisc)->setCheck(false);
    setPreviewHeightForDvd(m_dvd);

    layoutForCoverType();
    setUpCoverType();

    button(ViewBack)->setCheck(true);

    const int type = m_doc.covertype;
    showOnlyPreview(type == StandardCD ? static_cast<QWidget *>(m_cdBack)
            : isDvd(type)              ? static_cast<QWidget *>(m_dvd)
            : type == SlimlineCD       ? static_cast<QWidget *>(m_slimline)
                                       : nullptr);
    m_noPreview->setVisible(type != StandardCD && type != SlimlineCD && !isDvd(type));

    refreshPreviews();
    m_banner->raise();

    templatesShown = 0;
    templatesPlaced = false;
    m_firstPaintSeen = false;
    update();
}

void CMainDlg::layoutForCoverType()
{
    using namespace MainDlgId;
    const int type = m_doc.covertype;
    if (isDvd(type)) {
        showAlignmentRow(true);
        tickAlignment(m_doc.bCoverAlign);
        // The disc preview is centred on the sheet preview, both taken with
        // a 2-pixel margin.
        const QRect sheet = m_dvd->geometry().adjusted(-2, -2, 2, 2);
        const QRect disc = m_disc->geometry().adjusted(-2, -2, 2, 2);
        m_disc->setGeometry(sheet.x() + sheet.width() / 2 - disc.width() / 2, disc.y(),
            disc.width(), disc.height());
        setPreviewHeightForDvd(m_dvd);
    }
    if (isDvd(type) || type == SlimlineCD) {
        // Without a front view button the disc button closes up to the back one.
        const QRect back = button(ViewBack)->geometry();
        button(ViewDisc)->move(back.x() + back.width() + kDiscButtonGap, back.y());
    }
}

void CMainDlg::setUpCoverType()
{
    using namespace MainDlgId;
    const int type = m_doc.covertype;
    if (const auto row = plainRowForCoverType(type))
        m_geometry = buildLabelStock(*row);
    else
        m_geometry.reset();

    const bool hasFront = type == StandardCD || type == Other;
    button(ViewFront)->setVisible(hasFront);
    button(ViewBack)->show();
    button(ViewDisc)->show();
    if (!hasFront)
        button(ViewBack)->setText(QStringLiteral("VIEW COVER"));

    switch (type) {
    case StandardCD:
        applyFaceConstants(m_cdFront->renderer());
        applyFaceConstants(m_cdBack->renderer());
        break;
    case StandardDVD:
    case SlimlineDVD:
        button(EditTexts)->setText(QStringLiteral("Cover Text"));
        button(ChooseImage)->setText(QStringLiteral("Choose Images"));
        button(ExtendImage)->setText(QStringLiteral("Print Spine?"));
        applyFaceConstants(m_dvd->renderer(), type);
        break;
    case SlimlineCD:
        button(ExtendImage)->setText(QStringLiteral("Extend image over spine?"));
        applyFaceConstants(m_slimline->renderer());
        break;
    default: break;
    }
}

void CMainDlg::showAlignmentRow(bool shown)
{
    using namespace MainDlgId;
    m_alignLabel->setVisible(shown);
    for (int id : {AlignLeftButton, AlignCenterButton, AlignRightButton})
        button(id)->setVisible(shown);
}

void CMainDlg::tickAlignment(int alignment)
{
    using namespace MainDlgId;
    button(AlignLeftButton)->setCheck(alignment == ::AlignLeft);
    button(AlignCenterButton)->setCheck(alignment == ::AlignCenter);
    button(AlignRightButton)->setCheck(alignment == ::AlignRight);
}

void CMainDlg::showPictureButtonFor(const QByteArray &picturePath)
{
    using namespace MainDlgId;
    button(ClearImage)->setVisible(!picturePath.isEmpty());
    button(ChooseImage)->setVisible(picturePath.isEmpty());
}

void CMainDlg::showOnlyPreview(QWidget *preview)
{
    for (QWidget *w : {static_cast<QWidget *>(m_cdFront), static_cast<QWidget *>(m_cdBack),
             static_cast<QWidget *>(m_dvd), static_cast<QWidget *>(m_slimline),
             static_cast<QWidget *>(m_disc)})
        w->setVisible(w == preview);
}

QWidget *CMainDlg::currentPreview() const
{
    const Face view = currentView();
    switch (m_doc.covertype) {
    case StandardCD:
        return view == Face::Front ? static_cast<QWidget *>(m_cdFront)
            : view == Face::Back   ? static_cast<QWidget *>(m_cdBack)
                                   : static_cast<QWidget *>(m_disc);
    case StandardDVD:
    case SlimlineDVD:
        return view == Face::Disc ? static_cast<QWidget *>(m_disc) : static_cast<QWidget *>(m_dvd);
    case SlimlineCD:
        return view == Face::Disc ? static_cast<QWidget *>(m_disc)
                                  : static_cast<QWidget *>(m_slimline);
    default: return nullptr;
    }
}

// --- views ----------------------------------------------------------------
// A click has already toggled the view button. Clicking the view in show
// unticks it: tick it again and leave everything as it is.

void CMainDlg::onViewFront()
{
    using namespace MainDlgId;
    showAlignmentRow(true);
    tickAlignment(m_doc.fCoverAlign);
    if (!button(ViewFront)->isChecked()) {
        button(ViewFront)->setCheck(true);
        update();
        return;
    }
    showPictureButtonFor(m_doc.fImagePath);
    button(EditTexts)->setText(QStringLiteral("Cover Text"));
    m_cdBack->hide();
    m_disc->hide();
    if (m_geometry)
        m_cdFront->show();
    button(ViewBack)->setCheck(false);
    button(ViewDisc)->setCheck(false);
    button(ExtendImage)->hide();
    button(PrintBorders)->setCheck(m_doc.fShowBorder);
    finishViewSwitch();
}

void CMainDlg::onViewBack()
{
    using namespace MainDlgId;
    const int type = m_doc.covertype;
    if (type == StandardCD)
        showAlignmentRow(false);
    if (!button(ViewBack)->isChecked()) {
        button(ViewBack)->setCheck(true);
        update();
        return;
    }
    if (isDvd(type) || type == Other) {
        showAlignmentRow(true);
        tickAlignment(m_doc.bCoverAlign);
    }
    if (isDvd(type))
        button(ChooseImage)->setText(QStringLiteral("Choose Images"));
    showPictureButtonFor(m_doc.bImagePath);
    button(EditTexts)->setText(QStringLiteral("Track Listing"));
    showOnlyPreview(type == StandardCD ? static_cast<QWidget *>(m_cdBack)
            : type == SlimlineCD       ? static_cast<QWidget *>(m_slimline)
            : isDvd(type)              ? static_cast<QWidget *>(m_dvd)
                                       : nullptr);
    button(ViewFront)->setCheck(false);
    button(ViewDisc)->setCheck(false);
    button(ExtendImage)->show();
    button(ExtendImage)
        ->setText(type == StandardCD ? QStringLiteral("Extend image over spines?")
                : type == SlimlineCD ? QStringLiteral("Extend image over spine?")
                                     : QStringLiteral("Print Spine?"));
    button(PrintBorders)->setCheck(m_doc.bShowBorder);
    finishViewSwitch();
}

void CMainDlg::onViewDisc()
{
    using namespace MainDlgId;
    button(ChooseImage)->setText(QStringLiteral("Choose Image"));
    showAlignmentRow(false);
    tickAlignment(m_doc.dCoverAlign);
    if (!button(ViewDisc)->isChecked()) {
        button(ViewDisc)->setCheck(true);
        update();
        return;
    }
    showPictureButtonFor(m_doc.dImagePath);
    button(EditTexts)->setText(QStringLiteral("Disc Text"));
    showOnlyPreview(m_geometry ? m_disc : nullptr);
    button(ViewFront)->setCheck(false);
    button(ViewBack)->setCheck(false);
    button(ExtendImage)->show();
    button(ExtendImage)->setText(QStringLiteral("Print full face?"));
    button(ExtendImage)->setCheck(m_doc.printOverInnerCircleDisc != 0);
    button(PrintBorders)->setCheck(m_doc.dShowBorder);
    finishViewSwitch();
}

void CMainDlg::finishViewSwitch()
{
    refreshPreviews();
    update();
}

// --- previews -------------------------------------------------------------

void CMainDlg::refreshPreviews()
{
    if (!m_geometry)
        return; // a custom-size cover has no face to show
    const int dpi = logicalDpiX();
    const int type = m_doc.covertype;
    const Face view = currentView();

    // The sheet's spine follows "Print Spine?"; taken before binding so that
    // the preview shows the tick just given.
    if (isDvd(type) && view != Face::Disc)
        m_doc.backCoverSpinesOn = button(MainDlgId::ExtendImage)->isChecked();

    const auto scaleTo = [](auto &renderer, const QWidget *control) {
        renderer.xScale = double(control->width()) / renderer.nominalWidth;
        renderer.yScale = double(control->height()) / renderer.nominalHeight;
    };

    QWidget *preview = nullptr;
    if (view == Face::Disc) {
        bindDisc(m_disc->renderer(), m_doc, *m_geometry, dpi);
        scaleTo(m_disc->renderer(), m_disc);
        preview = m_disc;
    } else if (type == StandardCD && view == Face::Front) {
        bindCdFront(m_cdFront->renderer(), m_doc, *m_geometry, dpi);
        scaleTo(m_cdFront->renderer(), m_cdFront);
        preview = m_cdFront;
    } else if (type == StandardCD) {
        bindCdBack(m_cdBack->renderer(), m_doc, *m_geometry, dpi);
        scaleTo(m_cdBack->renderer(), m_cdBack);
        preview = m_cdBack;
    } else if (isDvd(type)) {
        bindDvdSheet(m_dvd->renderer(), m_doc, *m_geometry, dpi);
        scaleTo(m_dvd->renderer(), m_dvd);
        preview = m_dvd;
    } else if (type == SlimlineCD) {
        bindSlimlineSheet(m_slimline->renderer(), m_doc, *m_geometry, dpi);
        scaleTo(m_slimline->renderer(), m_slimline);
        preview = m_slimline;
    }
    if (preview)
        preview->update();
}
