// The main window's initialisation, its three views and the preview refresh.
#include "CMainDlg.h"
#include "MainDlgIds.h"
#include "PreviewArea.h"
#include "ViewControls.h"
#include "dialogs/CTemplatesDlg.h"
#include "document/CoverFile.h"
#include "document/CoverTypes.h"
#include "document/ProductInfo.h"
#include "render/preview/CDVDCoverButton.h"
#include "render/preview/CMyDiscButton.h"
#include "render/preview/CMyFlatButton.h"
#include "render/preview/CSlimlineCoverButton.h"
#include "widgets/AppPaths.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogUnits.h"
#include "widgets/UiHost.h"

#include "render/Geometry.h"
#include <QUrl>

#include <cmath>
#include <utility>

namespace {

constexpr double kDvdPreviewAspect = 0.685;
constexpr int kDiscButtonGap = 11;

void setPreviewHeightForDvd(QRect &dvd)
{
    dvd.setHeight(truncated(kDvdPreviewAspect * dvd.width()));
}

} // namespace

int CMainDlg::runModal()
{
    initDialog();
    return UiHost::instance().execDialog(*this);
}

void CMainDlg::initDialog()
{
    using namespace MainDlgId;
    setResult(0);

    button(WebLink)->setText(ProductInfo::webAddress());
    button(WebLink)->setUrl(QUrl(ProductInfo::webAddress()));
    m_version->setText(ProductInfo::version());

    // A re-run may bring another cover type than the last run: start from
    // the template's places and texts, then lay out for the type.
    button(ViewDisc)->setGeometry(dialogUnitRect(179, 52, 74, 16));
    m_previewPlaces[m_disc] = dialogUnitRect(26, 74, 240, 214);
    m_previewPlaces[m_dvd] = dialogUnitRect(4, 73, 285, 171);
    // Another cover: its pictures are decoded afresh.
    m_pictures.clear();
    button(ViewBack)->setText(QStringLiteral("VIEW BACK COVER"));
    button(ViewFront)->setText(QStringLiteral("VIEW FRONT COVER"));
    button(ViewDisc)->setText(QStringLiteral("VIEW DISC"));

    const int dpiY = logicalDpiY();
    CoverDocument doc;
    resetDocument(doc, dpiY);
    const QString recovered = std::exchange(m_recoveredPath, QString());
    const QString path = recovered.isEmpty() ? m_session.filePath() : recovered;
    bool recoveredRead = false;
    // The cover's own file, which Save writes and Save as PDF names the PDF
    // after; a recovered copy is no file of the user's.
    QString coverPath;
    if (!path.isEmpty()) {
        CoverReadOptions options;
        options.referenceDpiY = dpiY;
        options.storeCoverTypeInSettings = true;
        const CoverReadResult read = readCoverFile(doc, path, options);
        if (read.status == CoverReadResult::Status::Invalid)
            UiHost::instance().message(this, invalidCoverFileMessage(), invalidCoverFileCaption(),
                UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
        recoveredRead = !recovered.isEmpty() && read.status == CoverReadResult::Status::Ok;
        if (recovered.isEmpty() && read.status == CoverReadResult::Status::Ok)
            coverPath = path;
    }
    // The view is set before the session announces the new cover, so that
    // the controls follow the face the window opens in.
    m_view = Face::Back;
    m_session.reset(doc);
    m_session.setFilePath(QString());
    m_session.setCoverPath(coverPath);

    setPreviewHeightForDvd(m_previewPlaces[m_dvd]);
    layoutForCoverType();
    setUpCoverType();

    // The CD back is always left-aligned and the disc always centred: the
    // window settles that once, as part of opening the cover (a cover
    // saved from here holds these values).
    m_session.adjust([hasGeometry = m_faces.has_value()](CoverDocument &d) {
        if (d.covertype == StandardCD)
            d.bCoverAlign = ::AlignLeft;
        if (hasGeometry)
            d.dCoverAlign = ::AlignCenter;
    });

    if (recoveredRead) {
        // Its changes are in no file: no state of its history is the saved
        // one, not even the first, so an undo never makes it "unmodified".
        m_session.undoStack().resetClean();
        m_session.markModified();
    }

    m_noPreview->setVisible(!m_faces);
    switchView(Face::Back);
    m_banner->raise();

    // The templates window is made afresh for each cover, hidden.
    templatesShown = 0;
    templatesPlaced = false;
    m_templates->hide();
    m_templates->openFolder(document().covertype, document().bImagePath);
    m_templates->setDiscView(false);
    m_firstPaintSeen = false;
    update();
}

void CMainDlg::layoutForCoverType()
{
    using namespace MainDlgId;
    const int type = document().covertype;
    if (isDvdType(type)) {
        // The disc preview is centred on the sheet preview, both taken with
        // a 2-pixel margin.
        const QRect sheet = m_previewPlaces[m_dvd].adjusted(-2, -2, 2, 2);
        const QRect disc = m_previewPlaces[m_disc].adjusted(-2, -2, 2, 2);
        m_previewPlaces[m_disc] = QRect(sheet.x() + sheet.width() / 2 - disc.width() / 2, disc.y(),
            disc.width(), disc.height());
        setPreviewHeightForDvd(m_previewPlaces[m_dvd]);
    }
    if (isSheetType(type)) {
        // Without a front view button the disc button closes up to the back one.
        const QRect back = button(ViewBack)->geometry();
        button(ViewDisc)->move(back.x() + back.width() + kDiscButtonGap, back.y());
    }
}

void CMainDlg::setUpCoverType()
{
    using namespace MainDlgId;
    const int type = document().covertype;
    m_faces = CoverFaces::onPlainPaper(type);

    // Other keeps the front view button, though it has no faces to show.
    const bool hasFront = hasFrontFace(type) || type == Other;
    button(ViewFront)->setVisible(hasFront);
    button(ViewBack)->show();
    button(ViewDisc)->show();
    if (!hasFront)
        button(ViewBack)->setText(QStringLiteral("VIEW COVER"));
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

void CMainDlg::showOnlyPreview(CFacePreviewButton *preview)
{
    // The places are the window's at its default size; the area's own start
    // where it does.
    const QPoint areaOrigin
        = m_homePlaces.value(m_previewArea, m_previewArea->geometry()).topLeft();
    for (auto it = m_previewPlaces.cbegin(); it != m_previewPlaces.cend(); ++it)
        m_previewArea->setDefaultPlace(it.key(), it.value().translated(-areaOrigin));
    const auto face = m_faces ? m_faces->forView(m_view) : std::nullopt;
    if (!preview || !face)
        m_previewArea->showNoPreview();
    else
        m_previewArea->showPreview(preview, face->inches);
}

CFacePreviewButton *CMainDlg::currentPreview() const
{
    const auto face = m_faces ? m_faces->forView(m_view) : std::nullopt;
    if (!face)
        return nullptr;
    switch (face->kind) {
    case FaceKind::CdFront: return m_cdFront;
    case FaceKind::CdBack: return m_cdBack;
    case FaceKind::DvdSheet: return m_dvd;
    case FaceKind::SlimlineSheet: return m_slimline;
    case FaceKind::Disc: break;
    }
    return m_disc;
}

// --- views ----------------------------------------------------------------

void CMainDlg::onViewButton(Face view)
{
    // The click has already toggled the button: a click on the view in show
    // unticks it. Tick it again and leave everything as it is.
    if (view == m_view) {
        showViewControls();
        update();
        return;
    }
    switchView(view);
}

void CMainDlg::switchView(Face view)
{
    m_view = view;
    m_templates->setDiscView(view == Face::Disc);
    showViewControls();
    refreshPreviews();
    update();
}

void CMainDlg::showViewControls()
{
    using namespace MainDlgId;
    button(ViewFront)->setCheck(m_view == Face::Front);
    button(ViewBack)->setCheck(m_view == Face::Back);
    button(ViewDisc)->setCheck(m_view == Face::Disc);

    const ViewControls c = viewControls(document(), m_view);
    showAlignmentRow(c.alignmentRowShown);
    tickAlignment(c.alignmentTicked);
    button(ChooseImage)->setText(c.chooseImageText);
    button(ChooseImage)->setVisible(!c.clearImageShown);
    button(ClearImage)->setVisible(c.clearImageShown);
    button(EditTexts)->setText(c.textsButtonText);
    button(ExtendImage)->setVisible(c.extentShown);
    if (c.extentShown)
        button(ExtendImage)->setText(c.extentText);
    button(ExtendImage)->setCheck(c.extentTicked);
    button(PrintBorders)->setCheck(c.bordersTicked);
    button(ShrinkText)->setCheck(c.shrinkTicked);
    button(CurvedText)->setVisible(c.curvedShown);
    button(CurvedText)->setCheck(c.curvedTicked);
    button(PicturePosition)
        ->setEnabled(m_faces && !FaceCommands::pictureSlots(document(), m_view).isEmpty());
    showOnlyPreview(currentPreview());
}

void CMainDlg::onSessionChanged()
{
    // An edit, an undo, a redo or a save: the controls, the preview and the
    // title show the cover as it is now.
    showViewControls();
    refreshPreviews();
    showFileInTitle();
}

// --- previews -------------------------------------------------------------

void CMainDlg::refreshPreviews()
{
    CFacePreviewButton *preview = currentPreview();
    if (!preview)
        return; // a custom-size cover has no face to show
    preview->showFace(document(), *m_faces, *m_faces->forView(m_view), logicalDpiX());
    preview->update();
}

void CMainDlg::positionPicture()
{
    if (m_faces)
        m_faceCommands.positionPicture(m_view, *m_faces);
}
