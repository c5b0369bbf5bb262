#include "TrackListing.h"

#include "DisplayText.h"
#include "TrackCellScanner.h"

#include <QStringDecoder>

namespace {

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Decodes UTF-8 into `text`; false when the bytes are not valid UTF-8.
bool decodeUtf8(QByteArrayView bytes, QString &text)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    text = utf8(bytes);
    return !utf8.hasError();
}

} // namespace

QList<TrackRow> readTrackListing(const QByteArray &encoded)
{
    QList<TrackRow> rows;
    TrackCellScanner scanner(encoded);
    TrackCellScanner::Cell cell;
    while (scanner.next(cell)) {
        if (cell.column == 0 || rows.isEmpty())
            rows.append(TrackRow{});
        rows.last().append(encoded.mid(cell.start, cell.size));
    }
    return rows;
}

QByteArray writeTrackListing(const QList<TrackRow> &rows)
{
    QByteArray out;
    for (const TrackRow &row : rows) {
        for (const QByteArray &cell : row) {
            out += kDelimOpen;
            out += cell;
            out += kDelimClose;
        }
        out += "\n\r";
    }
    return out;
}

QString displayCellText(QByteArrayView cell)
{
    if (isAscii(cell))
        return QString::fromLatin1(cell.data(), cell.size());
    QString text;
    if (decodeUtf8(cell, text))
        return text;
    return fromWindows1252(cell);
}

bool holdsUtf8(QByteArrayView bytes)
{
    QString ignored;
    return !isAscii(bytes) && decodeUtf8(bytes, ignored);
}

QList<TrackRow> inOneEncoding(const QList<TrackRow> &rows)
{
    bool utf8 = false;
    for (const TrackRow &row : rows) {
        for (const QByteArray &cell : row)
            utf8 = utf8 || holdsUtf8(cell);
    }
    if (!utf8)
        return rows;
    QList<TrackRow> out = rows;
    for (TrackRow &row : out) {
        for (QByteArray &cell : row)
            cell = displayCellText(cell).toUtf8();
    }
    return out;
}

QString displayTrackListing(const QByteArray &encoded)
{
    QString whole;
    if (decodeUtf8(encoded, whole))
        return displayText(encoded); // the same text, but for a leading byte order mark
    QString out;
    out.reserve(encoded.size());
    const QByteArrayView bytes(encoded);
    qsizetype done = 0;
    TrackCellScanner scanner(encoded);
    TrackCellScanner::Cell cell;
    while (scanner.next(cell)) {
        // A cell inside an unclosed one was decoded with it.
        if (cell.start < done)
            continue;
        out += displayCellText(bytes.sliced(done, cell.start - done));
        out += displayCellText(bytes.sliced(cell.start, cell.size));
        done = cell.start + cell.size;
    }
    out += displayCellText(bytes.sliced(done));
    return out;
}
