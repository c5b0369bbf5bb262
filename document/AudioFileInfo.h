#pragma once

#include <QString>

namespace TagLib {
class String;
}

// What an import needs from one audio file: its title and artist tags and
// its length, read with TagLib. A file that cannot be used says why.
struct AudioFileInfo {
    bool ok = false;
    // Why the file could not be used ("does not exist", ...); empty when ok.
    QString reason;
    QString title;
    QString artist;
    qint64 milliseconds = 0;

    static AudioFileInfo read(const QString &path);
    // A TagLib text as it is, without going through UTF-8 on the way.
    static QString fromTagLib(const TagLib::String &text);
};
