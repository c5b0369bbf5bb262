#include "RecoveryOffer.h"

#include "document/ProductInfo.h"
#include "document/RecoveryStore.h"
#include "widgets/UiHost.h"

QString recoveryQuestionText()
{
    return ProductInfo::name()
        + QStringLiteral(
            " was closed while a cover had unsaved changes. Open the recovered cover?");
}

QString recoveryQuestionCaption()
{
    return QStringLiteral("Recover Cover");
}

QString offerRecoveredCover(RecoveryStore &store, QWidget *parent)
{
    QString taken;
    bool asking = true;
    for (const QString &copy : store.claimAbandoned()) {
        if (!asking) {
            store.release(copy);
            continue;
        }
        switch (UiHost::instance().message(parent, recoveryQuestionText(),
            recoveryQuestionCaption(), UiHost::Buttons::YesNo, UiHost::Icon::Question)) {
        case UiHost::Answer::Yes:
            taken = store.adopt(copy);
            asking = false;
            break;
        case UiHost::Answer::No: store.discard(copy); break;
        default:
            store.release(copy);
            asking = false;
            break;
        }
    }
    return taken;
}
