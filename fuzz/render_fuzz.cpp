// Fuzzes drawing: any bytes read as a cover, with its pictures kept in
// memory, must draw every face at screen resolution without a crash, a leak,
// undefined behaviour or a runaway allocation; and reading that way must
// leave no file behind.
#include "document/CoverFile.h"
#include "print/CoverFaces.h"
#include "print/DrawFace.h"
#include "print/LabelStock.h"
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "render/MemoryPictureSource.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// The preview's resolution: what the window draws on every change.
constexpr int kScreenDpi = 96;

void fail(const char *what)
{
    std::fprintf(stderr, "render_fuzz: %s\n", what);
    std::abort();
}

} // namespace

// Fontconfig keeps what it learns of each font for the life of the process;
// that is a cache, not a leak of ours.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Nothing of the user's: settings and temporary files in a folder of
    // this run.
    static QTemporaryDir sandbox;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(sandbox.path() + QStringLiteral("/config")));
    qputenv("TMPDIR", QFile::encodeName(sandbox.path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    static PictureLibrary library;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    CoverReadOptions options;
    options.keepPicturesInMemory = true;
    const CoverReadResult result = readCoverBytes(doc, bytes, options);
    if (!QDir(pictureCopyFolder()).isEmpty())
        fail("a picture copy was written while reading into memory");
    if (result.status != CoverReadResult::Status::Ok)
        return 0;

    MemoryPictureSource pictures;
    const QByteArray *paths[4]
        = {&doc.fImagePath, &doc.bImagePath, &doc.sImagePath, &doc.dImagePath};
    for (int n = 0; n < 4; ++n)
        if (!paths[n]->isEmpty())
            pictures.add(*paths[n], result.pictureData[n]);

    // Every face of the cover, as the window and the exports draw it. The
    // file names the type, so the fuzzer reaches each kind of face through
    // the seeds of each type (one type per input keeps a run fast enough
    // for millions of inputs).
    const std::optional<CoverFaces> faces = CoverFaces::onPlainPaper(doc.covertype);
    if (!faces)
        return 0;
    const DrawTarget screen = DrawTarget::screen(kScreenDpi, 0.75, 0.75).withPictures(&pictures);
    for (const CoverFace &face : faces->all()) {
        const QSize nominal = face.nominalPixels(kScreenDpi);
        QImage image(nominal * 0.75, QImage::Format_RGB32);
        if (image.isNull())
            fail("a face without pixels");
        QPainter painter(&image);
        DeviceContext dc(painter, kScreenDpi, kScreenDpi);
        drawFace(dc, doc, *faces, face, image.rect(), kScreenDpi, screen);
    }
    return 0;
}
