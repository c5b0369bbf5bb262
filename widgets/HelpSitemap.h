#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The table of contents (.hhc) and index (.hhk) of a help file: nested
// lists of entries, each a name and the page it opens. Both files share one
// format, HTML lists of <OBJECT type="text/sitemap"> with "Name" and "Local"
// parameters.
class HelpSitemap {
public:
    struct Entry {
        QString name;
        QString local; // as written: relative to the archive's root
        QList<Entry> children;
    };

    static QList<Entry> parse(const QByteArray &sitemap);

    // Every page named anywhere in `entries`, in order of appearance.
    static QStringList pages(const QList<Entry> &entries);
};
