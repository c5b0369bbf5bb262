#include "ImportRunner.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMetaMethod>
#include <QMutexLocker>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

ImportRunner::ImportRunner(QWidget *owner, const QString &caption)
    : QObject(owner)
    , m_owner(owner)
    , m_caption(caption)
    , m_showTimer(new QTimer(this))
    , m_refresh(new QTimer(this))
{
    // A timer of its own, stopped at the end of each run: a short run's
    // wait must not show the window early in the next one.
    m_showTimer->setSingleShot(true);
    m_showTimer->setInterval(kShowAfterMs);
    connect(m_showTimer, &QTimer::timeout, this, &ImportRunner::showProgress);
    m_refresh->setInterval(kRefreshMs);
    connect(m_refresh, &QTimer::timeout, this, &ImportRunner::refresh);
}

void ImportRunner::cancel()
{
    m_cancelled = true;
}

void ImportRunner::showProgress()
{
    if (m_dialog || !m_running)
        return;
    m_dialog = new QProgressDialog(m_owner);
    m_dialog->setWindowTitle(m_caption);
    m_dialog->setCancelButtonText(QStringLiteral("Cancel"));
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(0);
    m_dialog->setMinimumWidth(360);
    connect(m_dialog, &QProgressDialog::canceled, this, &ImportRunner::cancel);
    refresh();
    m_dialog->show();
    m_refresh->start();
}

void ImportRunner::refresh()
{
    Position at;
    {
        const QMutexLocker lock(&m_latestLock);
        at = m_latest;
    }
    report(at);
}

void ImportRunner::report(const Position &at)
{
    if (!m_dialog)
        return;
    m_dialog->setRange(0, qMax(at.total, 1));
    m_dialog->setValue(at.done);
    // A job without files to count (a disc) shows a busy bar.
    if (at.total == 0) {
        m_dialog->setRange(0, 0);
        m_dialog->setLabelText(QStringLiteral("Reading\u2026"));
        return;
    }
    m_dialog->setLabelText(QStringLiteral("Reading %1 of %2 files\u2026\n%3")
                               .arg(qMin(at.done + 1, at.total))
                               .arg(at.total)
                               .arg(QFileInfo(at.file).fileName()));
}

bool ImportRunner::eventFilter(QObject *watched, QEvent *event)
{
    // While the files are read, the editor and the rest of the program take
    // no input: an import, OK or a close now would act on a listing that is
    // about to change. The progress window keeps its Cancel.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
    case QEvent::Close: {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || (m_dialog && (widget == m_dialog || m_dialog->isAncestorOf(widget))))
            return false;
        return true;
    }
    default: return false;
    }
}

bool ImportRunner::run(const Job &job)
{
    m_cancelled = false;
    m_running = true;
    m_latest = {};

    // The reading thread only notes where it is; the progress window picks
    // that up a few times a second. Waiting for the window's thread at
    // every file would cost more than reading a small file does.
    // Receivers of progressed() are the exception: the reading waits for
    // each one to be handled, so a cancel given on seeing it is seen at the
    // very next file.
    const bool stepwise = isSignalConnected(QMetaMethod::fromSignal(&ImportRunner::progressed));
    const Progress progress = [this, stepwise](int done, int total, const QString &file) {
        {
            const QMutexLocker lock(&m_latestLock);
            m_latest = {done, total, file};
        }
        if (stepwise) {
            QMetaObject::invokeMethod(
                this,
                [this, done, total, file] {
                    refresh();
                    Q_EMIT progressed(done, total, file);
                },
                Qt::BlockingQueuedConnection);
        }
        return !m_cancelled;
    };
    QThread *thread = QThread::create([&job, &progress] { job(progress); });
    QEventLoop loop;
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    m_showTimer->start();
    qApp->installEventFilter(this);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    qApp->removeEventFilter(this);
    m_showTimer->stop();
    m_refresh->stop();
    m_running = false;
    delete m_dialog;
    return !m_cancelled;
}
