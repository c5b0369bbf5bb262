#pragma once

class CoverSession;
class QWidget;

// What answering the desktop's request to save before the session ends
// (logout, shutdown) needs of the session manager: a QSessionManager in the
// program, a script in the tests.
class CommitDataRequest {
public:
    virtual ~CommitDataRequest() = default;
    // Whether the program may ask the user now.
    virtual bool allowsInteraction() = 0;
    // Asks the desktop not to end the session (where the desktop allows it).
    virtual void cancel() = 0;
};

enum class CommitDataAnswer {
    NothingToSave, // no unsaved changes
    NotAsked, // changes, but the desktop does not let the program ask
    Saved, // Yes, and the save happened
    NotSaved, // No: the session may end without the changes
    Cancelled, // Cancel, a dismissed question, or a save that did not happen
};

// Asks the save question ("Yes", "No", "Cancel") when the cover has unsaved
// changes and the desktop allows it: Yes saves and cancels the logout when
// the save does not happen, No lets the session end, Cancel cancels it.
CommitDataAnswer answerCommitData(
    CommitDataRequest &request, CoverSession &session, QWidget *parent);
