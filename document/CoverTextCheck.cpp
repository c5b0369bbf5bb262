#include "CoverTextCheck.h"

#include "CoverFile.h"
#include "TagScanner.h"
#include "TrackListing.h"

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

QString coverTagMessage(const QString &textName, const QByteArray &tag)
{
    return QStringLiteral("The %1 contains \"%2\", which a cover file cannot store in a "
                          "text.\n\nPlease change the %1.")
        .arg(textName, QString::fromLatin1(tag));
}
