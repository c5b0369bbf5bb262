#pragma once

#include "CoverSession.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>

class RecoveryStore;

// Keeps the recovery copy of the cover being edited up to date: while the
// session has unsaved changes, the copy is written within one interval of
// every change and never more often than once an interval; when the
// session has none any more (a save, New, an undo back to the saved state)
// the copy is removed. A write that fails leaves the last complete copy as
// it was, is tried again an interval later and is announced with
// writeFailed, for the window to say once.
class RecoveryAutosave : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDefaultInterval{30000};

    explicit RecoveryAutosave(RecoveryStore &store,
        std::chrono::milliseconds interval = kDefaultInterval, QObject *parent = nullptr);
    ~RecoveryAutosave() override;

    // The session to follow from now on (none: nullptr). The copy on disk
    // is left as it is: it may be the adopted copy of a recovered cover
    // that this session is about to open.
    void watch(CoverSession *session);
    const CoverSession *session() const { return m_session; }

    // Writes the copy at once when the session has unsaved changes (the
    // program is being ended). Returns whether a copy of the cover as it is
    // now is on disk.
    bool writeNow();
    // Stops following the session: the program is ending and the copy is to
    // stay as it is.
    void freeze();

    // A write is due when the interval is over.
    bool writeScheduled() const { return m_timer.isActive(); }

Q_SIGNALS:
    // A write when the interval was over failed, for `reason` (for the
    // user). Writes at once (writeNow) are the caller's to report.
    void writeFailed(const QString &reason);

private:
    void onChanged();
    void onTimer();

    RecoveryStore &m_store;
    QPointer<CoverSession> m_session;
    QMetaObject::Connection m_changes;
    QMetaObject::Connection m_clean;
    QTimer m_timer;
    bool m_wasModified = false;
    bool m_pending = false; // changes the copy does not hold yet
    bool m_frozen = false;
};
