#include "CTemplatesDlg.h"

#include "UserTemplates.h"
#include "document/CoverDocument.h"
#include "document/CoverTypes.h"
#include "document/ProductInfo.h"
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "widgets/AppPaths.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/DialogLook.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>

namespace {

constexpr int kWidthUnits = 478;
constexpr int kHeightUnits = 169;
constexpr int kShownState = 5;

const QString kBackMarker = QStringLiteral("[BACK]");
const QString kFrontMarker = QStringLiteral("[FRONT]");
const QString kDiscMarker = QStringLiteral("[DISC]");

QFont buttonFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(8.5);
    f.setBold(true);
    return f;
}

QFont linkFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(13);
    f.setWeight(QFont::Normal);
    f.setUnderline(true);
    return f;
}

// The main window's tool font: captions of two lines under a picture.
QFont sideFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans Condensed")});
    f.setPointSizeF(7.5);
    f.setBold(true);
    return f;
}

const QString kCaptionSave = QStringLiteral("Save as Template");

QByteArray encodedPath(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

CTemplatesDlg::CTemplatesDlg(QWidget *owner)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Templates"));
    // A caption, no system menu and no close box: OK and Cancel close it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    QFont dialogFont = font();
    dialogFont.setPointSizeF(8);
    setFont(dialogFont);
    setFixedSize(dialogUnitsX(kWidthUnits), dialogUnitsY(kHeightUnits));
    buildControls();
}

CTemplatesDlg::~CTemplatesDlg() = default;

void CTemplatesDlg::buildControls()
{
    m_logo = new QLabel(this);
    const QRect logoRect = dialogUnitRect(1, 2, 45, 41);
    m_logo->setGeometry(logoRect);
    m_logo->setPixmap(Icons::logoPixmap(logoRect.size(), devicePixelRatioF()));
    m_logo->setAlignment(Qt::AlignCenter);

    m_list = new QListWidget(this);
    m_list->setGeometry(dialogUnitRect(51, 3, 423, 133));
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(kThumbnailSize, kThumbnailSize));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFlow(QListView::LeftToRight);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    // Room for a thumbnail and a label of two lines beneath it.
    m_list->setGridSize(QSize(kThumbnailSize + 40, kThumbnailSize + 40));
    m_list->setWordWrap(true);
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->setFrameShape(QFrame::StyledPanel);
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::clicked, this, &CTemplatesDlg::onListClicked);

    const auto dialogButton = [this](const QString &text, const QIcon &icon, const QRect &rect) {
        auto *b = new CFlatHoverButton(text, this);
        b->setGeometry(rect);
        b->setFont(buttonFont());
        b->setIconSize(QSize(24, 24));
        b->setIcons(icon, CFlatHoverButton::DerivedImage::Darkened, false);
        b->setHoverCursor();
        b->setTransparent(true, false);
        return b;
    };
    m_ok = dialogButton(QStringLiteral("&OK"), Icons::ok(), dialogUnitRect(419, 137, 56, 31));
    m_ok->setDefault(true, false);
    m_cancel = dialogButton(
        QStringLiteral("&Cancel"), Icons::cancel(), dialogUnitRect(359, 137, 56, 31));
    connect(m_ok, &CFlatHoverButton::clicked, this, &CTemplatesDlg::accept);
    connect(m_cancel, &CFlatHoverButton::clicked, this, &CTemplatesDlg::reject);

    m_link = new CFlatHoverButton(QStringLiteral("Click here to download more templates"), this);
    // Wide enough for the caption on one line in the fonts Linux has for
    // Verdana, ending beside Cancel, with the folder link on its left.
    m_link->setGeometry(dialogUnitRect(175, 142, 181, 20));
    m_link->setTransparent(true, false);
    m_link->setTextAlign(CFlatHoverButton::TextRight, false);
    m_link->setFont(linkFont());
    m_link->setDrawBorder(false, false);
    m_link->setHoverCursor(QCursor(Qt::PointingHandCursor));
    m_link->setColor(CFlatHoverButton::TextHover, QColor(0, 51, 254), false);
    m_link->setColor(CFlatHoverButton::TextNormal, QColor(50, 51, 254), false);
    m_link->setColor(CFlatHoverButton::TextFocus, QColor(50, 51, 254), false);
    m_link->setUrl(QUrl(ProductInfo::templatesAddress()));

    // The user's own sets: under the logo, as the main window's file
    // buttons stand, picture above caption.
    const auto sideButton = [this](const QString &text, const QIcon &icon, int y) {
        auto *b = new CFlatHoverButton(text, this);
        b->setGeometry(dialogUnitRect(1, y, 46, 38));
        b->setFont(sideFont());
        b->setImageAlign(CFlatHoverButton::ImageTop, false);
        b->setIconSize(QSize(22, 22));
        b->setIcons(icon, CFlatHoverButton::DerivedImage::Darkened, false);
        b->setHoverCursor();
        b->setTransparent(true, false);
        return b;
    };
    m_save = sideButton(QStringLiteral("Save as Template..."), Icons::save(), 52);
    m_save->setTooltipText(QStringLiteral("Keep the pictures and colours of this cover, without "
                                          "its texts, as a template of your own"));
    m_remove = sideButton(QStringLiteral("Remove"), Icons::removeTrack(), 94);
    m_remove->setTooltipText(QStringLiteral("Delete the selected template of your own"));
    connect(m_save, &CFlatHoverButton::clicked, this, &CTemplatesDlg::saveAsTemplate);
    connect(m_remove, &CFlatHoverButton::clicked, this, &CTemplatesDlg::removeSelectedTemplate);
    connect(m_list, &QListWidget::currentRowChanged, this, &CTemplatesDlg::updateButtons);

    // Left of the download link, in its look.
    m_folderLink = new CFlatHoverButton(QStringLiteral("Open My Templates Folder"), this);
    m_folderLink->setGeometry(dialogUnitRect(51, 142, 122, 20));
    m_folderLink->setTransparent(true, false);
    m_folderLink->setTextAlign(CFlatHoverButton::TextLeft, false);
    m_folderLink->setFont(linkFont());
    m_folderLink->setDrawBorder(false, false);
    m_folderLink->setHoverCursor(QCursor(Qt::PointingHandCursor));
    m_folderLink->setColor(CFlatHoverButton::TextHover, QColor(0, 51, 254), false);
    m_folderLink->setColor(CFlatHoverButton::TextNormal, QColor(50, 51, 254), false);
    m_folderLink->setColor(CFlatHoverButton::TextFocus, QColor(50, 51, 254), false);
    m_folderLink->setTooltipText(QStringLiteral("Your own templates are kept in %1")
                                     .arg(QDir::toNativeSeparators(UserTemplates::folder())));
    connect(m_folderLink, &CFlatHoverButton::clicked, this, &CTemplatesDlg::openUserFolder);
    updateButtons();

    setTabOrder(m_list, m_cancel);
    setTabOrder(m_cancel, m_ok);
    setTabOrder(m_ok, m_save);
    setTabOrder(m_save, m_remove);
    setTabOrder(m_remove, m_folderLink);
    setTabOrder(m_folderLink, m_link);
}

QString CTemplatesDlg::defaultTemplateFolder()
{
    return programDataFile(QStringLiteral("CLIPART"));
}

void CTemplatesDlg::openFolder(
    int coverType, const QByteArray &backImagePath, const QString &folder)
{
    m_coverType = coverType;
    m_folder = QDir::cleanPath(folder);
    m_selectedBack = backImagePath;
    m_currentIndex = -1;
    // The last cover's entries go now; this cover's come when they are
    // first needed.
    m_list->clear();
    m_entries.clear();
    m_listStale = true;
    if (isVisible())
        ensureListFilled();
}

void CTemplatesDlg::ensureListFilled()
{
    if (!m_listStale)
        return;
    m_listStale = false;
    fillList();
    m_list->setFocus();
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    selectLabel(m_selectedBack);
}

void CTemplatesDlg::setVisible(bool visible)
{
    // Before the window appears, so that it never shows an empty list.
    if (visible)
        ensureListFilled();
    QDialog::setVisible(visible);
}

QListWidget *CTemplatesDlg::list()
{
    ensureListFilled();
    return m_list;
}

QStringList CTemplatesDlg::searchFolder(const QString &folder, QString *error)
{
    QStringList names;
    const QByteArray path = encodedPath(folder);
    DIR *dir = opendir(path.constData());
    if (!dir) {
        // No folder at all is an empty list, not a fault.
        if (errno != ENOENT && errno != ENOTDIR)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return names;
    }
    for (;;) {
        errno = 0;
        const dirent *entry = readdir(dir);
        if (!entry) {
            if (errno != 0)
                *error = QString::fromLocal8Bit(std::strerror(errno));
            break;
        }
        const QString name = QFile::decodeName(entry->d_name);
        // Hidden files (and "." and "..") are not templates.
        if (name.startsWith(QLatin1Char('.')) || !name.contains(kBackMarker))
            continue;
        const QFileInfo info(folder + QLatin1Char('/') + name);
        if (!info.isFile() || info.isHidden())
            continue;
        names.append(name);
    }
    closedir(dir);
    // The folder's own order is arbitrary: alphabetical, as a person reads.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

QList<CTemplatesDlg::Entry> CTemplatesDlg::readFolder(const QString &folder, bool own)
{
    QList<Entry> entries;
    QString error;
    const QStringList names = searchFolder(folder, &error);
    if (!error.isEmpty())
        UiHost::instance().message(
            this, error, QStringLiteral("Error"), UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
    // Each entry keeps its own file name, so a file left out (not a
    // picture, or not decodable) shifts neither the labels nor what a
    // click on a later entry applies.
    for (const QString &name : names) {
        QImage square = stretchedSquare(folder + QLatin1Char('/') + name);
        if (!square.isNull())
            entries.append(Entry{folder, name, own, std::move(square)});
    }
    return entries;
}

void CTemplatesDlg::fillList()
{
    m_entries = readFolder(QDir::cleanPath(UserTemplates::folder()), true);
    m_entries += readFolder(m_folder, false);
    addItems();
}

void CTemplatesDlg::addItems()
{
    m_list->clear();
    for (const Entry &entry : m_entries) {
        auto *item = new QListWidgetItem(templateLabel(entry.name));
        item->setToolTip(entry.own
                ? QStringLiteral("Your own template \"%1\"").arg(UserTemplates::setName(entry.name))
                : QStringLiteral("A template that comes with Discora"));
        m_list->addItem(item);
    }
    showThumbnails();
    updateButtons();
}

void CTemplatesDlg::reloadOwnEntries(const QString &selectName)
{
    // What was applied last keeps its place for the arrow keys.
    const Entry applied = m_currentIndex >= 0 ? m_entries[m_currentIndex] : Entry{};
    QList<Entry> entries = readFolder(QDir::cleanPath(UserTemplates::folder()), true);
    for (const Entry &entry : std::as_const(m_entries))
        if (!entry.own)
            entries.append(entry);
    m_entries = std::move(entries);
    m_currentIndex = -1;
    int selected = -1;
    for (int row = 0; row < m_entries.size(); ++row) {
        const Entry &entry = m_entries[row];
        if (entry.folder == applied.folder && entry.name == applied.name)
            m_currentIndex = row;
        if (entry.own && entry.name == selectName)
            selected = row;
    }
    addItems();
    if (selected < 0 && m_list->count() > 0)
        selected = 0;
    if (selected >= 0) {
        m_list->setCurrentRow(selected);
        m_list->scrollToItem(m_list->item(selected));
    }
}

void CTemplatesDlg::updateButtons()
{
    const int row = m_list->currentRow();
    m_remove->setEnabled(row >= 0 && row < m_entries.size() && m_entries[row].own);
    m_save->setEnabled(bool(m_coverSource));
}

void CTemplatesDlg::showThumbnails()
{
    for (int row = 0; row < m_entries.size(); ++row) {
        const QImage image = shapedThumbnail(m_entries[row].square, m_discView);
        m_list->item(row)->setIcon(QIcon(QPixmap::fromImage(image)));
    }
}

void CTemplatesDlg::selectLabel(const QByteArray &backImagePath)
{
    if (backImagePath.isEmpty())
        return;
    const QString path = QFile::decodeName(backImagePath);
    // The set the cover has, when it is listed; else every set labelled
    // like it.
    for (int row = 0; row < m_entries.size(); ++row) {
        if (templatePath(m_entries[row], m_entries[row].name) == path) {
            m_list->setCurrentRow(row);
            m_list->scrollToItem(m_list->item(row));
            return;
        }
    }
    const QString label = templateLabel(QFileInfo(path).fileName());
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem *item = m_list->item(row);
        if (item->text() == label) {
            m_list->setCurrentItem(item);
            m_list->scrollToItem(item);
        }
    }
}

void CTemplatesDlg::setDiscView(bool discView)
{
    if (discView == m_discView)
        return;
    m_discView = discView;
    // An unfilled list gets the shape when it is filled.
    if (!m_listStale)
        showThumbnails();
}

QString CTemplatesDlg::templateLabel(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    QString stem = fileName.left(dot);
    const qsizetype dash = stem.lastIndexOf(QLatin1Char('-'));
    if (dash >= 0)
        stem = stem.mid(dash + 1);
    return stem.trimmed();
}

QString CTemplatesDlg::siblingName(const QString &name, const QString &marker)
{
    if (name.contains(marker))
        return name;
    QString sibling = name;
    return sibling.replace(kBackMarker, marker);
}

QString CTemplatesDlg::templatePath(const Entry &entry, const QString &name) const
{
    return entry.folder + QLatin1Char('/') + name;
}

QImage CTemplatesDlg::stretchedSquare(const QString &path)
{
    const QSize size(kThumbnailSize, kThumbnailSize);
    // A large JPEG is decoded at a fraction of its size: a thumbnail needs
    // a few hundred pixels, not millions.
    FacePicturePtr picture = LoadFacePicture(encodedPath(path), size);
    if (!picture)
        return QImage();
    QImage square(size, QImage::Format_RGB888);
    square.fill(Qt::white);
    QPainter painter(&square);
    DeviceContext dc(painter);
    DrawPictureStretched(dc, QRect(QPoint(0, 0), size), *picture);
    painter.end();
    ReleaseFacePicture(picture);
    return square;
}

QImage CTemplatesDlg::shapedThumbnail(const QImage &square, bool disc)
{
    QImage image(square.size(), QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter p(&image);
    const QRectF box(0, 0, image.width(), image.height());
    if (disc) {
        p.setRenderHint(QPainter::Antialiasing, true);
        // Inside the frame, so that the frame does not cover the outline.
        const QRectF ellipse = box.adjusted(1.5, 1.5, -1.5, -1.5);
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(QBrush(square));
        p.drawEllipse(ellipse);
        p.setRenderHint(QPainter::Antialiasing, false);
    } else {
        p.drawImage(QPoint(0, 0), square);
    }
    p.setPen(QColor(192, 192, 192));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, image.width() - 1, image.height() - 1));
    p.end();
    return image;
}

QImage CTemplatesDlg::makeThumbnail(const QString &path, bool disc)
{
    const QImage square = stretchedSquare(path);
    return square.isNull() ? square : shapedThumbnail(square, disc);
}

QStringList CTemplatesDlg::templateNames()
{
    ensureListFilled();
    QStringList names;
    for (const Entry &entry : m_entries)
        names.append(entry.name);
    return names;
}

QImage CTemplatesDlg::thumbnail(int row)
{
    ensureListFilled();
    if (row < 0 || row >= m_entries.size())
        return QImage();
    return shapedThumbnail(m_entries[row].square, m_discView);
}

void CTemplatesDlg::applyTemplate(int row)
{
    ensureListFilled();
    if (row < 0 || row >= m_entries.size())
        return;
    m_currentIndex = row;
    const Entry &entry = m_entries[row];
    const auto path = [&](const QString &marker) {
        return encodedPath(templatePath(entry, siblingName(entry.name, marker)));
    };
    // The user's own sets were drawn from faces and stretched to the
    // template sizes: stretched back, they give those faces as they were.
    const PicturePlacement placement
        = entry.own ? PicturePlacement() : PicturePlacement::forNewPicture();
    TemplatePictures pictures;
    if (isDvdType(m_coverType)) {
        // One picture over the whole sheet; the separate front and back stay.
        pictures.CoverOption = StretchedImage;
        pictures.sImagePath = path(kBackMarker);
        pictures.dImagePath = path(kDiscMarker);
        pictures.sImagePlacement = pictures.dImagePlacement = placement;
    } else {
        pictures.sImagePath = QByteArray();
        pictures.bImagePath = path(kBackMarker);
        pictures.fImagePath = path(kFrontMarker);
        pictures.dImagePath = path(kDiscMarker);
        pictures.fImagePlacement = pictures.bImagePlacement = pictures.dImagePlacement = placement;
    }
    Q_EMIT templateApplied(pictures);
}

bool CTemplatesDlg::isOwnTemplate(int row)
{
    ensureListFilled();
    return row >= 0 && row < m_entries.size() && m_entries[row].own;
}

void CTemplatesDlg::setCoverSource(std::function<CoverDocument()> source)
{
    m_coverSource = std::move(source);
    updateButtons();
}

void CTemplatesDlg::saveAsTemplate()
{
    if (!m_coverSource)
        return;
    ensureListFilled();
    UiHost &host = UiHost::instance();
    const QString folder = UserTemplates::folder();
    QString name;
    for (;;) {
        if (!host.textInput(this, kCaptionSave, QStringLiteral("Name of the new template:"), name))
            return;
        const QString problem = UserTemplates::nameProblem(name);
        if (problem.isEmpty())
            break;
        host.message(this, problem, kCaptionSave, UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
    }
    name = name.trimmed();
    if (!UserTemplates::setFiles(folder, name).isEmpty()
        && host.message(this,
               QStringLiteral("You have a template named \"%1\" already. Replace it?").arg(name),
               kCaptionSave, UiHost::Buttons::YesNo, UiHost::Icon::Question)
            != UiHost::Answer::Yes)
        return;
    QString error;
    const QString back = UserTemplates::save(m_coverSource(), folder, name, error);
    if (back.isEmpty()) {
        host.message(this, QStringLiteral("The template could not be saved: %1").arg(error),
            kCaptionSave, UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
        return;
    }
    reloadOwnEntries(back);
}

void CTemplatesDlg::removeSelectedTemplate()
{
    const int row = list()->currentRow();
    // The program's own sets are never removed, whatever asks.
    if (!isOwnTemplate(row))
        return;
    const Entry entry = m_entries[row];
    const QString caption = QStringLiteral("Remove Template");
    UiHost &host = UiHost::instance();
    if (host.message(this,
            QStringLiteral("Remove your template \"%1\"? Its pictures are deleted.")
                .arg(UserTemplates::setName(entry.name)),
            caption, UiHost::Buttons::YesNo, UiHost::Icon::Question)
        != UiHost::Answer::Yes)
        return;
    QString error;
    if (!UserTemplates::remove(entry.folder, entry.name, error))
        host.message(this, QStringLiteral("The template could not be removed: %1").arg(error),
            caption, UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
    reloadOwnEntries(QString());
}

void CTemplatesDlg::openUserFolder()
{
    const QString folder = UserTemplates::folder();
    UiHost &host = UiHost::instance();
    if (!QDir().mkpath(folder)) {
        host.message(this, QStringLiteral("The folder %1 cannot be created.").arg(folder),
            QStringLiteral("Error"), UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
        return;
    }
    if (!host.openUrl(QUrl::fromLocalFile(folder)))
        host.message(this,
            QStringLiteral("No program to show the folder %1 was found.")
                .arg(QDir::toNativeSeparators(folder)),
            QStringLiteral("Error"), UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
}

void CTemplatesDlg::onListClicked(const QModelIndex &index)
{
    if (index.isValid() && index.row() != m_currentIndex)
        applyTemplate(index.row());
}

void CTemplatesDlg::step(int delta)
{
    ensureListFilled();
    const int count = m_list->count();
    const int row = m_currentIndex + delta;
    if (count == 0 || row < 0 || row >= count)
        return;
    applyTemplate(row);
    // The highlight follows what was applied.
    m_list->setCurrentRow(row);
    m_list->scrollToItem(m_list->item(row));
}

bool CTemplatesDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Left) {
            step(-1);
            return true;
        }
        if (key->key() == Qt::Key_Right) {
            step(1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CTemplatesDlg::chooseTemplate(
    int &templatesShown, bool &templatesPlaced, const QRect &ownerFrame, const CoverDocument &doc)
{
    templatesShown = templatesShown == kShownState ? 0 : kShownState;
    if (!templatesPlaced) {
        move(firstPosition(ownerFrame));
        templatesPlaced = true;
    }
    // A template on a DVD changes the sheet picture and the layout too.
    m_saved.fImagePath = doc.fImagePath;
    m_saved.bImagePath = doc.bImagePath;
    m_saved.sImagePath = doc.sImagePath;
    m_saved.dImagePath = doc.dImagePath;
    m_saved.CoverOption = doc.CoverOption;
    m_saved.fImagePlacement = doc.fImagePlacement;
    m_saved.bImagePlacement = doc.bImagePlacement;
    m_saved.sImagePlacement = doc.sImagePlacement;
    m_saved.dImagePlacement = doc.dImagePlacement;
    setVisible(templatesShown == kShownState);
}

QPoint CTemplatesDlg::firstPosition(const QRect &ownerFrame)
{
    const int bottom = ownerFrame.y() + ownerFrame.height();
    return QPoint(ownerFrame.x(), bottom - ownerFrame.height() / 2);
}

void CTemplatesDlg::hideByUser()
{
    Q_EMIT windowHidden();
    hide();
}

void CTemplatesDlg::accept()
{
    hideByUser();
}

void CTemplatesDlg::reject()
{
    Q_EMIT picturesRestored(m_saved);
    hideByUser();
}

void CTemplatesDlg::closeEvent(QCloseEvent *event)
{
    // Closing keeps the template, as OK does; the window lives on hidden.
    event->ignore();
    accept();
}

void CTemplatesDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        UiHost::instance().showHelp(this, QStringLiteral("templates"));
        return;
    }
    // Enter presses the focused button (Cancel takes the template back),
    // else OK.
    if (DialogLook::handleEnter(*this, event, m_ok))
        return;
    QDialog::keyPressEvent(event);
}

void CTemplatesDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
}
