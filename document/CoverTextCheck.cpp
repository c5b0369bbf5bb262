#include "CoverTextCheck.h"

#include "CoverFile.h"
#include "TagScanner.h"
#include "TrackListing.h"

#include <QSet>

namespace {

CoverTagHit firstOf(const TagScanner &scanner, const QList<QByteArray> &tags, QByteArrayView text)
{
    const QList<qsizetype> offsets = scanner.scan(text.data(), text.size());
    CoverTagHit hit;
    for (qsizetype i = 0; i < offsets.size(); ++i) {
        if (offsets[i] >= 0 && (hit.offset < 0 || offsets[i] < hit.offset)) {
            hit.offset = offsets[i];
            hit.tag = tags[i];
        }
    }
    return hit;
}

const QList<QByteArray> &trackMarkers()
{
    static const QList<QByteArray> markers = {kDelimOpen, kDelimClose};
    return markers;
}

// Every text a cover file's text must not hold, for withoutFileTags.
const QSet<QString> &tagSet()
{
    static const QSet<QString> set = [] {
        QSet<QString> s;
        for (const QList<QByteArray> *list : {&coverFileTags(), &trackMarkers()})
            for (const QByteArray &tag : *list)
                s.insert(QString::fromLatin1(tag));
        return s;
    }();
    return set;
}

qsizetype longestTag()
{
    static const qsizetype longest = [] {
        qsizetype n = 0;
        for (const QString &tag : tagSet())
            n = qMax(n, tag.size());
        return n;
    }();
    return longest;
}

} // namespace

const QList<QByteArray> &coverFileTags()
{
    static const QList<QByteArray> tags = [] {
        QList<QByteArray> t = {"[BEGIN]", "[END]"};
        for (const QByteArray &key : coverFileKeys()) {
            t << '[' + key + ']';
            t << "[END" + key + ']';
        }
        for (int n = 1; n <= 4; ++n) {
            t << "[IMAGE" + QByteArray::number(n) + ']';
            t << "[ENDIMAGE" + QByteArray::number(n) + ']';
        }
        return t;
    }();
    return tags;
}

CoverTagHit coverFileTagIn(QByteArrayView text)
{
    static const TagScanner scanner(coverFileTags());
    return firstOf(scanner, coverFileTags(), text);
}

CoverTagHit trackMarkerIn(QByteArrayView text)
{
    static const TagScanner scanner(trackMarkers());
    return firstOf(scanner, trackMarkers(), text);
}

CoverTagHit coverFileTagOrMarkerIn(QByteArrayView text)
{
    const CoverTagHit tag = coverFileTagIn(text);
    const CoverTagHit marker = trackMarkerIn(text);
    if (!marker.found() || (tag.found() && tag.offset < marker.offset))
        return tag;
    return marker;
}

QString withoutFileTags(const QString &text)
{
    // One pass: the text built so far never holds a tag. A tag has no
    // bracket inside, so a new one can only end at a "]" just added and
    // start at the last "[" with no "]" after it; once that tag loses its
    // brackets, the "[" before it (if nothing closed it) is the candidate
    // again, which is how "[[END]]" comes out as "END".
    QString out;
    out.reserve(text.size());
    QList<qsizetype> opens; // positions in `out` of "[" not followed by "]"
    for (QChar c : text) {
        if (c == QLatin1Char('[')) {
            opens.append(out.size());
            out.append(c);
            continue;
        }
        if (c != QLatin1Char(']')) {
            out.append(c);
            continue;
        }
        if (!opens.isEmpty()) {
            const qsizetype open = opens.last();
            const qsizetype length = out.size() - open + 1;
            if (length <= longestTag()
                && tagSet().contains(QStringView(out).mid(open).toString() + c)) {
                out.remove(open, 1);
                opens.removeLast();
                continue;
            }
        }
        out.append(c);
        opens.clear();
    }
    return out;
}

QString coverTagMessage(const QString &textName, const QByteArray &tag)
{
    return QStringLiteral("The %1 contains \"%2\", which a cover file cannot store in a "
                          "text.\n\nPlease change the %1.")
        .arg(textName, QString::fromLatin1(tag));
}
