#include "CoverInfo.h"

#include "CoverFile.h"
#include "DisplayText.h"

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
    void finish() { m_out << "\n}\n"; }

private:
    QTextStream &m_out;
    int m_members = 0;
};

void writeCover(QTextStream &out, const CoverDocument &d, const CoverReadResult &read)
{
    JsonObjectWriter json(out);
    json.number("covertype", d.covertype);
    json.number("fBGColor", d.fBGColor);
    json.number("bBGColor", d.bBGColor);
    json.number("dBGColor", d.dBGColor);
    json.boolean("fShowBorder", d.fShowBorder);
    json.boolean("bShowBorder", d.bShowBorder);
    json.boolean("dShowBorder", d.dShowBorder);
    json.number("CoverOption", d.CoverOption);
    json.text("fImagePath", d.fImagePath);
    json.text("bImagePath", d.bImagePath);
    json.text("sImagePath", d.sImagePath);
    json.text("dImagePath", d.dImagePath);
    json.number("fCoverAlign", d.fCoverAlign);
    json.number("bCoverAlign", d.bCoverAlign);
    json.number("dCoverAlign", d.dCoverAlign);
    json.text("fCoverText", d.fCoverText);
    json.text("bCoverText", d.bCoverText);
    json.text("dCoverText", d.dCoverText);
    json.text("fCoverTitle", d.fCoverTitle);
    json.text("bCoverTitle", d.bCoverTitle);
    json.text("dCoverTitle", d.dCoverTitle);
    json.text("fCoverTextFontName", d.fCoverTextFontName);
    json.text("bCoverTextFontName", d.bCoverTextFontName);
    json.text("dCoverTextFontName", d.dCoverTextFontName);
    json.number("fCoverTextColor", d.fCoverTextColor);
    json.number("bCoverTextColor", d.bCoverTextColor);
    json.number("dCoverTextColor", d.dCoverTextColor);
    // The file groups the font entries by member, not by face.
    const LogFont *fonts[3] = {&d.fCoverTextFont, &d.bCoverTextFont, &d.dCoverTextFont};
    const char faces[3] = {'f', 'b', 'd'};
    auto key
        = [&](int i, const char *what) { return faces[i] + QByteArray("CoverTextFont") + what; };
    for (int i = 0; i < 3; ++i)
        json.text(key(i, "Face"), fonts[i]->faceName);
    for (int i = 0; i < 3; ++i)
        json.number(key(i, "Height"), fonts[i]->height);
    for (int i = 0; i < 3; ++i)
        json.number(key(i, "Weight"), fonts[i]->weight);
    for (int i = 0; i < 3; ++i)
        json.boolean(key(i, "Italic"), fonts[i]->italic);
    for (int i = 0; i < 3; ++i)
        json.boolean(key(i, "Strikeout"), fonts[i]->strikeOut);
    for (int i = 0; i < 3; ++i)
        json.boolean(key(i, "Underline"), fonts[i]->underline);
    json.number("bFrontPrintOverSpines", d.bFrontPrintOverSpines ? 1 : 0);
    json.number("bBackPrintOverSpines", d.bBackPrintOverSpines ? 1 : 0);
    json.number("printOverInnerCircleDisc", d.printOverInnerCircleDisc ? 1 : 0);
    json.boolean("frontCoverSpinesOn", d.frontCoverSpinesOn);
    json.boolean("backCoverSpinesOn", d.backCoverSpinesOn);
    json.text("frontCoverSpineText", d.frontCoverSpineText);
    json.text("backCoverSpineText", d.backCoverSpineText);
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
