#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>

QString programDataFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/')
        + QStringLiteral(DISCORA_DATA_RELATIVE));
}

QString programDataFile(const QString &name)
{
    return programDataFolder() + QLatin1Char('/') + name;
}
