#include "TextDrawing.h"

#include "DeviceContext.h"
#include "document/DisplayText.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Larger glyphs than this are no longer text a cover can show; a hostile
// cover file must not make the font engine rasterise absurd sizes.
constexpr int kMaxPixelSize = 8000;

struct FaceNameParts {
    QString family;
    bool bold = false;
    bool italic = false;
};

// Font records name styled faces the way the old font mapper accepted them
// ("Verdana Bold"); fontconfig wants the family and the style apart.
FaceNameParts splitFaceName(const QString &faceName)
{
    FaceNameParts parts;
    QString name = faceName.trimmed();
    for (bool changed = true; changed;) {
        changed = false;
        for (const char *suffix : {" Bold", " Italic", " Oblique"}) {
            const QString s = QLatin1String(suffix);
            if (name.endsWith(s, Qt::CaseInsensitive) && name.size() > s.size()) {
                name.chop(s.size());
                name = name.trimmed();
                if (s == QLatin1String(" Bold"))
                    parts.bold = true;
                else
                    parts.italic = true;
                changed = true;
            }
        }
    }
    parts.family = name;
    return parts;
}

QPaintDevice *deviceOf(DeviceContext &dc)
{
    return dc.painter().device();
}

QFontMetrics metricsOn(DeviceContext &dc, const QFont &font)
{
    QPaintDevice *device = deviceOf(dc);
    return device ? QFontMetrics(font, device) : QFontMetrics(font);
}

// Laying out a line takes about a third of a second per million characters,
// and no box shows more than a few thousand. A line longer than this is
// nothing a person typed (a damaged track listing, say), and is laid out
// only as far as a box can show it.
constexpr qsizetype kLongLine = 8192;

// Whether the bidirectional algorithm may reorder the line: then the part a
// box shows is not a plain prefix or suffix, and the line is laid out whole.
bool mayReorder(const QString &line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        char32_t c = line.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < line.size() && line.at(i + 1).isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), line.at(++i).unicode());
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirPDF:
        case QChar::DirRLI:
        case QChar::DirLRI:
        case QChar::DirFSI:
        case QChar::DirPDI: return true;
        default: break;
        }
    }
    return false;
}

struct LinePart {
    qsizetype length = 0; // characters from the line's start (or end)
    int width = 0; // their width, measured piece by piece
};

// The shortest run of pieces from the line's start (or its end) that is
// wider than `width` plus a glyph's overhang; everything beyond lies outside
// a box that wide. The whole line when it is not that wide.
LinePart coveringPart(const QFontMetrics &fm, const QString &line, int width, bool fromEnd)
{
    const int reach = width + 2 * fm.height();
    LinePart part;
    while (part.length < line.size() && part.width <= reach) {
        qsizetype n = qMin(kLongLine, line.size() - part.length);
        qsizetype from = fromEnd ? line.size() - part.length - n : part.length;
        // Pieces never split a surrogate pair.
        if (fromEnd && from > 0 && line.at(from).isLowSurrogate()
            && line.at(from - 1).isHighSurrogate()) {
            --from;
            ++n;
        } else if (!fromEnd && from + n < line.size() && line.at(from + n - 1).isHighSurrogate()
            && line.at(from + n).isLowSurrogate()) {
            ++n;
        }
        part.width += fm.horizontalAdvance(line.mid(from, n));
        part.length += n;
    }
    return part;
}

// What of a line drawn left- or right-aligned can reach into a box `width`
// wide: the line itself unless it is a long one.
QString visibleLine(const QFontMetrics &fm, const QString &line, int width, int format)
{
    if (line.size() <= kLongLine || format == AlignCenter || mayReorder(line))
        return line;
    const bool fromEnd = format == AlignRight;
    const qsizetype length = coveringPart(fm, line, width, fromEnd).length;
    return fromEnd ? line.right(length) : line.left(length);
}

void notify(DeviceContext &dc, TextDrawCall call, const QFont &font, QColor color)
{
    TextDrawObserver *observer = dc.textObserver();
    if (!observer)
        return;
    call.family = font.family();
    call.pixelSize = font.pixelSize();
    call.weight = font.weight();
    call.italic = font.italic();
    call.color = color;
    observer->textDrawn(call);
}

} // namespace

QFont fontFromLogFont(const LogFont &record, int deviceHeight)
{
    const FaceNameParts parts = splitFaceName(displayText(record.faceName));
    QFont font;
    if (!parts.family.isEmpty())
        font.setFamilies({parts.family});
    font.setStyleStrategy(QFont::PreferOutline);
    font.setKerning(false); // the faces were laid out without pair kerning

    int weight = record.weight <= 0 ? 400 : std::clamp<int>(record.weight, 1, 1000);
    if (parts.bold)
        weight = std::max(weight, 700);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(record.italic != 0 || parts.italic);
    font.setUnderline(record.underline != 0);
    font.setStrikeOut(record.strikeOut != 0);

    int pixels = 0;
    if (deviceHeight < 0) {
        pixels = deviceHeight == std::numeric_limits<int>::min() ? kMaxPixelSize : -deviceHeight;
    } else if (deviceHeight > 0) {
        // A positive height is the whole cell; find the em size that gives it.
        QFont probe = font;
        probe.setPixelSize(1000);
        const QFontMetricsF fm(probe);
        const double cell = fm.ascent() + fm.descent();
        pixels = cell > 0 ? int(std::lround(deviceHeight * 1000.0 / cell)) : deviceHeight;
    }
    font.setPixelSize(std::clamp(pixels, 1, kMaxPixelSize));
    return font;
}

QString stripPrefixes(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('&')) {
            out.append(c);
            continue;
        }
        if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
            out.append(c);
            ++i;
        }
        // A single "&" only marks the next character as a mnemonic.
    }
    return out;
}

QStringList splitTextLines(const QString &text)
{
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            current.append(c);
            continue;
        }
        lines.append(current);
        current.clear();
        // CR LF and LF CR (the track listing's row ending) are one break each;
        // two equal characters are two.
        const QChar partner = c == QLatin1Char('\r') ? QLatin1Char('\n') : QLatin1Char('\r');
        if (i + 1 < text.size() && text.at(i + 1) == partner)
            ++i;
    }
    lines.append(current);
    return lines;
}

QSize textExtent(DeviceContext &dc, const QFont &font, const QString &text)
{
    const QFontMetrics fm = metricsOn(dc, font);
    return QSize(fm.horizontalAdvance(text), fm.height());
}

int lineWidthWithin(DeviceContext &dc, const QFont &font, const QString &text, int limit)
{
    const QFontMetrics fm = metricsOn(dc, font);
    if (text.size() <= kLongLine || mayReorder(text))
        return fm.horizontalAdvance(text);
    const LinePart part = coveringPart(fm, text, limit, false);
    return part.length < text.size() ? part.width : fm.horizontalAdvance(text);
}

int drawTextInBox(DeviceContext &dc, const QFont &font, QColor color, const QString &text,
    const QRect &box, int format, QList<QRect> *lineBoxes)
{
    TextDrawCall call;
    call.kind = TextDrawCall::Kind::Box;
    call.text = text;
    call.box = box;
    call.format = format;
    notify(dc, call, font, color);

    if (lineBoxes)
        lineBoxes->clear();
    if (text.isEmpty())
        return 0;
    const QFontMetrics fm = metricsOn(dc, font);
    const QStringList lines = splitTextLines(stripPrefixes(text));
    const int lineHeight = fm.height();
    const bool drawn = box.width() > 0 && box.height() > 0;

    QPainter &p = dc.painter();
    if (drawn) {
        p.save();
        p.setClipRect(box, Qt::IntersectClip);
        p.setFont(font);
        p.setPen(color);
    }
    const int boxLeft = box.left();
    const int boxRight = box.left() + box.width(); // exclusive
    int top = box.top();
    const int boxBottom = box.top() + box.height();
    for (const QString &line : lines) {
        if (top >= boxBottom || !drawn) {
            // Nothing more shows; a line's place is all its measure needs.
            if (!lineBoxes)
                break;
            lineBoxes->append(QRect(boxLeft, top, line.isEmpty() ? 0 : 1, lineHeight));
        } else if (!line.isEmpty()) {
            const QString shown = visibleLine(fm, line, box.width(), format);
            const int width = fm.horizontalAdvance(shown);
            int x = boxLeft;
            if (format == AlignCenter)
                x = (boxLeft + boxRight - width) / 2;
            else if (format == AlignRight)
                x = boxRight - width;
            p.drawText(QPoint(x, top + fm.ascent()), shown);
            if (lineBoxes)
                lineBoxes->append(QRect(x, top, width, lineHeight));
        } else if (lineBoxes) {
            lineBoxes->append(QRect(boxLeft, top, 0, lineHeight));
        }
        top += lineHeight;
    }
    if (drawn)
        p.restore();
    return int(lines.size()) * lineHeight;
}

void drawRotatedText(DeviceContext &dc, const QFont &font, QColor color, int escapement,
    const QPoint &origin, const QRect &clip, const QString &text)
{
    TextDrawCall call;
    call.kind = TextDrawCall::Kind::Rotated;
    call.text = text;
    call.box = clip;
    call.escapement = escapement;
    call.origin = origin;
    notify(dc, call, font, color);

    if (text.isEmpty() || clip.width() <= 0 || clip.height() <= 0)
        return;
    const QFontMetrics fm = metricsOn(dc, font);
    QPainter &p = dc.painter();
    p.save();
    p.setClipRect(clip, Qt::IntersectClip);
    p.setFont(font);
    p.setPen(color);
    p.translate(origin);
    // Escapement turns counter-clockwise; Qt's rotation, with y down, clockwise.
    p.rotate(-escapement / 10.0);
    p.drawText(QPoint(0, fm.ascent()), text);
    p.restore();
}
