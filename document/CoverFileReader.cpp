// Reading a cover file. The file is untrusted input: whatever its bytes, the
// reader makes one pass over them for the tags, holds no more than its text
// part and a small multiple of it in memory, and writes nothing but the four
// picture copies in the private copy folder (and the settings value
// "Option").
#include "CoverFile.h"

#include "CoverFields.h"
#include "CoverLayout.h"
#include "Numbers.h"
#include "TagScanner.h"
#include "TrackListing.h"
#include "UserSettings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
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

// A type 1 front text held as a track listing becomes plain lines, in one
// encoding so that the lines read as one text.
QByteArray plainTrackText(const QByteArray &encoded)
{
    QByteArray plain;
    for (const TrackRow &row : inOneEncoding(readTrackListing(encoded))) {
        for (qsizetype cell = 0; cell < row.size() && cell < 3; ++cell) {
            if (cell > 0)
                plain += ' ';
            plain += row.at(cell);
        }
        plain += '\r';
    }
    return plain;
}

// Reads the entries into the document, each by its kind's rule.
class EntryReader {
public:
    EntryReader(const EntryValues &values, int referenceDpiY)
        : v(values)
        , m_referenceDpiY(referenceDpiY)
    {
    }

    // The stored paths' extensions, for the names of the picture copies.
    QByteArray extensions[4];

    void integer(const char *key, int32_t &field) { field = v.integer(key); }
    void color(const char *key, ColorRef &field, ColorRef missing)
    {
        field = v.isEmpty(key) ? missing : static_cast<ColorRef>(v.integer(key));
    }
    void flag(const char *key, bool &field) { field = !v.is(key, "FALSE"); }
    void picture(const char *key, QByteArray &, int block)
    {
        // The path is set once the block's copy is written.
        extensions[block] = pictureExtension(v.view(key));
    }
    void alignment(const char *key, int32_t &field)
    {
        if (v.is(key, "LEFT"))
            field = AlignLeft;
        else if (v.is(key, "CENTER"))
            field = AlignCenter;
        else if (v.is(key, "RIGHT"))
            field = AlignRight;
    }
    void text(const char *key, QByteArray &field) { field = v.bytes(key); }
    // The face comes first of a font's entries: the record starts afresh.
    void fontFace(const char *key, LogFont &font, bool disc)
    {
        font = LogFont{};
        const QByteArrayView name = v.view(key);
        if (disc && name.isEmpty())
            font.setFaceName("Arial");
        else
            font.setFaceName(name.toByteArray()); // cut between characters
    }
    void fontHeight(const char *key, LogFont &font, bool disc)
    {
        if (disc && v.isEmpty(key))
            font.height = -mulDiv(12, m_referenceDpiY, 72);
        else
            font.height = v.integer(key);
    }
    void fontWeight(const char *key, LogFont &font) { font.weight = v.integer(key); }
    void fontItalic(const char *key, LogFont &font, bool disc) { font.italic = style(key, disc); }
    void fontStrikeout(const char *key, LogFont &font, bool disc)
    {
        font.strikeOut = style(key, disc);
    }
    void fontUnderline(const char *key, LogFont &font, bool disc)
    {
        font.underline = style(key, disc);
    }
    void option(const char *key, uint8_t &field) { field = v.is(key, "0") ? 0 : 1; }
    void writtenOnly(const char *, bool &) { }
    void choice(const char *key, int32_t &field, int32_t absent, int32_t last)
    {
        const int32_t n = v.integer(key);
        field = v.isEmpty(key) || n < 0 || n > last ? absent : n;
    }
    void bounded(const char *key, int32_t &field, int32_t absent, int32_t low, int32_t high)
    {
        field = v.isEmpty(key) ? absent : std::clamp(v.integer(key), low, high);
    }
    void laterFlag(const char *key, bool &field) { field = !v.isEmpty(key) && !v.is(key, "FALSE"); }
    void quarterTurn(const char *key, int32_t &field)
    {
        const int32_t n = v.integer(key);
        field = n == 90 || n == 180 || n == 270 ? n : 0;
    }

private:
    // Files older than the disc entries had a plain disc font.
    uint8_t style(const char *key, bool disc) const
    {
        if (disc && v.isEmpty(key))
            return 0;
        return v.is(key, "FALSE") ? 0 : 1;
    }

    const EntryValues &v;
    int m_referenceDpiY;
};

// Sums the sizes of the text values.
struct TextSizes {
    const EntryValues &v;
    qsizetype total = 0;
    void text(const char *key, const QByteArray &) { total += v.size(key); }
    template <typename... Rest> void integer(Rest &&...) { }
    template <typename... Rest> void color(Rest &&...) { }
    template <typename... Rest> void flag(Rest &&...) { }
    template <typename... Rest> void picture(Rest &&...) { }
    template <typename... Rest> void alignment(Rest &&...) { }
    template <typename... Rest> void fontFace(Rest &&...) { }
    template <typename... Rest> void fontHeight(Rest &&...) { }
    template <typename... Rest> void fontWeight(Rest &&...) { }
    template <typename... Rest> void fontItalic(Rest &&...) { }
    template <typename... Rest> void fontStrikeout(Rest &&...) { }
    template <typename... Rest> void fontUnderline(Rest &&...) { }
    template <typename... Rest> void option(Rest &&...) { }
    template <typename... Rest> void writtenOnly(Rest &&...) { }
    template <typename... Rest> void choice(Rest &&...) { }
    template <typename... Rest> void bounded(Rest &&...) { }
    template <typename... Rest> void quarterTurn(Rest &&...) { }
    template <typename... Rest> void laterFlag(Rest &&...) { }
};

constexpr qint64 kCopyChunk = qint64(1) << 20;

// Writes the bytes of one picture block to its copy (a file or a buffer).
using BlockCopier = std::function<bool(QIODevice &copy, const CoverLayout::Block &block)>;

CoverReadResult readLayout(CoverDocument &doc, const CoverLayout &layout,
    const CoverReadOptions &options, const BlockCopier &copyBlock)
{
    CoverReadResult result;
    result.status = CoverReadResult::Status::Invalid;
    if (!layout.hasEnd)
        return result;
    const qsizetype textSize = layout.text.size();
    const EntryValues v(layout.text.constData(), textSize);

    TextSizes sizes{v};
    visitCoverFields(sizes, std::as_const(doc));
    if (sizes.total > 2 * textSize + kOverlapAllowance) {
        result.reason = QStringLiteral("Its entries overlap one another.");
        return result;
    }

    EntryReader reader(v, options.referenceDpiY);
    visitCoverFields(reader, doc);
    const QByteArray *extensions = reader.extensions;
    if (doc.covertype == StandardCD && doc.fCoverText.contains(kDelimOpen))
        doc.fCoverText = plainTrackText(doc.fCoverText);
    // A DVD sheet's "Print Spine?" box sets the spine and the picture over
    // it together; the file's spine entry is never read, so the spine
    // follows the flag that is.
    if (doc.covertype == StandardDVD || doc.covertype == SlimlineDVD)
        doc.backCoverSpinesOn = doc.bBackPrintOverSpines != 0;
    if (options.storeCoverTypeInSettings) {
        UserSettings settings;
        settings.Option = static_cast<uint32_t>(doc.covertype);
        settings.save();
    }

    // Picture copies: front, back and stretched always (an empty block gives
    // an empty file), the disc only when it has a picture. A path points at
    // a copy only when the block holds a picture and the copy was written.
    QByteArray *paths[4] = {&doc.fImagePath, &doc.bImagePath, &doc.sImagePath, &doc.dImagePath};
    if (options.keepPicturesInMemory) {
        for (int n = 0; n < 4; ++n) {
            paths[n]->clear();
            const CoverLayout::Block block = layout.block(n);
            result.pictureBytes[n] = block.size;
            if (block.size <= 0)
                continue;
            QBuffer buffer(&result.pictureData[n]);
            buffer.open(QIODevice::WriteOnly);
            if (copyBlock(buffer, block))
                *paths[n] = kMemoryPicturePrefix + QByteArray(kCopyNames[n]) + extensions[n];
            else
                result.pictureData[n].clear();
        }
        result.status = CoverReadResult::Status::Ok;
        return result;
    }
    const QString folder = pictureCopyFolder();
    const auto lose = [&result](const QString &reason) {
        ++result.lostPictureCopies;
        if (result.lostPicturesReason.isEmpty())
            result.lostPicturesReason = reason;
    };
    for (int n = 0; n < 4; ++n) {
        paths[n]->clear();
        const CoverLayout::Block block = layout.block(n);
        result.pictureBytes[n] = block.size;
        const bool hasPicture = block.size > 0;
        if (n == 3 && !hasPicture)
            continue;
        if (folder.isEmpty()) {
            if (hasPicture)
                lose(QStringLiteral("The temporary folder \"%1\" cannot be written.")
                         .arg(QDir::toNativeSeparators(QDir::tempPath())));
            continue;
        }
        const QString copyPath = folder + QLatin1Char('/') + QLatin1String(kCopyNames[n])
            + QString::fromLatin1(extensions[n]);
        QFile copy(copyPath);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            if (hasPicture)
                lose(copy.errorString());
            continue;
        }
        if (!hasPicture)
            continue;
        if (copyBlock(copy, block)) {
            *paths[n] = QFile::encodeName(copyPath);
        } else {
            lose(copy.errorString());
            // Part of a picture is no picture: the space goes back.
            copy.close();
            copy.remove();
        }
    }

    result.status = CoverReadResult::Status::Ok;
    return result;
}

// Copies a block from the cover file itself. A file that shrank since it
// was laid out gives a shorter copy: what it holds, never other bytes.
bool copyFromFile(
    QFile &source, QIODevice &copy, const CoverLayout::Block &block, std::unique_ptr<char[]> &chunk)
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

// The lost picture copies of the last read of each cover file, by its
// absolute path. The picture copies are the process's (one folder for all
// reads), and so is this record of the reads that could not make theirs.
QHash<QString, int> &lostCopiesByFile()
{
    static QHash<QString, int> lost;
    return lost;
}

} // namespace

int lostPictureCopies(const QString &path)
{
    return lostCopiesByFile().value(QFileInfo(path).absoluteFilePath());
}

QList<QByteArray> coverEntryValues(const QByteArray &textRegion)
{
    const EntryValues v(textRegion.constData(), textRegion.size());
    QList<QByteArray> values;
    for (const QByteArray &key : coverFileKeys())
        values << v.bytes(key.constData());
    return values;
}

CoverReadResult readCoverBytes(
    CoverDocument &doc, const QByteArray &bytes, const CoverReadOptions &options)
{
    const CoverLayout layout = layoutOfBytes(bytes.constData(), bytes.size());
    return readLayout(doc, layout, options, [&](QIODevice &copy, const CoverLayout::Block &block) {
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
    result
        = readLayout(doc, layout, options, [&](QIODevice &copy, const CoverLayout::Block &block) {
              return copyFromFile(file, copy, block, chunk);
          });
    const QString key = info.absoluteFilePath();
    if (result.lostPictureCopies > 0)
        lostCopiesByFile().insert(key, result.lostPictureCopies);
    else
        lostCopiesByFile().remove(key);
    return result;
}
