#include "TestSupport.h"

#include "document/CoverFile.h"
#include "document/UserSettings.h"

#include <QDir>
#include <QFile>
#include <QUuid>

namespace testsupport {

QString sandboxDir()
{
    return qEnvironmentVariable("DISCORA_TEST_SANDBOX");
}

void clearSettings()
{
    QFile::remove(UserSettings::storePath());
}

QString freshDir(const QString &name)
{
    const QString dir = sandboxDir() + QStringLiteral("/") + name + QStringLiteral("-")
        + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QDir().mkpath(dir);
    return dir;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

CoverDocument coverTitled(const QByteArray &title)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    doc.bCoverTitle = title;
    return doc;
}

QByteArray backTitleIn(const QString &path)
{
    CoverDocument doc;
    readCoverFile(doc, path);
    return doc.bCoverTitle;
}

} // namespace testsupport
