#include "FileTags.h"

#include "CoverFile.h"
#include "TagScanner.h"
#include "TrackListing.h"

#include <QSet>

namespace {

QList<QByteArray> buildTags()
{
    QList<QByteArray> tags = {"[BEGIN]", "[END]", kDelimOpen, kDelimClose};
    for (const QByteArray &key : coverFileKeys()) {
        tags << '[' + key + ']';
        tags << "[END" + key + ']';
    }
    for (int n = 1; n <= 4; ++n) {
        tags << "[IMAGE" + QByteArray::number(n) + ']';
        tags << "[ENDIMAGE" + QByteArray::number(n) + ']';
    }
    return tags;
}

const TagScanner &tagScanner()
{
    static const TagScanner scanner(coverFileTags());
    return scanner;
}

const QSet<QString> &tagSet()
{
    static const QSet<QString> set = [] {
        QSet<QString> s;
        for (const QByteArray &tag : coverFileTags())
            s.insert(QString::fromLatin1(tag));
        return s;
    }();
    return set;
}

qsizetype longestTag()
{
    static const qsizetype longest = [] {
        qsizetype n = 0;
        for (const QByteArray &tag : coverFileTags())
            n = qMax(n, tag.size());
        return n;
    }();
    return longest;
}

} // namespace

const QList<QByteArray> &coverFileTags()
{
    static const QList<QByteArray> tags = buildTags();
    return tags;
}

QByteArray fileTagIn(QByteArrayView text)
{
    const QList<qsizetype> offsets = tagScanner().scan(text.data(), text.size());
    qsizetype first = -1;
    qsizetype firstOffset = -1;
    for (qsizetype i = 0; i < offsets.size(); ++i) {
        if (offsets[i] >= 0 && (firstOffset < 0 || offsets[i] < firstOffset)) {
            first = i;
            firstOffset = offsets[i];
        }
    }
    return first < 0 ? QByteArray() : coverFileTags().at(first);
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
