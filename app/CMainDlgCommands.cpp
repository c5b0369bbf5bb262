// The main window's commands and window events: file buttons, options,
// alignment, file drop, the keyboard filter, closing and the About box.
#include "CAboutDlg.h"
#include "CMainDlg.h"
#include "MainDlgIds.h"
#include "print/dialogs/PrintCommand.h"
#include "widgets/AppPaths.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/UiHost.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

#include <ctime>
#include <unistd.h>

namespace {

// The first local file of a drop, if the drop carries one.
QString firstDroppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return {};
    return urls.first().toLocalFile();
}

// Milliseconds since this process started, from the kernel's record of the
// start (clock-tick resolution).
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Field 22 (starttime) follows the parenthesised command name.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startTicks = fields.at(19).toDouble();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1.0e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

} // namespace

void CMainDlg::connectCommands()
{
    using namespace MainDlgId;
    connect(button(ViewFront), &QAbstractButton::clicked, this, &CMainDlg::onViewFront);
    connect(button(ViewBack), &QAbstractButton::clicked, this, &CMainDlg::onViewBack);
    connect(button(ViewDisc), &QAbstractButton::clicked, this, &CMainDlg::onViewDisc);

    connect(button(New), &QAbstractButton::clicked, this,
        [this] { endRun(m_fileCommands.newCover()); });
    connect(button(Save), &QAbstractButton::clicked, this, [this] { m_fileCommands.save(); });
    connect(
        button(Load), &QAbstractButton::clicked, this, [this] { endRun(m_fileCommands.load()); });
    connect(button(Exit), &QAbstractButton::clicked, this, &CMainDlg::reject);

    connect(button(AlignLeftButton), &QAbstractButton::clicked, this,
        [this] { onAlignment(::AlignLeft); });
    connect(button(AlignCenterButton), &QAbstractButton::clicked, this,
        [this] { onAlignment(::AlignCenter); });
    connect(button(AlignRightButton), &QAbstractButton::clicked, this,
        [this] { onAlignment(::AlignRight); });
    connect(button(ExtendImage), &QAbstractButton::clicked, this, &CMainDlg::onExtendImageOption);
    connect(button(PrintBorders), &QAbstractButton::clicked, this, &CMainDlg::onBorderOption);
    connect(button(Help), &QAbstractButton::clicked, this, &CMainDlg::onHelp);
    connect(button(Print), &QAbstractButton::clicked, this, [this] {
        PrintCommand print(this, m_doc, m_state.filePath);
        if (print.run())
            useTopDiscLabel = print.useTopDiscLabel();
        refreshPreviews();
    });
    // The web address (4) is a link button: a click opens its url through
    // UiHost.
}

void CMainDlg::endRun(std::optional<int> result)
{
    if (result)
        done(*result);
}

void CMainDlg::reject()
{
    endRun(m_fileCommands.close());
}

void CMainDlg::onAlignment(int alignment)
{
    m_state.modified = true;
    tickAlignment(alignment);
    if (currentView() == Face::Front)
        m_doc.fCoverAlign = alignment;
    else
        m_doc.bCoverAlign = alignment;
    refreshPreviews();
}

void CMainDlg::onExtendImageOption()
{
    m_state.modified = true;
    const uint8_t on = button(MainDlgId::ExtendImage)->isChecked() ? 1 : 0;
    switch (currentView()) {
    case Face::Front: m_doc.bFrontPrintOverSpines = on; break;
    case Face::Back: m_doc.bBackPrintOverSpines = on; break;
    case Face::Disc: m_doc.printOverInnerCircleDisc = on; break;
    }
    refreshPreviews();
}

void CMainDlg::onBorderOption()
{
    m_state.modified = true;
    const bool on = button(MainDlgId::PrintBorders)->isChecked();
    switch (currentView()) {
    case Face::Front: m_doc.fShowBorder = on; break;
    case Face::Back: m_doc.bShowBorder = on; break;
    case Face::Disc: m_doc.dShowBorder = on; break;
    }
    refreshPreviews();
}

void CMainDlg::onHelp()
{
    UiHost::instance().showHelp(this);
}

// --- file drop --------------------------------------------------------------

void CMainDlg::dragEnterEvent(QDragEnterEvent *event)
{
    if (!firstDroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainDlg::dragMoveEvent(QDragMoveEvent *event)
{
    if (!firstDroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainDlg::dropEvent(QDropEvent *event)
{
    const QString name = firstDroppedFile(event->mimeData());
    if (name.isEmpty())
        return;
    event->acceptProposedAction();
    dropFile(name);
}

void CMainDlg::dropFile(const QString &name)
{
    // Deliberately a substring test over the whole path, as the program
    // always did: "PICS.BMP/COVER.TXT" is taken as a picture.
    static const char *const kAccepted[]
        = {".ZCV", ".JPG", ".JPEG", ".PNG", ".BMP", ".TIF", ".TIFF", ".GIF", ".ICO"};
    const QString upper = name.toUpper();
    const bool accepted = std::any_of(std::begin(kAccepted), std::end(kAccepted),
        [&](const char *ext) { return upper.contains(QLatin1String(ext)); });
    if (!accepted)
        return;

    const QByteArray stored = QFile::encodeName(name);
    const Face view = currentView();
    switch (view) {
    case Face::Front: m_doc.fImagePath = stored; break;
    case Face::Back:
        m_doc.sImagePath = stored;
        m_doc.bImagePath = stored;
        break;
    case Face::Disc: m_doc.dImagePath = stored; break;
    }
    m_state.modified = true;
    lastPath = name;

    if (name.endsWith(QLatin1String(".zcv"), Qt::CaseSensitive)) {
        // A cover file replaces the cover: the loop runs the window again on it.
        m_state.filePath = name;
        done(0);
        return;
    }
    showPictureButtonFor(view == Face::Front ? m_doc.fImagePath
            : view == Face::Back             ? m_doc.bImagePath
                                             : m_doc.dImagePath);
    refreshPreviews();
    update();
}

// --- keyboard, menu, painting -------------------------------------------------

bool CMainDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QDialog::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
        return true; // neither ends nor cancels the window
    if (key == Qt::Key_F1 && event->type() == QEvent::KeyPress) {
        onHelp();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CMainDlg::contextMenuEvent(QContextMenuEvent *event)
{
    // Stands in for the system menu, which Linux desktops do not let a
    // program extend.
    m_windowMenu->popup(event->globalPos());
}

void CMainDlg::showAboutBox()
{
    CAboutDlg about(this);
    UiHost::instance().execDialog(about);
}

void CMainDlg::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!m_exitAfterFirstPaint || m_firstPaintSeen)
        return;
    m_firstPaintSeen = true;
    // The children (the preview among them) paint in the same pass; once it
    // is over the window is complete on screen.
    QTimer::singleShot(0, this, [this] {
        QTextStream(stdout) << "first complete paint: "
                            << QString::number(msSinceProcessStart(), 'f', 0)
                            << " ms after process start\n";
        m_exitAfterFirstPaint = false;
        m_state.filePath.clear();
        done(FileCommands::kResultQuit);
    });
}
