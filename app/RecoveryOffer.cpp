#include "RecoveryOffer.h"

#include "document/CoverDocument.h"
#include "document/DisplayText.h"
#include "document/ProductInfo.h"
#include "widgets/UiHost.h"

#include <QLocale>

namespace {

// Longer titles are cut: the question is a message box, not the cover.
constexpr qsizetype kShownTitle = 60;

QString coverTypeName(int32_t type)
{
    switch (type) {
    case StandardCD: return QStringLiteral("standard CD");
    case StandardDVD: return QStringLiteral("standard DVD");
    case SlimlineCD: return QStringLiteral("slimline CD");
    case SlimlineDVD: return QStringLiteral("slimline DVD");
    case Other: return QStringLiteral("custom size");
    default: return QString();
    }
}

QString shownTitle(const QByteArray &title)
{
    QString shown = displayText(title).section(QLatin1Char('\n'), 0, 0);
    shown = shown.section(QLatin1Char('\r'), 0, 0).trimmed();
    if (shown.size() > kShownTitle)
        shown = shown.left(kShownTitle - 1).trimmed() + QChar(0x2026);
    return shown;
}

} // namespace

QString recoveryQuestionText(const RecoveryStore::CopyInfo &cover)
{
    const QString title = shownTitle(cover.title);
    const QString type = coverTypeName(cover.coverType);
    QString what = title.isEmpty() ? QStringLiteral("An untitled cover")
                                   : QStringLiteral("The cover \u201c%1\u201d").arg(title);
    if (!type.isEmpty())
        what += QStringLiteral(" (%1)").arg(type);
    if (cover.written.isValid())
        what += QStringLiteral(", last changed %1")
                    .arg(QLocale().toString(cover.written, QLocale::ShortFormat));
    return QStringLiteral("%1 was closed while a cover had unsaved changes.\n\n%2.\n\n"
                          "Open the recovered cover? No discards it for good.")
        .arg(ProductInfo::name(), what);
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
        switch (
            UiHost::instance().message(parent, recoveryQuestionText(RecoveryStore::describe(copy)),
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
