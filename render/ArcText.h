#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QStringList>

class DeviceContext;

// Text that runs along the edge of a round disc label, centred on the
// vertical axis through the disc's centre, reading left to right on either
// side. All lengths are device pixels of the painter's device, angles
// radians.
//
// Where the lines go. L is the font's cell height (ascent + descent, the line
// height of the box drawing). The outermost line's cell keeps a margin of one
// L from `outerRadius` (the label's edge); each further line's cell lies one L
// further in. Along the top the glyphs' tops point outwards and the text runs
// clockwise; the first line is the outermost and later lines follow inwards,
// so the text reads top to bottom. Along the bottom the glyphs' tops point to
// the centre and the text runs counter-clockwise; the last line is the
// outermost and earlier lines lie further in, so this text also reads top to
// bottom.
//
// Alignment (0 left, 1 centred, 2 right, any other value left, as the box
// drawing takes it) moves each line along its usable arc: the half circle
// above (or below) the horizontal line through the centre, less half a line
// height at either end. Left-aligned lines start at the arc's left end,
// right-aligned ones end at its right end, centred ones straddle the axis.
// The half line height at each end keeps a top and a bottom text a full line
// height apart where they meet.
//
// Glyphs are placed one by one: each stands on the line's baseline circle,
// turned to the tangent at its middle. Lengths along the line become angles
// on the circle halfway up the capitals, so that letters neither crowd nor
// fan out on either side and the top and bottom texts look alike. Shaping
// and kerning are the font's own (the faces' fonts have pair kerning off).
//
// A line is cut when its cell would reach into the hub (its inner edge less
// than `hubRadius`) or when it is longer than its usable arc. A line reaching
// the hub is not drawn at all: the hub is kept free of ink, and the lines
// beyond it would only be more of them. A line too long for its arc is drawn
// as far as it fits: glyphs that would leave the usable arc are left out
// whole, as the box drawing clips a line too wide for its box (at the right
// end when left-aligned, at the left end when right-aligned, at both when
// centred). An empty line takes its place but is never cut. A line of more
// than 8192 characters is always cut: at any legible size it is far longer
// than a disc's half circle, and only its part that can show is laid out.
//
// Clipping to the label and drawing or sparing the hub stay the caller's:
// these functions only draw glyphs, in the painter's current clip, with its
// current transform, on any paint device (images, PDF, printers). Lines are
// drawn as given: no prefix processing, no line breaking.

enum class ArcSide {
    Top, // above the hub, reading clockwise, tops outwards
    Bottom, // below the hub, reading counter-clockwise, tops to the centre
};

// Where one line went. Angles are measured from the vertical axis, negative
// to the left of it, on the line's side (the top side's 0 is straight up,
// the bottom side's straight down).
struct ArcLine {
    enum class Cut {
        None,
        ReachesHub, // not drawn
        TooLong, // drawn as far as its usable arc reaches
    };
    double baselineRadius = 0;
    double innerRadius = 0; // the line's cell, from its inner edge ...
    double outerRadius = 0; // ... to its outer edge
    double startAngle = 0; // the line's ends at the circle halfway up the capitals,
    double endAngle = 0; // as laid out (a too-long line runs past the usable arc)
    double usableAngle = 0; // half of the usable arc: it reaches from -usableAngle to +usableAngle
    Cut cut = Cut::None;
};

struct ArcTextResult {
    QList<ArcLine> lines; // one for each line handed in, in the same order

    // The indices of the lines cut, in order.
    QList<int> cutLines() const;
    bool anyCut() const { return !cutLines().isEmpty(); }
};

// Where `lines` would go, without drawing them: for fit checks.
ArcTextResult layoutTextAlongCircle(DeviceContext &dc, const QFont &font, const QStringList &lines,
    QPointF center, double outerRadius, double hubRadius, ArcSide side, int alignment);

// Draws `lines` in `color` along the circle of `outerRadius` around `center`
// and returns where they went and which were cut. Tells the context's text
// observer of the call (one TextDrawCall of kind Arc).
ArcTextResult drawTextAlongCircle(DeviceContext &dc, const QFont &font, QColor color,
    const QStringList &lines, QPointF center, double outerRadius, double hubRadius, ArcSide side,
    int alignment);
