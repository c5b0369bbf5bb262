#include "TextCut.h"

namespace {

QString partName(TextCut::Part part)
{
    switch (part) {
    case TextCut::Part::Title: return QStringLiteral("title");
    case TextCut::Part::Text: return QStringLiteral("text");
    case TextCut::Part::TrackRows: return QStringLiteral("track listing");
    case TextCut::Part::SpineText: return QStringLiteral("spine text");
    case TextCut::Part::FrontTitle: return QStringLiteral("front title");
    case TextCut::Part::FrontText: return QStringLiteral("front text");
    case TextCut::Part::BackTitle: return QStringLiteral("back title");
    case TextCut::Part::BackText: return QStringLiteral("back text");
    }
    return {};
}

QString boundName(TextCut::Bound bound)
{
    switch (bound) {
    case TextCut::Bound::Cover: return QStringLiteral("cover");
    case TextCut::Bound::FrontCover: return QStringLiteral("front cover");
    case TextCut::Bound::BackCover: return QStringLiteral("back cover");
    case TextCut::Bound::Disc: return QStringLiteral("disc");
    }
    return {};
}

} // namespace

QString TextCut::message() const
{
    const QString name = partName(part);
    const QString bounds = boundName(bound);
    if (reason == Reason::Longer)
        return QStringLiteral("The %1 is longer than the spine").arg(name);
    // A text of one line is named whole; of several, counted.
    const bool whole = total <= 1;
    const bool rows = part == Part::TrackRows;
    const QString counted = rows
        ? QStringLiteral("%1 of %2 track rows").arg(cut).arg(total)
        : QStringLiteral("%1 of %2 lines of the %3").arg(cut).arg(total).arg(name);
    const QString one = QStringLiteral("The %1").arg(name);
    switch (reason) {
    case Reason::Below:
        if (whole)
            return QStringLiteral("%1 does not fit on the %2").arg(one, bounds);
        return QStringLiteral("%1 %2 not fit")
            .arg(counted, cut == 1 ? QStringLiteral("does") : QStringLiteral("do"));
    case Reason::Wider:
        if (whole)
            return QStringLiteral("%1 is wider than the %2").arg(one, bounds);
        return QStringLiteral("%1 %2 wider than the %3")
            .arg(counted, cut == 1 ? QStringLiteral("is") : QStringLiteral("are"), bounds);
    case Reason::Hub:
        if (whole)
            return QStringLiteral("%1 runs into the centre hole").arg(one);
        return QStringLiteral("%1 %2 into the centre hole")
            .arg(counted, cut == 1 ? QStringLiteral("runs") : QStringLiteral("run"));
    case Reason::Longer: break;
    }
    return {};
}

QList<TextCut> textCutsInBox(
    const QList<QRect> &lineBoxes, const QRect &box, TextCut::Part part, TextCut::Bound bound)
{
    int total = 0, below = 0, wider = 0;
    const int bottom = box.y() + box.height();
    for (const QRect &line : lineBoxes) {
        if (line.width() <= 0)
            continue;
        ++total;
        if (line.y() + line.height() > bottom)
            ++below;
        else if (line.x() < box.x() || line.x() + line.width() > box.x() + box.width())
            ++wider;
    }
    QList<TextCut> cuts;
    if (below > 0)
        cuts.append({part, TextCut::Reason::Below, bound, below, total});
    if (wider > 0)
        cuts.append({part, TextCut::Reason::Wider, bound, wider, total});
    return cuts;
}
