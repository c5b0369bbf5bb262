// The main window as a window of today's screens: it grows, zooms, names its
// file in the title and saves with the usual keys.
#include "app/PreviewArea.h"
#include "document/CoverFile.h"
#include "render/preview/CFacePreviewButton.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QScrollBar>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace testsupport;
namespace Id = MainDlgId;

namespace {

// A shown window (offscreen), so that resizes reach its layout.
std::unique_ptr<CMainDlg> shownWindow(int coverType, Face view)
{
    auto w = newMainWindow(coverType);
    w->show();
    if (view == Face::Disc)
        clickControl(*w, Id::ViewDisc);
    else if (view == Face::Front)
        clickControl(*w, Id::ViewFront);
    return w;
}

QRect placeInArea(const CMainDlg &w)
{
    const QWidget *preview = w.previewArea()->shownPreview();
    return QRect(preview->mapTo(w.previewArea()->viewport(), QPoint(0, 0)), preview->size());
}

double aspect(QSize s)
{
    return double(s.height()) / s.width();
}

QString writeCover(const QString &name)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    doc.fCoverTitle = "Northern Lights";
    const QString path = freshDir(QStringLiteral("window")) + QLatin1Char('/') + name;
    EXPECT_TRUE(writeCoverFile(doc, path).ok);
    return path;
}

} // namespace

TEST(MainWindowSize, AGrownWindowGrowsThePreviewAndKeepsTheFaceShape)
{
    const std::pair<int, Face> faces[]
        = {{StandardCD, Face::Back}, {StandardCD, Face::Front}, {StandardCD, Face::Disc},
            {StandardDVD, Face::Back}, {SlimlineCD, Face::Back}, {SlimlineDVD, Face::Disc}};
    const QSize grow[] = {{0, 0}, {500, 0}, {0, 400}, {977, 506}};
    for (const auto &[type, view] : faces) {
        auto w = shownWindow(type, view);
        const QSize defaultSize = w->size();
        const QRect home = placeInArea(*w);
        const QPoint printHome = placeInWindow(*w, Id::Print).topLeft();
        const QPoint zoomHome = placeInWindow(*w, Id::ZoomBox).topLeft();
        for (const QSize &by : grow) {
            SCOPED_TRACE(testing::Message() << type << " view " << int(view) << " grown by "
                                            << by.width() << "x" << by.height());
            w->resize(defaultSize + by);
            const QRect place = placeInArea(*w);
            if (by.isNull())
                EXPECT_EQ(place, home);
            EXPECT_NEAR(aspect(place.size()), aspect(home.size()), 0.01);
            EXPECT_GE(place.width(), home.width());
            EXPECT_TRUE(w->previewArea()->viewport()->rect().contains(place));
            // The face takes what the window gained, as far as its shape lets it.
            EXPECT_GE(place.width() * place.height(),
                home.width() * home.height()
                    * std::min(1.0 + by.width() / 427.0, 1.0 + by.height() / 351.0) * 0.9);
            // The tools stay at the right; the zoom row at the bottom.
            EXPECT_EQ(placeInWindow(*w, Id::Print).topLeft(), printHome + QPoint(by.width(), 0));
            EXPECT_EQ(placeInWindow(*w, Id::ZoomBox).topLeft(), zoomHome + QPoint(0, by.height()));
        }
    }
}

TEST(MainWindowSize, ZoomStepsFromFitThroughTheRealSizeAndBack)
{
    auto w = shownWindow(StandardCD, Face::Back);
    PreviewArea &area = *w->previewArea();
    const double dpi = area.screenDpi();
    const double fit = area.effectivePercent();
    ASSERT_EQ(area.zoom(), PreviewArea::kFit);
    area.zoomIn();
    EXPECT_GT(area.zoom(), fit);
    area.setZoom(100);
    // 100 %: the CD back (5.925 inches wide) at its real size on this screen.
    EXPECT_EQ(area.shownPreview()->width(), qRound(5.925 * dpi));
    EXPECT_EQ(w->zoomBox()->currentText(), QStringLiteral("100 %"));
    area.zoomIn();
    EXPECT_EQ(area.zoom(), 150);
    area.setZoom(400);
    EXPECT_TRUE(area.horizontalScrollBar()->maximum() > 0);
    area.zoomIn();
    EXPECT_EQ(area.zoom(), 400);
    for (int step : {300, 200, 150, 100, 75, 50, 25, 25}) {
        area.zoomOut();
        EXPECT_EQ(area.zoom(), step);
    }
    area.zoomToFit();
    EXPECT_EQ(w->zoomBox()->currentText(), QStringLiteral("Fit"));
    EXPECT_EQ(area.horizontalScrollBar()->maximum(), 0);
    // Size and zoom are the next window's too.
    area.setZoom(200);
    w->resize(w->size() + QSize(100, 50));
    const QSize size = w->size();
    clickControl(*w, Id::Exit);
    CMainDlg next;
    next.initDialog();
    EXPECT_EQ(next.previewArea()->zoom(), 200);
    EXPECT_EQ(next.size(), size);
}

TEST(MainWindowTitle, NamesTheFileAndMarksUnsavedChangesUntilSaved)
{
    ScriptedUiHost host;
    const QString path = writeCover(QStringLiteral("northern-lights.zcv"));
    auto w = mainWindowOn(path);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("northern-lights.zcv[*] \u2014 Discora"));
    EXPECT_EQ(w->windowFilePath(), path);
    EXPECT_FALSE(w->isWindowModified());

    editCover(*w, [](CoverDocument &d) { d.fCoverTitle = "Changed"; });
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_TRUE(w->button(Id::UndoButton)->isEnabled());
    EXPECT_EQ(w->button(Id::UndoButton)->tooltipText(), QStringLiteral("Undo Test"));
    EXPECT_FALSE(w->button(Id::RedoButton)->isEnabled());

    // Ctrl+S right after Load writes the cover's own file, no question.
    QAction *saveKey = w->findChild<QAction *>(QStringLiteral("key%1").arg(Id::Save));
    ASSERT_TRUE(saveKey);
    EXPECT_EQ(saveKey->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    saveKey->trigger();
    EXPECT_TRUE(host.fileRequests.isEmpty());
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_FALSE(w->isWindowModified());
    CoverDocument back;
    resetDocumentForType(back, StandardCD);
    ASSERT_EQ(readCoverFile(back, path).status, CoverReadResult::Status::Ok);
    EXPECT_EQ(back.fCoverTitle, QByteArray("Changed"));

    // Undo leaves the saved state; redo comes back to it.
    w->button(Id::UndoButton)->click();
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_TRUE(w->button(Id::RedoButton)->isEnabled());
    w->button(Id::RedoButton)->click();
    EXPECT_FALSE(w->isWindowModified());

    // Save As asks, the cover's own name filled in.
    host.fileNames = {QString()};
    w->saveAsAction()->trigger();
    ASSERT_EQ(host.fileRequests.size(), 1);
    EXPECT_EQ(host.fileRequests[0].startPath, path);
}

TEST(MainWindowPictures, APreviewDecodesItsPictureOnceForRepaintsAndAgainForAnotherCover)
{
    const QString dir = freshDir(QStringLiteral("cached"));
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(dir + QStringLiteral("/p.png")));
    auto w = shownWindow(StandardCD, Face::Back);
    editCover(*w, [&](CoverDocument &d) {
        d.bImagePath = QFile::encodeName(dir + QStringLiteral("/p.png"));
    });
    CFacePreviewButton *preview = w->currentPreview();
    for (int n = 0; n < 3; ++n)
        preview->grab();
    EXPECT_EQ(w->previewPictures().decodeCount(), 1);
    EXPECT_EQ(preview->grab().toImage().pixelColor(preview->width() / 2, preview->height() / 2),
        QColor(Qt::darkCyan));
    w->previewArea()->setZoom(200);
    preview->grab();
    preview->grab();
    EXPECT_LE(w->previewPictures().decodeCount(), 2);
}
