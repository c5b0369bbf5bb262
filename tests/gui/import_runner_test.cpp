// The progress window of a reading that runs on a thread of its own: it
// shows where the reading is without the reading waiting for it at every
// file, and its Cancel stops the reading at the next file.
#include "dialogs/ImportRunner.h"

#include <QAbstractButton>
#include <QDeadlineTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

TEST(ImportRunner, TheProgressWindowFollowsTheReadingAndItsCancelStopsIt)
{
    const QStringList files = {QStringLiteral("/music/a.flac"), QStringLiteral("/music/b.flac"),
        QStringLiteral("/music/c.flac")};
    const struct {
        const char *what;
        int cancelAt; // the file whose label has Cancel clicked; -1: none
        QStringList shown;
        int read;
        bool finished;
    } cases[] = {
        {"read to the end", -1,
            {QStringLiteral("Reading 1 of 3 files\u2026\na.flac"),
                QStringLiteral("Reading 2 of 3 files\u2026\nb.flac"),
                QStringLiteral("Reading 3 of 3 files\u2026\nc.flac")},
            3, true},
        {"cancelled on the second file", 1,
            {QStringLiteral("Reading 1 of 3 files\u2026\na.flac"),
                QStringLiteral("Reading 2 of 3 files\u2026\nb.flac")},
            2, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QWidget owner;
        ImportRunner runner(&owner, QStringLiteral("Import Tracks"));

        // The window's side: what the progress window shows, each change
        // once. Cancel is clicked before the label is passed on, so the
        // reading sees the cancel as soon as it sees the label.
        QMutex lock;
        QString latest;
        QStringList shown;
        QTimer watch;
        watch.setInterval(5);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const auto *dialog = owner.findChild<QProgressDialog *>();
            if (!dialog || !dialog->isVisible()
                || (!shown.isEmpty() && shown.last() == dialog->labelText()))
                return;
            shown << dialog->labelText();
            if (shown.size() == c.cancelAt + 1) {
                for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
                    button->click();
            }
            const QMutexLocker locked(&lock);
            latest = shown.last();
        });
        watch.start();

        // The reading's side: each file waits until the window has shown
        // it, however long the window takes to appear.
        int read = 0;
        const bool finished = runner.run([&](const ImportRunner::Progress &progress) {
            for (int i = 0; i < files.size(); ++i) {
                if (!progress(i, int(files.size()), files[i]))
                    return;
                ++read;
                const QDeadlineTimer deadline(10000);
                while (!deadline.hasExpired()) {
                    {
                        const QMutexLocker locked(&lock);
                        if (latest.endsWith(files[i].mid(files[i].lastIndexOf(u'/') + 1)))
                            break;
                    }
                    QThread::msleep(1);
                }
            }
        });
        watch.stop();
        EXPECT_EQ(shown.join(u'|').toStdString(), c.shown.join(u'|').toStdString());
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(finished, c.finished);
        EXPECT_EQ(owner.findChild<QProgressDialog *>(), nullptr);
    }
}
