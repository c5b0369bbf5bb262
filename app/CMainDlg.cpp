#include "CMainDlg.h"

#include "MainDlgIds.h"
#include "dialogs/CTemplatesDlg.h"
#include "document/ProductInfo.h"
#include "render/preview/CDVDCoverButton.h"
#include "render/preview/CMyDiscButton.h"
#include "render/preview/CMyFlatButton.h"
#include "render/preview/CSlimlineCoverButton.h"
#include "widgets/AppPaths.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

namespace {

// Window size in dialog units: the controls' band, then the zoom row.
constexpr int kWidthUnits = 415;
constexpr int kHeightUnits = 290 + 14;

QFont toolFont()
{
    QFont f;
    // Without Verdana, its usual stand-in (DejaVu Sans) is too wide for the
    // view buttons' fixed places; its condensed cut fits them.
    f.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans Condensed")});
    f.setPointSizeF(7.5);
    f.setBold(true);
    return f;
}

QFont linkFont()
{
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(13);
    f.setUnderline(true);
    return f;
}

} // namespace

CMainDlg::CMainDlg(QWidget *parent)
    : QDialog(parent)
    , m_fileCommands(this, m_session)
    , m_faceCommands(this, m_session)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(ProductInfo::name());
    setWindowIcon(Icons::program());
    m_defaultSize = QSize(dialogUnitsX(kWidthUnits), dialogUnitsY(kHeightUnits));
    // Never smaller than the controls need; as large as the screen allows.
    setMinimumSize(m_defaultSize);
    resize(m_defaultSize);
    setSizeGripEnabled(true);
    setAcceptDrops(true);

    createControls();
    createPreviewArea();
    createZoomRow();
    m_templates = new CTemplatesDlg(this);
    m_templateCommands.emplace(m_session, *m_templates);
    connect(m_templates, &CTemplatesDlg::windowHidden, this, [this] {
        templatesShown = 0;
        activateWindow(); // the keyboard (Ctrl+Z among it) comes back here
    });
    styleToolButtons();
    setToolTips();
    connectCommands();

    m_windowMenu = new QMenu(this);
    m_windowMenu->addAction(m_partNamesAction);
    m_partNamesSeparator = m_windowMenu->addSeparator();
    createUndoActions();
    createUndoButtons();
    createFileKeys();
    m_windowMenu->addSeparator();
    QAction *about = m_windowMenu->addAction(QStringLiteral("&About..."));
    about->setData(MainDlgId::AboutCommand);
    connect(about, &QAction::triggered, this, &CMainDlg::showAboutBox);

    // Enter and Escape must not end or cancel the window, whichever control
    // has the focus; F1 opens the help from anywhere in it.
    qApp->installEventFilter(this);

    rememberHomePlaces();
    restoreWindowState();
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::createUndoActions()
{
    // The stack names each action after its step: "Undo Colour", "Redo Font".
    QUndoStack &stack = m_session.undoStack();
    m_undoAction = stack.createUndoAction(this, QStringLiteral("&Undo"));
    m_undoAction->setShortcuts(QKeySequence::Undo);
    m_redoAction = stack.createRedoAction(this, QStringLiteral("&Redo"));
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *a : {m_undoAction, m_redoAction}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a); // the shortcuts work wherever the focus is in the window
        m_windowMenu->addAction(a);
    }
    connect(&m_session, &CoverSession::changed, this, &CMainDlg::onSessionChanged);
}

void CMainDlg::createFileKeys()
{
    using namespace MainDlgId;
    // Each key presses its button, so that it does exactly what a click does.
    const std::pair<int, QKeySequence> keys[] = {
        {New, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {Load, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {Save, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {Print, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {Exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto &[id, key] : keys) {
        auto *action = new QAction(this);
        action->setObjectName(QStringLiteral("key%1").arg(id));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, button(id), &QAbstractButton::click);
        addAction(action);
    }
    // Save As: Ctrl+Shift+S, and from the Save button's context menu.
    m_saveAsAction = new QAction(QStringLiteral("Save &As..."), this);
    m_saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_saveAsAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_saveAsAction, &QAction::triggered, this, [this] { m_fileCommands.saveAs(); });
    addAction(m_saveAsAction);
    auto *saveMenu = new QMenu(this);
    saveMenu->addAction(m_saveAsAction);
    CFlatHoverButton *save = button(Save);
    save->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(save, &QWidget::customContextMenuRequested, this,
        [save, saveMenu](const QPoint &at) { saveMenu->popup(save->mapToGlobal(at)); });
}

void CMainDlg::showFileInTitle()
{
    const QString path = m_session.coverPath();
    setWindowFilePath(path);
    const QString name
        = path.isEmpty() ? QStringLiteral("Untitled cover") : QFileInfo(path).fileName();
    // "[*]" is where the desktop's unsaved-changes mark goes.
    setWindowTitle(QStringLiteral("%1[*] \u2014 %2").arg(name, ProductInfo::name()));
    setWindowModified(m_session.isModified());
}

void CMainDlg::createUndoButtons()
{
    using namespace MainDlgId;
    // Beside the views; enabled, and named after their step, as the actions.
    const std::tuple<int, QAction *, QIcon, int> buttons[]
        = {{UndoButton, m_undoAction, Icons::undo(), 257},
            {RedoButton, m_redoAction, Icons::redo(), 273}};
    for (const auto &[id, action, icon, x] : buttons) {
        CFlatHoverButton *b = addToolButton(id, QString(), icon, dialogUnitRect(x, 52, 15, 16));
        b->setIconSize(QSize(16, 16));
        b->setTransparent(true, false);
        b->setHoverCursor();
        const auto follow = [b, action = action] {
            b->setEnabled(action->isEnabled());
            // The action's text names the step ("&Undo Font"); the tooltip
            // shows it without the mnemonic.
            b->setTooltipText(QString(action->text()).remove(QLatin1Char('&')));
        };
        connect(action, &QAction::changed, b, follow);
        connect(b, &QAbstractButton::clicked, action, &QAction::trigger);
        follow();
    }
}

CFlatHoverButton *CMainDlg::button(int id) const
{
    return qobject_cast<CFlatHoverButton *>(m_controls.value(id));
}

CFlatHoverButton *CMainDlg::addToolButton(
    int id, const QString &text, const QIcon &icon, const QRect &rect, QWidget *parent)
{
    auto *b = new CFlatHoverButton(text, parent ? parent : this);
    b->setObjectName(QStringLiteral("control%1").arg(id));
    b->setGeometry(rect);
    if (!icon.isNull())
        b->setIcons(icon, CFlatHoverButton::DerivedImage::Darkened, false);
    m_controls.insert(id, b);
    return b;
}

CFlatHoverButton *CMainDlg::addCheckButton(int id, const QString &text, const QRect &rect)
{
    CFlatHoverButton *b = addToolButton(id, text, QIcon(), rect);
    b->setCheckBox(true, false);
    b->setIcons(Icons::ticked(), Icons::unticked(), false);
    b->setTextAlign(CFlatHoverButton::TextLeft, false);
    return b;
}

void CMainDlg::createControls()
{
    using namespace MainDlgId;

    // The white band along the top with the logo, the name and the file
    // buttons; it holds its controls, so it stays above everything else.
    m_banner = new QWidget(this);
    m_banner->setObjectName(QStringLiteral("control%1").arg(Banner));
    m_banner->setGeometry(dialogUnitRect(0, 0, kWidthUnits, 47));
    m_banner->setAutoFillBackground(true);
    QPalette white = m_banner->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_banner->setPalette(white);
    m_controls.insert(Banner, m_banner);

    m_logo = new QLabel(m_banner);
    m_logo->setGeometry(dialogUnitRect(4, 3, 46, 41));
    m_logo->setPixmap(Icons::logoPixmap(m_logo->size(), devicePixelRatioF()));

    m_title = new CTransparentStatic(ProductInfo::name(), m_banner);
    m_title->setGeometry(dialogUnitRect(56, 6, 80, 16));
    QFont titleFont(QStringLiteral("Verdana"));
    titleFont.setPixelSize(22);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setTextColor(CTransparentStatic::ColorRef(0x663300));

    m_version = new CTransparentStatic(ProductInfo::version(), m_banner);
    m_version->setObjectName(QStringLiteral("control%1").arg(Version));
    m_version->setGeometry(dialogUnitRect(136, 11, 40, 9));
    m_version->setFont(toolFont());
    m_controls.insert(Version, m_version);

    // Linux desktops offer no system menu to a program: the About box is
    // reached from here and from the window's context menu.
    m_aboutButton = new CFlatHoverButton(QStringLiteral("About..."), m_banner);
    m_aboutButton->setObjectName(QStringLiteral("aboutButton"));
    m_aboutButton->setGeometry(dialogUnitRect(156, 10, 40, 11));
    m_aboutButton->setTextAlign(CFlatHoverButton::TextLeft, false);
    m_aboutButton->setDrawBorder(false, false);
    m_aboutButton->setTransparent(true, false);
    m_aboutButton->setHoverCursor();
    m_aboutButton->setColor(CFlatHoverButton::TextNormal, colorFromRef(0xFE3332), false);
    m_aboutButton->setColor(CFlatHoverButton::TextHover, colorFromRef(0xFE3300), false);
    m_aboutButton->setColor(CFlatHoverButton::TextFocus, colorFromRef(0xFE3332), false);
    m_aboutButton->setFont(toolFont());
    connect(m_aboutButton, &QAbstractButton::clicked, this, &CMainDlg::showAboutBox);

    CFlatHoverButton *link = addToolButton(
        WebLink, QStringLiteral("URL"), QIcon(), dialogUnitRect(54, 29, 166, 12), m_banner);
    link->setFont(linkFont());
    link->setTextAlign(CFlatHoverButton::TextLeft, false);
    link->setDrawBorder(false, false);
    link->setColor(CFlatHoverButton::TextNormal, colorFromRef(0xFE3332), false);
    link->setColor(CFlatHoverButton::TextHover, colorFromRef(0xFE3300), false);
    link->setColor(CFlatHoverButton::TextFocus, colorFromRef(0xFE3332), false);

    const auto fileButton
        = [this](int id, const QString &text, const QIcon &icon, int x, int width) {
              CFlatHoverButton *b
                  = addToolButton(id, text, icon, dialogUnitRect(x, 4, width, 39), m_banner);
              b->setImageAlign(CFlatHoverButton::ImageTop, false);
              b->setIconSize(QSize(22, 22));
              return b;
          };
    fileButton(New, QStringLiteral("New"), Icons::newCover(), 226, 34);
    fileButton(Load, QStringLiteral("Load"), Icons::load(), 261, 34);
    fileButton(Save, QStringLiteral("Save"), Icons::save(), 296, 34);
    fileButton(ChooseTemplate, QStringLiteral("Choose Template"), Icons::chooseTemplate(), 331, 44);
    fileButton(Help, QStringLiteral("Help"), Icons::help(), 376, 34);

    // View buttons: their places fix where the disc button moves to.
    addCheckButton(ViewBack, QStringLiteral("VIEW BACK COVER"), dialogUnitRect(4, 52, 86, 16));
    addCheckButton(ViewFront, QStringLiteral("VIEW FRONT COVER"), dialogUnitRect(91, 52, 86, 16));
    addCheckButton(ViewDisc, QStringLiteral("VIEW DISC"), dialogUnitRect(179, 52, 74, 16));

    // Previews: their sizes fix the on-screen scale of the faces.
    m_cdFront = new CMyFlatButton(this);
    m_cdFront->setGeometry(dialogUnitRect(26, 73, 240, 214));
    m_cdBack = new CMyFlatButton(this);
    m_cdBack->setGeometry(dialogUnitRect(5, 73, 280, 209));
    m_dvd = new CDVDCoverButton(this);
    m_dvd->setGeometry(dialogUnitRect(4, 73, 285, 171));
    m_slimline = new CSlimlineCoverButton(this);
    m_slimline->setGeometry(dialogUnitRect(6, 79, 279, 198));
    m_disc = new CMyDiscButton(this);
    m_disc->setGeometry(dialogUnitRect(26, 74, 240, 214));
    const std::pair<int, QWidget *> previews[]
        = {{CdFrontPreview, m_cdFront}, {CdBackPreview, m_cdBack}, {DvdPreview, m_dvd},
            {SlimlinePreview, m_slimline}, {DiscPreview, m_disc}};
    for (const auto &[id, w] : previews) {
        w->setObjectName(QStringLiteral("control%1").arg(id));
        w->hide();
        m_controls.insert(id, w);
    }

    m_noPreview
        = new CTransparentStatic(QStringLiteral("Covers of a custom size have no preview."), this);
    m_noPreview->setGeometry(dialogUnitRect(4, 73, 285, 171));
    m_noPreview->setAlignment(Qt::AlignCenter);
    m_noPreview->setFont(toolFont());
    m_noPreview->hide();

    // Tools
    m_toolsGroup = new QGroupBox(QStringLiteral("Tools:"), this);
    m_toolsGroup->setGeometry(dialogUnitRect(293, 68, 116, 86));
    m_toolsGroup->setFont(toolFont());
    const auto tool = [this](int id, const QString &text, const QIcon &icon, int x, int y) {
        CFlatHoverButton *b = addToolButton(id, text, icon, dialogUnitRect(x, y, 34, 32));
        b->setImageAlign(CFlatHoverButton::ImageTop, false);
        b->setIconSize(QSize(22, 22));
        return b;
    };
    tool(EditTexts, QStringLiteral("Track Listing"), Icons::trackListing(), 297, 81);
    tool(ChooseImage, QStringLiteral("Choose Image"), Icons::chooseImage(), 331, 81);
    tool(ClearImage, QStringLiteral("Clear Image"), Icons::clearImage(), 331, 81);
    tool(ChooseColor, QStringLiteral("Choose Color"), Icons::chooseColor(), 365, 81);
    tool(Font, QStringLiteral("Font"), Icons::font(), 297, 116);

    m_alignLabel = new CTransparentStatic(QStringLiteral("Text Alignment:"), this);
    m_alignLabel->setObjectName(QStringLiteral("control%1").arg(AlignmentLabel));
    m_alignLabel->setGeometry(dialogUnitRect(334, 118, 70, 9));
    m_alignLabel->setFont(toolFont());
    m_controls.insert(AlignmentLabel, m_alignLabel);
    const std::tuple<int, QIcon, int> aligns[] = {{AlignLeftButton, Icons::alignLeft(), 334},
        {AlignCenterButton, Icons::alignCenter(), 357},
        {AlignRightButton, Icons::alignRight(), 380}};
    for (const auto &[id, icon, x] : aligns) {
        CFlatHoverButton *b = addToolButton(id, QString(), icon, dialogUnitRect(x, 129, 21, 16));
        b->setCheckBox(true, false);
    }

    // Options
    m_optionsGroup = new QGroupBox(QStringLiteral("Options:"), this);
    m_optionsGroup->setGeometry(dialogUnitRect(293, 160, 116, 86));
    m_optionsGroup->setFont(toolFont());
    // Their tick icon shows the state; a sunken frame around a ticked box
    // would only repeat it.
    addCheckButton(
        PrintBorders, QStringLiteral("Print Borders?"), dialogUnitRect(297, 172, 108, 16))
        ->setDrawBorder(false, false);
    addCheckButton(
        ExtendImage, QStringLiteral("Extend image over spines?"), dialogUnitRect(297, 192, 108, 20))
        ->setDrawBorder(false, false);
    addCheckButton(
        ShrinkText, QStringLiteral("Shrink text to fit?"), dialogUnitRect(297, 212, 108, 16))
        ->setDrawBorder(false, false);
    addCheckButton(
        CurvedText, QStringLiteral("Text along the edge?"), dialogUnitRect(297, 228, 108, 16))
        ->setDrawBorder(false, false);

    const auto bottom = [this](int id, const QString &text, const QIcon &icon, int x) {
        CFlatHoverButton *b = addToolButton(id, text, icon, dialogUnitRect(x, 250, 56, 34));
        b->setImageAlign(CFlatHoverButton::ImageTop, false);
        b->setIconSize(QSize(24, 24));
        return b;
    };
    bottom(Print, QStringLiteral("&Print"), Icons::print(), 293);
    bottom(Exit, QStringLiteral("E&xit"), Icons::exit(), 353);
}

void CMainDlg::styleToolButtons()
{
    const QFont font = toolFont();
    for (QWidget *w : std::as_const(m_controls)) {
        auto *b = qobject_cast<CFlatHoverButton *>(w);
        if (!b)
            continue;
        b->setTransparent(true, false);
        b->setHoverCursor();
        if (b != button(MainDlgId::WebLink))
            b->setFont(font);
    }
}

void CMainDlg::setToolTips()
{
    using namespace MainDlgId;
    const std::pair<int, const char *> tips[] = {
        {AlignCenterButton, "Click here to center align the cover text."},
        {AlignLeftButton, "Click here to left align the cover text."},
        {AlignRightButton, "Click here to right align the cover text."},
        {Save, "Click here to save your cover (Ctrl+S; Save As: Ctrl+Shift+S or right-click)."},
        {Load, "Click here to load a cover you created previously (Ctrl+O)."},
        {New, "Click here to create a new cover (Ctrl+N)."},
        {Print, "Click here to print your cover (Ctrl+P)."},
        {Exit, "Click here to exit (Ctrl+Q)."},
        {ChooseImage, "Click here to choose a background image for your cover."},
        {ClearImage, "Click here to clear the background image."},
        {Help, "Click here if you need some help."},
        {EditTexts, "Click here to add a track listing and spine text to your cover."},
        {Font, "Click here to change the font and colour of your track listing and spine text."},
        {ChooseColor, "Click here to change the background color of your cover."},
        {ShrinkText, "Tick this to draw text that does not fit smaller, down to 6 points."},
        {CurvedText,
            "Tick this to run the disc's title along the top of its edge and its text "
            "along the bottom."},
    };
    for (const auto &[id, tip] : tips)
        button(id)->setTooltipText(QString::fromLatin1(tip));
}
