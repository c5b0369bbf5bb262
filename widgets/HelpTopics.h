#pragma once

#include <QString>
#include <QStringList>

// The topics the program opens its help on (UiHost::showHelp) and the page
// of the help file each one shows. The empty topic is the start page; a
// topic not listed here shows the start page too.
class HelpTopics {
public:
    static QStringList topics();
    // The page inside the help file, such as "/printing.html".
    static QString page(const QString &topic);
};
