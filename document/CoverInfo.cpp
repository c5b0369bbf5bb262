#include "CoverInfo.h"

#include "CoverFields.h"
#include "CoverFile.h"
#include "DisplayText.h"
#include "TrackListing.h"

#include <cstring>

namespace {

QString jsonString(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\b': out += QLatin1String("\\b"); break;
        case '\f': out += QLatin1String("\\f"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSurrogate())
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

// Members in the order of the file's entries, written by hand because a
// JSON object of Qt sorts its keys.
class JsonObjectWriter {
public:
    explicit JsonObjectWriter(QTextStream &out)
        : m_out(out)
    {
        m_out << "{\n";
    }

    void raw(const QByteArray &key, const QString &json)
    {
        if (m_members++)
            m_out << ",\n";
        m_out << "  " << jsonString(QString::fromLatin1(key)) << ": " << json;
    }
    void number(const QByteArray &key, qint64 n) { raw(key, QString::number(n)); }
    void boolean(const QByteArray &key, bool b)
    {
        raw(key, b ? QStringLiteral("true") : QStringLiteral("false"));
    }
    void text(const QByteArray &key, const QByteArray &bytes)
    {
        raw(key, jsonString(displayText(bytes)));
    }
    void trackListing(const QByteArray &key, const QByteArray &bytes)
    {
        raw(key, jsonString(displayTrackListing(bytes)));
    }
    void finish() { m_out << "\n}\n"; }

private:
    QTextStream &m_out;
    int m_members = 0;
};

// The entries as JSON members, each by its kind.
class JsonEntries {
public:
    // The back text of a CD cover is its track listing (the sheets of the
    // DVD types have plain text there).
    JsonEntries(JsonObjectWriter &json, int32_t coverType)
        : m_json(json)
        , m_backIsListing(coverType != StandardDVD && coverType != SlimlineDVD)
    {
    }

    void integer(const char *key, int32_t n) { m_json.number(key, n); }
    void color(const char *key, ColorRef c, ColorRef) { m_json.number(key, c); }
    void flag(const char *key, bool b) { m_json.boolean(key, b); }
    void laterFlag(const char *key, bool b) { m_json.boolean(key, b); }
    void picture(const char *key, const QByteArray &path, int) { m_json.text(key, path); }
    void alignment(const char *key, int32_t a) { m_json.number(key, a); }
    void text(const char *key, const QByteArray &s)
    {
        if (m_backIsListing && std::strcmp(key, "bCoverText") == 0)
            m_json.trackListing(key, s);
        else
            m_json.text(key, s);
    }
    void fontFace(const char *key, const LogFont &f, bool) { m_json.text(key, f.faceName); }
    void fontHeight(const char *key, const LogFont &f, bool) { m_json.number(key, f.height); }
    void fontWeight(const char *key, const LogFont &f) { m_json.number(key, f.weight); }
    void fontItalic(const char *key, const LogFont &f, bool) { m_json.boolean(key, f.italic); }
    void fontStrikeout(const char *key, const LogFont &f, bool)
    {
        m_json.boolean(key, f.strikeOut);
    }
    void fontUnderline(const char *key, const LogFont &f, bool)
    {
        m_json.boolean(key, f.underline);
    }
    void option(const char *key, uint8_t n) { m_json.number(key, n ? 1 : 0); }
    void writtenOnly(const char *key, bool b) { m_json.boolean(key, b); }
    void choice(const char *key, int32_t n, int32_t, int32_t) { m_json.number(key, n); }
    void bounded(const char *key, int32_t n, int32_t, int32_t, int32_t) { m_json.number(key, n); }
    void quarterTurn(const char *key, int32_t n) { m_json.number(key, n); }

private:
    JsonObjectWriter &m_json;
    bool m_backIsListing = false;
};

void writeCover(QTextStream &out, const CoverDocument &d, const CoverReadResult &read)
{
    JsonObjectWriter json(out);
    JsonEntries entries(json, d.covertype);
    visitCoverFields(entries, d);
    json.raw("pictureBytes",
        QStringLiteral("[%1, %2, %3, %4]")
            .arg(read.pictureBytes[0])
            .arg(read.pictureBytes[1])
            .arg(read.pictureBytes[2])
            .arg(read.pictureBytes[3]));
    json.finish();
}

} // namespace

int printCoverInfo(const QString &coverPath, QTextStream &out, QTextStream &err)
{
    constexpr int kExitUnreadable = 2;
    CoverDocument doc;
    resetDocument(doc, 96);
    CoverReadOptions options;
    options.referenceDpiY = 96;
    options.storeCoverTypeInSettings = false;
    const CoverReadResult read = readCoverFile(doc, coverPath, options);
    switch (read.status) {
    case CoverReadResult::Status::Missing:
        err << "discora: " << coverPath << ": no such file\n";
        return kExitUnreadable;
    case CoverReadResult::Status::Invalid:
        err << "discora: " << coverPath << ": " << invalidCoverFileMessage() << "\n";
        if (!read.reason.isEmpty())
            err << read.reason << "\n";
        return kExitUnreadable;
    case CoverReadResult::Status::Ok: break;
    }
    writeCover(out, doc, read);
    out.flush();
    return 0;
}
