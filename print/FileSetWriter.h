#pragma once

#include <QDir>
#include <QIODevice>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// Writes a set of files into one folder as a whole: each file goes to a
// temporary file first, and the set is renamed into place only when all of
// them were written. A failed set leaves no trace, not even the folder it
// made.
class FileSetWriter {
public:
    explicit FileSetWriter(const QString &folder);
    ~FileSetWriter();

    // Makes the folder when it does not exist. False with a reason.
    bool open(QString &error);
    // Writes one file of the set through `write`. False with a reason.
    bool add(
        const QString &fileName, const std::function<bool(QIODevice &)> &write, QString &error);
    // Puts every file in place. False with a reason; then none is.
    bool commit(QString &error);

    QString filePath(const QString &fileName) const { return m_dir.filePath(fileName); }

private:
    void discard();

    QString m_folder;
    QDir m_dir;
    bool m_madeFolder = false;
    bool m_committed = false;
    std::vector<std::unique_ptr<QSaveFile>> m_files;
};
