#include "CommitDataRequest.h"

#include "FileCommands.h"
#include "document/CoverSession.h"
#include "widgets/UiHost.h"

CommitDataAnswer answerCommitData(
    CommitDataRequest &request, CoverSession &session, QWidget *parent)
{
    if (!session.isModified())
        return CommitDataAnswer::NothingToSave;
    if (!request.allowsInteraction())
        return CommitDataAnswer::NotAsked;
    // With Cancel, because here the user can keep the session and go on
    // working, which the close question has no need to offer.
    switch (UiHost::instance().message(parent, FileCommands::saveChangesText(),
        FileCommands::saveChangesCaption(), UiHost::Buttons::YesNoCancel, UiHost::Icon::Question)) {
    case UiHost::Answer::Yes: {
        FileCommands commands(parent, session);
        commands.save();
        if (!session.isModified())
            return CommitDataAnswer::Saved;
        request.cancel(); // a cancelled or failed save must not lose the cover
        return CommitDataAnswer::Cancelled;
    }
    case UiHost::Answer::No: return CommitDataAnswer::NotSaved;
    default: request.cancel(); return CommitDataAnswer::Cancelled;
    }
}
