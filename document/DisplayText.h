#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Cover files hold 8-bit text. The covers in circulation hold the Windows
// code page (Windows-1252); this program writes that too, and UTF-8 only for
// a text with characters Windows-1252 has no byte for. Bytes that form valid
// UTF-8 are read as UTF-8, anything else as Windows-1252.
QString displayText(const QByteArray &bytes);

// Text a person typed, as the document stores it: Windows-1252 when every
// character has a byte there and those bytes read back as the same text,
// else UTF-8. displayText(storedText(t)) == t for every text without a zero
// character.
QByteArray storedText(const QString &text);

// A face name as a font record stores it: storedText of the longest prefix,
// cut between characters, that fits `maxBytes` bytes (31 in a record).
QByteArray storedFaceName(const QString &name, qsizetype maxBytes = 31);

// Stored bytes cut to at most `maxBytes`; bytes that read as UTF-8 are cut
// between characters so that they still do.
QByteArray cutStoredText(const QByteArray &bytes, qsizetype maxBytes);

// Decodes Windows-1252 (the five undefined bytes map to the C1 control of
// the same value, so that no byte is lost).
QString fromWindows1252(QByteArrayView bytes);

// Encodes Windows-1252, the reverse of fromWindows1252; false when a
// character has no byte there.
bool toWindows1252(const QString &text, QByteArray &bytes);
