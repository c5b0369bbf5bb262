#include "AudioFileInfo.h"

#include <QFile>
#include <QFileInfo>

#include <taglib/fileref.h>
#include <taglib/tstring.h>

namespace {

QString fromTagLib(const TagLib::String &s)
{
    return QString::fromStdString(s.to8Bit(true));
}

} // namespace

AudioFileInfo AudioFileInfo::read(const QString &path)
{
    AudioFileInfo info;
    const QFileInfo file(path);
    if (!file.exists()) {
        info.reason = QStringLiteral("does not exist");
        return info;
    }
    if (!file.isFile() || !file.isReadable()) {
        info.reason = QStringLiteral("cannot be opened");
        return info;
    }
    const QByteArray name = QFile::encodeName(path);
    const TagLib::FileRef ref(name.constData(), true, TagLib::AudioProperties::Average);
    if (ref.isNull() || !ref.audioProperties()) {
        info.reason = QStringLiteral("is not an audio file that can be read");
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
