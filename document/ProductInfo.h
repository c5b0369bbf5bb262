#pragma once

#include <QString>

// Fixed texts of the program that several windows show.
namespace ProductInfo {
inline QString name()
{
    return QStringLiteral("Discora");
}
inline QString version()
{
    return QStringLiteral("2.04");
}
inline QString webAddress()
{
    return QStringLiteral("https://tessaly.example/discora");
}
// Where more templates can be downloaded.
inline QString templatesAddress()
{
    return webAddress() + QStringLiteral("/templates");
}
inline QString coverExtension()
{
    return QStringLiteral(".zcv");
}
// The one filter entry of the cover file dialogs.
inline QString coverFileFilter()
{
    return name() + QStringLiteral(" Files (*") + coverExtension() + QStringLiteral(")");
}
} // namespace ProductInfo
