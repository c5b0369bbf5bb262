#include "RecoveryAutosave.h"

#include "CoverSession.h"
#include "RecoveryStore.h"

RecoveryAutosave::RecoveryAutosave(
    RecoveryStore &store, std::chrono::milliseconds interval, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
    // One shot, started by the first change after a write and not by the
    // ones that follow it: a stream of edits is written once an interval,
    // and no edit waits longer than one.
    m_timer.setSingleShot(true);
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryAutosave::onTimer);
}

RecoveryAutosave::~RecoveryAutosave() = default;

void RecoveryAutosave::watch(CoverSession *session)
{
    disconnect(m_changes);
    disconnect(m_clean);
    m_timer.stop();
    m_session = session;
    m_wasModified = session && session->isModified();
    m_pending = m_wasModified;
    if (!session || m_frozen)
        return;
    m_changes = connect(session, &CoverSession::changed, this, &RecoveryAutosave::onChanged);
    // An undo announces its document while the stack still stands on the
    // step undone; reaching the saved state is known only afterwards.
    m_clean = connect(
        &session->undoStack(), &QUndoStack::cleanChanged, this, &RecoveryAutosave::onChanged);
    if (m_pending)
        m_timer.start();
}

void RecoveryAutosave::onChanged()
{
    if (m_frozen || !m_session)
        return;
    const bool modified = m_session->isModified();
    if (modified) {
        m_pending = true;
        if (!m_timer.isActive())
            m_timer.start();
    } else if (m_wasModified) {
        // Only a change from unsaved to saved removes the copy: opening a
        // cover starts from an unmodified session, and the copy on disk
        // may be the recovered cover that is being opened.
        m_timer.stop();
        m_pending = false;
        m_store.remove(m_session->isSavedAsIs());
    }
    m_wasModified = modified;
}

void RecoveryAutosave::onTimer()
{
    if (m_frozen || !m_session || !m_session->isModified() || !m_pending)
        return;
    // The last complete copy (if any) stays where it is, and a full disk
    // may have room by the next interval.
    const RecoveryStore::WriteResult written = m_store.write(m_session->document());
    if (written) {
        m_pending = false;
        return;
    }
    m_timer.start();
    Q_EMIT writeFailed(written.reason);
}

bool RecoveryAutosave::writeNow()
{
    if (m_frozen || !m_session || !m_session->isModified())
        return false;
    m_timer.stop();
    if (!m_pending && m_store.hasCopy())
        return true;
    if (!m_store.write(m_session->document())) {
        // The program may go on (a logout another program cancelled): the
        // copy is tried again an interval later.
        m_timer.start();
        return false;
    }
    m_pending = false;
    return true;
}

void RecoveryAutosave::freeze()
{
    m_frozen = true;
    m_timer.stop();
    disconnect(m_changes);
    disconnect(m_clean);
}
