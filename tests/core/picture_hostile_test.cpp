// Damaged and hostile picture files: no picture (or whatever the decoder
// salvages), never a crash, a hang, a message on standard error or a huge
// allocation.
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "render/PictureDecoding.h"
#include "render/PictureFile.h"
#include "tests/support/HostilePictures.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <array>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hostilepictures;
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
QString hostileFile(const QString &name, const QByteArray &bytes)
{
    static int serial = 0;
    const QString path = hostilePath(QString::number(++serial) + name);
    EXPECT_TRUE(testsupport::writeFile(path, bytes));
    return path;
}

bool loadsWithBytes(const QString &name, const QByteArray &bytes)
{
    const QString path = hostileFile(name, bytes);
    const bool loaded = loadsAndDraws(path);
    QFile::remove(path);
    return loaded;
}

// The picture a file of `bytes` gives, once it was drawn; null for none.
QImage pictureWithBytes(const QString &name, const QByteArray &bytes)
{
    const QString path = hostileFile(name, bytes);
    QImage image;
    if (loadsAndDraws(path)) {
        FacePicturePtr picture = LoadFacePicture(QFile::encodeName(path));
        if (picture)
            image = facePictureToImage(*picture);
        ReleaseFacePicture(picture);
    }
    QFile::remove(path);
    return image;
}

// Where a JPEG's coded picture data begins: after its start-of-scan segment
// (marker, then a two-byte length that counts itself). The end of the file
// when it has none.
qsizetype jpegScanData(const QByteArray &bytes)
{
    const qsizetype marker = bytes.indexOf("\xff\xda");
    if (marker < 0 || marker + 4 > bytes.size())
        return bytes.size();
    const int length = (uchar(bytes[marker + 2]) << 8) | uchar(bytes[marker + 3]);
    return marker + 2 + length;
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

// A truncated file gives no picture, except a JPEG cut inside its coded
// data: the JPEG decoder salvages it at the picture's full size (what is
// missing comes out grey), and one that lacks only its end marker is the
// whole picture.
TEST_F(HostilePictures, TruncatedFilesGiveNoPictureButAJpegIsSalvaged)
{
    for (const FormatSample &sample : soundSamples()) {
        SCOPED_TRACE(sample.extension);
        const QString name = QStringLiteral("truncated") + QLatin1String(sample.extension);
        const QImage whole = pictureWithBytes(name, sample.bytes);
        ASSERT_EQ(whole.size(), QSize(16, 16));
        const bool jpeg = sample.format == FIF_JPEG;
        const qsizetype size = sample.bytes.size();
        const qsizetype scanData = jpegScanData(sample.bytes);
        if (jpeg)
            ASSERT_LT(scanData, size - 2);
        std::vector<qsizetype> lengths;
        for (qsizetype length = 64; length < size; length += std::max<qsizetype>(1, size / 97))
            lengths.push_back(length);
        lengths.push_back(size - 1);
        int salvaged = 0;
        for (const qsizetype length : lengths) {
            const QImage cut = pictureWithBytes(name, sample.bytes.left(length));
            if (!jpeg || length <= scanData) {
                EXPECT_TRUE(cut.isNull()) << length << " of " << size << " bytes";
                continue;
            }
            EXPECT_EQ(cut.size(), whole.size()) << length << " of " << size << " bytes";
            salvaged += cut.isNull() ? 0 : 1;
        }
        if (!jpeg)
            continue;
        EXPECT_GT(salvaged, 0);
        // Without its end marker ("\xff\xd9") the picture is all there.
        ASSERT_TRUE(sample.bytes.endsWith("\xff\xd9"));
        EXPECT_EQ(pictureWithBytes(name, sample.bytes.left(size - 2)), whole);
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
// The picture fuzzer's seeds, with the inputs it found that crashed or cost
// too much: sound pictures load, the others give no picture.

TEST_F(HostilePictures, CorpusFilesLoadAsTheirNamesSay)
{
    const QDir corpus(QStringLiteral(DISCORA_TEST_DATA_DIR "/picture-corpus"));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 60);
    for (const QString &name : names) {
        const bool sound = name.startsWith(QLatin1String("valid-"));
        EXPECT_TRUE(sound || name.startsWith(QLatin1String("damaged-"))
            || name.startsWith(QLatin1String("crash-")))
            << name.toStdString();
        EXPECT_EQ(loadsAndDraws(corpus.filePath(name)), sound) << name.toStdString();
    }
}

// A sound corpus file with `change` applied to its bytes.
QByteArray changedCorpusFile(const char *name, const std::function<void(QByteArray &)> &change)
{
    QByteArray bytes = testsupport::readFile(
        QStringLiteral(DISCORA_TEST_DATA_DIR "/picture-corpus/") + QLatin1String(name));
    EXPECT_FALSE(bytes.isEmpty()) << name;
    change(bytes);
    return bytes;
}

TEST_F(HostilePictures, IconAndBitmapHeadersAreCheckedInFull)
{
    // Icons: header at 22, entry size at 14. Bitmaps: header at 14, pixel
    // offset at 10.
    const struct {
        const char *what;
        const char *file;
        std::function<void(QByteArray &)> change;
    } cases[] = {
        {"icon: no change", "valid-ico8.ico", [](QByteArray &) {}},
        {"icon: bit count 9, 300 000 colours", "valid-ico8.ico",
            [](QByteArray &b) {
                put16(b, 22 + 14, 9);
                put32(b, 22 + 32, 300'000);
            }},
        {"icon: two planes", "valid-ico8.ico", [](QByteArray &b) { put16(b, 22 + 12, 2); }},
        {"icon: 257 colours of 8 bits", "valid-ico8.ico",
            [](QByteArray &b) { put32(b, 22 + 32, 257); }},
        {"icon: mask outside the entry", "valid-ico32.ico",
            [](QByteArray &b) { put32(b, 14, unsigned(b.size() - 22 - 1)); }},
        {"icon: entry outside the file", "valid-ico32.ico", [](QByteArray &b) { b.chop(1); }},
        {"icon: longer header", "valid-ico32.ico", [](QByteArray &b) { put32(b, 22, 108); }},
        {"bitmap: no change", "valid-bmp8.bmp", [](QByteArray &) {}},
        {"bitmap: bit count 9", "valid-bmp8.bmp", [](QByteArray &b) { put16(b, 28, 9); }},
        {"bitmap: no planes", "valid-bmp8.bmp", [](QByteArray &b) { put16(b, 26, 0); }},
        {"bitmap: 257 colours of 8 bits", "valid-bmp8.bmp",
            [](QByteArray &b) { put32(b, 46, 257); }},
        {"bitmap: pixels outside the file", "valid-bmp24.bmp",
            [](QByteArray &b) { put32(b, 10, unsigned(b.size())); }},
        {"bitmap: rows cut short", "valid-bmp24.bmp", [](QByteArray &b) { b.chop(8); }},
        {"bitmap: RLE of 24 bits", "valid-bmp24.bmp", [](QByteArray &b) { put32(b, 30, 1); }},
        {"GIF: no change", "valid-gif8.gif", [](QByteArray &) {}},
        {"GIF: no trailer", "valid-gif8.gif", [](QByteArray &b) { b.chop(1); }},
        {"GIF: LZW code size 12", "valid-gif8.gif",
            [](QByteArray &b) {
                // After the image descriptor and its colour table, if any.
                const qsizetype at = b.indexOf(QByteArray("\x2C\0\0\0\0", 5));
                ASSERT_GT(at, 0);
                const int table = (b[at + 9] & 0x80) ? 3 * (2 << (b[at + 9] & 7)) : 0;
                b[at + 10 + table] = 12;
            }},
    };
    for (const auto &c : cases) {
        const QString name = QStringLiteral("header") + QString::fromLatin1(c.file).mid(5);
        const bool sound = QByteArray(c.what).endsWith("no change");
        EXPECT_EQ(loadsWithBytes(name, changedCorpusFile(c.file, c.change)), sound) << c.what;
    }
}

TEST_F(HostilePictures, APictureLargerThanItsFileCouldHoldIsRefused)
{
    // 100 megapixels in 126 bytes: within the limits, but no compressor gets
    // there.
    EXPECT_FALSE(loadsWithBytes(QStringLiteral("bomb.tif"), tiffClaiming(10'000, 10'000)));
    EXPECT_LT(peakMemoryKb(), kPeakMemoryLimitKb);

    const struct {
        PictureHeader header;
        std::uint64_t fileBytes;
        bool fits;
    } cases[] = {
        {{4000, 3000, 24}, 7'200, true}, // a flat photo-sized PNG
        {{4000, 3000, 24}, 7'100, false},
        {{2480, 3508, 1}, 300, true}, // a blank 300 dpi page in CCITT G4
        {{1000, 1000, 32}, 1, false}, {{100, 100, 32}, 1, true}, // the allowance
    };
    for (const auto &c : cases)
        EXPECT_EQ(fitsFileSize(c.header, c.fileBytes), c.fits)
            << c.header.width << " x " << c.header.height << " x " << c.header.bitsPerPixel
            << " in " << c.fileBytes;

    // Flat 1-bit pages, which compress best, load in every format that
    // compresses them.
    for (const FREE_IMAGE_FORMAT format : {FIF_TIFF, FIF_PNG, FIF_GIF}) {
        FIBITMAP *page = FreeImage_Allocate(2480, 3508, 1);
        const QString path = hostilePath(QStringLiteral("blank")
            + QLatin1String(format == FIF_TIFF ? ".tif"
                    : format == FIF_PNG        ? ".png"
                                               : ".gif"));
        ASSERT_TRUE(save(page, format, path));
        EXPECT_TRUE(loadsAndDraws(path)) << path.toStdString();
    }
}

// ---------------------------------------------------------------------------
// A file another program shortens while it is decoded (an editor re-saving
// it while a preview repaints).

TEST_F(HostilePictures, AFileTruncatedAfterItsSizeWasTakenDoesNotKillTheDecode)
{
    const QString path = hostilePath(QStringLiteral("shrinking.png"));
    ASSERT_TRUE(save(makeBitmap(Layout::Bgr24, 64), FIF_PNG, path)); // 256 × 128
    const QByteArray name = QFile::encodeName(path);
    const PictureFile file(name);
    ASSERT_TRUE(file.isOpen());
    // Shortened between the size check and the decode: a mapped file would
    // raise SIGBUS here; the bytes read decode as they were.
    ASSERT_EQ(truncate(name.constData(), 100), 0);
    quietPictureDecoders();
    FIBITMAP *bitmap = decodePicture(FIF_PNG, file, 0);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(FreeImage_GetWidth(bitmap), 256u);
    FreeImage_Unload(bitmap);
    // Read again, the shortened file fails silently.
    EXPECT_FALSE(loadsAndDraws(path));
}

TEST_F(HostilePictures, AFileShorterThanItsSizeIsNotOpened)
{
    // A sysfs file claims a page and holds a few bytes: a read that comes up
    // short, as for a file shortened while it is read.
    const char *shortFile = "/sys/devices/system/cpu/online";
    struct stat info { };
    if (stat(shortFile, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size != 4096)
        GTEST_SKIP() << shortFile << " is not there to read";
    const QString link = hostilePath(QStringLiteral("short.png"));
    ASSERT_EQ(symlink(shortFile, QFile::encodeName(link).constData()), 0);
    EXPECT_FALSE(PictureFile(QFile::encodeName(link)).isOpen());
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
