// The desktop thumbnail: the face chosen, its size and colours, transparency
// around a disc, refusal of damaged covers, and a run with nothing writable
// but the output folder.
#include "document/CoverDocument.h"
#include "print/CoverLoading.h"
#include "print/CoverThumbnail.h"
#include "print/FileExport.h"
#include "render/FacePicture.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QString kSamples = QStringLiteral(DISCORA_SAMPLES_DIR);
const QString kCorpus = QStringLiteral(DISCORA_TEST_DATA_DIR "/render-corpus");

struct ThumbnailRun {
    int code = -1;
    QString err;
    qint64 ms = 0;
};

// The program, on the offscreen platform, with TMPDIR at `tmp` (Qt's runtime
// folder elsewhere: without one Qt makes it in the temporary folder).
ThumbnailRun thumbnail(const QStringList &args, const QString &tmp)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp);
    const QString runtime = freshDir(QStringLiteral("runtime"));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(DISCORA_EXECUTABLE), QStringList{QStringLiteral("--thumbnail")} + args);
    // A bound against a hang, not a measure of speed (bench/ has that).
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
        QString::fromLocal8Bit(p.readAllStandardError()), clock.elapsed()};
}

// Mean colour of the middle half of an image (inside a disc's circle).
QColor middleColour(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRect middle(rgb.width() / 4, rgb.height() / 4, rgb.width() / 2, rgb.height() / 2);
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
            ++n;
        }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

// The face as the PNG export draws it, at a resolution near the thumbnail's.
QImage exportedFace(const QString &cover, int maxSide)
{
    PictureLibrary library;
    LoadedCover loaded;
    QString error;
    if (!loadCover(cover, CoverLoadOptions{96, true, false}, loaded, error))
        return {};
    const CoverFaces faces = thumbnailFaces(loaded.document.covertype);
    const CoverFace face = thumbnailFace(loaded.document, faces);
    const int dpi = int(maxSide / std::max(face.inches.width(), face.inches.height()));
    return renderFaceImage(loaded.document, faces, face, dpi,
        DrawTarget::file(96).withPictures(loaded.pictures.get()));
}

} // namespace

TEST(Thumbnail, FaceStandsForTheCover)
{
    struct Case {
        int32_t coverType;
        QByteArray frontPicture, frontTitle, frontText;
        const char *stem;
    };
    const Case cases[] = {
        {StandardCD, "memory:front.jpg", "", "", "front"},
        {StandardCD, "", "Title", "", "front"},
        {StandardCD, "", "", "Line", "front"},
        {StandardCD, "", "", "", "back"},
        {StandardDVD, "memory:front.jpg", "Title", "", "cover"},
        {SlimlineDVD, "", "", "", "cover"},
        {SlimlineCD, "memory:front.jpg", "", "", "cover"},
        {Other, "memory:front.jpg", "Title", "", "disc"},
        {99, "", "", "", "disc"},
    };
    for (const Case &c : cases) {
        CoverDocument doc;
        resetDocumentForType(doc, c.coverType);
        doc.fImagePath = c.frontPicture;
        doc.fCoverTitle = c.frontTitle;
        doc.fCoverText = c.frontText;
        const CoverFaces faces = thumbnailFaces(c.coverType);
        EXPECT_EQ(thumbnailFace(doc, faces).fileStem, QLatin1String(c.stem))
            << "type " << c.coverType << " picture " << c.frontPicture.constData();
    }
}

TEST(Thumbnail, SamplesAtTheirSizeInTheFacesColours)
{
    const QString tmp = freshDir(QStringLiteral("tmp"));
    const QString out = freshDir(QStringLiteral("out"));
    struct Case {
        QString cover;
        int size; // 0: the default
        bool round;
    };
    QList<Case> cases;
    for (const QString &name : QDir(kSamples).entryList({QStringLiteral("*.zcv")}))
        for (int size : {0, 96})
            cases.append({kSamples + QLatin1Char('/') + name, size, false});
    cases.append({kCorpus + QStringLiteral("/valid-other.zcv"), 0, true});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cover.toStdString() + " size " + std::to_string(c.size));
        const int side = c.size ? c.size : 256;
        const QString png = out
            + QStringLiteral("/%1-%2.png").arg(QFileInfo(c.cover).completeBaseName()).arg(c.size);
        QStringList args{png};
        if (c.size)
            args << QStringLiteral("--size") << QString::number(c.size);
        const ThumbnailRun run = thumbnail(args << c.cover, tmp);
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        const QImage image(png);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(std::max(image.width(), image.height()), side);

        const QImage face = exportedFace(c.cover, side);
        ASSERT_FALSE(face.isNull());
        const double expectedRatio = double(face.width()) / face.height();
        EXPECT_NEAR(double(image.width()) / image.height(), expectedRatio, 0.03);
        const QColor got = middleColour(image);
        const QColor want = middleColour(face);
        EXPECT_NEAR(got.red(), want.red(), 12);
        EXPECT_NEAR(got.green(), want.green(), 12);
        EXPECT_NEAR(got.blue(), want.blue(), 12);

        EXPECT_EQ(image.hasAlphaChannel(), c.round);
        if (c.round) {
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
            EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
            EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
        }
    }
    EXPECT_TRUE(QDir(tmp).isEmpty())
        << "written: " << QDir(tmp).entryList().join(' ').toStdString();
}

TEST(Thumbnail, DamagedCoversGiveNoPicture)
{
    const QString tmp = freshDir(QStringLiteral("tmp"));
    const QString out = freshDir(QStringLiteral("out"));
    const QStringList covers{
        kCorpus + QStringLiteral("/picture-damaged-bomb.jpg.zcv"),
        kCorpus + QStringLiteral("/picture-damaged-huge.png.zcv"),
        kCorpus + QStringLiteral("/picture-damaged-wide.tif.zcv"),
        kCorpus + QStringLiteral("/picture-damaged-tall.ico.zcv"),
        QStringLiteral(DISCORA_TEST_DATA_DIR "/coverfile-corpus/damaged-truncated-picture.zcv"),
        QStringLiteral(DISCORA_TEST_DATA_DIR "/coverfile-corpus/invalid-no-end.zcv"),
        out + QStringLiteral("/no-such-cover.zcv"),
    };
    for (const QString &cover : covers) {
        SCOPED_TRACE(cover.toStdString());
        const QString png = out + QStringLiteral("/thumb.png");
        const ThumbnailRun run = thumbnail({png, cover}, tmp);
        EXPECT_EQ(run.code, kExportFailureExit);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("discora: "))) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(png));
        std::printf("  %s: %lld ms\n", qPrintable(QFileInfo(cover).fileName()), run.ms);
    }
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), 0);
    EXPECT_TRUE(QDir(tmp).isEmpty())
        << "written: " << QDir(tmp).entryList().join(' ').toStdString();
}

TEST(Thumbnail, RunsWithOnlyTheOutputFolderWritable)
{
    QProcess probe;
    probe.start(QStringLiteral("bwrap"),
        {QStringLiteral("--ro-bind"), QStringLiteral("/"), QStringLiteral("/"),
            QStringLiteral("true")});
    if (!probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit
        || probe.exitCode() != 0)
        GTEST_SKIP() << "bwrap cannot make namespaces here: "
                     << probe.readAllStandardError().trimmed().toStdString();

    const QString out = freshDir(QStringLiteral("sealed-out"));
    const QString exe = QFileInfo(QStringLiteral(DISCORA_EXECUTABLE)).canonicalFilePath();
    const QString cover = kSamples + QStringLiteral("/standard-cd.zcv");
    QStringList args{QStringLiteral("--ro-bind"), QStringLiteral("/usr"), QStringLiteral("/usr"),
        QStringLiteral("--ro-bind"), QStringLiteral("/etc"), QStringLiteral("/etc")};
    for (const char *link : {"lib", "lib64", "bin", "sbin"})
        if (QFileInfo(QStringLiteral("/") + QLatin1String(link)).isSymLink())
            args << QStringLiteral("--symlink") << QStringLiteral("usr/") + QLatin1String(link)
                 << QStringLiteral("/") + QLatin1String(link);
    args << QStringLiteral("--proc") << QStringLiteral("/proc") << QStringLiteral("--dev")
         << QStringLiteral("/dev") << QStringLiteral("--ro-bind") << exe
         << QStringLiteral("/opt/discora") << QStringLiteral("--ro-bind") << cover
         << QStringLiteral("/in/cover.zcv") << QStringLiteral("--bind") << out
         << QStringLiteral("/out") << QStringLiteral("/usr/bin/env") << QStringLiteral("-i")
         << QStringLiteral("QT_QPA_PLATFORM=offscreen") << QStringLiteral("/opt/discora")
         << QStringLiteral("--thumbnail") << QStringLiteral("/out/thumb.png")
         << QStringLiteral("--size") << QStringLiteral("128") << QStringLiteral("/in/cover.zcv");
    QProcess p;
    p.start(QStringLiteral("bwrap"), args);
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QImage image(out + QStringLiteral("/thumb.png"));
    EXPECT_EQ(image.size(), QSize(128, 128));
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{"thumb.png"});
}
