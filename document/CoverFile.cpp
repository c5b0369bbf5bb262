#include "CoverFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

const char *const kAlignmentWords[] = {"LEFT", "CENTER", "RIGHT"};

// A string value ends at its first zero byte, as the text it came from did.
QByteArrayView untilZero(const QByteArray &s)
{
    const void *zero = std::memchr(s.constData(), 0, size_t(s.size()));
    return QByteArrayView(
        s.constData(), zero ? static_cast<const char *>(zero) - s.constData() : s.size());
}

// Appends the entries in file order. The order and the keys are checked
// against coverFileKeys() by the tests, byte for byte.
class EntryWriter {
public:
    explicit EntryWriter(QByteArray &out)
        : m_out(out)
    {
    }

    void value(const char *key, QByteArrayView text)
    {
        m_out += '[';
        m_out += key;
        m_out += "]=";
        m_out += text;
        m_out += "[END";
        m_out += key;
        m_out += ']';
    }
    // "%ld" of a 32-bit long: colours above 0x7FFFFFFF print negative and
    // read back through atol to the same bits.
    void integer(const char *key, int32_t n) { value(key, QByteArray::number(n)); }
    void color(const char *key, ColorRef c) { integer(key, static_cast<int32_t>(c)); }
    void boolean(const char *key, bool b) { value(key, b ? "TRUE" : "FALSE"); }
    void text(const char *key, const QByteArray &s) { value(key, untilZero(s)); }
    void alignment(const char *key, int32_t a)
    {
        // No entry for a value the file has no word for.
        if (a >= AlignLeft && a <= AlignRight)
            value(key, kAlignmentWords[a]);
    }

private:
    QByteArray &m_out;
};

QByteArray faceNameBytes(const LogFont &font)
{
    const QByteArrayView name = untilZero(font.faceName);
    return name.first(qMin(name.size(), qsizetype(LogFont::kMaxFaceName))).toByteArray();
}

QByteArray coverTextPart(const CoverDocument &d)
{
    QByteArray out;
    out.reserve(2048 + d.fCoverText.size() + d.bCoverText.size() + d.dCoverText.size()
        + d.fCoverTitle.size() + d.bCoverTitle.size() + d.dCoverTitle.size() + d.fImagePath.size()
        + d.bImagePath.size() + d.sImagePath.size() + d.dImagePath.size()
        + d.frontCoverSpineText.size() + d.backCoverSpineText.size() + d.fCoverTextFontName.size()
        + d.bCoverTextFontName.size() + d.dCoverTextFontName.size());
    out += "[BEGIN]";
    EntryWriter w(out);
    w.integer("covertype", d.covertype);
    w.color("fBGColor", d.fBGColor);
    w.color("bBGColor", d.bBGColor);
    w.color("dBGColor", d.dBGColor);
    w.boolean("fShowBorder", d.fShowBorder);
    w.boolean("bShowBorder", d.bShowBorder);
    w.boolean("dShowBorder", d.dShowBorder);
    w.integer("CoverOption", d.CoverOption);
    w.text("fImagePath", d.fImagePath);
    w.text("bImagePath", d.bImagePath);
    w.text("sImagePath", d.sImagePath);
    w.text("dImagePath", d.dImagePath);
    w.alignment("fCoverAlign", d.fCoverAlign);
    w.alignment("bCoverAlign", d.bCoverAlign);
    w.alignment("dCoverAlign", d.dCoverAlign);
    w.text("fCoverText", d.fCoverText);
    w.text("bCoverText", d.bCoverText);
    w.text("dCoverText", d.dCoverText);
    w.text("fCoverTitle", d.fCoverTitle);
    w.text("bCoverTitle", d.bCoverTitle);
    w.text("dCoverTitle", d.dCoverTitle);
    w.text("fCoverTextFontName", d.fCoverTextFontName);
    w.text("bCoverTextFontName", d.bCoverTextFontName);
    w.text("dCoverTextFontName", d.dCoverTextFontName);
    w.color("fCoverTextColor", d.fCoverTextColor);
    w.color("bCoverTextColor", d.bCoverTextColor);
    w.color("dCoverTextColor", d.dCoverTextColor);
    w.value("fCoverTextFontFace", faceNameBytes(d.fCoverTextFont));
    w.value("bCoverTextFontFace", faceNameBytes(d.bCoverTextFont));
    w.value("dCoverTextFontFace", faceNameBytes(d.dCoverTextFont));
    w.integer("fCoverTextFontHeight", d.fCoverTextFont.height);
    w.integer("bCoverTextFontHeight", d.bCoverTextFont.height);
    w.integer("dCoverTextFontHeight", d.dCoverTextFont.height);
    w.integer("fCoverTextFontWeight", d.fCoverTextFont.weight);
    w.integer("bCoverTextFontWeight", d.bCoverTextFont.weight);
    w.integer("dCoverTextFontWeight", d.dCoverTextFont.weight);
    w.boolean("fCoverTextFontItalic", d.fCoverTextFont.italic);
    w.boolean("bCoverTextFontItalic", d.bCoverTextFont.italic);
    w.boolean("dCoverTextFontItalic", d.dCoverTextFont.italic);
    w.boolean("fCoverTextFontStrikeout", d.fCoverTextFont.strikeOut);
    w.boolean("bCoverTextFontStrikeout", d.bCoverTextFont.strikeOut);
    w.boolean("dCoverTextFontStrikeout", d.dCoverTextFont.strikeOut);
    w.boolean("fCoverTextFontUnderline", d.fCoverTextFont.underline);
    w.boolean("bCoverTextFontUnderline", d.bCoverTextFont.underline);
    w.boolean("dCoverTextFontUnderline", d.dCoverTextFont.underline);
    w.integer("bFrontPrintOverSpines", d.bFrontPrintOverSpines);
    w.integer("bBackPrintOverSpines", d.bBackPrintOverSpines);
    w.integer("printOverInnerCircleDisc", d.printOverInnerCircleDisc);
    w.boolean("frontCoverSpinesOn", d.frontCoverSpinesOn);
    w.boolean("backCoverSpinesOn", d.backCoverSpinesOn);
    w.text("frontCoverSpineText", d.frontCoverSpineText);
    w.text("backCoverSpineText", d.backCoverSpineText);
    out += "[END]";
    return out;
}

constexpr qint64 kCopyChunk = qint64(1) << 20;

QString tooLargeReason()
{
    return QStringLiteral("The cover with its pictures would be larger than 1 GiB, more than a "
                          "cover file can hold.");
}

// Streams the whole file to `out`. Every picture is opened before the first
// byte is written, and any failure to read one fails the whole write: a
// block never holds bytes that are not its picture file's.
bool writeCoverTo(QIODevice &out, const CoverDocument &doc, QString &reason)
{
    const QByteArray text = coverTextPart(doc);
    const QByteArray *paths[4]
        = {&doc.fImagePath, &doc.bImagePath, &doc.sImagePath, &doc.dImagePath};
    std::unique_ptr<QFile> pictures[4];
    qint64 total = text.size() + 4 * 19;
    for (int i = 0; i < 4; ++i) {
        const QByteArrayView path = untilZero(*paths[i]);
        if (path.isEmpty())
            continue;
        const QString name = QFile::decodeName(path.toByteArray());
        const QFileInfo info(name);
        if (info.exists() && !info.isFile()) {
            reason = QStringLiteral("The picture \"%1\" is not a file.").arg(name);
            return false;
        }
        pictures[i] = std::make_unique<QFile>(name);
        if (!pictures[i]->open(QIODevice::ReadOnly)) {
            reason = QStringLiteral("The picture file \"%1\" cannot be read: %2")
                         .arg(name, pictures[i]->errorString());
            return false;
        }
        total += pictures[i]->size();
    }
    if (total > kMaxCoverFileBytes) {
        reason = tooLargeReason();
        return false;
    }

    qint64 written = 0;
    auto put = [&](const char *data, qint64 size) {
        written += size;
        if (out.write(data, size) == size)
            return true;
        reason = QStringLiteral("The cover file cannot be written: %1").arg(out.errorString());
        return false;
    };
    if (!put(text.constData(), text.size()))
        return false;

    std::unique_ptr<char[]> chunk;
    for (int i = 0; i < 4; ++i) {
        const QByteArray open = "[IMAGE" + QByteArray::number(i + 1) + ']';
        const QByteArray close = "[ENDIMAGE" + QByteArray::number(i + 1) + ']';
        if (!put(open.constData(), open.size()))
            return false;
        if (QFile *picture = pictures[i].get()) {
            if (!chunk)
                chunk = std::make_unique<char[]>(size_t(kCopyChunk));
            for (;;) {
                const qint64 got = picture->read(chunk.get(), kCopyChunk);
                if (got < 0) {
                    reason = QStringLiteral("The picture file \"%1\" cannot be read: %2")
                                 .arg(picture->fileName(), picture->errorString());
                    return false;
                }
                if (got == 0)
                    break;
                // A picture growing while it is copied must not push the
                // cover past what the reader accepts.
                if (written + got > kMaxCoverFileBytes) {
                    reason = tooLargeReason();
                    return false;
                }
                if (!put(chunk.get(), got))
                    return false;
            }
        }
        if (!put(close.constData(), close.size()))
            return false;
    }
    return true;
}

} // namespace

const QList<QByteArray> &coverFileKeys()
{
    static const QList<QByteArray> keys = {
        "covertype",
        "fBGColor",
        "bBGColor",
        "dBGColor",
        "fShowBorder",
        "bShowBorder",
        "dShowBorder",
        "CoverOption",
        "fImagePath",
        "bImagePath",
        "sImagePath",
        "dImagePath",
        "fCoverAlign",
        "bCoverAlign",
        "dCoverAlign",
        "fCoverText",
        "bCoverText",
        "dCoverText",
        "fCoverTitle",
        "bCoverTitle",
        "dCoverTitle",
        "fCoverTextFontName",
        "bCoverTextFontName",
        "dCoverTextFontName",
        "fCoverTextColor",
        "bCoverTextColor",
        "dCoverTextColor",
        "fCoverTextFontFace",
        "bCoverTextFontFace",
        "dCoverTextFontFace",
        "fCoverTextFontHeight",
        "bCoverTextFontHeight",
        "dCoverTextFontHeight",
        "fCoverTextFontWeight",
        "bCoverTextFontWeight",
        "dCoverTextFontWeight",
        "fCoverTextFontItalic",
        "bCoverTextFontItalic",
        "dCoverTextFontItalic",
        "fCoverTextFontStrikeout",
        "bCoverTextFontStrikeout",
        "dCoverTextFontStrikeout",
        "fCoverTextFontUnderline",
        "bCoverTextFontUnderline",
        "dCoverTextFontUnderline",
        "bFrontPrintOverSpines",
        "bBackPrintOverSpines",
        "printOverInnerCircleDisc",
        "frontCoverSpinesOn",
        "backCoverSpinesOn",
        "frontCoverSpineText",
        "backCoverSpineText",
    };
    return keys;
}

CoverWriteResult writeCoverFile(const CoverDocument &doc, const QString &path)
{
    CoverWriteResult result;
    // Written beside the target and renamed over it at the end, so that a
    // failure or a crash midway leaves the old file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.reason
            = QStringLiteral("The file \"%1\" cannot be written: %2").arg(path, file.errorString());
        return result;
    }
    if (!writeCoverTo(file, doc, result.reason)) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.reason
            = QStringLiteral("The file \"%1\" cannot be written: %2").arg(path, file.errorString());
        return result;
    }
    result.ok = true;
    return result;
}

CoverBytesResult coverFileBytes(const CoverDocument &doc)
{
    CoverBytesResult result;
    QBuffer buffer(&result.bytes);
    buffer.open(QIODevice::WriteOnly);
    result.ok = writeCoverTo(buffer, doc, result.reason);
    buffer.close();
    if (!result.ok)
        result.bytes.clear();
    return result;
}

QString invalidCoverFileMessage()
{
    return QStringLiteral("Unable to load a cover from the file you specified.\n\nPlease ensure "
                          "the file are attempting to load was created using Discora.");
}

QString invalidCoverFileCaption()
{
    return QStringLiteral("Invalid File");
}

qsizetype findTag(const char *data, qsizetype length, const QByteArray &tag)
{
    if (!data || length <= 0 || tag.isEmpty() || tag.size() > length)
        return -1;
    const std::string_view haystack(data, size_t(length));
    const size_t at = haystack.find(std::string_view(tag.constData(), size_t(tag.size())));
    return at == std::string_view::npos ? -1 : qsizetype(at);
}

QByteArray tagValue(const QByteArray &textRegion, const QByteArray &key)
{
    const QByteArray startTag = '[' + key + ']';
    const QByteArray endTag = "[END" + key + ']';
    const qsizetype start = findTag(textRegion.constData(), textRegion.size(), startTag);
    const qsizetype end = findTag(textRegion.constData(), textRegion.size(), endTag);
    if (start < 0 || end < 0)
        return {};
    // The value starts after the "=" that follows the start tag.
    const qsizetype valueStart = start + startTag.size() + 1;
    if (end <= valueStart)
        return {};
    return textRegion.mid(valueStart, end - valueStart);
}

QString pictureCopyFolder()
{
    // One private folder per process: a folder shared by every running
    // instance would let one window's read replace the pictures another shows.
    static std::unique_ptr<QTemporaryDir> folder;
    if (!folder || !folder->isValid()) {
        folder = std::make_unique<QTemporaryDir>(
            QDir::tempPath() + QStringLiteral("/discora-pictures-XXXXXX"));
        if (!folder->isValid())
            return {};
        QFile::setPermissions(folder->path(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    return folder->path();
}
