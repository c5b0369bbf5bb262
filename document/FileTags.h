#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The tags a cover file marks its parts with: "[BEGIN]", "[END]", the start
// and end tag of every entry key, the picture block tags and the track
// listing's cell markers. A text that holds one of them does not read back
// as it was written, so such texts are refused or mended before they reach
// the document.
const QList<QByteArray> &coverFileTags();

// The tag that comes first in `text`, or an empty array when it holds none.
QByteArray fileTagIn(QByteArrayView text);

// `text` with the brackets taken off everything that reads as a tag, also
// where taking brackets off one tag uncovers another ("[[END]]" becomes
// "END"), so that the result holds none.
QString withoutFileTags(const QString &text);
