// Reading a cover file. The file is untrusted input: whatever its bytes, the
// reader makes one pass over them for the tags, holds no more than its text
// part and a small multiple of it in memory, and writes nothing but the four
// picture copies in the private copy folder (and the settings value
// "Option").
#include "CoverFile.h"

#include "CoverLayout.h"
#include "TagScanner.h"
#include "TrackListing.h"
#include "UserSettings.h"
#include "print/LabelStock.h"
#include "render/Geometry.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>

namespace {

const char *const kCopyNames[4] = {"tmpfront", "tmpback", "tmpstretch", "tmpdisc"};

// Longer "extensions" come from paths whose last dot is in a folder name;
// no picture format has one, and a file name must stay short.
constexpr qsizetype kMaxExtension = 32;

// Text values of a genuine file lie side by side in its text part. Values
// that overlap far beyond that (nested start and end tags) would make every
// copy of the text region cost another region's worth of memory.
constexpr qsizetype kOverlapAllowance = qsizetype(1) << 20;

struct Span {
    qsizetype offset = 0;
    qsizetype size = 0;
};

class CoverTags {
public:
    static const CoverTags &instance()
    {
        static const CoverTags tags;
        return tags;
    }

    const TagScanner &entries() const { return m_entries; }
    // Tag texts of entry i: start tag 2i, end tag 2i + 1.
    qsizetype startTagSize(qsizetype entry) const { return m_entryTags.at(2 * entry).size(); }

private:
    CoverTags()
        : m_entryTags(entryTags())
        , m_entries(m_entryTags)
    {
    }

    static QList<QByteArray> entryTags()
    {
        QList<QByteArray> tags;
        for (const QByteArray &key : coverFileKeys()) {
            tags << '[' + key + ']';
            tags << "[END" + key + ']';
        }
        return tags;
    }

    QList<QByteArray> m_entryTags;
    TagScanner m_entries;
};

// The values of every entry as spans of the text region, found as tagValue
// finds them (first start tag, first end tag, value after the "=").
class EntryValues {
public:
    EntryValues(const char *text, qsizetype length)
        : m_text(text)
    {
        const CoverTags &tags = CoverTags::instance();
        const QList<qsizetype> first = tags.entries().scan(text, length);
        const QList<QByteArray> &keys = coverFileKeys();
        m_spans.resize(keys.size());
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const qsizetype start = first.at(2 * i);
            const qsizetype end = first.at(2 * i + 1);
            if (start < 0 || end < 0)
                continue;
            const qsizetype valueStart = start + tags.startTagSize(i) + 1;
            if (end > valueStart)
                m_spans[i] = Span{valueStart, end - valueStart};
        }
    }

    QByteArrayView view(const char *key) const
    {
        const Span s = m_spans.at(indexOf(key));
        return QByteArrayView(m_text + s.offset, s.size);
    }
    QByteArray bytes(const char *key) const { return view(key).toByteArray(); }
    qsizetype size(const char *key) const { return m_spans.at(indexOf(key)).size; }
    bool isEmpty(const char *key) const { return size(key) == 0; }
    bool is(const char *key, const char *word) const { return view(key) == QByteArrayView(word); }

    int32_t integer(const char *key) const
    {
        // atoi/atol of a 32-bit long; no copy of the value is made.
        const QByteArrayView v = view(key);
        return atoiValue(QByteArray::fromRawData(v.data(), v.size()));
    }

private:
    static qsizetype indexOf(const char *key)
    {
        const QList<QByteArray> &keys = coverFileKeys();
        for (qsizetype i = 0; i < keys.size(); ++i)
            if (keys.at(i) == key)
                return i;
        Q_ASSERT_X(false, "EntryValues", key);
        return 0;
    }

    const char *m_text;
    QList<Span> m_spans;
};

// The extension of a stored picture path, from its last "." on. The path
// may come from anyone: the extension becomes part of a file name in the
// copy folder, so it must not hold a path separator or control bytes.
QByteArray pictureExtension(QByteArrayView storedPath)
{
    const std::string_view path(storedPath.data(), size_t(storedPath.size()));
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return QByteArrayLiteral(".tmp");
    QByteArray ext(path.data() + dot, qsizetype(path.size() - dot));
    if (ext.size() > kMaxExtension)
        return QByteArrayLiteral(".tmp");
    for (char &c : ext) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || b < 0x20 || b >= 0x7F)
            c = '_';
    }
    return ext;
}

// A type 1 front text held as a track listing becomes plain lines.
QByteArray plainTrackText(const QByteArray &encoded)
{
    QByteArray plain;
    for (const TrackRow &row : readTrackListing(encoded)) {
        for (qsizetype cell = 0; cell < row.size() && cell < 3; ++cell) {
            if (cell > 0)
                plain += ' ';
            plain += row.at(cell);
        }
        plain += '\r';
    }
    return plain;
}

void readFont(LogFont &font, const EntryValues &v, const char *face, const char *height,
    const char *weight, const char *italic, const char *strikeOut, const char *underline,
    bool isDisc, int referenceDpiY)
{
    font = LogFont{};
    const QByteArrayView name = v.view(face);
    if (isDisc && name.isEmpty())
        font.setFaceName("Arial");
    else
        font.setFaceName(name.toByteArray());
    if (isDisc && v.isEmpty(height))
        font.height = -mulDiv(12, referenceDpiY, 72);
    else
        font.height = v.integer(height);
    font.weight = v.integer(weight);
    // Files older than the disc entries had a plain disc font.
    auto style = [&](const char *key) -> uint8_t {
        if (isDisc && v.isEmpty(key))
            return 0;
        return v.is(key, "FALSE") ? 0 : 1;
    };
    font.italic = style(italic);
    font.strikeOut = style(strikeOut);
    font.underline = style(underline);
}

void readAlignment(int32_t &field, const EntryValues &v, const char *key)
{
    if (v.is(key, "LEFT"))
        field = AlignLeft;
    else if (v.is(key, "CENTER"))
        field = AlignCenter;
    else if (v.is(key, "RIGHT"))
        field = AlignRight;
}

constexpr qint64 kCopyChunk = qint64(1) << 20;

// Writes the bytes of one picture block to its copy.
using BlockCopier = std::function<bool(QFile &copy, const CoverLayout::Block &block)>;

CoverReadResult readLayout(CoverDocument &doc, const CoverLayout &layout,
    const CoverReadOptions &options, const BlockCopier &copyBlock)
{
    CoverReadResult result;
    result.status = CoverReadResult::Status::Invalid;
    if (!layout.hasEnd)
        return result;
    const qsizetype textSize = layout.text.size();
    const EntryValues v(layout.text.constData(), textSize);

    static const char *const kTextKeys[] = {
        "fCoverText",
        "bCoverText",
        "dCoverText",
        "fCoverTitle",
        "bCoverTitle",
        "dCoverTitle",
        "fCoverTextFontName",
        "bCoverTextFontName",
        "dCoverTextFontName",
        "frontCoverSpineText",
        "backCoverSpineText",
    };
    qsizetype textBytes = 0;
    for (const char *key : kTextKeys)
        textBytes += v.size(key);
    if (textBytes > 2 * textSize + kOverlapAllowance) {
        result.reason = QStringLiteral("Its entries overlap one another.");
        return result;
    }

    doc.covertype = v.integer("covertype");
    doc.CoverOption = v.integer("CoverOption");
    if (options.storeCoverTypeInSettings) {
        UserSettings settings;
        settings.Option = static_cast<uint32_t>(doc.covertype);
        settings.save();
    }

    const QByteArray extensions[4] = {
        pictureExtension(v.view("fImagePath")),
        pictureExtension(v.view("bImagePath")),
        pictureExtension(v.view("sImagePath")),
        pictureExtension(v.view("dImagePath")),
    };

    doc.fCoverText = v.bytes("fCoverText");
    if (doc.covertype == StandardCD && doc.fCoverText.contains(kDelimOpen))
        doc.fCoverText = plainTrackText(doc.fCoverText);
    doc.bCoverText = v.bytes("bCoverText");
    doc.dCoverText = v.bytes("dCoverText");
    doc.fCoverTitle = v.bytes("fCoverTitle");
    doc.bCoverTitle = v.bytes("bCoverTitle");
    doc.dCoverTitle = v.bytes("dCoverTitle");
    doc.frontCoverSpineText = v.bytes("frontCoverSpineText");
    doc.backCoverSpineText = v.bytes("backCoverSpineText");

    readAlignment(doc.fCoverAlign, v, "fCoverAlign");
    readAlignment(doc.bCoverAlign, v, "bCoverAlign");
    readAlignment(doc.dCoverAlign, v, "dCoverAlign");

    doc.bFrontPrintOverSpines = v.is("bFrontPrintOverSpines", "0") ? 0 : 1;
    doc.bBackPrintOverSpines = v.is("bBackPrintOverSpines", "0") ? 0 : 1;
    doc.printOverInnerCircleDisc = v.is("printOverInnerCircleDisc", "0") ? 0 : 1;

    doc.fShowBorder = !v.is("fShowBorder", "FALSE");
    doc.bShowBorder = !v.is("bShowBorder", "FALSE");
    doc.dShowBorder = !v.is("dShowBorder", "FALSE");

    doc.fBGColor = static_cast<ColorRef>(v.integer("fBGColor"));
    doc.bBGColor = static_cast<ColorRef>(v.integer("bBGColor"));
    doc.dBGColor
        = v.isEmpty("dBGColor") ? ColorRef(0xFFFFFF) : static_cast<ColorRef>(v.integer("dBGColor"));

    doc.fCoverTextFontName = v.bytes("fCoverTextFontName");
    doc.bCoverTextFontName = v.bytes("bCoverTextFontName");
    doc.dCoverTextFontName = v.bytes("dCoverTextFontName");

    doc.fCoverTextColor = static_cast<ColorRef>(v.integer("fCoverTextColor"));
    doc.bCoverTextColor = static_cast<ColorRef>(v.integer("bCoverTextColor"));
    doc.dCoverTextColor = static_cast<ColorRef>(v.integer("dCoverTextColor"));

    readFont(doc.fCoverTextFont, v, "fCoverTextFontFace", "fCoverTextFontHeight",
        "fCoverTextFontWeight", "fCoverTextFontItalic", "fCoverTextFontStrikeout",
        "fCoverTextFontUnderline", false, options.referenceDpiY);
    readFont(doc.bCoverTextFont, v, "bCoverTextFontFace", "bCoverTextFontHeight",
        "bCoverTextFontWeight", "bCoverTextFontItalic", "bCoverTextFontStrikeout",
        "bCoverTextFontUnderline", false, options.referenceDpiY);
    readFont(doc.dCoverTextFont, v, "dCoverTextFontFace", "dCoverTextFontHeight",
        "dCoverTextFontWeight", "dCoverTextFontItalic", "dCoverTextFontStrikeout",
        "dCoverTextFontUnderline", true, options.referenceDpiY);

    // frontCoverSpinesOn and backCoverSpinesOn are written but never read.

    // Picture copies: front, back and stretched always (an empty block gives
    // an empty file), the disc only when it has a picture. A path points at
    // a copy only when the block holds a picture and the copy was written.
    QByteArray *paths[4] = {&doc.fImagePath, &doc.bImagePath, &doc.sImagePath, &doc.dImagePath};
    const QString folder = pictureCopyFolder();
    for (int n = 0; n < 4; ++n) {
        paths[n]->clear();
        const CoverLayout::Block block = layout.block(n);
        result.pictureBytes[n] = block.size;
        const bool hasPicture = block.size > 0;
        if (folder.isEmpty() || (n == 3 && !hasPicture))
            continue;
        const QString copyPath = folder + QLatin1Char('/') + QLatin1String(kCopyNames[n])
            + QString::fromLatin1(extensions[n]);
        QFile copy(copyPath);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            continue;
        if (hasPicture && copyBlock(copy, block))
            *paths[n] = QFile::encodeName(copyPath);
    }

    result.status = CoverReadResult::Status::Ok;
    return result;
}

// Copies a block from the cover file itself. A file that shrank since it
// was laid out gives a shorter copy: what it holds, never other bytes.
bool copyFromFile(
    QFile &source, QFile &copy, const CoverLayout::Block &block, std::unique_ptr<char[]> &chunk)
{
    if (!source.seek(block.offset))
        return false;
    if (!chunk)
        chunk = std::make_unique<char[]>(size_t(kCopyChunk));
    qint64 left = block.size;
    while (left > 0) {
        const qint64 got = source.read(chunk.get(), qMin(left, kCopyChunk));
        if (got <= 0)
            return got == 0;
        if (copy.write(chunk.get(), got) != got)
            return false;
        left -= got;
    }
    return true;
}

} // namespace

CoverReadResult readCoverBytes(
    CoverDocument &doc, const QByteArray &bytes, const CoverReadOptions &options)
{
    const CoverLayout layout = layoutOfBytes(bytes.constData(), bytes.size());
    return readLayout(doc, layout, options, [&](QFile &copy, const CoverLayout::Block &block) {
        return copy.write(bytes.constData() + block.offset, block.size) == block.size;
    });
}

CoverReadResult readCoverFile(
    CoverDocument &doc, const QString &path, const CoverReadOptions &options)
{
    CoverReadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.status = CoverReadResult::Status::Missing;
        return result;
    }
    result.status = CoverReadResult::Status::Invalid;
    // Only a regular file: opening a pipe or a device could block for ever.
    if (!info.isFile()) {
        result.reason = QStringLiteral("It is not a file.");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = QStringLiteral("It cannot be read: %1").arg(file.errorString());
        return result;
    }
    if (file.size() > kMaxCoverFileBytes) {
        result.reason = QStringLiteral("It is larger than 1 GiB.");
        return result;
    }
    // Laid out chunk by chunk: only the text part is held in memory, and
    // the pictures go from the file to their copies.
    CoverLayout layout;
    QString error;
    if (!layoutOfDevice(file, layout, error)) {
        result.reason = QStringLiteral("It cannot be read: %1").arg(error);
        return result;
    }
    std::unique_ptr<char[]> chunk;
    return readLayout(doc, layout, options, [&](QFile &copy, const CoverLayout::Block &block) {
        return copyFromFile(file, copy, block, chunk);
    });
}
