// Damaged and hostile picture files: no picture (or whatever the decoder
// salvages), never a crash, a hang, a message on standard error or a huge
// allocation.
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "render/PictureDecoding.h"
#include "render/PictureFile.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QPainter>
#include <array>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testpictures;

namespace {

// A decoder that believed a hostile header would have gone far past this.
constexpr long kPeakMemoryLimitKb = 400 * 1024;

long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QString hostileDir()
{
    static const QString dir = testsupport::freshDir(QStringLiteral("hostile"));
    return dir;
}

QString hostilePath(const QString &name)
{
    return hostileDir() + QLatin1Char('/') + name;
}

// Loads and, when something came out, draws it: neither may crash.
bool loadsAndDraws(const QString &path)
{
    FacePicturePtr picture = LoadFacePicture(QFile::encodeName(path));
    if (!picture)
        return false;
    QImage canvas(64, 48, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    DeviceContext dc(painter, 96, 96);
    DrawPictureStretched(dc, QRect(2, 2, 60, 44), *picture);
    painter.end();
    ReleaseFacePicture(picture);
    return true;
}

// Each under a name of its own, removed afterwards: rewriting one file in
// place makes the file system flush it on every close, which is slow.
bool loadsWithBytes(const QString &name, const QByteArray &bytes)
{
    static int serial = 0;
    const QString path = hostilePath(QString::number(++serial) + name);
    EXPECT_TRUE(testsupport::writeFile(path, bytes));
    const bool loaded = loadsAndDraws(path);
    QFile::remove(path);
    return loaded;
}

struct FormatSample {
    const char *extension;
    FREE_IMAGE_FORMAT format;
    QByteArray bytes; // a sound 16 × 16 file
};

const std::vector<FormatSample> &soundSamples()
{
    static const std::vector<FormatSample> samples = [] {
        std::vector<FormatSample> list;
        const struct {
            const char *extension;
            FREE_IMAGE_FORMAT format;
            Layout layout;
            int flags;
        } makes[] = {
            {".jpg", FIF_JPEG, Layout::Bgr24, JPEG_QUALITYGOOD},
            {".png", FIF_PNG, Layout::Bgra32, 0},
            {".bmp", FIF_BMP, Layout::Palette8, 0},
            {".tif", FIF_TIFF, Layout::Bgr24, TIFF_LZW},
            {".gif", FIF_GIF, Layout::Palette8, 0},
            {".ico", FIF_ICO, Layout::Bgra32, 0},
        };
        for (const auto &m : makes) {
            const QString path = hostilePath(QStringLiteral("sound") + QLatin1String(m.extension));
            if (!save(makeBitmap(m.layout, 4, 8), m.format, path, m.flags))
                ADD_FAILURE() << "FreeImage wrote no " << m.extension;
            list.push_back({m.extension, m.format, testsupport::readFile(path)});
        }
        return list;
    }();
    return samples;
}

class HostilePictures : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_LT(peakMemoryKb(), kPeakMemoryLimitKb); }
};

TEST_F(HostilePictures, SoundSamplesLoad)
{
    for (const FormatSample &sample : soundSamples()) {
        ASSERT_FALSE(sample.bytes.isEmpty()) << sample.extension;
        EXPECT_TRUE(
            loadsWithBytes(QStringLiteral("copy") + QLatin1String(sample.extension), sample.bytes))
            << sample.extension;
    }
}

TEST_F(HostilePictures, EmptyAndShortFilesGiveNoPicture)
{
    for (const FormatSample &sample : soundSamples()) {
        SCOPED_TRACE(sample.extension);
        EXPECT_FALSE(loadsWithBytes(QStringLiteral("empty") + QLatin1String(sample.extension), {}));
        // Every prefix up to a little past the headers.
        for (int length = 1; length < 64; ++length)
            EXPECT_FALSE(loadsWithBytes(QStringLiteral("short") + QLatin1String(sample.extension),
                sample.bytes.left(length)))
                << length << " bytes";
    }
}

TEST_F(HostilePictures, TruncatedFilesNeverCrash)
{
    for (const FormatSample &sample : soundSamples()) {
        SCOPED_TRACE(sample.extension);
        const qsizetype size = sample.bytes.size();
        for (qsizetype length = 64; length < size; length += std::max<qsizetype>(1, size / 97))
            loadsWithBytes(QStringLiteral("truncated") + QLatin1String(sample.extension),
                sample.bytes.left(length));
        loadsWithBytes(QStringLiteral("truncated") + QLatin1String(sample.extension),
            sample.bytes.left(size - 1));
    }
}

TEST_F(HostilePictures, RandomBytesGiveNoPictureAndCorruptedFilesNeverCrash)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const FormatSample &sample : soundSamples()) {
        SCOPED_TRACE(sample.extension);
        QByteArray noise(4096, '\0');
        for (char &c : noise)
            c = char(byte(random));
        EXPECT_FALSE(
            loadsWithBytes(QStringLiteral("noise") + QLatin1String(sample.extension), noise));

        // The right signature followed by noise.
        QByteArray signed_ = sample.bytes.left(8) + noise;
        loadsWithBytes(QStringLiteral("signed") + QLatin1String(sample.extension), signed_);

        // A sound file with a few bytes changed, many times over.
        std::uniform_int_distribution<qsizetype> where(0, sample.bytes.size() - 1);
        for (int round = 0; round < 150; ++round) {
            QByteArray damaged = sample.bytes;
            const int changes = 1 + round % 8;
            for (int i = 0; i < changes; ++i)
                damaged[where(random)] = char(byte(random));
            loadsWithBytes(QStringLiteral("damaged") + QLatin1String(sample.extension), damaged);
        }
    }
}

TEST_F(HostilePictures, ContentOfAnotherFormatThanTheExtensionGivesNoPicture)
{
    for (const FormatSample &content : soundSamples()) {
        for (const FormatSample &named : soundSamples()) {
            if (content.format == named.format)
                continue;
            EXPECT_FALSE(loadsWithBytes(
                QStringLiteral("wrong") + QLatin1String(named.extension), content.bytes))
                << content.extension << " content named " << named.extension;
        }
    }
}

TEST_F(HostilePictures, SpecialFilesAreNotOpenedAndDoNotHang)
{
    const QString fifo = hostilePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(loadsAndDraws(fifo)); // a blocking open would wait for a writer forever

    const QString dir = hostilePath(QStringLiteral("folder.jpg"));
    ASSERT_EQ(mkdir(QFile::encodeName(dir).constData(), 0700), 0);
    EXPECT_FALSE(loadsAndDraws(dir));

    const QString zero = hostilePath(QStringLiteral("zero.bmp"));
    ASSERT_EQ(symlink("/dev/zero", QFile::encodeName(zero).constData()), 0);
    EXPECT_FALSE(loadsAndDraws(zero)); // endless bytes

    EXPECT_FALSE(LoadFacePicture(QByteArray("sound.png\0.png", 14)));
    EXPECT_FALSE(loadsAndDraws(hostilePath(QStringLiteral("missing.gif"))));
}

// ---------------------------------------------------------------------------
// Headers claiming absurd dimensions are refused before any pixel memory is
// allocated.

void put16(QByteArray &b, int at, unsigned v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

void put32(QByteArray &b, int at, unsigned v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

void put32be(QByteArray &b, int at, unsigned v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
}

// One icon whose bitmap header claims `width` × `height` pixels of 32 bits
// (the header's height counts the AND mask too, hence twice).
QByteArray icoClaiming(unsigned width, unsigned height)
{
    QByteArray b(6 + 16 + 40 + 64, '\0');
    put16(b, 2, 1); // icon
    put16(b, 4, 1); // one image
    b[6] = 32;
    b[7] = 32;
    put16(b, 10, 1);
    put16(b, 12, 32);
    put32(b, 14, 40 + 64);
    put32(b, 18, 22);
    put32(b, 22, 40);
    put32(b, 26, width);
    put32(b, 30, height * 2);
    put16(b, 34, 1);
    put16(b, 36, 32);
    return b;
}

QByteArray bmpClaiming(int width, int height, unsigned bits = 24)
{
    QByteArray b(54 + 64, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, unsigned(b.size()));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, unsigned(width));
    put32(b, 22, unsigned(height));
    put16(b, 26, 1);
    put16(b, 28, bits);
    return b;
}

unsigned crc32(const QByteArray &data)
{
    unsigned crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngClaiming(unsigned width, unsigned height)
{
    QByteArray b("\x89PNG\r\n\x1A\n", 8);
    QByteArray ihdr("IHDR", 4);
    ihdr.append(13, '\0');
    put32be(ihdr, 4, width);
    put32be(ihdr, 8, height);
    ihdr[12] = 8; // bit depth
    ihdr[13] = 6; // RGBA
    QByteArray length(4, '\0');
    put32be(length, 0, 13);
    QByteArray crc(4, '\0');
    put32be(crc, 0, crc32(ihdr));
    b += length + ihdr + crc;
    // The header-only pass reads up to the first image data chunk.
    QByteArray idat("IDAT\x78\x9C\x03\x00\x00\x00\x00\x01", 12);
    put32be(length, 0, 8);
    put32be(crc, 0, crc32(idat));
    b += length + idat + crc;
    const QByteArray iend("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
    return b + iend;
}

QByteArray gifClaiming(unsigned width, unsigned height)
{
    QByteArray b("GIF89a", 6);
    b.append(7, '\0');
    put16(b, 6, 10);
    put16(b, 8, 10);
    QByteArray descriptor(10, '\0');
    descriptor[0] = 0x2C;
    put16(descriptor, 5, width);
    put16(descriptor, 7, height);
    b += descriptor;
    b += QByteArray("\x08\x02\x4C\x01\x00\x3B", 6);
    return b;
}

QByteArray tiffClaiming(unsigned width, unsigned height)
{
    // Little-endian TIFF with one IFD of eight entries.
    QByteArray b(8 + 2 + 8 * 12 + 4 + 16, '\0');
    b[0] = 'I';
    b[1] = 'I';
    put16(b, 2, 42);
    put32(b, 4, 8);
    put16(b, 8, 8);
    const unsigned dataAt = 8 + 2 + 8 * 12 + 4;
    const std::array<std::array<unsigned, 4>, 8> entries{{
        {256, 4, 1, width}, // ImageWidth, LONG
        {257, 4, 1, height}, // ImageLength
        {258, 3, 1, 8}, // BitsPerSample
        {259, 3, 1, 1}, // no compression
        {262, 3, 1, 1}, // black is zero
        {273, 4, 1, dataAt}, // StripOffsets
        {278, 4, 1, height}, // RowsPerStrip
        {279, 4, 1, 16}, // StripByteCounts
    }};
    int at = 10;
    for (const auto &e : entries) {
        put16(b, at, e[0]);
        put16(b, at + 2, e[1]);
        put32(b, at + 4, e[2]);
        put32(b, at + 8, e[3]);
        at += 12;
    }
    return b;
}

QByteArray jpegClaiming(unsigned width, unsigned height)
{
    QByteArray b("\xFF\xD8", 2);
    QByteArray sof("\xFF\xC0\x00\x11\x08", 5);
    sof.append(4, '\0');
    sof[5] = char(height >> 8);
    sof[6] = char(height & 0xFF);
    sof[7] = char(width >> 8);
    sof[8] = char(width & 0xFF);
    sof += QByteArray("\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00", 10);
    b += sof;
    b += QByteArray("\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 14);
    b += QByteArray(64, '\0');
    b += QByteArray("\xFF\xD9", 2);
    return b;
}

TEST_F(HostilePictures, AbsurdDimensionsAreRefusedFromTheHeader)
{
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        // Damaged icons have been seen to "load" as 32 × 300 million pixels.
        {"tall.ico", icoClaiming(32, 300'000'000)},
        {"tall2.ico", icoClaiming(32, 30'000'000)},
        {"wide.ico", icoClaiming(40'000, 32)},
        {"wide.bmp", bmpClaiming(30'001, 1)},
        {"tall.bmp", bmpClaiming(1, 30'001)},
        {"topdown.bmp", bmpClaiming(100, -30'001)},
        {"huge.bmp", bmpClaiming(20'000, 20'000)},
        {"huge32.bmp", bmpClaiming(16'000, 16'000, 32)},
        {"huge.png", pngClaiming(30'000, 30'000)},
        {"tall.png", pngClaiming(1, 30'001)},
        {"huge.gif", gifClaiming(65'535, 65'535)},
        {"wide.tif", tiffClaiming(40'000, 10)},
        {"huge.tif", tiffClaiming(20'000, 20'000)},
        {"huge.jpg", jpegClaiming(60'000, 60'000)},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(loadsWithBytes(QString::fromLatin1(c.name), c.bytes)) << c.name;
        EXPECT_LT(peakMemoryKb(), kPeakMemoryLimitKb) << c.name;
    }
}

TEST_F(HostilePictures, HeaderGuardSeesTheClaimedSize)
{
    // The guard itself, not only its outcome: a decoder that happened to
    // fail on its own must not hide a guard that lets such files through.
    const struct {
        const char *name;
        QByteArray bytes;
        FREE_IMAGE_FORMAT format;
        unsigned width;
        unsigned height;
    } cases[] = {
        {"guard.ico", icoClaiming(32, 30'000'000), FIF_ICO, 32, 30'000'000},
        {"guard.bmp", bmpClaiming(20'000, 20'000), FIF_BMP, 20'000, 20'000},
        {"guard.png", pngClaiming(30'000, 30'000), FIF_PNG, 30'000, 30'000},
        {"guard.gif", gifClaiming(65'535, 65'535), FIF_GIF, 65'535, 65'535},
        {"guard.tif", tiffClaiming(20'000, 20'000), FIF_TIFF, 20'000, 20'000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = hostilePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(testsupport::writeFile(path, c.bytes));
        quietPictureDecoders();
        const PictureFile file(QFile::encodeName(path));
        ASSERT_TRUE(file.isOpen());
        ASSERT_TRUE(hasPictureSignature(c.format, file));
        const std::optional<PictureHeader> header = readPictureHeader(c.format, file);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->width, c.width);
        EXPECT_EQ(header->height, c.height);
        EXPECT_FALSE(isPlausiblePictureSize(*header));
    }
    EXPECT_TRUE(isPlausiblePictureSize({30'000, 6'666, 24}));
    EXPECT_FALSE(isPlausiblePictureSize({30'000, 6'667, 24}));
    EXPECT_FALSE(isPlausiblePictureSize({0, 10, 24}));
    EXPECT_FALSE(isPlausiblePictureSize({15'000, 10'000, 64})) << "more than a gigabyte decoded";
}

// ---------------------------------------------------------------------------

// Standard error of this process, captured while `work` runs.
template <typename Work> QByteArray standardErrorOf(Work work)
{
    const QString capture = hostilePath(QStringLiteral("stderr.txt"));
    fflush(stderr);
    const int saved = dup(2);
    const int file
        = open(QFile::encodeName(capture).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 2);
    close(file);
    work();
    fflush(stderr);
    dup2(saved, 2);
    close(saved);
    return testsupport::readFile(capture);
}

TEST_F(HostilePictures, DecodersSayNothingOnStandardError)
{
    // Plain libtiff complains about sound TIFF files too (FreeImage asks it
    // about EXIF tags), and loudly about damaged ones.
    ASSERT_TRUE(
        save(makeBitmap(Layout::Bgr24, 4), FIF_TIFF, hostilePath(QStringLiteral("talk.tif"))));
    const QByteArray said = standardErrorOf([] {
        EXPECT_TRUE(loadsAndDraws(hostilePath(QStringLiteral("talk.tif"))));
        std::mt19937 random(7);
        for (const FormatSample &sample : soundSamples()) {
            loadsWithBytes(QStringLiteral("talk-truncated") + QLatin1String(sample.extension),
                sample.bytes.left(sample.bytes.size() * 2 / 3));
            QByteArray damaged = sample.bytes;
            for (int i = 20; i < damaged.size(); i += 7)
                damaged[i] = char(random() & 0xFF);
            loadsWithBytes(
                QStringLiteral("talk-damaged") + QLatin1String(sample.extension), damaged);
        }
    });
    EXPECT_TRUE(said.isEmpty()) << said.left(400).toStdString();
}

} // namespace
