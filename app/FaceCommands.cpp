#include "FaceCommands.h"

#include "dialogs/CCoverTextDlg.h"
#include "dialogs/CImagesDlg.h"
#include "dialogs/CPicturePositionDlg.h"
#include "dialogs/CTrackListingDlg.h"
#include "document/CoverSession.h"
#include "document/CoverTypes.h"
#include "document/FaceFields.h"
#include "document/UserSettings.h"
#include "render/FontRecord.h"
#include "widgets/PictureFiles.h"
#include "widgets/UiHost.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <iterator>

FaceCommands::FaceCommands(QWidget *parent, CoverSession &session)
    : m_parent(parent)
    , m_session(session)
{
}

void FaceCommands::setAlignment(Face view, int32_t alignment)
{
    // The disc's row shows only while its text runs along the edge.
    m_session.change(QStringLiteral("Alignment"), [&](CoverDocument &d) {
        (view == Face::Front         ? d.fCoverAlign
                : view == Face::Disc ? d.dCoverAlign
                                     : d.bCoverAlign)
            = alignment;
    });
}

void FaceCommands::setBorder(Face view, bool on)
{
    m_session.change(
        QStringLiteral("Borders"), [&](CoverDocument &d) { faceFields(d, view).border = on; });
}

void FaceCommands::setShrinkText(Face view, bool on)
{
    m_session.change(QStringLiteral("Shrink Text to Fit"),
        [&](CoverDocument &d) { shrinkTextOf(d, view) = on; });
}

void FaceCommands::setCurvedText(bool on)
{
    m_session.change(
        QStringLiteral("Text Along the Edge"), [&](CoverDocument &d) { d.dCurvedText = on; });
}

void FaceCommands::setPictureExtent(Face view, bool on)
{
    m_session.change(QStringLiteral("Picture Extent"), [&](CoverDocument &d) {
        faceFields(d, view).pictureExtent = on ? 1 : 0;
        if (isDvdType(d.covertype) && view == Face::Back)
            d.backCoverSpinesOn = on;
    });
}

void FaceCommands::clearPicture(Face view)
{
    m_session.change(QStringLiteral("Clear Image"),
        [&](CoverDocument &d) { faceFields(d, view).picturePath.clear(); });
}

FaceCommands::Drop FaceCommands::classifyDrop(const QString &name)
{
    // Deliberately a substring test over the whole path: "PICS.BMP/COVER.TXT"
    // is taken as a picture, and the renderers draw the face without it.
    static const char *const kAccepted[]
        = {".ZCV", ".JPG", ".JPEG", ".PNG", ".BMP", ".TIF", ".TIFF", ".GIF", ".ICO"};
    const QString upper = name.toUpper();
    const bool accepted = std::any_of(std::begin(kAccepted), std::end(kAccepted),
        [&](const char *ext) { return upper.contains(QLatin1String(ext)); });
    if (!accepted)
        return Drop::Ignored;
    // Only the exact lower-case extension opens a cover.
    return name.endsWith(QLatin1String(".zcv"), Qt::CaseSensitive) ? Drop::CoverFile
                                                                   : Drop::Picture;
}

void FaceCommands::dropPicture(Face view, const QString &name)
{
    const QByteArray stored = QFile::encodeName(name);
    m_session.change(QStringLiteral("Drop Image"), [&](CoverDocument &d) {
        // A new picture starts filling the face, centred.
        faceFields(d, view).picturePath = stored;
        faceFields(d, view).placement = PicturePlacement::forNewPicture();
        // On the back of a DVD sheet it is also the one stretched picture.
        if (view == Face::Back) {
            d.sImagePath = stored;
            d.sImagePlacement = PicturePlacement::forNewPicture();
        }
    });
}

void FaceCommands::choosePicture(Face view, QString &lastPath)
{
    if (isDvdType(m_session.document().covertype) && view == Face::Back) {
        chooseSheetPictures(lastPath);
        return;
    }
    lastPath = UserSettings().lastPath;
    if (lastPath.isEmpty())
        lastPath = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString chosen = askForPictureFile(m_parent, lastPath);
    if (chosen.isEmpty())
        return;
    // A name typed for a file that is not there changes nothing but still
    // counts as a change.
    if (!QFileInfo(chosen).isFile()) {
        m_session.markModified();
        return;
    }
    lastPath = chosen;
    UserSettings settings;
    settings.lastPath = chosen;
    settings.save();
    const QByteArray stored = QFile::encodeName(chosen);
    m_session.change(QStringLiteral("Image"), [&](CoverDocument &d) {
        faceFields(d, view).picturePath = stored;
        faceFields(d, view).placement = PicturePlacement::forNewPicture();
    });
}

void FaceCommands::chooseSheetPictures(QString &lastPath)
{
    // The dialog shows every change in the window at once; the whole
    // session with it is one step.
    CImagesDlg dialog(m_parent);
    QObject::connect(
        &dialog, &CImagesDlg::picturesChanged, &dialog, [this](const CImagesDlg::Pictures &p) {
            m_session.liveEdit([&](CoverDocument &d) {
                // A picture the dialog changed starts filling its face.
                const auto take
                    = [](QByteArray &path, PicturePlacement &placement, const QByteArray &chosen) {
                          if (path != chosen)
                              placement = PicturePlacement::forNewPicture();
                          path = chosen;
                      };
                d.CoverOption = p.coverOption;
                take(d.bImagePath, d.bImagePlacement, p.backImagePath);
                take(d.fImagePath, d.fImagePlacement, p.frontImagePath);
                take(d.sImagePath, d.sImagePlacement, p.stretchImagePath);
            });
        });
    const CoverDocument &doc = m_session.document();
    m_session.beginLiveEdit();
    dialog.setPictures({doc.CoverOption, doc.bImagePath, doc.fImagePath, doc.sImagePath}, lastPath);
    UiHost::instance().execDialog(dialog);
    // New pictures or another layout are changes of the cover: Exit must not
    // lose them without asking.
    if (!m_session.finishLiveEdit(QStringLiteral("Images")) && dialog.hasChanges())
        m_session.markModified();
    if (!dialog.pictureFolder().isEmpty())
        lastPath = dialog.pictureFolder();
}

QString FaceCommands::allFacesQuestion(int32_t coverType)
{
    return hasFrontFace(coverType)
        ? QStringLiteral("Use this color for the back cover, front cover and disc?")
        : QStringLiteral("Use this color for the cover and disc?");
}

void FaceCommands::chooseColor(Face view)
{
    QColor color = colorFromRef(faceFields(m_session.document(), view).background);
    if (!UiHost::instance().chooseColor(m_parent, color))
        return;
    const UiHost::Answer all
        = UiHost::instance().message(m_parent, allFacesQuestion(m_session.document().covertype),
            QStringLiteral("Color"), UiHost::Buttons::YesNo, UiHost::Icon::Question);
    if (all != UiHost::Answer::Yes && all != UiHost::Answer::No)
        return;
    const ColorRef chosen = colorRefFrom(color);
    m_session.change(QStringLiteral("Colour"), [&](CoverDocument &d) {
        if (all == UiHost::Answer::Yes)
            d.fBGColor = d.bBGColor = d.dBGColor = chosen;
        else
            faceFields(d, view).background = chosen;
    });
}

namespace {
// The style of the title the font window sets for `view`, or null for a
// view without a title (the CD back, the slimline sheet). On a DVD sheet
// the front view sets the front title's and the back view the back's.
template <typename Doc> auto titleStyleOf(Doc &doc, Face view) -> decltype(&doc.dTitleStyle)
{
    const int32_t type = doc.covertype;
    if (view == Face::Disc)
        return &doc.dTitleStyle;
    if (type == SlimlineCD || (type == StandardCD && view == Face::Back))
        return nullptr;
    return view == Face::Front ? &doc.fTitleStyle : &doc.bTitleStyle;
}
} // namespace

void FaceCommands::chooseFont(Face view, int screenDpiY)
{
    const CoverDocument &doc = m_session.document();
    const ConstFaceFields face = faceFields(doc, view);
    UiHost::FontChoice choice{
        chooserFontFromLogFont(face.font, screenDpiY), colorFromRef(face.textColor)};
    // A sheet's cover views show the sheet, whose colour is the back's.
    const Face shown = isSheetType(doc.covertype) && view != Face::Disc ? Face::Back : view;
    choice.background = colorFromRef(faceFields(doc, shown).background);
    if (const TitleStyle *style = titleStyleOf(doc, view)) {
        choice.hasTitle = true;
        choice.titleFont = chooserFontFromLogFont(style->fontOver(face.font), screenDpiY);
        choice.titleColor = colorFromRef(style->colorOver(face.textColor));
    }
    if (!UiHost::instance().chooseFont(m_parent, choice))
        return;
    const LogFont font = logFontFromChosenFont(choice.font, screenDpiY);
    const ColorRef color = colorRefFrom(choice.color);
    const LogFont title = logFontFromChosenFont(choice.titleFont, screenDpiY);
    const ColorRef titleColor = colorRefFrom(choice.titleColor);
    m_session.change(QStringLiteral("Font"), [&](CoverDocument &d) {
        FaceFields f = faceFields(d, view);
        f.font = font;
        f.textColor = color;
        if (TitleStyle *s = titleStyleOf(d, view); s && choice.hasTitle) {
            s->fontFace = title.faceName;
            s->fontHeight = title.height;
            s->fontWeight = title.weight;
            s->fontItalic = title.italic != 0;
            s->color = titleColor;
        }
    });
}

void FaceCommands::editTexts(Face view)
{
    const int32_t type = m_session.document().covertype;
    if (view == Face::Back && !isDvdType(type))
        editTrackListing();
    else
        editCoverTexts(view);
}

void FaceCommands::editTrackListing()
{
    CTrackListingDlg dialog(m_parent);
    const CoverDocument &doc = m_session.document();
    dialog.trackText = doc.bCoverText;
    dialog.spineText = doc.backCoverSpineText;
    dialog.showSpineText = true;
    if (UiHost::instance().execDialog(dialog) != QDialog::Accepted)
        return;
    m_session.change(QStringLiteral("Track Listing"), [&](CoverDocument &d) {
        d.bCoverText = dialog.trackText;
        d.backCoverSpineText = dialog.spineText;
    });
}

void FaceCommands::editCoverTexts(Face view)
{
    const CoverDocument &doc = m_session.document();
    const int32_t type = doc.covertype;
    CCoverTextDlg dialog(m_parent);
    dialog.setRows(CCoverTextDlg::rowsFor(type, view));
    dialog.setCoverType(type);
    const CCoverTextDlg::Texts before{doc.backCoverSpineText, doc.bCoverText, doc.fCoverText,
        doc.dCoverText, doc.bCoverTitle, doc.fCoverTitle, doc.dCoverTitle};
    dialog.setTexts(before);
    if (UiHost::instance().execDialog(dialog) != QDialog::Accepted)
        return;
    const CCoverTextDlg::Texts t = dialog.texts();
    // An unchanged OK on a DVD sheet's texts is no change of the cover; on
    // the other faces OK counts as one.
    if (t == before && isDvdType(type) && view == Face::Back)
        return;
    m_session.change(
        view == Face::Disc ? QStringLiteral("Disc Text") : QStringLiteral("Cover Text"),
        [&](CoverDocument &d) {
            d.backCoverSpineText = t.spineText;
            d.bCoverText = t.backText;
            d.fCoverText = t.frontText;
            d.dCoverText = t.discText;
            d.bCoverTitle = t.backTitle;
            d.fCoverTitle = t.frontTitle;
            d.dCoverTitle = t.discTitle;
        });
}

QList<std::pair<QString, char>> FaceCommands::pictureSlots(const CoverDocument &doc, Face view)
{
    QList<std::pair<QString, char>> all;
    if (view == Face::Front)
        all = {{QStringLiteral("Front picture"), 'f'}};
    else if (view == Face::Disc)
        all = {{QStringLiteral("Disc picture"), 'd'}};
    else if (isDvdType(doc.covertype) && doc.CoverOption == SeparateImages)
        all = {{QStringLiteral("Back picture"), 'b'}, {QStringLiteral("Front picture"), 'f'}};
    else if (isDvdType(doc.covertype))
        all = {{QStringLiteral("Cover picture"), 's'}};
    else
        all = {{QStringLiteral("Back picture"), 'b'}};
    QList<std::pair<QString, char>> shown;
    for (const auto &slot : all)
        if (!picturePathOf(doc, slot.second).isEmpty())
            shown << slot;
    return shown;
}

void FaceCommands::positionPicture(Face view, const CoverFaces &faces)
{
    const auto face = faces.forView(view);
    const QList<std::pair<QString, char>> found = pictureSlots(m_session.document(), view);
    if (!face || found.isEmpty())
        return;
    QList<CPicturePositionDlg::Slot> slots;
    for (const auto &[name, letter] : found)
        slots << CPicturePositionDlg::Slot{name, letter};
    const CoverDocument before = m_session.document();
    CPicturePositionDlg dialog(m_parent);
    QObject::connect(&dialog, &CPicturePositionDlg::placementChanged, &dialog,
        [this](char slot, const PicturePlacement &placement) {
            m_session.liveEdit([&](CoverDocument &d) { placementOf(d, slot) = placement; });
        });
    m_session.beginLiveEdit();
    dialog.setFace(m_session.document(), faces, *face, slots);
    if (UiHost::instance().execDialog(dialog) != QDialog::Accepted) {
        m_session.liveEdit([&](CoverDocument &d) {
            for (const char slot : {'f', 'b', 's', 'd'})
                placementOf(d, slot) = placementOf(before, slot);
        });
    }
    m_session.finishLiveEdit(QStringLiteral("Picture Position"));
}
