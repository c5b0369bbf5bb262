#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Texts a cover file cannot hold. The file has no escaping: a value that
// holds one of the file's own tags ends the text part early ("[END]"), hides
// another entry's value (a key's start or end tag) or a picture block (an
// image tag) when the file is read again.

struct CoverTagHit {
    QByteArray tag; // empty: none found
    qsizetype offset = -1; // byte offset of the tag in the text
    bool found() const { return offset >= 0; }
};

// Every tag a cover file is made of: "[BEGIN]", "[END]", "[key]" and
// "[ENDkey]" of each of the file's keys, "[IMAGEn]" and "[ENDIMAGEn]" of its
// four picture blocks.
const QList<QByteArray> &coverFileTags();

// The first (lowest offset) of the cover file's tags that `text` holds.
CoverTagHit coverFileTagIn(QByteArrayView text);

// The first "[DELIM]" or "[/DELIM]" in `text`: a track-listing cell cannot
// hold them, nor the front text of a standard CD cover, which the reader
// takes for an old track listing when it holds "[DELIM]".
CoverTagHit trackMarkerIn(QByteArrayView text);

// The first of the file's tags or the track-listing markers in `text`,
// whichever comes first: what a track-listing cell must not hold.
CoverTagHit coverFileTagOrMarkerIn(QByteArrayView text);

// `text` with the brackets taken off everything that reads as one of the
// file's tags or the track-listing markers, also where taking brackets off
// one uncovers another ("[[END]]" becomes "END"), so that the result holds
// none. For text that comes from elsewhere (audio files' tags) and must
// not be refused.
QString withoutFileTags(const QString &text);

// The message that refuses a text: `textName` as the person sees it
// ("Front Cover Title"), `tag` as found.
QString coverTagMessage(const QString &textName, const QByteArray &tag);
