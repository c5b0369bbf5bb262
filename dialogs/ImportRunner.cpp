#include "ImportRunner.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

ImportRunner::ImportRunner(QWidget *owner, const QString &caption)
    : QObject(owner)
    , m_owner(owner)
    , m_caption(caption)
{
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
    report(m_done, m_total, m_file);
    m_dialog->show();
}

void ImportRunner::report(int done, int total, const QString &file)
{
    m_done = done;
    m_total = total;
    m_file = file;
    if (!m_dialog)
        return;
    m_dialog->setRange(0, qMax(total, 1));
    m_dialog->setValue(done);
    // A job without files to count (a disc) shows a busy bar.
    if (total == 0) {
        m_dialog->setRange(0, 0);
        m_dialog->setLabelText(QStringLiteral("Reading\u2026"));
        return;
    }
    m_dialog->setLabelText(QStringLiteral("Reading %1 of %2 files\u2026\n%3")
                               .arg(qMin(done + 1, total))
                               .arg(total)
                               .arg(QFileInfo(file).fileName()));
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
    m_done = m_total = 0;
    m_file.clear();

    // The reading thread waits for each report to be handled, so a cancel
    // given on seeing it is seen at the very next file.
    const Progress progress = [this](int done, int total, const QString &file) {
        QMetaObject::invokeMethod(
            this,
            [this, done, total, file] {
                report(done, total, file);
                Q_EMIT progressed(done, total, file);
            },
            Qt::BlockingQueuedConnection);
        return !m_cancelled;
    };
    QThread *thread = QThread::create([&job, &progress] { job(progress); });
    QEventLoop loop;
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kShowAfterMs, this, &ImportRunner::showProgress);
    qApp->installEventFilter(this);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    qApp->removeEventFilter(this);
    m_running = false;
    delete m_dialog;
    return !m_cancelled;
}
