// The main window as a person sees it: every cover type in every view,
// grabbed offscreen. Set DISCORA_SHOTS_DIR to keep the pictures.
#include "document/CoverFile.h"
#include "render/TextDrawing.h"
#include "render/preview/CFacePreviewButton.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace testsupport;
namespace Id = MainDlgId;

namespace {

QString samplePicture()
{
    static const QString path = [] {
        const QString p = freshDir(QStringLiteral("look")) + QStringLiteral("/sunset.png");
        QImage image(800, 600, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient sky(0, 0, 0, 600);
        sky.setColorAt(0, QColor(250, 170, 90));
        sky.setColorAt(1, QColor(120, 60, 140));
        painter.fillRect(image.rect(), sky);
        painter.setBrush(QColor(255, 230, 120));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(400, 380), 120, 120);
        painter.fillRect(0, 420, 800, 180, QColor(40, 40, 80));
        painter.end();
        image.save(p);
        return p;
    }();
    return path;
}

void fill(CoverDocument &doc)
{
    const QByteArray picture = QFile::encodeName(samplePicture());
    doc.fImagePath = doc.bImagePath = doc.dImagePath = doc.sImagePath = picture;
    doc.fCoverTitle = "Night Drive";
    doc.fCoverText = "The Long Way Home";
    doc.bCoverTitle = "Night Drive";
    doc.bCoverText = doc.covertype == StandardCD || doc.covertype == SlimlineCD
        ? QByteArray("[DELIM]1[/DELIM][DELIM]Headlights[/DELIM][DELIM]3:41[/DELIM]\n\r"
                     "[DELIM]2[/DELIM][DELIM]Overpass[/DELIM][DELIM]4:02[/DELIM]\n\r")
        : QByteArray("Twelve songs for the road.");
    doc.backCoverSpineText = "NIGHT DRIVE";
    doc.dCoverTitle = "Night Drive";
    doc.dCoverText = "2024";
    doc.dCoverTextColor = 0xFFFFFF;
}

const QColor kPictureBand(40, 40, 80); // a colour of the picture only

QImage grabbed(QWidget *control)
{
    return control->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool holds(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

double shareOf(const QImage &image, const QColor &colour)
{
    qint64 n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return double(n) / (qint64(image.width()) * image.height());
}

// Some pixel of the row `y` from `x0` to `x1` (inclusive) has `colour`.
bool rowHolds(const QImage &image, int y, int x0, int x1, const QColor &colour)
{
    for (int x = x0; x <= x1; ++x)
        if (image.pixelColor(x, y) == colour)
            return true;
    return false;
}

// A rectangular face: its background over most of the control, framed by
// the black outline along all four edges.
void expectRectangularFace(const QImage &face, const QColor &background)
{
    const int w = face.width();
    const int h = face.height();
    EXPECT_GT(shareOf(face, background), 0.5);
    EXPECT_EQ(face.pixelColor(w / 2, 0), QColor(Qt::black));
    EXPECT_EQ(face.pixelColor(w / 2, h - 1), QColor(Qt::black));
    EXPECT_EQ(face.pixelColor(0, h / 2), QColor(Qt::black));
    EXPECT_EQ(face.pixelColor(w - 1, h / 2), QColor(Qt::black));
    EXPECT_EQ(face.pixelColor(w / 2, 3), background) << "a one-pixel outline";
}

// The disc: its background inside the rim, the rim outlined, the white hub
// in the middle and the window round it.
void expectDiscFace(const QImage &face, const QColor &background)
{
    const int w = face.width();
    const int h = face.height();
    EXPECT_GT(shareOf(face, background), 0.4);
    EXPECT_TRUE(rowHolds(face, h / 2, 0, 2, Qt::black)) << "outline at the rim";
    EXPECT_TRUE(rowHolds(face, h / 2, w - 3, w - 1, Qt::black)) << "outline at the rim";
    EXPECT_EQ(face.pixelColor(w / 6, h / 2), background);
    EXPECT_EQ(face.pixelColor(w / 2, h / 2), QColor(Qt::white)) << "the hub";
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, h - 1)}) {
        EXPECT_NE(face.pixelColor(corner), background);
        EXPECT_NE(face.pixelColor(corner), QColor(Qt::black));
    }
}

} // namespace

TEST(MainWindowLook, EveryTypeAndView)
{
    ScriptedUiHost host;
    const QString shots = qEnvironmentVariable("DISCORA_SHOTS_DIR");
    if (!shots.isEmpty())
        QDir().mkpath(shots);
    const std::pair<int, const char *> types[]
        = {{StandardCD, "standard-cd"}, {StandardDVD, "standard-dvd"}, {Other, "other"},
            {SlimlineCD, "slimline-cd"}, {SlimlineDVD, "slimline-dvd"}};
    const std::pair<int, const char *> views[]
        = {{Id::ViewBack, "back"}, {Id::ViewFront, "front"}, {Id::ViewDisc, "disc"}};
    for (const auto &[type, name] : types) {
        SCOPED_TRACE(name);
        // Through a cover file, as a user opens one.
        CoverDocument doc;
        resetDocumentForType(doc, type);
        fill(doc);
        const QString cover = freshDir(QStringLiteral("cover")) + QStringLiteral("/c.zcv");
        ASSERT_TRUE(writeCoverFile(doc, cover).ok);
        storeCoverType(type);
        CMainDlg window;
        window.setFilePath(cover);
        window.initDialog();
        window.show();
        QCoreApplication::processEvents();

        // Every face shows its picture.
        for (const auto &[view, viewName] : views) {
            if (!shown(window.control(view)))
                continue;
            SCOPED_TRACE(viewName);
            window.button(view)->click();
            QCoreApplication::processEvents();
            if (type == Other) {
                EXPECT_EQ(window.currentPreview(), nullptr);
            } else {
                ASSERT_NE(window.currentPreview(), nullptr);
                EXPECT_TRUE(holds(grabbed(window.currentPreview()), kPictureBand));
            }
            if (!shots.isEmpty())
                window.grab().toImage().save(
                    QStringLiteral("%1/%2-%3.png")
                        .arg(shots, QLatin1String(name), QLatin1String(viewName)));
        }
        if (type == Other)
            continue;

        // Without pictures each face shows its own background and outline.
        editCover(window, [](CoverDocument &edited) {
            for (QByteArray *path :
                {&edited.fImagePath, &edited.bImagePath, &edited.sImagePath, &edited.dImagePath})
                path->clear();
            edited.fBGColor = 0x00A05020;
            edited.bBGColor = 0x002090C0;
            edited.dBGColor = 0x0060B040;
            edited.fShowBorder = edited.bShowBorder = edited.dShowBorder = true;
            edited.printOverInnerCircleDisc = 0;
        });
        const CoverDocument &edited = window.document();
        for (const auto &[view, viewName] : views) {
            if (!shown(window.control(view)))
                continue;
            SCOPED_TRACE(viewName);
            window.button(view)->click();
            window.refreshPreviews();
            QCoreApplication::processEvents();
            ASSERT_NE(window.currentPreview(), nullptr);
            const QImage face = grabbed(window.currentPreview());
            if (view == Id::ViewDisc)
                expectDiscFace(face, colorFromRef(edited.dBGColor));
            else
                expectRectangularFace(
                    face, colorFromRef(view == Id::ViewFront ? edited.fBGColor : edited.bBGColor));
        }
        window.hide();
    }
}
