#include "FileSetWriter.h"

#include <QFile>

FileSetWriter::FileSetWriter(const QString &folder)
    : m_folder(folder)
    , m_dir(folder)
{
}

FileSetWriter::~FileSetWriter()
{
    if (!m_committed)
        discard();
}

bool FileSetWriter::open(QString &error)
{
    m_madeFolder = !m_dir.exists();
    if (m_madeFolder && !QDir().mkpath(m_folder)) {
        m_madeFolder = false;
        error = QStringLiteral("cannot create the folder %1").arg(m_folder);
        return false;
    }
    return true;
}

bool FileSetWriter::add(
    const QString &fileName, const std::function<bool(QIODevice &)> &write, QString &error)
{
    m_files.push_back(std::make_unique<QSaveFile>(m_dir.filePath(fileName)));
    QSaveFile &file = *m_files.back();
    if (!file.open(QIODevice::WriteOnly) || !write(file)) {
        error = QStringLiteral("cannot write %1: %2")
                    .arg(m_dir.filePath(fileName), file.errorString());
        discard();
        return false;
    }
    return true;
}

bool FileSetWriter::commit(QString &error)
{
    QStringList committed;
    for (auto &file : m_files) {
        if (!file->commit()) {
            // Half a set would pass for a whole one.
            for (const QString &path : committed)
                QFile::remove(path);
            error
                = QStringLiteral("cannot write %1: %2").arg(file->fileName(), file->errorString());
            discard();
            return false;
        }
        committed << file->fileName();
    }
    m_committed = true;
    return true;
}

void FileSetWriter::discard()
{
    m_files.clear(); // discards the temporary files
    if (m_madeFolder)
        QDir().rmdir(m_folder);
    m_madeFolder = false;
}
