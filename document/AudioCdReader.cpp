#include "AudioCdReader.h"

#include <QFile>
#include <QFileInfo>

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>

namespace {

constexpr qint64 kSectorsPerSecond = 75;

// libcdio logs to stderr by itself, which is no place for a window's
// program; what matters reaches the person as the import's message.
void quietLog(cdio_log_level_t, const char *) { }

QString textOf(cdtext_t *cdtext, cdtext_field_t field, track_t track)
{
    if (!cdtext)
        return {};
    const char *text = cdtext_get_const(cdtext, field, track);
    return text ? QString::fromUtf8(text).trimmed() : QString();
}

struct Disc {
    CdIo_t *cdio = nullptr;
    ~Disc()
    {
        if (cdio)
            cdio_destroy(cdio);
    }
};

} // namespace

TrackImport AudioCdReader::read(const QString &source)
{
    cdio_log_set_handler(quietLog);
    TrackImport result;
    Disc disc;
    const QByteArray name = QFile::encodeName(source);
    const QString suffix = QFileInfo(source).suffix().toLower();
    if (source.isEmpty())
        disc.cdio = cdio_open(nullptr, DRIVER_DEVICE);
    else if (suffix == QLatin1String("cue"))
        disc.cdio = cdio_open_cue(name.constData());
    else if (suffix == QLatin1String("toc"))
        disc.cdio = cdio_open_cdrdao(name.constData());
    else
        disc.cdio = cdio_open(name.constData(), DRIVER_DEVICE);
    if (!disc.cdio) {
        result.problems << (source.isEmpty()
                ? QStringLiteral("No CD drive was found.")
                : QStringLiteral("\"%1\" cannot be opened as a CD.").arg(source));
        return result;
    }

    const track_t first = cdio_get_first_track_num(disc.cdio);
    const track_t count = cdio_get_num_tracks(disc.cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
        result.problems << QStringLiteral("There is no CD in the drive.");
        return result;
    }

    cdtext_t *cdtext = cdio_get_cdtext(disc.cdio);
    result.title = textOf(cdtext, CDTEXT_FIELD_TITLE, 0);
    result.performer = textOf(cdtext, CDTEXT_FIELD_PERFORMER, 0);
    for (track_t track = first; track < first + count; ++track) {
        if (cdio_get_track_format(disc.cdio, track) != TRACK_FORMAT_AUDIO)
            continue;
        ImportedTrack t;
        t.title = textOf(cdtext, CDTEXT_FIELD_TITLE, track);
        if (t.title.isEmpty())
            t.title = QStringLiteral("Track %1").arg(track, 2, 10, QLatin1Char('0'));
        const QString performer = textOf(cdtext, CDTEXT_FIELD_PERFORMER, track);
        if (performer != result.performer)
            t.performer = performer;
        // The next track's start (or the lead-out's) less this one's: the
        // table of contents' own measure, pregap of the next track included.
        const track_t next
            = track + 1 < first + count ? track_t(track + 1) : track_t(CDIO_CDROM_LEADOUT_TRACK);
        const lsn_t start = cdio_get_track_lsn(disc.cdio, track);
        const lsn_t end = cdio_get_track_lsn(disc.cdio, next);
        if (start != CDIO_INVALID_LSN && end != CDIO_INVALID_LSN && end > start)
            t.milliseconds = qint64(end - start) * 1000 / kSectorsPerSecond;
        result.tracks << t;
    }
    if (result.tracks.isEmpty()) {
        result.problems << QStringLiteral("The CD in the drive holds no audio tracks.");
        return result;
    }
    result.ok = true;
    return result;
}
