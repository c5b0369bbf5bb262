#include "CoverFile.h"

#include "CoverFields.h"
#include "CoverLayout.h"
#include "CoverTextCheck.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>
#include <unistd.h>

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

    void integer(const char *key, int32_t n) { value(key, QByteArray::number(n)); }
    // "%ld" of a 32-bit long: colours above 0x7FFFFFFF print negative and
    // read back through atol to the same bits.
    void color(const char *key, ColorRef c, ColorRef) { integer(key, static_cast<int32_t>(c)); }
    void flag(const char *key, bool b) { value(key, b ? "TRUE" : "FALSE"); }
    void picture(const char *key, const QByteArray &path, int) { text(key, path); }
    void alignment(const char *key, int32_t a)
    {
        // No entry for a value the file has no word for.
        if (a >= AlignLeft && a <= AlignRight)
            value(key, kAlignmentWords[a]);
        else
            values << QByteArray();
    }
    void text(const char *key, const QByteArray &s) { value(key, untilZero(s)); }
    void fontFace(const char *key, const LogFont &font, bool)
    {
        const QByteArrayView name = untilZero(font.faceName);
        value(key, name.first(qMin(name.size(), qsizetype(LogFont::kMaxFaceName))));
    }
    void fontHeight(const char *key, const LogFont &font, bool) { integer(key, font.height); }
    void fontWeight(const char *key, const LogFont &font) { integer(key, font.weight); }
    void fontItalic(const char *key, const LogFont &font, bool) { flag(key, font.italic); }
    void fontStrikeout(const char *key, const LogFont &font, bool) { flag(key, font.strikeOut); }
    void fontUnderline(const char *key, const LogFont &font, bool) { flag(key, font.underline); }
    void option(const char *key, uint8_t n) { integer(key, n); }
    void writtenOnly(const char *key, bool b) { flag(key, b); }
    void choice(const char *key, int32_t n, int32_t, int32_t) { integer(key, n); }
    void bounded(const char *key, int32_t n, int32_t, int32_t, int32_t) { integer(key, n); }
    void quarterTurn(const char *key, int32_t n) { integer(key, n); }
    void laterFlag(const char *key, bool b) { flag(key, b); }

    // The value of every entry as written, in file order (empty where no
    // entry was written).
    QList<QByteArray> values;

private:
    void value(const char *key, QByteArrayView text)
    {
        values << text.toByteArray();
        m_out += '[';
        m_out += key;
        m_out += "]=";
        m_out += text;
        m_out += "[END";
        m_out += key;
        m_out += ']';
    }

    QByteArray &m_out;
};

struct TextPart {
    QByteArray bytes; // from "[BEGIN]" to "[END]"
    QList<QByteArray> values;
};

TextPart coverTextPart(const CoverDocument &d)
{
    QByteArray out;
    out.reserve(2048 + d.fCoverText.size() + d.bCoverText.size() + d.dCoverText.size()
        + d.fCoverTitle.size() + d.bCoverTitle.size() + d.dCoverTitle.size() + d.fImagePath.size()
        + d.bImagePath.size() + d.sImagePath.size() + d.dImagePath.size()
        + d.frontCoverSpineText.size() + d.backCoverSpineText.size() + d.fCoverTextFontName.size()
        + d.bCoverTextFontName.size() + d.dCoverTextFontName.size());
    out += "[BEGIN]";
    EntryWriter w(out);
    visitCoverFields(w, d);
    out += "[END]";
    return {out, w.values};
}

QByteArray pictureTag(int block, bool closing)
{
    return (closing ? "[ENDIMAGE" : "[IMAGE") + QByteArray::number(block + 1) + ']';
}

// The file has no escapes: a text holding one of its tags ("[END]", an
// entry's tags, a picture block's) would end the text part or an entry
// early, and the cover would read back as another one. The text part is
// read back as the reader reads it, with empty picture blocks after it;
// every value must come back as written and the blocks where they were put.
// Returns the key of the first entry that does not.
QByteArray entryNotReadBack(const TextPart &text)
{
    const QList<QByteArray> &keys = coverFileKeys();
    QByteArray file = text.bytes;
    std::array<qsizetype, 8> tagAt{};
    for (int n = 0; n < 4; ++n) {
        tagAt[2 * n] = file.size();
        file += pictureTag(n, false);
        tagAt[2 * n + 1] = file.size();
        file += pictureTag(n, true);
    }
    const CoverLayout layout = layoutOfBytes(file.constData(), file.size());
    const QList<QByteArray> read = coverEntryValues(layout.text);
    // The entry whose own value holds a tag is the one to name, not the
    // entry that tag cut short.
    const auto holder = [&](const QList<QByteArray> &tags, const QByteArray &fallback) {
        for (qsizetype i = 0; i < keys.size(); ++i)
            for (const QByteArray &tag : tags)
                if (text.values.value(i).contains(tag))
                    return keys.at(i);
        return fallback;
    };
    for (qsizetype i = 0; i < keys.size(); ++i)
        if (read.value(i) != text.values.value(i))
            return holder({'[' + keys.at(i) + ']', "[END" + keys.at(i) + ']', "[END]"}, keys.at(i));
    if (!layout.hasEnd || layout.text.size() != text.bytes.size() - 5)
        return keys.constLast();
    for (int n = 0; n < 8; ++n) {
        if (layout.pictureTags[n] == tagAt[n])
            continue;
        return holder({pictureTag(n / 2, n % 2)}, keys.constLast());
    }
    return {};
}

QString unreadableTextReason(const QByteArray &key, const QByteArray &value)
{
    QByteArray tag;
    qsizetype first = -1;
    for (const QByteArray &t : coverFileTags()) {
        const qsizetype at = value.indexOf(t);
        if (at >= 0 && (first < 0 || at < first || (at == first && t.size() > tag.size()))) {
            first = at;
            tag = t;
        }
    }
    QString what = coverFieldDescription(key);
    what[0] = what[0].toUpper();
    if (tag.isEmpty())
        return QStringLiteral("%1 cannot be stored in a cover file. Please change it and "
                              "save again.")
            .arg(what);
    return QStringLiteral("%1 holds \"%2\", which a cover file cannot hold. Please change it "
                          "and save again.")
        .arg(what, QString::fromLatin1(tag));
}

constexpr qint64 kCopyChunk = qint64(1) << 20;

QString tooLargeReason()
{
    return QStringLiteral("The cover with its pictures would be larger than 1 GiB, more than a "
                          "cover file can hold.");
}

// Streams the whole file to `out`. Every picture is opened before the first
// byte is written. A picture that is not there or cannot be opened gets an
// empty block and is listed in `missing`; one that fails while it is copied
// fails the whole write: a block never holds bytes that are not its
// picture file's, nor part of them.
bool writeCoverTo(QIODevice &out, const CoverDocument &doc, QString &reason, QStringList &missing)
{
    const TextPart textPart = coverTextPart(doc);
    const QByteArray &text = textPart.bytes;
    if (const QByteArray key = entryNotReadBack(textPart); !key.isEmpty()) {
        reason = unreadableTextReason(key, textPart.values.value(coverFileKeys().indexOf(key)));
        return false;
    }
    const QByteArray *paths[4]
        = {&doc.fImagePath, &doc.bImagePath, &doc.sImagePath, &doc.dImagePath};
    std::unique_ptr<QFile> pictures[4];
    qint64 total = text.size() + 4 * 19;
    for (int i = 0; i < 4; ++i) {
        const QByteArrayView path = untilZero(*paths[i]);
        if (path.isEmpty())
            continue;
        const QString name = QFile::decodeName(path.toByteArray());
        auto picture = std::make_unique<QFile>(name);
        // Only a regular file: a pipe or a device could block the save.
        if (!QFileInfo(name).isFile() || !picture->open(QIODevice::ReadOnly)) {
            missing << name;
            continue;
        }
        total += picture->size();
        pictures[i] = std::move(picture);
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
        const QByteArray open = pictureTag(i, false);
        const QByteArray close = pictureTag(i, true);
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

namespace {

// Collects the keys of the entries, in file order.
struct KeyCollector {
    QList<QByteArray> keys;
    template <typename... Rest> void integer(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void color(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void flag(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void picture(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void alignment(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void text(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void fontFace(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void fontHeight(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void fontWeight(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void fontItalic(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void fontStrikeout(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void fontUnderline(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void option(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void writtenOnly(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void choice(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void bounded(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void quarterTurn(const char *key, Rest &&...) { keys << key; }
    template <typename... Rest> void laterFlag(const char *key, Rest &&...) { keys << key; }
};

} // namespace

const QList<QByteArray> &coverFileKeys()
{
    static const QList<QByteArray> keys = [] {
        KeyCollector collector;
        const CoverDocument doc;
        visitCoverFields(collector, doc);
        return collector.keys;
    }();
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
    if (!writeCoverTo(file, doc, result.reason, result.missingPictures)) {
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
    result.ok = writeCoverTo(buffer, doc, result.reason, result.missingPictures);
    buffer.close();
    if (!result.ok)
        result.bytes.clear();
    return result;
}

QString coverFieldDescription(const QByteArray &key)
{
    static const std::pair<const char *, const char *> kNames[] = {
        {"fCoverText", "the front cover text"},
        {"bCoverText", "the back cover text or track listing"},
        {"dCoverText", "the disc text"},
        {"fCoverTitle", "the front cover title"},
        {"bCoverTitle", "the back cover title"},
        {"dCoverTitle", "the disc title"},
        {"frontCoverSpineText", "the front spine text"},
        {"backCoverSpineText", "the spine text"},
        {"fImagePath", "the name of the front picture"},
        {"bImagePath", "the name of the back picture"},
        {"sImagePath", "the name of the cover picture"},
        {"dImagePath", "the name of the disc picture"},
        {"fCoverTextFontFace", "the name of the front font"},
        {"bCoverTextFontFace", "the name of the back font"},
        {"dCoverTextFontFace", "the name of the disc font"},
    };
    for (const auto &[k, name] : kNames)
        if (key == k)
            return QString::fromLatin1(name);
    return QStringLiteral("the entry %1").arg(QString::fromLatin1(key));
}

QString invalidCoverFileMessage()
{
    return QStringLiteral("Unable to load a cover from the file you specified.\n\nPlease ensure "
                          "the file you are attempting to load was created using Discora.");
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

namespace {

const QString kPictureFolderPrefix = QStringLiteral("discora-pictures-");

// When process `pid` started, in clock ticks after boot (the kernel's
// record): with the pid it names one process, also after the pid has been
// given to another one. 0 when it cannot be read.
quint64 processStartTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    // Field 22 (starttime) follows the parenthesised command name, which
    // may itself hold spaces and parentheses.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? fields.at(19).toULongLong() : 0;
}

bool processRunning(qint64 pid, quint64 startTicks)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    if (startTicks != 0) {
        const quint64 now = processStartTicks(pid);
        if (now != 0)
            return now == startTicks;
    }
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace

QString pictureCopyFolder()
{
    // One private folder per process: a folder shared by every running
    // instance would let one window's read replace the pictures another shows.
    // Its name says which process owns it, so that the next start can remove
    // it when a killed program could not.
    static std::unique_ptr<QTemporaryDir> folder;
    if (!folder || !folder->isValid()) {
        const qint64 pid = QCoreApplication::applicationPid();
        folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1Char('/')
            + kPictureFolderPrefix
            + QStringLiteral("%1-%2-XXXXXX").arg(pid).arg(processStartTicks(pid)));
        if (!folder->isValid())
            return {};
        QFile::setPermissions(folder->path(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    return folder->path();
}

int removeAbandonedPictureCopyFolders(const QString &tempFolder)
{
    static const QRegularExpression ownerName(
        QStringLiteral("^") + kPictureFolderPrefix + QStringLiteral("(\\d+)-(\\d+)-\\w+$"));
    const QDir temp(tempFolder);
    int removed = 0;
    for (const QFileInfo &info : temp.entryInfoList({kPictureFolderPrefix + QLatin1Char('*')},
             QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        // Another user's folder is theirs to clear, and a link may lead
        // anywhere.
        if (info.isSymLink() || info.ownerId() != ::geteuid())
            continue;
        const QRegularExpressionMatch m = ownerName.match(info.fileName());
        // A name without its owner (an older program's) cannot be told from
        // a running program's folder.
        if (!m.hasMatch())
            continue;
        if (processRunning(m.captured(1).toLongLong(), m.captured(2).toULongLong()))
            continue;
        if (QDir(info.filePath()).removeRecursively())
            ++removed;
    }
    return removed;
}
