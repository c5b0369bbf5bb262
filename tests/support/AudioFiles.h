#pragma once

// Short audio files made on the spot for the folder import tests: WAV
// written here, the other formats by the small Debian encoders, tags by
// TagLib. Header-only; the test programs that include it link TagLib.
#include <QDataStream>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStringList>
#include <cmath>

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

namespace testsupport {

// 16-bit mono PCM at 44.1 kHz of a quiet tone, `seconds` long.
inline bool writeWav(const QString &path, double seconds)
{
    const quint32 rate = 44100, samples = quint32(std::lround(seconds * rate));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&f);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + 2 * samples);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(2 * samples);
    for (quint32 i = 0; i < samples; ++i)
        out << qint16(3000 * std::sin(i * 0.05));
    return out.status() == QDataStream::Ok;
}

// An audio file of `seconds`, its format taken from the extension of `path`.
inline bool makeAudio(const QString &path, double seconds)
{
    const QString wav = path + QStringLiteral(".wav");
    const QString suffix = path.section(QLatin1Char('.'), -1);
    const QHash<QString, QStringList> encoders = {
        {"flac", {"flac", "-s", "-f", "-o", path, wav}},
        {"ogg", {"oggenc", "-Q", "-o", path, wav}},
        {"opus", {"opusenc", "--quiet", wav, path}},
        {"mp3", {"lame", "--quiet", wav, path}},
    };
    if (!encoders.contains(suffix))
        return writeWav(path, seconds);
    if (!writeWav(wav, seconds))
        return false;
    const QStringList command = encoders.value(suffix);
    QProcess p;
    p.start(command.first(), command.mid(1));
    const bool ok
        = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    QFile::remove(wav);
    return ok;
}

struct AudioTags {
    QString title, artist, album, albumArtist;
    unsigned track = 0;
    int disc = 0; // 0: none
};

inline bool writeTags(const QString &path, const AudioTags &tags)
{
    const QByteArray name = QFile::encodeName(path);
    TagLib::FileRef ref(name.constData());
    if (ref.isNull() || !ref.tag())
        return false;
    const auto str
        = [](const QString &s) { return TagLib::String(s.toStdString(), TagLib::String::UTF8); };
    ref.tag()->setTitle(str(tags.title));
    ref.tag()->setArtist(str(tags.artist));
    ref.tag()->setAlbum(str(tags.album));
    ref.tag()->setTrack(tags.track);
    TagLib::PropertyMap properties = ref.file()->properties();
    if (!tags.albumArtist.isEmpty())
        properties.replace("ALBUMARTIST", TagLib::StringList(str(tags.albumArtist)));
    if (tags.disc > 0)
        properties.replace("DISCNUMBER", TagLib::StringList(str(QString::number(tags.disc))));
    ref.file()->setProperties(properties);
    return ref.save();
}

} // namespace testsupport
