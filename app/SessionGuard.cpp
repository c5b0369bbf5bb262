#include "SessionGuard.h"

#include "document/CoverSession.h"
#include "document/ProductInfo.h"
#include "document/RecoveryStore.h"
#include "widgets/UiHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

namespace {

class QtCommitDataRequest : public CommitDataRequest {
public:
    explicit QtCommitDataRequest(QSessionManager &manager)
        : m_manager(manager)
    {
    }
    bool allowsInteraction() override { return m_manager.allowsInteraction(); }
    void cancel() override { m_manager.cancel(); }

private:
    QSessionManager &m_manager;
};

// The status of a program that ended on a signal, as a shell reports it:
// scripts can tell it from the user's Exit, and the cleanup still ran.
int signalExitCode(int signalNumber)
{
    return 128 + signalNumber;
}

} // namespace

SessionGuard::SessionGuard(
    RecoveryStore &store, std::chrono::milliseconds autosaveInterval, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_autosave(store, autosaveInterval)
{
    connect(&m_autosave, &RecoveryAutosave::writeFailed, this, &SessionGuard::tellCopyFailure);
    connect(&m_signals, &TerminationSignals::received, this,
        [this](int signalNumber) { endProgram(signalExitCode(signalNumber)); });
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        // Called while the desktop waits: a direct connection.
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
            QtCommitDataRequest request(manager);
            commitData(request);
        });
    }
    // The desktop's session manager ends a program with a quit event; the
    // cover loop runs modal windows only, so it is handled here.
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

SessionGuard::~SessionGuard()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_autosave.freeze();
    if (!m_keepCopy)
        m_store.remove();
}

void SessionGuard::watch(CoverSession *session, QWidget *window)
{
    disconnect(m_changes);
    m_session = session;
    m_window = window;
    m_declined = false;
    m_autosave.watch(session);
    if (session)
        m_changes = connect(session, &CoverSession::changed, this, [this] { m_declined = false; });
}

CommitDataAnswer SessionGuard::commitData(CommitDataRequest &request)
{
    if (!m_session || m_ending)
        return CommitDataAnswer::NothingToSave;
    const CommitDataAnswer answer = answerCommitData(request, *m_session, m_window);
    if (answer == CommitDataAnswer::NotAsked)
        m_autosave.writeNow();
    m_declined = answer == CommitDataAnswer::NotSaved;
    return answer;
}

void SessionGuard::endProgram(int exitCode)
{
    if (m_ending)
        return;
    m_ending = true;
    m_exitCode = exitCode;
    if (m_session && m_session->isModified() && !m_declined) {
        // Even when this write fails, the last copy is the best there is.
        m_autosave.writeNow();
        m_keepCopy = true;
    }
    m_autosave.freeze();
    // Ends every event loop that runs now, and makes the ones that would
    // start later (a question a command asks once its dialog is gone)
    // return at once.
    QCoreApplication::exit(exitCode);
}

QString SessionGuard::copyFailureText(const QString &reason)
{
    return QStringLiteral("%1 cannot keep a recovery copy of the cover's unsaved changes. %2\n\n"
                          "If the program is ended before the cover is saved, the changes made "
                          "since the last copy are lost.")
        .arg(ProductInfo::name(), reason);
}

QString SessionGuard::copyFailureCaption()
{
    return QStringLiteral("Recovery Copy");
}

void SessionGuard::tellCopyFailure(const QString &reason)
{
    // Once a run: the copy is tried again every interval, and the user
    // needs to hear of it once, not every time.
    if (m_toldCopyFailure || m_ending)
        return;
    // Not over a dialog the user is working in: the next failed attempt
    // says it once the window is on top again.
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != m_window)
        return;
    m_toldCopyFailure = true;
    UiHost::instance().message(m_window, copyFailureText(reason), copyFailureCaption(),
        UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
}

bool SessionGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance()) {
        endProgram(0);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
