#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct chmFile;

// A compiled HTML help file (.chm), read-only: its file list, the files
// themselves, and what its #SYSTEM record says about it (title, start page,
// contents and index files). No widgets: the help window and the tests use
// it alike.
class ChmArchive {
public:
    // Null with `reason` set when the file is missing, is no help file or
    // is damaged (cut short, overwritten); a crash is never the answer.
    static std::unique_ptr<ChmArchive> open(const QString &path, QString *reason);
    ~ChmArchive();
    ChmArchive(const ChmArchive &) = delete;
    ChmArchive &operator=(const ChmArchive &) = delete;

    // Paths inside the archive start with "/", as in "/images/main.png".
    // Lookups ignore case, as help viewers do.
    bool contains(const QString &path) const;
    // The whole file, or nothing when it is not there or cannot be read.
    std::optional<QByteArray> read(const QString &path) const;
    // Every content file, without the archive's own bookkeeping (the
    // "#" and "$" files and "::" streams), sorted.
    QStringList files() const { return m_files; }

    QString title() const { return m_title; }
    QString defaultTopic() const { return m_defaultTopic; }
    QString contentsFile() const { return m_contentsFile; }
    QString indexFile() const { return m_indexFile; }

    // An archive path for `path`: a leading "/" added, "." and ".."
    // resolved. (A "#" is part of a file name here, as in the archive's own
    // "/#SYSTEM"; links keep their fragments in a URL.)
    static QString normalizedPath(const QString &path);

private:
    explicit ChmArchive(chmFile *file);
    bool readSystemRecord(QString *reason);

    chmFile *m_file = nullptr;
    QStringList m_files;
    QString m_title;
    QString m_defaultTopic;
    QString m_contentsFile;
    QString m_indexFile;
};
