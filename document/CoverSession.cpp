#include "CoverSession.h"

#include <QUndoCommand>
#include <utility>

// One edit: the whole document before and after it. A document is a few
// kilobytes of fields and picture paths (never the pictures' pixels), so
// whole copies are simpler and safer than undoing field by field.
class CoverSession::Step : public QUndoCommand {
public:
    Step(CoverSession &session, const QString &name, const CoverDocument &before,
        const CoverDocument &after)
        : QUndoCommand(name)
        , m_session(session)
        , m_before(before)
        , m_after(after)
    {
    }

    // The stack announces the change once its index has moved, so that
    // whoever hears of it sees the modified state after the step.
    void undo() override { m_session.m_doc = m_before; }
    void redo() override { m_session.m_doc = m_after; }

private:
    CoverSession &m_session;
    const CoverDocument m_before;
    const CoverDocument m_after;
};

CoverSession::CoverSession(QObject *parent)
    : QObject(parent)
{
    // Undoing or redoing back to the state last saved leaves nothing to save.
    connect(&m_undo, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            m_modifiedWithoutStep = false;
    });
    // Every push, undo and redo moves the index; the stack tells of the
    // clean state only after that, so it is settled here first.
    connect(&m_undo, &QUndoStack::indexChanged, this, [this] {
        if (m_clearing)
            return;
        if (m_undo.isClean())
            m_modifiedWithoutStep = false;
        Q_EMIT changed();
    });
}

CoverSession::~CoverSession()
{
    // The steps refer to this session: they go before it does, and nobody
    // hears of a session that is going away.
    disconnect(&m_undo, nullptr, this, nullptr);
    m_undo.clear();
}

bool CoverSession::change(const QString &name, const Edit &edit)
{
    CoverDocument after = m_doc;
    edit(after);
    if (after == m_doc) {
        markModified();
        return false;
    }
    m_undo.push(new Step(*this, name, m_doc, after));
    return true;
}

void CoverSession::beginLiveEdit()
{
    m_liveEdit = LiveEdit{m_doc, m_doc};
}

void CoverSession::liveEdit(const Edit &edit)
{
    CoverDocument after = m_doc;
    edit(after);
    if (after != m_doc)
        setDocument(after);
}

bool CoverSession::finishLiveEdit(const QString &name)
{
    if (!m_liveEdit)
        return false;
    const LiveEdit edit = *std::exchange(m_liveEdit, std::nullopt);
    const bool stepped = edit.before != m_doc;
    // The step's first redo sets the document it already holds.
    if (stepped)
        m_undo.push(new Step(*this, name, edit.before, m_doc));
    // Saved (or discarded) while the dialog was open: the cover counts as
    // unmodified as it was then, which is where the step ends when nothing
    // changed since, and nowhere in the history otherwise.
    if (edit.unmodified != edit.before) {
        if (edit.unmodified == m_doc) {
            m_undo.setClean();
            m_modifiedWithoutStep = false;
        } else {
            m_undo.resetClean();
        }
        Q_EMIT changed();
    }
    return stepped;
}

void CoverSession::adjust(const Edit &edit)
{
    CoverDocument after = m_doc;
    edit(after);
    if (after == m_doc)
        return;
    // Earlier steps hold documents without this adjustment; the history of
    // an opened cover starts after it.
    const bool wasModified = isModified();
    clearHistory();
    m_modifiedWithoutStep = wasModified;
    setDocument(after);
}

void CoverSession::reset(const CoverDocument &doc)
{
    m_liveEdit.reset();
    m_saved.reset();
    clearHistory();
    m_modifiedWithoutStep = false;
    setDocument(doc);
}

void CoverSession::markModified()
{
    m_modifiedWithoutStep = true;
    Q_EMIT changed();
}

void CoverSession::markSaved(const QString &path)
{
    m_filePath = path;
    m_coverPath = path;
    m_saved = m_doc;
    discardChanges();
}

void CoverSession::discardChanges()
{
    if (m_liveEdit)
        m_liveEdit->unmodified = m_doc;
    m_undo.setClean();
    m_modifiedWithoutStep = false;
    Q_EMIT changed();
}

void CoverSession::clearHistory()
{
    // The document is announced once it is set, not while the steps go.
    m_clearing = true;
    m_undo.clear();
    m_clearing = false;
}

void CoverSession::setDocument(const CoverDocument &doc)
{
    m_doc = doc;
    Q_EMIT changed();
}
