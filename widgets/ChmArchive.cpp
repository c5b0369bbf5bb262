#include "ChmArchive.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <chm_lib.h>

namespace {

// No help page or picture comes near this; a directory entry claiming more
// is damage, and is refused before anything is allocated for it.
constexpr quint64 kLargestFile = 64 * 1024 * 1024;

// ITSF header: signature, version, and (version 3) where the content
// section starts; CHMLib does not say.
constexpr int kHeaderV2Size = 0x58;
constexpr int kHeaderV3Size = 0x60;

struct Listing {
    QStringList files;
    bool tooLarge = false;
};

int collect(chmFile *, chmUnitInfo *ui, void *context)
{
    auto *listing = static_cast<Listing *>(context);
    const QString path = QString::fromUtf8(ui->path);
    if (path.endsWith(QLatin1Char('/')) || path.startsWith(QLatin1String("::"))
        || path.startsWith(QLatin1String("/#")) || path.startsWith(QLatin1String("/$")))
        return CHM_ENUMERATOR_CONTINUE;
    if (ui->length > kLargestFile)
        listing->tooLarge = true;
    listing->files << path;
    return CHM_ENUMERATOR_CONTINUE;
}

QString zeroTerminated(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
}

} // namespace

ChmArchive::ChmArchive(chmFile *file)
    : m_file(file)
{
}

ChmArchive::~ChmArchive()
{
    chm_close(m_file);
}

std::unique_ptr<ChmArchive> ChmArchive::open(const QString &path, QString *reason)
{
    auto refuse = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return std::unique_ptr<ChmArchive>();
    };
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(QStringLiteral("The file does not exist."));
    if (!info.isFile())
        return refuse(QStringLiteral("It is not a file."));

    // CHMLib trusts the header it is given; look at it first, so that a
    // file that is no help file at all never reaches it.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("It cannot be read: %1").arg(file.errorString()));
    const QByteArray header = file.read(kHeaderV3Size);
    if (header.size() < kHeaderV2Size || !header.startsWith("ITSF"))
        return refuse(QStringLiteral("It is not a compiled help file."));
    const quint32 version = qFromLittleEndian<quint32>(header.constData() + 4);
    if (version != 2 && version != 3)
        return refuse(QStringLiteral("It is a help file of an unknown version (%1).").arg(version));
    if (version == 3 && header.size() < kHeaderV3Size)
        return refuse(QStringLiteral("It is damaged: it ends inside its header."));
    const qint64 fileSize = file.size();
    file.close();

    chmFile *handle = chm_open(QFile::encodeName(path).constData());
    if (!handle)
        return refuse(QStringLiteral("It is damaged: its directory cannot be read."));
    std::unique_ptr<ChmArchive> archive(new ChmArchive(handle));

    // The content section starts after the directory (version 2) or where
    // the version 3 header says.
    const quint64 directoryOffset = qFromLittleEndian<quint64>(header.constData() + 0x48);
    const quint64 directoryLength = qFromLittleEndian<quint64>(header.constData() + 0x50);
    const quint64 contentOffset = version == 3
        ? qFromLittleEndian<quint64>(header.constData() + 0x58)
        : directoryOffset + directoryLength;
    if (contentOffset > quint64(fileSize))
        return refuse(QStringLiteral("It is damaged: it is cut short."));

    Listing listing;
    if (chm_enumerate(handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collect, &listing) == 0
        && listing.files.isEmpty())
        return refuse(QStringLiteral("It is damaged: its directory cannot be read."));
    if (listing.tooLarge)
        return refuse(QStringLiteral("It is damaged: a file in it claims an impossible size."));
    std::sort(listing.files.begin(), listing.files.end());
    archive->m_files = listing.files;

    // Every stream of the uncompressed section, the compressed one among
    // them, must lie inside the file: a file cut short fails here rather
    // than half-way through a page.
    for (const char *stream : {"::DataSpace/Storage/MSCompressed/Content", "/#SYSTEM"}) {
        chmUnitInfo ui;
        if (chm_resolve_object(handle, stream, &ui) != CHM_RESOLVE_SUCCESS)
            return refuse(
                QStringLiteral("It is damaged: %1 is missing.").arg(QString::fromLatin1(stream)));
        // Compared without sums that a damaged directory could overflow.
        const quint64 size = quint64(fileSize) - contentOffset;
        if (ui.space == 0 && (ui.start > size || ui.length > size - ui.start))
            return refuse(QStringLiteral("It is damaged: it is cut short."));
    }
    if (!archive->readSystemRecord(reason))
        return nullptr;

    // The file is small; reading all of it once is what tells a damaged
    // compressed section from a sound one.
    for (const QString &f : std::as_const(archive->m_files)) {
        if (!archive->read(f))
            return refuse(QStringLiteral("It is damaged: %1 cannot be read.").arg(f));
    }
    return archive;
}

bool ChmArchive::readSystemRecord(QString *reason)
{
    chmUnitInfo ui;
    if (chm_resolve_object(m_file, "/#SYSTEM", &ui) != CHM_RESOLVE_SUCCESS
        || ui.length > kLargestFile) {
        if (reason)
            *reason = QStringLiteral("It is damaged: its system record is missing.");
        return false;
    }
    QByteArray system(qsizetype(ui.length), '\0');
    if (chm_retrieve_object(
            m_file, &ui, reinterpret_cast<unsigned char *>(system.data()), 0, LONGINT64(ui.length))
        != LONGINT64(ui.length)) {
        if (reason)
            *reason = QStringLiteral("It is damaged: its system record cannot be read.");
        return false;
    }
    // A version, then records of a 16-bit code, a 16-bit length and data.
    qsizetype pos = 4;
    while (pos + 4 <= system.size()) {
        const quint16 code = qFromLittleEndian<quint16>(system.constData() + pos);
        const quint16 length = qFromLittleEndian<quint16>(system.constData() + pos + 2);
        pos += 4;
        if (pos + length > system.size())
            break;
        const QString text = zeroTerminated(system.mid(pos, length));
        switch (code) {
        case 0: m_contentsFile = normalizedPath(text); break;
        case 1: m_indexFile = normalizedPath(text); break;
        case 2: m_defaultTopic = normalizedPath(text); break;
        case 3: m_title = text; break;
        default: break;
        }
        pos += length;
    }
    return true;
}

bool ChmArchive::contains(const QString &path) const
{
    const QString wanted = normalizedPath(path);
    return std::any_of(m_files.cbegin(), m_files.cend(),
        [&](const QString &f) { return f.compare(wanted, Qt::CaseInsensitive) == 0; });
}

std::optional<QByteArray> ChmArchive::read(const QString &path) const
{
    const QString wanted = normalizedPath(path);
    const auto found = std::find_if(m_files.cbegin(), m_files.cend(),
        [&](const QString &f) { return f.compare(wanted, Qt::CaseInsensitive) == 0; });
    if (found == m_files.cend())
        return std::nullopt;
    chmUnitInfo ui;
    if (chm_resolve_object(m_file, found->toUtf8().constData(), &ui) != CHM_RESOLVE_SUCCESS
        || ui.length > kLargestFile)
        return std::nullopt;
    QByteArray bytes(qsizetype(ui.length), '\0');
    if (ui.length == 0)
        return bytes;
    const LONGINT64 got = chm_retrieve_object(
        m_file, &ui, reinterpret_cast<unsigned char *>(bytes.data()), 0, LONGINT64(ui.length));
    if (got != LONGINT64(ui.length))
        return std::nullopt;
    return bytes;
}

QString ChmArchive::normalizedPath(const QString &path)
{
    QStringList kept;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept << part;
    }
    return QLatin1Char('/') + kept.join(QLatin1Char('/'));
}
