#include "UserTemplates.h"

#include "TemplateSetImages.h"
#include "print/FileSetWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QStandardPaths>

namespace {

using Piece = TemplateSetImages::Piece;

// Room for the longest marker, the extension and the temporary suffix a
// safe write adds, within the 255 bytes a file name has.
constexpr int kMaxNameBytes = 200;
constexpr int kJpegQuality = 90;

QString fileName(const QString &name, Piece piece)
{
    return name + TemplateSetImages::marker(piece) + QStringLiteral(".jpg");
}

// A plain extension: what follows "NAME[MARKER]." in a set's file name.
bool isExtension(QStringView rest)
{
    return !rest.isEmpty() && !rest.contains(QLatin1Char('.')) && !rest.contains(QLatin1Char('['));
}

} // namespace

QString UserTemplates::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/discora/templates");
}

QString UserTemplates::nameProblem(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Please type a name for the template.");
    if (trimmed.contains(QLatin1Char('/')))
        return QStringLiteral("A template's name cannot contain \"/\": the name is "
                              "also the name of its picture files.");
    for (const QChar c : trimmed) {
        if (c.category() == QChar::Other_Control || c.isNull())
            return QStringLiteral(
                "A template's name cannot contain line breaks, tabs or other control "
                "characters.");
    }
    if (trimmed.startsWith(QLatin1Char('.')))
        return QStringLiteral(
            "A template's name cannot start with \".\": its picture files would be hidden.");
    for (Piece piece : TemplateSetImages::kPieces) {
        if (trimmed.contains(TemplateSetImages::marker(piece), Qt::CaseInsensitive))
            return QStringLiteral("A template's name cannot contain \"[BACK]\", \"[FRONT]\" "
                                  "or \"[DISC]\": they mark its three pictures.");
    }
    if (QFile::encodeName(trimmed).size() > kMaxNameBytes)
        return QStringLiteral("The name is too long for a file name. Please choose a "
                              "shorter one.");
    return QString();
}

QString UserTemplates::setName(const QString &backFileName)
{
    const qsizetype dot = backFileName.lastIndexOf(QLatin1Char('.'));
    QString stem = dot < 0 ? backFileName : backFileName.left(dot);
    return stem.remove(TemplateSetImages::marker(Piece::Back));
}

QStringList UserTemplates::setFiles(const QString &folder, const QString &name)
{
    QStringList files;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &entry : entries) {
        for (Piece piece : TemplateSetImages::kPieces) {
            const QString head = name + TemplateSetImages::marker(piece) + QLatin1Char('.');
            if (entry.startsWith(head) && isExtension(QStringView(entry).mid(head.size()))) {
                files.append(entry);
                break;
            }
        }
    }
    return files;
}

QString UserTemplates::save(
    const CoverDocument &doc, const QString &folder, const QString &name, QString &error)
{
    const QString trimmed = name.trimmed();
    error = nameProblem(trimmed);
    if (!error.isEmpty())
        return QString();
    const QStringList before = setFiles(folder, trimmed);

    FileSetWriter writer(folder);
    if (!writer.open(error))
        return QString();
    QStringList written;
    for (Piece piece : TemplateSetImages::kPieces) {
        const QImage image = TemplateSetImages::draw(doc, piece);
        if (image.isNull()) {
            error = QStringLiteral("The %1 picture of the template cannot be drawn.")
                        .arg(TemplateSetImages::marker(piece));
            return QString();
        }
        const QString file = fileName(trimmed, piece);
        const auto write = [&image](QIODevice &device) {
            QImageWriter writer(&device, "jpg");
            writer.setQuality(kJpegQuality);
            return writer.write(image);
        };
        if (!writer.add(file, write, error))
            return QString();
        written.append(file);
    }
    if (!writer.commit(error))
        return QString();
    // The replaced set's pictures of another format would make a second
    // entry of the same name.
    for (const QString &old : before) {
        if (!written.contains(old))
            QFile::remove(QDir(folder).filePath(old));
    }
    return written.front();
}

bool UserTemplates::remove(const QString &folder, const QString &backFileName, QString &error)
{
    if (backFileName.contains(QLatin1Char('/'))
        || !backFileName.contains(TemplateSetImages::marker(Piece::Back))) {
        error = QStringLiteral("\"%1\" is not a template of yours.").arg(backFileName);
        return false;
    }
    QStringList files = setFiles(folder, setName(backFileName));
    for (Piece piece : TemplateSetImages::kPieces) {
        const QString sibling = QString(backFileName)
                                    .replace(TemplateSetImages::marker(Piece::Back),
                                        TemplateSetImages::marker(piece));
        if (!files.contains(sibling) && QFileInfo(QDir(folder).filePath(sibling)).isFile())
            files.append(sibling);
    }
    // The back picture last: while it is there, a set that could not be
    // removed whole is still listed and can be removed again.
    files.removeAll(backFileName);
    files.append(backFileName);
    for (const QString &file : files) {
        QFile f(QDir(folder).filePath(file));
        if (f.exists() && !f.remove()) {
            error = QStringLiteral("%1 cannot be removed: %2").arg(f.fileName(), f.errorString());
            return false;
        }
    }
    return true;
}
