// Fuzzes the cover-file reader: any bytes must read without a crash, a
// leak or undefined behaviour; the chunked layout of a file must match the
// layout of its bytes; only the four copies may appear in the copy folder.
#include "document/CoverFile.h"
#include "document/CoverLayout.h"
#include "document/DisplayText.h"
#include "document/TrackListing.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char *what)
{
    std::fprintf(stderr, "coverfile_fuzz: %s\n", what);
    std::abort();
}

bool isCopyName(const QString &name)
{
    for (const char *stem : {"tmpfront", "tmpback", "tmpstretch", "tmpdisc"}) {
        if (name == QLatin1String(stem) || name.startsWith(QLatin1String(stem) + QLatin1Char('.')))
            return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Nothing of the user's: settings and temporary files in a folder of
    // this run.
    static QTemporaryDir sandbox;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(sandbox.path() + QStringLiteral("/config")));
    qputenv("TMPDIR", QFile::encodeName(sandbox.path()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    CoverReadOptions options;
    options.storeCoverTypeInSettings = false;
    const CoverReadResult result = readCoverBytes(doc, bytes, options);

    if (result.status == CoverReadResult::Status::Ok) {
        // What the renderers and dialogs do with what was read.
        for (const QByteArray *text : {&doc.fCoverText, &doc.bCoverText, &doc.dCoverText}) {
            inOneEncoding(readTrackListing(*text));
            displayTrackListing(*text);
            displayText(*text);
        }
        displayText(doc.fCoverTextFont.faceName);
        if (doc.fCoverTextFont.faceName.size() > LogFont::kMaxFaceName)
            fail("face name longer than a font record holds");
        for (int n = 0; n < 4; ++n) {
            if (result.pictureBytes[n] < 0 || result.pictureBytes[n] > qint64(size))
                fail("picture block outside the file");
        }
    }

    const CoverLayout whole = layoutOfBytes(bytes.constData(), bytes.size());
    QByteArray copy = bytes;
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    CoverLayout chunked;
    QString error;
    if (!layoutOfDevice(device, chunked, error, 1 + qsizetype(size % 61)))
        fail("reading from memory failed");
    if (chunked.hasEnd != whole.hasEnd || chunked.text != whole.text
        || (whole.hasEnd && chunked.pictureTags != whole.pictureTags))
        fail("chunked layout differs from the layout of the whole bytes");

    const QDir folder(pictureCopyFolder());
    for (const QString &name :
        folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (!isCopyName(name))
            fail("a file other than the four copies in the copy folder");
    }
    return 0;
}
