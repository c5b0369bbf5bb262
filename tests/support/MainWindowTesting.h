#pragma once

// Helpers of the main window tests (header-only: the core test programs do
// not link the windows).

#include "app/CMainDlg.h"
#include "app/MainDlgIds.h"
#include "document/UserSettings.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <memory>

namespace testsupport {

// Stores `coverType` as the type the next new cover takes.
inline void storeCoverType(int coverType)
{
    clearSettings();
    UserSettings settings;
    settings.Option = uint32_t(coverType);
    settings.save();
}

// A main window initialised for a new cover of `coverType`, as a modal
// run starts it.
inline std::unique_ptr<CMainDlg> newMainWindow(int coverType)
{
    storeCoverType(coverType);
    auto window = std::make_unique<CMainDlg>();
    window->initDialog();
    return window;
}

// A main window initialised on the cover file at `path`, as a modal run
// that opens a cover starts it.
inline std::unique_ptr<CMainDlg> mainWindowOn(const QString &path)
{
    auto window = std::make_unique<CMainDlg>();
    window->setFilePath(path);
    window->initDialog();
    return window;
}

// Where control `id` lies in the window (the previews sit in the preview
// area, the file buttons in the banner).
inline QRect placeInWindow(const CMainDlg &window, int id)
{
    const QWidget *control = window.control(id);
    return QRect(control->mapTo(&window, QPoint(0, 0)), control->size());
}

// Changes the window's cover as a command would.
inline void editCover(CMainDlg &window, const CoverSession::Edit &edit)
{
    window.session().change(QStringLiteral("Test"), edit);
}

// The results a dialog's modal runs ended with (done() calls), in order.
struct FinishedRecorder {
    explicit FinishedRecorder(QDialog &dialog)
    {
        QObject::connect(
            &dialog, &QDialog::finished, &dialog, [this](int result) { results.append(result); });
    }
    QList<int> results;
};

inline bool shown(const QWidget *w)
{
    return w && !w->isHidden();
}

inline void clickControl(CMainDlg &window, int id)
{
    window.button(id)->click();
}

// Drags `mime` onto the window and drops it there, as a file manager does.
// Returns whether the window accepted the drag.
inline bool dragAndDrop(CMainDlg &window, const QMimeData &mime)
{
    const QPoint at(100, 100);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return true;
}

// Drops local files on the window.
inline bool dropFiles(CMainDlg &window, const QStringList &paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    return dragAndDrop(window, mime);
}

} // namespace testsupport
