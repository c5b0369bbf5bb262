#include "AudioFileInfo.h"

#include <QFile>
#include <QFileInfo>

#include <taglib/fileref.h>
#include <taglib/tstring.h>

QString AudioFileInfo::fromTagLib(const TagLib::String &text)
{
    // TagLib keeps its text as UTF-16 units, so they are copied as they
    // are, which saves a trip through UTF-8 for every tag of every file.
    // A surrogate still takes that trip: it is what pairs them up, or
    // replaces a broken one.
    QString out(qsizetype(text.size()), Qt::Uninitialized);
    QChar *at = out.data();
    for (const wchar_t c : text) {
        if (c >= 0xD800 && c <= 0xDFFF)
            return QString::fromStdString(text.to8Bit(true));
        *at++ = QChar(char16_t(c));
    }
    return out;
}

AudioFileInfo AudioFileInfo::read(const QString &path)
{
    AudioFileInfo info;
    // Only regular files are handed to TagLib: opening a pipe would wait
    // for a writer that never comes.
    const QFileInfo file(path);
    if (!file.isFile()) {
        info.reason
            = file.exists() ? QStringLiteral("cannot be opened") : QStringLiteral("does not exist");
        return info;
    }
    const QByteArray name = QFile::encodeName(path);
    // The length in the headers is all a listing shows (to the second):
    // the quickest reading that still gives it.
    const TagLib::FileRef ref(name.constData(), true, TagLib::AudioProperties::Fast);
    if (ref.isNull() || !ref.audioProperties()) {
        // Asked only now: most files can be read.
        info.reason = file.isReadable() ? QStringLiteral("is not an audio file that can be read")
                                        : QStringLiteral("cannot be opened");
        return info;
    }
    info.milliseconds = ref.audioProperties()->lengthInMilliseconds();
    if (info.milliseconds <= 0) {
        info.reason = QStringLiteral("holds no audio");
        return info;
    }
    if (const TagLib::Tag *tag = ref.tag()) {
        info.title = fromTagLib(tag->title());
        info.artist = fromTagLib(tag->artist());
    }
    info.ok = true;
    return info;
}
