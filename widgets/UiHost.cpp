#include "UiHost.h"

#include "QtUiHost.h"

namespace {
UiHost *installedHost = nullptr;
}

UiHost &UiHost::instance()
{
    static QtUiHost qtHost;
    return installedHost ? *installedHost : qtHost;
}

void UiHost::setInstance(UiHost *host)
{
    installedHost = host;
}
