// The main window's commands and window events: file buttons, options,
// alignment, file drop, the keyboard filter, closing and the About box.
#include "CAboutDlg.h"
#include "CMainDlg.h"
#include "MainDlgIds.h"
#include "dialogs/CTemplatesDlg.h"
#include "print/dialogs/PrintCommand.h"
#include "render/preview/CDVDCoverButton.h"
#include "render/preview/CSlimlineCoverButton.h"
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
    connect(
        button(ViewFront), &QAbstractButton::clicked, this, [this] { onViewButton(Face::Front); });
    connect(
        button(ViewBack), &QAbstractButton::clicked, this, [this] { onViewButton(Face::Back); });
    connect(
        button(ViewDisc), &QAbstractButton::clicked, this, [this] { onViewButton(Face::Disc); });

    connect(button(New), &QAbstractButton::clicked, this,
        [this] { endRun(m_fileCommands.newCover()); });
    connect(button(Save), &QAbstractButton::clicked, this, [this] { m_fileCommands.save(); });
    connect(
        button(Load), &QAbstractButton::clicked, this, [this] { endRun(m_fileCommands.load()); });
    connect(button(Exit), &QAbstractButton::clicked, this, &CMainDlg::reject);

    const std::pair<int, int32_t> alignments[] = {{AlignLeftButton, ::AlignLeft},
        {AlignCenterButton, ::AlignCenter}, {AlignRightButton, ::AlignRight}};
    for (const auto &[id, alignment] : alignments)
        connect(button(id), &QAbstractButton::clicked, this,
            [this, alignment = alignment] { m_faceCommands.setAlignment(m_view, alignment); });
    // The click has already toggled the box's tick.
    connect(button(ExtendImage), &QAbstractButton::clicked, this,
        [this] { m_faceCommands.setPictureExtent(m_view, button(ExtendImage)->isChecked()); });
    connect(button(PrintBorders), &QAbstractButton::clicked, this,
        [this] { m_faceCommands.setBorder(m_view, button(PrintBorders)->isChecked()); });
    connect(button(ShrinkText), &QAbstractButton::clicked, this,
        [this] { m_faceCommands.setShrinkText(m_view, button(ShrinkText)->isChecked()); });
    connect(button(CurvedText), &QAbstractButton::clicked, this,
        [this] { m_faceCommands.setCurvedText(button(CurvedText)->isChecked()); });
    connect(button(ClearImage), &QAbstractButton::clicked, this,
        [this] { m_faceCommands.clearPicture(m_view); });
    connect(button(ChooseImage), &QAbstractButton::clicked, this, [this] {
        m_faceCommands.choosePicture(m_view, lastPath);
        update();
    });
    connect(button(ChooseColor), &QAbstractButton::clicked, this, [this] {
        m_faceCommands.chooseColor(m_view);
        refreshPreviews(); // also after Cancel
    });
    connect(button(Font), &QAbstractButton::clicked, this, [this] {
        m_faceCommands.chooseFont(m_view, logicalDpiY());
        refreshPreviews(); // also after Cancel
    });
    connect(button(EditTexts), &QAbstractButton::clicked, this,
        [this] { m_faceCommands.editTexts(m_view); });
    connect(button(Help), &QAbstractButton::clicked, this, &CMainDlg::onHelp);
    connect(button(ChooseTemplate), &QAbstractButton::clicked, this, [this] {
        m_templates->chooseTemplate(templatesShown, templatesPlaced, frameGeometry(), document());
    });
    connect(button(Print), &QAbstractButton::clicked, this, [this] {
        // Save as PDF offers the cover's own name.
        PrintCommand print(this, document(), m_session.coverPath());
        if (print.run())
            discLabelPosition = print.discLabelPosition();
        refreshPreviews();
    });
    // The web address (4) is a link button: a click opens its url through
    // UiHost.
}

void CMainDlg::endRun(std::optional<int> result)
{
    if (!result)
        return;
    // The next window (another cover, the next start) opens as this one is.
    storeWindowState();
    done(*result);
}

void CMainDlg::reject()
{
    endRun(m_fileCommands.close());
}

void CMainDlg::onHelp()
{
    UiHost::instance().showHelp(this, QStringLiteral("mainwindow"));
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
    const FaceCommands::Drop kind = FaceCommands::classifyDrop(name);
    if (kind == FaceCommands::Drop::Ignored)
        return;
    if (kind == FaceCommands::Drop::CoverFile) {
        // The dropped cover replaces this one: unsaved changes are asked
        // about first, as Load asks, instead of being lost.
        if (!m_fileCommands.querySave())
            return;
        lastPath = name;
        m_session.discardChanges();
        m_session.setFilePath(name);
        done(0); // the loop runs the window again on the dropped cover
        return;
    }
    lastPath = name;
    m_faceCommands.dropPicture(m_view, name);
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
    // program extend. On a sheet's preview it offers the sheet's part names
    // first.
    QWidget *preview = currentPreview();
    const bool onSheet = preview && preview->isVisible()
        && (preview == m_dvd || preview == m_slimline)
        && preview->rect().contains(preview->mapFromGlobal(event->globalPos()));
    m_partNamesAction->setVisible(onSheet);
    m_partNamesSeparator->setVisible(onSheet);
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
        m_session.setFilePath(QString());
        done(FileCommands::kResultQuit);
    });
}
