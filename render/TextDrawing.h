#pragma once

#include "document/Alignment.h"
#include "document/Colors.h"
#include "document/LogFont.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class DeviceContext;

// Text output with the semantics the faces were designed around: no word
// wrap, lines break only at CR, LF, CR LF or LF CR, each line aligned on its own,
// output clipped to the box. All lengths are device pixels of the painter's
// device.

// A font from a stored font record at a device height. A negative height is
// the character (em) height, a positive one the cell height (ascent +
// descent), as the stored font records mean it. A face name such as
// "Verdana Bold" names the family Verdana with bold weight. `escapement`
// other than 0 is carried by the drawing call, not the font.
QFont fontFromLogFont(const LogFont &font, int deviceHeight);

// Width and height of `text` on one line (no prefix processing), measured
// for the painter's device. The height is the font's cell height.
QSize textExtent(DeviceContext &dc, const QFont &font, const QString &text);

// textExtent's width, but a line of many thousand characters is measured
// only until it is wider than `limit`: then the width measured so far, more
// than `limit`, is returned.
int lineWidthWithin(DeviceContext &dc, const QFont &font, const QString &text, int limit);

// Prefix processing: "&&" shows as "&"; a single "&" marks a mnemonic and is
// not shown.
QString stripPrefixes(const QString &text);

// The lines of a text as the box drawing breaks them.
QStringList splitTextLines(const QString &text);

// Draws `text` into `box` with `format` (0 left, 1 centred, 2 right per
// line), after prefix processing, clipped to the box and to whatever clip the
// painter already has. Returns the height of the text drawn (line count x
// cell height). Of a left- or right-aligned line of many thousand
// characters only the part that reaches into the box is laid out.
// `lineBoxes`, when given, gets the box of every line in order, drawn or
// not (an empty line is 0 wide), for telling what did not fit.
int drawTextInBox(DeviceContext &dc, const QFont &font, QColor color, const QString &text,
    const QRect &box, int format, QList<QRect> *lineBoxes = nullptr);

// Draws one line rotated by `escapement` tenths of a degree (-900 reads top
// to bottom, +900 bottom to top; 0 is upright), the text cell's top-left
// corner (before rotation) at `origin`, clipped to `clip`. No prefix
// processing.
void drawRotatedText(DeviceContext &dc, const QFont &font, QColor color, int escapement,
    const QPoint &origin, const QRect &clip, const QString &text);

// One text output, as a renderer asked for it.
struct TextDrawCall {
    enum class Kind { Box, Rotated, Arc } kind = Kind::Box;
    QString text; // as handed in (before prefix processing)
    QRect box; // the box, or the clip of a rotated text
    int format = 0; // Box
    int escapement = 0; // Rotated
    QPoint origin; // Rotated
    QString family;
    int pixelSize = 0; // em height in device pixels
    int weight = 400;
    bool italic = false;
    QColor color;
    // Arc (ArcText.h): `text` is its lines joined by LF, `box` the square
    // around the outer circle, `origin` the centre, `format` the alignment.
    int hubRadius = 0;
    bool bottomArc = false;
};

class TextDrawObserver {
public:
    virtual ~TextDrawObserver() = default;
    virtual void textDrawn(const TextDrawCall &call) = 0;
};

// Keeps every call, in order.
class TextDrawRecorder : public TextDrawObserver {
public:
    void textDrawn(const TextDrawCall &call) override { calls.append(call); }
    QList<TextDrawCall> calls;
};
