#pragma once

#include "CommitDataRequest.h"
#include "TerminationSignals.h"
#include "document/CoverSession.h"
#include "document/RecoveryAutosave.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <chrono>

class RecoveryStore;
class QWidget;

// Keeps the cover when the program's session ends other than by the user's
// Exit: it keeps the recovery copy up to date, answers the desktop's
// request to save before a logout or shutdown, and turns SIGTERM, SIGINT,
// SIGHUP and the desktop's quit into a clean end of the program: the copy is
// written at once when the cover has unsaved changes, every modal loop
// ends, and the cover loop stops without opening a window or asking a
// question. The process then ends normally, so the picture copies go with
// it.
class SessionGuard : public QObject {
    Q_OBJECT
public:
    explicit SessionGuard(RecoveryStore &store,
        std::chrono::milliseconds autosaveInterval = RecoveryAutosave::kDefaultInterval,
        QObject *parent = nullptr);
    // A clean end (the user left the program) removes the recovery copy;
    // an end by a signal or by the desktop keeps the copy of unsaved
    // changes for the next start.
    ~SessionGuard() override;

    // The cover being edited and the window its questions belong to (none:
    // nullptr).
    void watch(CoverSession *session, QWidget *window);

    // The desktop's request to save, answered as answerCommitData() does.
    // When the desktop does not let the program ask, the copy is written at
    // once instead. After No the changes the user declined are not kept
    // when the session then ends the program, unless the cover changes
    // again first (another program may cancel the logout).
    CommitDataAnswer commitData(CommitDataRequest &request);

    // Ends the program with `exitCode` as described above. Once only.
    void endProgram(int exitCode);
    bool ending() const { return m_ending; }
    int exitCode() const { return m_exitCode; }

    RecoveryAutosave &autosave() { return m_autosave; }

    // The message that says the recovery copy cannot be kept, and its
    // caption.
    static QString copyFailureText(const QString &reason);
    static QString copyFailureCaption();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tellCopyFailure(const QString &reason);

    RecoveryStore &m_store;
    RecoveryAutosave m_autosave;
    TerminationSignals m_signals;
    QPointer<CoverSession> m_session;
    QPointer<QWidget> m_window;
    QMetaObject::Connection m_changes;
    bool m_declined = false;
    bool m_ending = false;
    bool m_keepCopy = false;
    bool m_toldCopyFailure = false;
    int m_exitCode = 0;
};
