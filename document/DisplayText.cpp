#include "DisplayText.h"

#include <QStringDecoder>

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five undefined positions.
// clang-format off
constexpr char16_t kCp1252High[32] = {
    0x20AC,
    0,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0,
    0x017D,
    0,
    0,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0,
    0x017E,
    0x0178,
};
// clang-format on

// The byte of `c` in Windows-1252, or -1.
int cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        const char16_t mapped = kCp1252High[i];
        if (mapped == c || (mapped == 0 && c == 0x80 + i))
            return 0x80 + i;
    }
    return -1;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)utf8(bytes);
    return !utf8.hasError();
}

} // namespace

QString fromWindows1252(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0)
            out.append(QChar(kCp1252High[b - 0x80]));
        else
            out.append(QChar(b));
    }
    return out;
}

bool toWindows1252(const QString &text, QByteArray &bytes)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = cp1252Byte(c.unicode());
        if (b < 0)
            return false;
        out.append(char(b));
    }
    bytes = out;
    return true;
}

QString displayText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(bytes);
}

QByteArray storedText(const QString &text)
{
    // Some Windows-1252 texts ("Ã©") are also valid UTF-8 of another text
    // ("é"); a reader would show that other text, so they are kept as UTF-8.
    QByteArray bytes;
    if (toWindows1252(text, bytes) && displayText(bytes) == text)
        return bytes;
    return text.toUtf8();
}

QByteArray storedFaceName(const QString &name, qsizetype maxBytes)
{
    QString prefix = name;
    for (;;) {
        const QByteArray bytes = storedText(prefix);
        if (bytes.size() <= maxBytes)
            return bytes;
        // Drop the last character, both halves of a surrogate pair at once.
        qsizetype cut = prefix.size() - 1;
        if (cut > 0 && prefix.at(cut).isLowSurrogate() && prefix.at(cut - 1).isHighSurrogate())
            --cut;
        prefix.truncate(cut);
    }
}

QByteArray cutStoredText(const QByteArray &bytes, qsizetype maxBytes)
{
    if (bytes.size() <= maxBytes)
        return bytes;
    if (maxBytes <= 0)
        return {};
    if (!isValidUtf8(bytes))
        return bytes.left(maxBytes); // one byte per character
    qsizetype cut = maxBytes;
    // Continuation bytes (10xxxxxx) never start a character.
    while (cut > 0 && (static_cast<unsigned char>(bytes.at(cut)) & 0xC0) == 0x80)
        --cut;
    return bytes.left(cut);
}
