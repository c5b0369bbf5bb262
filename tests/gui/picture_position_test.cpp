// The Picture Position window: dragging, zooming and turning show at once in
// the cover; OK is one undo step, Cancel takes everything back.
#include "dialogs/CPicturePositionDlg.h"
#include "dialogs/PicturePositionView.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QFile>
#include <QImage>
#include <QSlider>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace testsupport;
namespace Id = MainDlgId;

namespace {

std::unique_ptr<CMainDlg> windowWithBackPicture()
{
    const QString path = freshDir(QStringLiteral("position")) + QStringLiteral("/wide.png");
    QImage wide(300, 100, QImage::Format_RGB32);
    wide.fill(Qt::darkGreen);
    EXPECT_TRUE(wide.save(path));
    auto w = newMainWindow(StandardCD);
    editCover(*w, [&](CoverDocument &d) {
        d.bImagePath = QFile::encodeName(path);
        d.bImagePlacement = PicturePlacement::forNewPicture();
    });
    return w;
}

} // namespace

TEST(PicturePosition, ChangesShowLiveOkIsOneStepCancelTakesThemBack)
{
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        ScriptedUiHost host;
        auto w = windowWithBackPicture();
        const int steps = w->session().undoStack().count();
        PicturePlacement seen;
        host.dialogs.push_back([&](QDialog &d) {
            auto &dlg = dynamic_cast<CPicturePositionDlg &>(d);
            EXPECT_EQ(dlg.currentSlot(), 'b');
            dlg.view()->resize(400, 300);
            // A drag to the left shows more of the picture's right part.
            dlg.dragBy(QPoint(-40, 0));
            dlg.zoomBy(50);
            dlg.turn(1);
            seen = w->document().bImagePlacement; // live in the cover
            EXPECT_EQ(dlg.zoomSlider()->value(), 150);
            return ok ? QDialog::Accepted : QDialog::Rejected;
        });
        w->button(Id::PicturePosition)->click();
        ASSERT_EQ(host.dialogClasses, QStringList{QStringLiteral("CPicturePositionDlg")});
        EXPECT_GT(seen.centerX, 500);
        EXPECT_EQ(seen.centerY, 500);
        EXPECT_EQ(seen.zoom, 150);
        EXPECT_EQ(seen.rotation, 90);
        if (ok) {
            EXPECT_EQ(w->document().bImagePlacement, seen);
            EXPECT_EQ(w->session().undoStack().count(), steps + 1);
            EXPECT_EQ(w->session().undoStack().undoText(), QStringLiteral("Picture Position"));
            w->session().undoStack().undo();
        } else {
            EXPECT_EQ(w->session().undoStack().count(), steps);
        }
        EXPECT_EQ(w->document().bImagePlacement, PicturePlacement::forNewPicture());
    }
}

TEST(PicturePosition, OnlyForAFaceWithAPictureAndTheSheetsPicturesByLayout)
{
    auto w = newMainWindow(StandardCD);
    EXPECT_FALSE(w->button(Id::PicturePosition)->isEnabled());
    CoverDocument dvd;
    resetDocumentForType(dvd, StandardDVD);
    dvd.fImagePath = "/f.png";
    dvd.bImagePath = "/b.png";
    dvd.sImagePath = "/s.png";
    dvd.CoverOption = SeparateImages;
    EXPECT_EQ(FaceCommands::pictureSlots(dvd, Face::Back).size(), 2);
    dvd.CoverOption = StretchedImage;
    ASSERT_EQ(FaceCommands::pictureSlots(dvd, Face::Back).size(), 1);
    EXPECT_EQ(FaceCommands::pictureSlots(dvd, Face::Back).front().second, 's');
    EXPECT_TRUE(FaceCommands::pictureSlots(dvd, Face::Disc).isEmpty());
}
