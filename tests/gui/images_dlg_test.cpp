// The Images dialog: which picture buttons show, what choosing a layout
// discards, the picture chooser and where it starts, what is reported to the
// main window while it is open; the picture file filters.
#include <gtest/gtest.h>

#include "dialogs/CImagesDlg.h"
#include "document/UserSettings.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/PictureFiles.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QListView>
#include <QRadioButton>

using namespace testsupport;
using P = CImagesDlg::Pictures;
using B = CImagesDlg;

namespace {

QList<int> shownButtons(const CImagesDlg &dlg)
{
    QList<int> shown;
    for (B::ButtonId id : {B::ChooseBackImage, B::ChooseFrontImage, B::ChooseImage,
             B::ClearBackImage, B::ClearFrontImage, B::ClearImage}) {
        if (!dlg.button(id)->isHidden())
            shown << id;
    }
    return shown;
}

struct Reports {
    explicit Reports(CImagesDlg &dlg)
    {
        QObject::connect(
            &dlg, &CImagesDlg::picturesChanged, &dlg, [this](const P &p) { seen << p; });
    }
    QList<P> seen;
};

} // namespace

TEST(ImagesDlg, ButtonsShowWhatTheLayoutAndItsPathsHold)
{
    struct Case {
        P given;
        QList<int> shown;
        P opened; // choosing the layout discards the other one's paths
    };
    const Case cases[] = {
        {{1, "", "/p/f.jpg", ""}, {B::ChooseBackImage, B::ClearFrontImage},
            {1, "", "/p/f.jpg", ""}},
        {{1, "/p/b.png", "/x/tmpfront.tmp", "/s"}, {B::ChooseFrontImage, B::ClearBackImage},
            {1, "/p/b.png", "/x/tmpfront.tmp", ""}},
        {{1, "/p/a.tmpl/b", "", ""}, {B::ChooseBackImage, B::ChooseFrontImage},
            {1, "/p/a.tmpl/b", "", ""}},
        {{0, "/p/b", "/p/f", "/p/s.jpg"}, {B::ClearImage}, {0, "", "", "/p/s.jpg"}},
        {{0, "", "", "/x/tmpstretch.tmp"}, {B::ChooseImage}, {0, "", "", "/x/tmpstretch.tmp"}},
        {{5, "/p/b", "/p/f", "/p/s"}, {}, {5, "/p/b", "/p/f", "/p/s"}}, // no layout chosen
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(
            c.given.frontImagePath.toStdString() + " " + std::to_string(c.given.coverOption));
        CImagesDlg dlg;
        Reports reports(dlg);
        dlg.setPictures(c.given, QString());
        EXPECT_EQ(shownButtons(dlg), c.shown);
        EXPECT_EQ(dlg.pictures(), c.opened);
        EXPECT_EQ(dlg.hasChanges(), c.opened != c.given);
        EXPECT_EQ(reports.seen, c.given.coverOption > 1 ? QList<P>() : QList<P>{c.opened});
        for (QRadioButton *radio : {dlg.stretchedChoice(), dlg.separateChoice()}) {
            const bool chosen = c.given.coverOption == (radio == dlg.separateChoice() ? 1 : 0);
            EXPECT_EQ(radio->isChecked(), chosen);
            EXPECT_EQ(radio->font().bold(), chosen);
        }
    }
}

TEST(ImagesDlg, LayoutsClearButtonsAndClosing)
{
    ScriptedUiHost host;
    CImagesDlg dlg;
    Reports reports(dlg);
    dlg.setPictures({1, "/p/b.jpg", "/p/f.jpg", ""}, QString());
    EXPECT_FALSE(dlg.hasChanges());
    dlg.button(B::ClearFrontImage)->click();
    EXPECT_EQ(reports.seen.last(), (P{1, "/p/b.jpg", "", ""}));
    EXPECT_EQ(shownButtons(dlg), (QList<int>{B::ChooseFrontImage, B::ClearBackImage}));
    dlg.stretchedChoice()->click();
    dlg.stretchedChoice()->click(); // again: stays chosen
    EXPECT_EQ(reports.seen.last(), (P{0, "", "", ""}));
    EXPECT_TRUE(dlg.stretchedChoice()->isChecked() && !dlg.separateChoice()->isChecked());
    EXPECT_EQ(shownButtons(dlg), QList<int>{B::ChooseImage});
    EXPECT_TRUE(dlg.hasChanges());

    // Enter presses the picture button that has the focus.
    dlg.button(B::ChooseImage)->setFocus();
    host.fileNames.push_back(QString());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(dlg.button(B::ChooseImage), &enter);
    EXPECT_EQ(host.fileRequests.size(), 1);
    EXPECT_EQ(dlg.result(), 0);

    // Continue, Enter and Escape close it; the final paths hold whatever closed it.
    for (int key : {0, int(Qt::Key_Return), int(Qt::Key_Escape)}) {
        CImagesDlg other;
        other.setPictures({0, "/p/b.jpg", "/p/f.jpg", "/p/s.jpg"}, QString());
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        key ? void(QApplication::sendEvent(&other, &event)) : other.continueButton()->click();
        EXPECT_EQ(other.result(), key == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(other.pictures(), (P{0, "", "", "/p/s.jpg"}));
    }
}

TEST(ImagesDlg, PicturesAreChosenFromTheLastPictureOrTheDesktop)
{
    ScriptedUiHost host;
    clearSettings();
    const QString dir = QDir(freshDir(QStringLiteral("images"))).absolutePath();
    const QString desktop = QDir(freshDir(QStringLiteral("Desktop"))).absolutePath();
    QDir().mkpath(sandboxDir() + QStringLiteral("/config"));
    writeFile(sandboxDir() + QStringLiteral("/config/user-dirs.dirs"),
        "XDG_DESKTOP_DIR=\"" + QFile::encodeName(desktop) + "\"\n");
    const QString front = dir + "/front.png", back = dir + "/back.jpg", gone = dir + "/gone.gif";
    writeFile(front, "picture");
    writeFile(back, "picture");

    CImagesDlg dlg;
    Reports reports(dlg);
    dlg.setPictures({1, "", "", ""}, QStringLiteral("/window/last.jpg"));
    struct Step {
        B::ButtonId button;
        QString answer; // empty: cancelled
        QString start; // where the chooser opened
        QByteArray frontPath, backPath;
        QString lastPath; // in the store afterwards
        int reports;
    };
    const Step steps[] = {
        {B::ChooseFrontImage, front, desktop, QFile::encodeName(front), "", front, 2},
        {B::ChooseBackImage, gone, front, QFile::encodeName(front), "", front, 3}, // not taken
        {B::ChooseBackImage, QString(), front, QFile::encodeName(front), "", front, 3},
        {B::ChooseBackImage, back, front, QFile::encodeName(front), QFile::encodeName(back), back,
            4},
    };
    for (const Step &s : steps) {
        host.fileNames.push_back(s.answer);
        dlg.button(s.button)->click();
        EXPECT_EQ(host.fileRequests.last().startPath, s.start);
        EXPECT_EQ(host.fileRequests.last().filter, pictureFileFilter());
        EXPECT_EQ(dlg.pictures(), (P{1, s.backPath, s.frontPath, ""}));
        EXPECT_EQ(UserSettings().lastPath, s.lastPath);
        EXPECT_EQ(reports.seen.size(), s.reports);
        EXPECT_EQ(reports.seen.last(), dlg.pictures());
    }
    EXPECT_EQ(shownButtons(dlg), (QList<int>{B::ClearBackImage, B::ClearFrontImage}));
    EXPECT_EQ(dlg.pictureFolder(), back);
    EXPECT_EQ(dlg.result(), 0); // still open

    // The stretched picture is all its layout needs: the dialog closes, also
    // when the file chosen does not exist.
    for (const QString &chosen : {front, gone}) {
        CImagesDlg one;
        one.setPictures({0, "", "", "/p/old.jpg"}, QString());
        one.button(B::ClearImage)->click();
        host.fileNames.push_back(chosen);
        one.button(B::ChooseImage)->click();
        EXPECT_EQ(one.result(), QDialog::Accepted);
        EXPECT_EQ(one.pictures(), (P{0, "", "", chosen == front ? QFile::encodeName(front) : ""}));
    }
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &f1);
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].topic, QStringLiteral("images"));
    EXPECT_EQ(dlg.size(), QSize(434, 250));
    EXPECT_EQ(dlg.heading()->textColorRef(), 0x663300u);
    EXPECT_EQ(dlg.stretchedChoice()->text(),
        QStringLiteral("Choose one image to stretch across the entire cover."));
    EXPECT_EQ(dlg.separateChoice()->text(), QStringLiteral("Choose separate back/front images."));
}

// Qt reads a filter's patterns from inside its brackets: each filter lists
// the files of its type and only those, whatever the case of their names. What
// counts is what the file dialog lists from a folder that holds them all.
TEST(PictureFiles, EachFilterListsTheFilesOfItsType)
{
    const QStringList pictures = {"a.jpg", "a.jpeg", "a.gif", "a.bmp", "a.png", "a.tif", "a.tiff",
        "a.ico", "B.JPG", "C.Png", "D.TIFF"};
    const QStringList others = {"a.txt", "a.zcv", "a.jpg.txt", "jpg", "a.jpgx"};
    const std::pair<QString, QStringList> cases[] = {
        {"All (*.jpg *.jpeg *.gif *.bmp *.png *.tif *.tiff *.ico)", pictures},
        {"JPEG Images (*.jpg *.jpeg)", {"a.jpg", "a.jpeg", "B.JPG"}},
        {"Gif Images (*.gif)", {"a.gif"}},
        {"Bitmap Images (*.bmp)", {"a.bmp"}},
        {"PNG Images (*.png)", {"a.png", "C.Png"}},
        {"Tif Images (*.tif *.tiff)", {"a.tif", "a.tiff", "D.TIFF"}},
        {"Icon Images (*.ico)", {"a.ico"}},
    };
    const QString folder = freshDir(QStringLiteral("filters"));
    for (const QString &name : pictures + others)
        ASSERT_TRUE(writeFile(folder + QLatin1Char('/') + name, "x"));

    QFileDialog dialog(nullptr, QString(), folder, pictureFileFilter());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    auto *view = dialog.findChild<QListView *>(QStringLiteral("listView"));
    ASSERT_NE(view, nullptr);
    auto *model = dialog.findChild<QFileSystemModel *>();
    ASSERT_NE(model, nullptr);
    // The folder is read on a thread of the model's own; the dialog opens on
    // the first filter, which lists every picture.
    const QDeadlineTimer deadline(20000);
    while (model->rowCount(model->index(folder)) < pictures.size() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_GE(model->rowCount(model->index(folder)), pictures.size());

    int index = 0;
    for (const auto &[filter, listed] : cases) {
        SCOPED_TRACE(filter.toStdString());
        EXPECT_EQ(pictureFileFilters().value(index++), filter);
        dialog.selectNameFilter(filter);
        QCoreApplication::processEvents();
        // A row the filter leaves out is hidden or, where the dialog greys
        // such files out, cannot be chosen.
        QStringList shown;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QModelIndex item = view->model()->index(row, 0, root);
            if (!view->isRowHidden(row) && (view->model()->flags(item) & Qt::ItemIsEnabled))
                shown << item.data().toString();
        }
        shown.sort();
        QStringList expected = listed;
        expected.sort();
        EXPECT_EQ(shown, expected);
    }
    EXPECT_EQ(pictureFileFilters().size(), index);
}
