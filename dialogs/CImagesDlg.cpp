#include "CImagesDlg.h"

#include "document/UserSettings.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogLook.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/PictureFiles.h"
#include "widgets/UiHost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QStandardPaths>

namespace {

constexpr int kWidthUnits = 289;
constexpr int kHeightUnits = 154;
// The white band ends, and the etched line runs, at this height.
constexpr int kBandBottomUnits = 104;

// Where the picture chooser opens when no picture was chosen before.
QString desktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        return desktop;
    return QDir::homePath();
}

} // namespace

CImagesDlg::CImagesDlg(QWidget *parent)
    : QDialog(parent)
{
    DialogLook::setUpDialog(*this, QStringLiteral("Images"), kWidthUnits, kHeightUnits);
    buildControls();
}

void CImagesDlg::buildControls()
{
    m_logo = DialogLook::addLogo(this, QRect(4, 5, 45, 41));

    m_heading = new CTransparentStatic(
        QStringLiteral("How do you want to add images to your cover?"), this);
    m_heading->setGeometry(dialogUnitRect(56, 7, 206, 12));
    // Verdana 13 pixels high as a character cell, as the choices not chosen.
    m_heading->setFont(DialogLook::choiceFont());
    m_heading->setTextColor(CTransparentStatic::ColorRef(DialogLook::kHeadingColor));

    // Each choice is a group of its own: the dialog keeps one checked.
    m_stretched = new QRadioButton(
        QStringLiteral("Choose one image to stretch across the entire cover."), this);
    m_stretched->setGeometry(dialogUnitRect(56, 22, 211, 10));
    m_stretched->setAutoExclusive(false);
    connect(m_stretched, &QRadioButton::clicked, this, &CImagesDlg::chooseStretched);

    m_separate = new QRadioButton(QStringLiteral("Choose separate back/front images."), this);
    m_separate->setGeometry(dialogUnitRect(56, 37, 173, 10));
    m_separate->setAutoExclusive(false);
    connect(m_separate, &QRadioButton::clicked, this, &CImagesDlg::chooseSeparate);
    showChoiceFonts();

    m_chooseBack = addPictureButton(ChooseBackImage, QStringLiteral("Choose Back Image"),
        QStringLiteral("Click here to choose a background image for your back cover."), 73);
    m_clearBack = addPictureButton(ClearBackImage, QStringLiteral("Clear Back Image"),
        QStringLiteral("Click here to clear the back cover image."), 73);
    m_chooseStretched = addPictureButton(ChooseImage, QStringLiteral("Choose Image"),
        QStringLiteral("Click here to choose a background image for your cover."), 73);
    m_clearStretched = addPictureButton(ClearImage, QStringLiteral("Clear Image"),
        QStringLiteral("Click here to clear the cover image."), 73);
    m_chooseFront = addPictureButton(ChooseFrontImage, QStringLiteral("Choose Front Image"),
        QStringLiteral("Click here to choose an image for your front cover."), 151);
    m_clearFront = addPictureButton(ClearFrontImage, QStringLiteral("Clear Front Image"),
        QStringLiteral("Click here to clear the front cover image."), 151);

    m_continue = new CFlatHoverButton(QStringLiteral("Continue"), this);
    m_continue->setGeometry(dialogUnitRect(231, 107, 56, 41));
    m_continue->setFont(DialogLook::headingFont());
    m_continue->setIconSize(QSize(32, 32));
    m_continue->setIcons(Icons::continueArrow());
    m_continue->setImageAlign(CFlatHoverButton::ImageTop, false);
    m_continue->setImageMargins(3, 8, false);
    m_continue->setDefault(true, false);
    m_continue->setHoverCursor();
    m_continue->setTooltipText(QStringLiteral("Click here to continue."));
    connect(m_continue, &CFlatHoverButton::clicked, this, &CImagesDlg::accept);

    setTabOrder(m_stretched, m_separate);
}

CFlatHoverButton *CImagesDlg::addPictureButton(
    ButtonId id, const QString &text, const QString &tooltip, int xUnits)
{
    const bool choose = id == ChooseBackImage || id == ChooseFrontImage || id == ChooseImage;
    auto *b = new CFlatHoverButton(text, this);
    b->setGeometry(dialogUnitRect(xUnits, 50, 53, 48));
    b->setFont(DialogLook::headingFont());
    b->setIconSize(QSize(32, 32));
    b->setIcons(choose ? Icons::chooseImage() : Icons::clearImage());
    b->setImageAlign(CFlatHoverButton::ImageTop, false);
    b->setImageMargins(3, 6, false);
    b->setTransparent(true, false); // on the white band
    b->setHoverCursor();
    b->setTooltipText(tooltip);
    b->hide();
    if (choose)
        connect(b, &CFlatHoverButton::clicked, this, [this, id] { onChooseImage(id); });
    else
        connect(b, &CFlatHoverButton::clicked, this, [this, id] { onClearImage(id); });
    return b;
}

void CImagesDlg::setPictures(const Pictures &pictures, const QString &pictureFolder)
{
    m_pictures = pictures;
    m_initial = pictures;
    m_pictureFolder = pictureFolder;
    m_stretched->setChecked(false);
    m_separate->setChecked(false);
    if (pictures.coverOption == 0)
        chooseStretched();
    else if (pictures.coverOption == 1)
        chooseSeparate();
    showChoiceFonts();
    updateButtons();
}

bool CImagesDlg::holdsNoPicture(const QByteArray &path)
{
    return path.isEmpty() || path.contains(".tmp");
}

CFlatHoverButton *CImagesDlg::button(ButtonId id) const
{
    switch (id) {
    case ChooseBackImage: return m_chooseBack;
    case ChooseFrontImage: return m_chooseFront;
    case ChooseImage: return m_chooseStretched;
    case ClearBackImage: return m_clearBack;
    case ClearFrontImage: return m_clearFront;
    case ClearImage: return m_clearStretched;
    }
    return nullptr;
}

void CImagesDlg::chooseStretched()
{
    m_stretched->setChecked(true);
    m_separate->setChecked(false);
    showChoiceFonts();
    m_pictures.frontImagePath.clear();
    m_pictures.backImagePath.clear();
    m_pictures.coverOption = 0;
    updateButtons();
    report();
}

void CImagesDlg::chooseSeparate()
{
    m_separate->setChecked(true);
    m_stretched->setChecked(false);
    showChoiceFonts();
    m_pictures.stretchImagePath.clear();
    m_pictures.coverOption = 1;
    updateButtons();
    report();
}

void CImagesDlg::showChoiceFonts()
{
    for (QRadioButton *radio : {m_stretched, m_separate})
        radio->setFont(radio->isChecked() ? DialogLook::headingFont() : DialogLook::choiceFont());
}

void CImagesDlg::updateButtons()
{
    // A layout the dialog does not know (from a cover file) shows no
    // picture buttons until one is chosen: they all share two spots.
    const bool separate = m_pictures.coverOption == 1;
    const bool stretched = m_pictures.coverOption == 0;
    const bool front = !holdsNoPicture(m_pictures.frontImagePath);
    const bool back = !holdsNoPicture(m_pictures.backImagePath);
    const bool stretch = !holdsNoPicture(m_pictures.stretchImagePath);
    m_chooseFront->setVisible(separate && !front);
    m_clearFront->setVisible(separate && front);
    m_chooseBack->setVisible(separate && !back);
    m_clearBack->setVisible(separate && back);
    m_chooseStretched->setVisible(stretched && !stretch);
    m_clearStretched->setVisible(stretched && stretch);
}

bool CImagesDlg::choosePicture(QByteArray &target)
{
    m_pictureFolder = UserSettings().lastPath;
    if (m_pictureFolder.isEmpty())
        m_pictureFolder = desktopFolder();
    const QString chosen = askForPictureFile(this, m_pictureFolder);
    if (chosen.isEmpty())
        return false;
    if (QFileInfo(chosen).isFile()) {
        target = QFile::encodeName(chosen);
        m_pictureFolder = chosen;
        UserSettings settings;
        settings.lastPath = chosen;
        settings.save();
    }
    updateButtons();
    return true;
}

void CImagesDlg::onChooseImage(ButtonId id)
{
    switch (id) {
    case ChooseFrontImage:
        if (choosePicture(m_pictures.frontImagePath))
            report();
        break;
    case ChooseBackImage:
        if (choosePicture(m_pictures.backImagePath))
            report();
        break;
    case ChooseImage:
        // The one picture is all this layout needs: done.
        if (choosePicture(m_pictures.stretchImagePath)) {
            report();
            accept();
        }
        break;
    default: break;
    }
}

void CImagesDlg::onClearImage(ButtonId id)
{
    switch (id) {
    case ClearFrontImage: m_pictures.frontImagePath.clear(); break;
    case ClearBackImage: m_pictures.backImagePath.clear(); break;
    case ClearImage: m_pictures.stretchImagePath.clear(); break;
    default: return;
    }
    report();
    updateButtons();
}

void CImagesDlg::report()
{
    Q_EMIT picturesChanged(m_pictures);
}

void CImagesDlg::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F1: UiHost::instance().showHelp(this, QStringLiteral("images")); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses the picture button that has the focus, else
        // Continue, the default button.
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            auto *focused = qobject_cast<CFlatHoverButton *>(focusWidget());
            if (focused && focused != m_continue && !focused->isHidden())
                focused->click();
            else
                accept();
            return;
        }
        break;
    default: break;
    }
    QDialog::keyPressEvent(event);
}

void CImagesDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    DialogLook::paintBand(p, *this, dialogUnitsY(kBandBottomUnits));
}
