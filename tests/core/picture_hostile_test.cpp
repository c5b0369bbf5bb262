// Damaged and hostile picture files: no picture (or whatever the decoder
// salvages), never a crash, a hang, a message on standard error or a huge
// allocation.
#include "render/DeviceContext.h"
#include "render/FacePicture.h"
#include "render/JpegMarkers.h"
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
        if (jpeg) {
            ASSERT_LT(scanData, size - 2);
        }
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
        // A progressive frame (or a first scan without every component)
        // makes the codec allocate and zero coefficients for the whole
        // picture as it starts, header-only read or not.
        {"progressive.jpg", jpegClaiming(60'000, 60'000, 0xC2)},
        {"progressivegrey.jpg", jpegClaiming(60'000, 60'000, 0xC2, 1)},
        {"arithmetic.jpg", jpegClaiming(60'000, 60'000, 0xCA)},
        {"extended.jpg", jpegClaiming(60'000, 60'000, 0xC1)},
        {"lossless.jpg", jpegClaiming(60'000, 60'000, 0xC3)},
        {"noninterleaved.jpg", jpegClaiming(30'000, 30'000, 0xC0, 3, 1)},
        {"bomb.jpg", jpegClaiming(20'000, 10'000, 0xC2, 1)}, // within the limits, not the file
        {"wide.png", pngClaiming(1'000'000, 1)},
        {"huge-png.ico", icoWithPngClaiming(30'000, 30'000)},
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
        {"guard.jpg", jpegClaiming(60'000, 60'000, 0xC2), FIF_JPEG, 60'000, 60'000},
        {"guard-png.ico", icoWithPngClaiming(30'000, 30'000), FIF_ICO, 30'000, 30'000},
        // A frame and no scan: FreeImage reads no header from it, so this
        // one is read without FreeImage.
        {"frameonly.jpg",
            QByteArray("\xFF\xD8", 2) + jpegFrameHeader(0xC2, 60'000, 50'000, 3)
                + QByteArray("\xFF\xD9", 2),
            FIF_JPEG, 60'000, 50'000},
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

TEST_F(HostilePictures, TiffLayoutsFreeImageMisreadsAreRefused)
{
    // The sound grey picture's SamplesPerPixel entry, the seventh, becomes
    // an unknown tag between its neighbours.
    QByteArray noSamples = tiffWithThumbnail(4, false);
    ASSERT_EQ(noSamples[10 + 6 * 12], char(277 & 0xFF));
    put16(noSamples, 10 + 6 * 12, 276);
    const struct {
        const char *what;
        QByteArray bytes;
        bool loads;
    } cases[] = {
        {"grey, 8 bits", tiffWithThumbnail(4, false), true},
        {"grey, 8 bits, samples per pixel not given", noSamples, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(loadsWithBytes(QStringLiteral("layout.tif"), c.bytes), c.loads) << c.what;
}

// ---------------------------------------------------------------------------
// A JPEG's frame header is found by walking its markers as the codec does.

TEST_F(HostilePictures, JpegFrameHeaderIsFoundAsTheCodecFindsIt)
{
    const QByteArray soi("\xFF\xD8", 2);
    const QByteArray eoi("\xFF\xD9", 2);
    const QByteArray table = jpegSegment(0xDB, QByteArray(1, '\0') + QByteArray(64, '\x01'));
    const QByteArray frame = jpegFrameHeader(0xC2, 60'000, 50'000, 3);
    const QByteArray small = jpegFrameHeader(0xC0, 16, 8, 3);
    const struct {
        const char *what;
        QByteArray bytes;
        std::optional<PictureHeader> header;
    } cases[] = {
        {"after a table", soi + table + frame + eoi, PictureHeader{60'000, 50'000, 24}},
        {"after fill bytes", soi + QByteArray(5, '\xFF') + frame + eoi,
            PictureHeader{60'000, 50'000, 24}},
        {"after bytes between segments", soi + table + QByteArray("junk\xFF\x00", 6) + frame + eoi,
            PictureHeader{60'000, 50'000, 24}},
        {"after restart and TEM markers", soi + QByteArray("\xFF\xD3\xFF\x01", 4) + frame,
            PictureHeader{60'000, 50'000, 24}},
        {"after an application segment too short for its length",
            soi + QByteArray("\xFF\xE1\x00\x01", 4) + frame, PictureHeader{60'000, 50'000, 24}},
        {"not inside an application segment (a thumbnail's)",
            soi + jpegSegment(0xE1, frame) + small + eoi, PictureHeader{16, 8, 24}},
        {"not inside a Huffman table", soi + jpegSegment(0xC4, frame) + small,
            PictureHeader{16, 8, 24}},
        {"extended", soi + jpegFrameHeader(0xC1, 60'000, 50'000, 1),
            PictureHeader{60'000, 50'000, 8}},
        {"arithmetic", soi + jpegFrameHeader(0xC9, 60'000, 50'000, 2),
            PictureHeader{60'000, 50'000, 16}},
        {"arithmetic progressive", soi + jpegFrameHeader(0xCA, 60'000, 50'000, 4),
            PictureHeader{60'000, 50'000, 24}},
        // Frames the codec does not decode stop it, whatever follows.
        {"lossless", soi + jpegFrameHeader(0xC3, 16, 8, 3) + small, std::nullopt},
        {"hierarchical", soi + jpegFrameHeader(0xC5, 16, 8, 3) + small, std::nullopt},
        {"lossless, arithmetic", soi + jpegFrameHeader(0xCF, 16, 8, 3) + small, std::nullopt},
        {"five components", soi + jpegFrameHeader(0xC0, 16, 8, 5), std::nullopt},
        {"12-bit samples",
            soi + jpegSegment(0xC0, QByteArray("\x0C\x00\x08\x00\x10\x01\x01\x11\x00", 9)),
            std::nullopt},
        {"no height", soi + jpegFrameHeader(0xC0, 16, 0, 3), std::nullopt},
        {"a length that is not the components'",
            soi + jpegSegment(0xC0, frame.mid(4) + QByteArray(3, '\0')), std::nullopt},
        {"cut inside the frame", soi + frame.left(frame.size() - 1), std::nullopt},
        {"cut inside a segment", soi + table.left(20), std::nullopt},
        {"a table too short for its length", soi + QByteArray("\xFF\xDB\x00\x01", 4) + frame,
            std::nullopt},
        {"a scan first", soi + jpegSegment(0xDA, QByteArray(8, '\0')) + frame, std::nullopt},
        {"the end first", soi + eoi + frame, std::nullopt},
        {"a second start", soi + soi + frame, std::nullopt},
        {"an unknown marker", soi + jpegSegment(0x02, QByteArray(4, '\0')) + frame, std::nullopt},
        {"no start", frame, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<PictureHeader> header = readJpegHeader(PictureFile::fromBytes(c.bytes));
        ASSERT_EQ(header.has_value(), c.header.has_value());
        if (!header)
            continue;
        EXPECT_EQ(header->width, c.header->width);
        EXPECT_EQ(header->height, c.header->height);
        EXPECT_EQ(header->bitsPerPixel, c.header->bitsPerPixel);
    }
}

TEST_F(HostilePictures, JpegHeadersOfSoundFilesAreWhatFreeImageReads)
{
    const QDir corpus(QStringLiteral(DISCORA_TEST_DATA_DIR "/picture-corpus"));
    const QStringList names = corpus.entryList({QStringLiteral("valid-*.jpg")}, QDir::Files);
    ASSERT_GE(names.size(), 4);
    quietPictureDecoders();
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = testsupport::readFile(corpus.filePath(name));
        // FreeImage would decode the thumbnails in full.
        if (!jpegThumbnailSignatures(PictureFile::fromBytes(bytes)).empty())
            continue;
        const std::optional<PictureHeader> own = readJpegHeader(PictureFile::fromBytes(bytes));
        ASSERT_TRUE(own);
        FIMEMORY *memory = FreeImage_OpenMemory(
            reinterpret_cast<BYTE *>(const_cast<char *>(bytes.constData())), DWORD(bytes.size()));
        FIBITMAP *header = FreeImage_LoadFromMemory(FIF_JPEG, memory, FIF_LOAD_NOPIXELS);
        FreeImage_CloseMemory(memory);
        ASSERT_TRUE(header);
        EXPECT_EQ(own->width, FreeImage_GetWidth(header));
        EXPECT_EQ(own->height, FreeImage_GetHeight(header));
        EXPECT_EQ(own->bitsPerPixel, FreeImage_GetBPP(header));
        FreeImage_Unload(header);
    }
}

// What FreeImage decodes in full on every load, header read or not, is kept
// from it: the thumbnails of JPEG and TIFF files, whatever size they claim,
// and a PNG's compressed texts (seconds to inflate). A picture carrying them
// loads within the memory limit and looks as it does without them.
TEST_F(HostilePictures, MetadataFreeImageWouldInflateIsHidden)
{
    QByteArray jpeg, png;
    for (const FormatSample &sample : soundSamples()) {
        if (sample.format == FIF_JPEG)
            jpeg = sample.bytes;
        if (sample.format == FIF_PNG)
            png = sample.bytes;
    }
    ASSERT_FALSE(jpeg.isEmpty() || png.isEmpty());
    // Half a gigabyte of coefficients, in a hundred-odd bytes.
    const QByteArray bomb = jpegClaiming(16'000, 16'000, 0xC2, 1);
    ASSERT_LE(bomb.size(), 256);
    const QByteArray zeros = qCompress(QByteArray(7'900'000, '\0'), 9).mid(4); // zlib stream
    QByteArray texts = withPngChunk(
        withPngChunk(withPngChunk(png, pngChunk("zTXt", QByteArray("Comment\0\0", 9) + zeros)),
            pngChunk("tEXt", QByteArray("Title\0cover", 11))),
        pngChunk("iTXt", QByteArray("Comment\0\1\0\0\0", 12) + zeros));
    texts.insert(texts.size() - 12, pngChunk("zTXt", QByteArray("After\0\0", 7) + zeros));
    const struct {
        const char *name;
        QByteArray bytes;
        QByteArray plain; // the same picture without the metadata
        int concealed; // compressed texts renamed
    } cases[] = {
        {"exif.jpg", withExifThumbnail(jpeg, bomb), jpeg, -1},
        {"jfxx.jpg", withJfxxThumbnail(jpeg, bomb), jpeg, -1},
        {"exifsound.jpg", withExifThumbnail(jpeg, soundSamples().front().bytes), jpeg, -1},
        {"exif.tif", tiffWithThumbnail(20'000, false), tiffWithThumbnail(4, false), -1},
        {"subifd.tif", tiffWithThumbnail(20'000, true), tiffWithThumbnail(4, true), -1},
        {"texts.png", texts, png, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.concealed >= 0) {
            EXPECT_EQ(int(concealedMetadata(FIF_PNG, PictureFile::fromBytes(c.bytes)).size()),
                c.concealed);
        }
        const QString path = hostilePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(testsupport::writeFile(path, c.bytes));
        FacePicturePtr picture = LoadFacePicture(QFile::encodeName(path));
        ASSERT_TRUE(picture);
        EXPECT_LT(peakMemoryKb(), kPeakMemoryLimitKb);
        const QString plainPath = hostilePath(QStringLiteral("plain-") + QLatin1String(c.name));
        ASSERT_TRUE(testsupport::writeFile(plainPath, c.plain));
        FacePicturePtr plain = LoadFacePicture(QFile::encodeName(plainPath));
        ASSERT_TRUE(plain);
        EXPECT_EQ(facePictureToImage(*picture), facePictureToImage(*plain));
    }
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
