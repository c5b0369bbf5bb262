// Fuzzes the picture loader: any bytes, decoded in any of the six formats and
// drawn, must load or fail silently, without a crash, a leak, undefined
// behaviour, a huge allocation or a long decode (libFuzzer's -malloc_limit_mb
// and -timeout turn those two into findings). The format is chosen by the
// input's first byte, which for a picture file is the first byte of its
// signature: the seeds are plain picture files.
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "render/PictureChecks.h"

#include <FreeImage.h>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

namespace {

int formatOf(unsigned char first)
{
    switch (first) {
    case 0xFF: return FIF_JPEG;
    case 0x89: return FIF_PNG;
    case 'B': return FIF_BMP;
    case 'I':
    case 'M': return FIF_TIFF;
    case 'G': return FIF_GIF;
    case 0x00: return FIF_ICO;
    default: break;
    }
    // Any other first byte still picks a format, so content of one format
    // read as another is explored too.
    static const int formats[] = {FIF_JPEG, FIF_PNG, FIF_BMP, FIF_TIFF, FIF_GIF, FIF_ICO};
    return formats[first % 6];
}

void fail(const char *what)
{
    std::fprintf(stderr, "picture_fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // Odd lengths decode for a small destination, which lets the JPEG codec
    // reduce.
    const QSize target = (size & 1) ? QSize(24, 18) : QSize();
    FacePicturePtr picture = decodeFacePicture(formatOf(data[0]), bytes, target);
    if (!picture)
        return 0;

    const QSize decoded = facePictureSize(*picture);
    if (!fitsPictureLimits(unsigned(decoded.width()), unsigned(decoded.height()), 0))
        fail("a decoded picture beyond the limits");

    // What a preview does with it: drawn stretched, over a face colour.
    QImage canvas(32, 24, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    DeviceContext dc(painter, 96, 96);
    DrawPictureStretched(dc, QRect(1, 1, 30, 22), *picture, 0x00336699);
    painter.end();
    ReleaseFacePicture(picture);
    return 0;
}
