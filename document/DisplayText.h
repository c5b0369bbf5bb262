#pragma once

#include <QByteArray>
#include <QString>

// Cover files hold 8-bit text. Covers made by this program store UTF-8;
// covers made on Windows hold the Windows-1252 code page. Bytes that form
// valid UTF-8 are read as UTF-8, anything else as Windows-1252.
QString displayText(const QByteArray &bytes);

// Text a person typed, as the document stores it.
QByteArray storedText(const QString &text);

// Decodes Windows-1252 (undefined bytes map to the C1 control of the same
// value, as the platform does).
QString fromWindows1252(const QByteArray &bytes);
