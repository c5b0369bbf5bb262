// The main window as a person sees it: every cover type in every view,
// grabbed offscreen. Set DISCORA_SHOTS_DIR to keep the pictures.
#include "document/CoverFile.h"
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
    doc.fImagePath = doc.dImagePath = doc.sImagePath = picture;
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

bool hasSeveralColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y));
    return colours.size() > 20;
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

        const std::pair<int, const char *> views[]
            = {{Id::ViewBack, "back"}, {Id::ViewFront, "front"}, {Id::ViewDisc, "disc"}};
        for (const auto &[view, viewName] : views) {
            if (!shown(window.control(view)))
                continue;
            window.button(view)->click();
            QCoreApplication::processEvents();
            const QImage image = window.grab().toImage();
            EXPECT_EQ(image.size() / image.devicePixelRatio(), window.size());
            if (type != Other)
                EXPECT_TRUE(hasSeveralColours(image)) << viewName;
            if (!shots.isEmpty())
                image.save(QStringLiteral("%1/%2-%3.png")
                               .arg(shots, QLatin1String(name), QLatin1String(viewName)));
        }
        window.hide();
    }
}
