#pragma once

#include <QList>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace testsupport {

// A CUPS scheduler of a test's own: cupsd in the foreground as a child
// process, with its configuration, spool, logs and socket in a temporary
// folder (no TCP port, so it cannot meet a cupsd someone else runs), and
// cups-pdf queues whose PDFs land in that folder too. Stopped by its pid when
// the object goes; the queue settings it had to put into /etc/cups (the only
// place cups-pdf reads them from) are removed then.
class PrivateCupsd {
public:
    PrivateCupsd();
    ~PrivateCupsd();
    PrivateCupsd(const PrivateCupsd &) = delete;
    PrivateCupsd &operator=(const PrivateCupsd &) = delete;

    // Starts cupsd and waits until it answers; false with `error` saying why.
    bool start(QString &error);
    // Adds a cups-pdf queue, the default printer unless `makeDefault` is
    // false. The queue's printable area leaves `marginPoints` at every edge
    // of A4 and Letter sheets.
    bool addPdfQueue(
        const QString &name, int marginPoints, QString &error, bool makeDefault = true);
    void stop();

    // Points this process's CUPS clients (Qt among them) at this scheduler
    // alone: its socket, its client settings, no default from elsewhere.
    // Call before anything in the process talks to CUPS.
    void useFromThisProcess() const;

    QString socketPath() const;
    QString outputFolder() const; // where cups-pdf writes
    QString spoolFolder() const; // the jobs as they were handed over (kept)

    // The ids of the completed jobs of `queue`, waiting up to `timeoutMs`
    // until there are at least `count`.
    QList<int> completedJobs(const QString &queue, int count, int timeoutMs) const;
    // The ids of the jobs of `queue` in any state.
    QList<int> allJobs(const QString &queue) const;
    // What the scheduler keeps of job `id`: its attributes by name, each
    // value as ipptool shows it ("none", "Letter", "false", "1,2").
    QMap<QString, QString> jobAttributes(int id) const;
    // The PDF files cups-pdf wrote for job `id`.
    QStringList outputsOf(int id) const;
    // The spooled file of job `id` (what the program handed over).
    QString spooledFileOf(int id) const;

    // The scheduler's error log and output, for a failure message.
    QString diagnostics() const;

    // Runs a CUPS command against this scheduler; its output, or empty with
    // `ok` false on failure.
    QString run(const QString &program, const QStringList &arguments, bool *ok = nullptr) const;

private:
    QString path(const QString &relative) const;

    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_cupsd;
    QStringList m_etcFiles; // files written into /etc/cups
};

} // namespace testsupport
