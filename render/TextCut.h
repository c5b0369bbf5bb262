#pragma once

#include <QList>
#include <QRect>
#include <QString>

// Text a face could not show in full: lines below the bottom of their box,
// lines wider than it, track rows that did not fit, a spine text longer
// than the spine. Drawing is unchanged by it; it is what the preview marks,
// what printing asks about and what the exports warn of.
struct TextCut {
    enum class Part {
        Title,
        Text,
        TrackRows,
        SpineText,
        FrontTitle,
        FrontText,
        BackTitle,
        BackText
    };
    enum class Reason {
        Below, // lines below the bottom of their box
        Wider, // lines wider than the face or their panel
        Hub, // lines that run into the disc's centre hole
        Longer, // a spine text longer than the spine
    };
    // What the text would be cut by, for the message.
    enum class Bound { Cover, FrontCover, BackCover, Disc };

    Part part = Part::Text;
    Reason reason = Reason::Below;
    Bound bound = Bound::Cover;
    int cut = 0; // lines (or rows) cut
    int total = 0; // lines (or rows) with something on them

    // "3 of 25 track rows do not fit", "The title is wider than the cover".
    QString message() const;

    bool operator==(const TextCut &) const = default;
};

// What a box of text showed: the cuts of one drawTextInBox call measured
// from the boxes of its lines (TextDrawing.h). Empty lines count for
// nothing; a line counts as below when any of it is below `box`, as wider
// when it reaches outside the box at either side.
QList<TextCut> textCutsInBox(
    const QList<QRect> &lineBoxes, const QRect &box, TextCut::Part part, TextCut::Bound bound);
