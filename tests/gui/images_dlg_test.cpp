// The Images dialog: which picture buttons show for which paths and layout,
// what choosing a layout discards, the picture chooser and where it starts,
// what is reported to the main window while the dialog is open.
#include <gtest/gtest.h>

#include "dialogs/CImagesDlg.h"
#include "document/UserSettings.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/PictureFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSet>

using namespace testsupport;
using Pictures = CImagesDlg::Pictures;

namespace {

constexpr CImagesDlg::ButtonId kButtons[]
    = {CImagesDlg::ChooseBackImage, CImagesDlg::ChooseFrontImage, CImagesDlg::ChooseImage,
        CImagesDlg::ClearBackImage, CImagesDlg::ClearFrontImage, CImagesDlg::ClearImage};

QSet<int> visibleButtons(const CImagesDlg &dlg)
{
    QSet<int> shown;
    for (CImagesDlg::ButtonId id : kButtons) {
        if (!dlg.button(id)->isHidden())
            shown.insert(id);
    }
    return shown;
}

std::string describe(const QSet<int> &ids)
{
    QList<int> sorted(ids.begin(), ids.end());
    std::sort(sorted.begin(), sorted.end());
    std::string s;
    for (int id : sorted)
        s += std::to_string(id) + ' ';
    return s;
}

struct Reports {
    explicit Reports(CImagesDlg &dlg)
    {
        QObject::connect(&dlg, &CImagesDlg::picturesChanged, &dlg,
            [this](const Pictures &p) { seen.append(p); });
    }
    QList<Pictures> seen;
};

class ImagesDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearSettings();
        dir = QDir(freshDir(QStringLiteral("images"))).absolutePath();
    }

    QString picture(const QString &name)
    {
        const QString path = dir + '/' + name;
        writeFile(path, QByteArray("picture bytes"));
        return path;
    }

    static void press(QWidget &w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&w, &event);
    }

    ScriptedUiHost host;
    QString dir;
};

} // namespace

TEST_F(ImagesDlgTest, ButtonsShowWhatTheLayoutAndItsPathsHold)
{
    using B = CImagesDlg;
    struct Case {
        const char *why;
        Pictures given;
        QSet<int> shown;
        Pictures opened; // after choosing the layout
        int checked; // 0 stretched, 1 separate, -1 none
    };
    const Case cases[] = {
        {"front picture, no back", {1, "", "/p/front.jpg", ""},
            {B::ClearFrontImage, B::ChooseBackImage}, {1, "", "/p/front.jpg", ""}, 1},
        {"a front path holding .tmp is no picture", {1, "/p/back.png", "/x/tmpfront.tmp", ""},
            {B::ChooseFrontImage, B::ClearBackImage}, {1, "/p/back.png", "/x/tmpfront.tmp", ""}, 1},
        {".tmp anywhere in the path", {1, "/p/a.tmpl/b.jpg", "", "/p/s.jpg"},
            {B::ChooseFrontImage, B::ChooseBackImage}, {1, "/p/a.tmpl/b.jpg", "", ""}, 1},
        {"the one-picture layout clears front and back", {0, "/p/b.jpg", "/p/f.jpg", "/p/s.jpg"},
            {B::ClearImage}, {0, "", "", "/p/s.jpg"}, 0},
        {"a stretched .tmp copy is no picture", {0, "", "", "/x/tmpstretch.tmp"}, {B::ChooseImage},
            {0, "", "", "/x/tmpstretch.tmp"}, 0},
        {"nothing chosen yet", {0, "", "", ""}, {B::ChooseImage}, {0, "", "", ""}, 0},
        {"a layout the dialog does not know", {5, "/p/b.jpg", "/p/f.jpg", "/p/s.jpg"}, {},
            {5, "/p/b.jpg", "/p/f.jpg", "/p/s.jpg"}, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        CImagesDlg dlg;
        Reports reports(dlg);
        dlg.setPictures(c.given, QString());
        EXPECT_EQ(describe(visibleButtons(dlg)), describe(c.shown));
        EXPECT_EQ(dlg.pictures(), c.opened);
        EXPECT_EQ(dlg.hasChanges(), c.opened != c.given);
        // Opening on a layout reports it, as every change is.
        EXPECT_EQ(reports.seen, c.checked < 0 ? QList<Pictures>() : QList<Pictures>{c.opened});
        EXPECT_EQ(dlg.stretchedChoice()->isChecked(), c.checked == 0);
        EXPECT_EQ(dlg.separateChoice()->isChecked(), c.checked == 1);
        EXPECT_EQ(dlg.stretchedChoice()->font().bold(), c.checked == 0);
        EXPECT_EQ(dlg.separateChoice()->font().bold(), c.checked == 1);
    }
}

TEST_F(ImagesDlgTest, ChoosingALayoutDiscardsTheOtherOnesPaths)
{
    CImagesDlg dlg;
    Reports reports(dlg);
    dlg.setPictures({1, "/p/b.jpg", "/p/f.jpg", ""}, QString());
    EXPECT_FALSE(dlg.hasChanges());

    dlg.stretchedChoice()->click();
    EXPECT_EQ(reports.seen.last(), (Pictures{0, "", "", ""}));
    EXPECT_TRUE(dlg.stretchedChoice()->isChecked());
    EXPECT_FALSE(dlg.separateChoice()->isChecked());
    EXPECT_TRUE(dlg.stretchedChoice()->font().bold());
    EXPECT_FALSE(dlg.separateChoice()->font().bold());
    EXPECT_EQ(describe(visibleButtons(dlg)), describe({CImagesDlg::ChooseImage}));
    EXPECT_TRUE(dlg.hasChanges());

    dlg.stretchedChoice()->click(); // again: stays chosen
    EXPECT_TRUE(dlg.stretchedChoice()->isChecked());
    dlg.separateChoice()->click();
    EXPECT_EQ(reports.seen.last(), (Pictures{1, "", "", ""}));
    EXPECT_EQ(describe(visibleButtons(dlg)),
        describe({CImagesDlg::ChooseBackImage, CImagesDlg::ChooseFrontImage}));

    // Continue, Enter and Escape close it; the paths are the final ones
    // whatever closed it.
    struct Close {
        int key;
        int result;
    };
    for (const Close &close : {Close{0, QDialog::Accepted},
             Close{Qt::Key_Return, QDialog::Accepted}, Close{Qt::Key_Escape, QDialog::Rejected}}) {
        CImagesDlg other;
        other.setPictures({0, "/p/b.jpg", "/p/f.jpg", "/p/s.jpg"}, QString());
        if (close.key == 0)
            other.continueButton()->click();
        else
            press(other, close.key);
        EXPECT_EQ(other.result(), close.result);
        EXPECT_EQ(other.pictures(), (Pictures{0, "", "", "/p/s.jpg"}));
    }
}

TEST_F(ImagesDlgTest, PicturesAreChosenFromTheLastPictureOrTheDesktop)
{
    // The desktop of the sandboxed user.
    const QString desktop = QDir(freshDir(QStringLiteral("Desktop"))).absolutePath();
    QDir().mkpath(sandboxDir() + QStringLiteral("/config"));
    ASSERT_TRUE(writeFile(sandboxDir() + QStringLiteral("/config/user-dirs.dirs"),
        "XDG_DESKTOP_DIR=\"" + QFile::encodeName(desktop) + "\"\n"));
    const QString front = picture(QStringLiteral("front.png"));
    const QString back = picture(QStringLiteral("back.jpg"));

    CImagesDlg dlg;
    Reports reports(dlg);
    dlg.setPictures({1, "", "", ""}, QStringLiteral("/window/last.jpg"));

    // No picture chosen before: the desktop; the choice is kept.
    host.fileNames.push_back(front);
    dlg.button(CImagesDlg::ChooseFrontImage)->click();
    ASSERT_EQ(host.fileRequests.size(), 1);
    EXPECT_EQ(host.fileRequests[0].startPath, desktop);
    EXPECT_EQ(host.fileRequests[0].filter, pictureFileFilter());
    EXPECT_EQ(host.fileRequests[0].caption, QStringLiteral("Open"));
    EXPECT_EQ(dlg.pictures().frontImagePath, QFile::encodeName(front));
    EXPECT_EQ(reports.seen.last(), dlg.pictures());
    EXPECT_EQ(UserSettings().lastPath, front);
    EXPECT_EQ(dlg.pictureFolder(), front);
    EXPECT_FALSE(dlg.button(CImagesDlg::ClearFrontImage)->isHidden());

    // The store is read again before each choice; a file that does not
    // exist is not taken, a cancelled chooser changes nothing.
    {
        UserSettings s;
        s.lastPath = back;
        s.save();
    }
    const int reported = int(reports.seen.size());
    host.fileNames.push_back(dir + QStringLiteral("/gone.jpg"));
    host.fileNames.push_back(QString());
    dlg.button(CImagesDlg::ChooseBackImage)->click();
    dlg.button(CImagesDlg::ChooseBackImage)->click();
    EXPECT_EQ(host.fileRequests[1].startPath, back);
    EXPECT_EQ(host.fileRequests[2].startPath, back);
    EXPECT_TRUE(dlg.pictures().backImagePath.isEmpty());
    EXPECT_EQ(UserSettings().lastPath, back);
    EXPECT_EQ(reports.seen.size(), reported + 1); // the chooser's OK, not its Cancel
    EXPECT_FALSE(dlg.button(CImagesDlg::ChooseBackImage)->isHidden());

    host.fileNames.push_back(back);
    dlg.button(CImagesDlg::ChooseBackImage)->click();
    EXPECT_EQ(dlg.pictures(), (Pictures{1, QFile::encodeName(back), QFile::encodeName(front), ""}));
    EXPECT_EQ(dlg.result(), 0); // still open
    EXPECT_TRUE(dlg.hasChanges());

    // The stretched picture is all its layout needs: the dialog closes, also
    // when the file chosen does not exist.
    for (const QString &chosen : {picture(QStringLiteral("all.gif")), dir + "/gone.gif"}) {
        CImagesDlg one;
        one.setPictures({0, "", "", "/p/old.jpg"}, QString());
        one.button(CImagesDlg::ClearImage)->click();
        EXPECT_EQ(one.pictures(), (Pictures{0, "", "", ""}));
        host.fileNames.push_back(chosen);
        one.button(CImagesDlg::ChooseImage)->click();
        EXPECT_EQ(one.result(), QDialog::Accepted);
        EXPECT_EQ(one.pictures().stretchImagePath,
            QFile::exists(chosen) ? QFile::encodeName(chosen) : QByteArray());
    }
    EXPECT_TRUE(host.fileNames.empty());
}

TEST_F(ImagesDlgTest, ClearButtonsEmptyTheirPathAndReportIt)
{
    CImagesDlg dlg;
    Reports reports(dlg);
    dlg.setPictures({1, "/p/b.jpg", "/p/f.jpg", ""}, QString());
    dlg.button(CImagesDlg::ClearFrontImage)->click();
    EXPECT_EQ(reports.seen.last(), (Pictures{1, "/p/b.jpg", "", ""}));
    EXPECT_EQ(describe(visibleButtons(dlg)),
        describe({CImagesDlg::ChooseFrontImage, CImagesDlg::ClearBackImage}));
    dlg.button(CImagesDlg::ClearBackImage)->click();
    EXPECT_EQ(reports.seen.last(), (Pictures{1, "", "", ""}));
    EXPECT_EQ(reports.seen.size(), 3);
    EXPECT_TRUE(dlg.hasChanges());
}

TEST_F(ImagesDlgTest, LooksAsDesigned)
{
    CImagesDlg dlg;
    EXPECT_EQ(dlg.size(), QSize(434, 250));
    EXPECT_EQ(
        dlg.heading()->text(), QStringLiteral("How do you want to add images to your cover?"));
    EXPECT_EQ(dlg.heading()->textColorRef(), 0x663300u);
    EXPECT_EQ(dlg.stretchedChoice()->text(),
        QStringLiteral("Choose one image to stretch across the entire cover."));
    EXPECT_EQ(dlg.separateChoice()->text(), QStringLiteral("Choose seperate back/front images."));
    const std::pair<CImagesDlg::ButtonId, const char *> tips[] = {
        {CImagesDlg::ChooseFrontImage, "Click here to choose an image for your front cover."},
        {CImagesDlg::ClearFrontImage, "Click here to clear the front cover image."},
        {CImagesDlg::ChooseBackImage,
            "Click here to choose a background image for your back cover."},
        {CImagesDlg::ClearBackImage, "Click here to clear the back cover image."},
        {CImagesDlg::ChooseImage, "Click here to choose a background image for your cover."},
        {CImagesDlg::ClearImage, "Click here to clear the cover image."},
    };
    for (const auto &[id, tip] : tips)
        EXPECT_EQ(dlg.button(id)->tooltipText(), QString::fromLatin1(tip)) << id;

    press(dlg, Qt::Key_F1);
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].owner, &dlg);
    EXPECT_EQ(host.helpRequests[0].topic, QStringLiteral("images"));
}

// Qt reads a filter's patterns from inside its brackets: each filter lists
// the files of its type and only those.
TEST(PictureFiles, EachFilterListsTheFilesOfItsType)
{
    const QStringList all = {
        "a.jpg", "a.jpeg", "a.gif", "a.bmp", "a.png", "a.tif", "a.tiff", "a.ico", "SHOUTING.JPG"};
    struct Case {
        QString filter;
        QStringList listed;
    };
    const Case cases[] = {
        {"All (*.jpg *.jpeg *.gif *.bmp *.png *.tif *.tiff *.ico)", all},
        {"JPEG Images (*.jpg *.jpeg)", {"a.jpg", "a.jpeg", "SHOUTING.JPG"}},
        {"Gif Images (*.gif)", {"a.gif"}},
        {"Bitmap Images (*.bmp)", {"a.bmp"}},
        {"PNG Images (*.png)", {"a.png"}},
        {"Tif Images (*.tif *.tiff)", {"a.tif", "a.tiff"}},
        {"Icon Images (*.ico)", {"a.ico"}},
    };
    QStringList filters;
    for (const Case &c : cases)
        filters << c.filter;
    EXPECT_EQ(pictureFileFilters(), filters);
    EXPECT_EQ(pictureFileFilter(), filters.join(";;"));

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(pictureFileFilters());
    auto *model = dialog.findChild<QFileSystemModel *>();
    ASSERT_NE(model, nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        dialog.selectNameFilter(c.filter);
        const QStringList patterns = model->nameFilters();
        for (const QString &name : all + QStringList{"a.txt", "a.zcv", "jpg", "a.jpg.txt"}) {
            // The file dialog's model matches without regard to case.
            const bool listed = QDir::match(patterns, name);
            EXPECT_EQ(listed, c.listed.contains(name)) << name.toStdString();
        }
    }
}
