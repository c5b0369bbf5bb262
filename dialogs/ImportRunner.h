#pragma once

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>

class QProgressDialog;
class QTimer;
class QWidget;

// Runs an import's reading of audio files on a thread of its own while the
// window stays responsive: after half a second a progress window shows the
// files read of the files found and the file being read, with Cancel. Input
// to the program's other windows waits until the reading is over.
class ImportRunner : public QObject {
    Q_OBJECT
public:
    // Called on the reading thread before each file; false: stop reading.
    using Progress = std::function<bool(int done, int total, const QString &file)>;
    using Job = std::function<void(const Progress &progress)>;

    ImportRunner(QWidget *owner, const QString &caption);

    // Runs `job` and returns when it is done; false when it was cancelled,
    // and then what it read is to be dropped.
    bool run(const Job &job);
    // Cancel: the job is told at its next file.
    void cancel();
    bool isRunning() const { return m_running; }

    // How long the reading runs before the progress window shows.
    static constexpr int kShowAfterMs = 500;
    // How often the progress window shows the reading's latest file.
    static constexpr int kRefreshMs = 50;

Q_SIGNALS:
    // On the window's thread, once per file, before the reading thread goes
    // on: a cancel from here stops it at once. Only while something is
    // connected when run() starts: the reading then waits for the window's
    // thread at every file, which the progress window alone does not need.
    void progressed(int done, int total, const QString &file);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Where the reading is, as the reading thread last said.
    struct Position {
        int done = 0, total = 0;
        QString file;
    };

    void showProgress();
    void refresh();
    void report(const Position &at);

    QWidget *m_owner;
    QString m_caption;
    QPointer<QProgressDialog> m_dialog;
    QTimer *m_showTimer;
    QTimer *m_refresh;
    std::atomic_bool m_cancelled{false};
    bool m_running = false;
    QMutex m_latestLock;
    Position m_latest; // under m_latestLock
};
