// The main window's picture, colour, font and texts commands: what each
// asks, what it changes, and that every one is a single undo step.
#include "app/CMainDlg.h"
#include "dialogs/CCoverTextDlg.h"
#include "dialogs/CImagesDlg.h"
#include "dialogs/CTrackListingDlg.h"
#include "document/CoverFile.h"
#include "render/preview/CMyDiscButton.h"
#include "render/preview/CMyFlatButton.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QFile>
#include <QImage>
#include <QRadioButton>
#include <functional>
#include <gtest/gtest.h>

using namespace testsupport;
using Answer = UiHost::Answer;
namespace Id = MainDlgId;

namespace {

const std::pair<int, Face> kViews[]
    = {{Id::ViewBack, Face::Back}, {Id::ViewFront, Face::Front}, {Id::ViewDisc, Face::Disc}};

void showView(CMainDlg &w, Face face)
{
    for (const auto &[id, f] : kViews)
        if (f == face && w.currentView() != face)
            clickControl(w, id);
}

QString text(const CMainDlg &w, int id)
{
    return w.button(id)->text();
}

QByteArray coverBytes(const CMainDlg &w)
{
    return coverFileBytes(w.document()).bytes;
}

} // namespace

TEST(FaceCommands, ColourGoesToEveryFaceOnYesAndToTheFaceInViewOnNo)
{
    const struct {
        int type;
        Face view;
        Answer answer;
        const char *question;
    } cases[] = {
        {StandardCD, Face::Back, Answer::Yes,
            "Use this color for the back cover, front cover and disc?"},
        {StandardCD, Face::Front, Answer::No,
            "Use this color for the back cover, front cover and disc?"},
        {StandardDVD, Face::Disc, Answer::No, "Use this color for the cover and disc?"},
        {SlimlineCD, Face::Back, Answer::Yes, "Use this color for the cover and disc?"},
        {SlimlineDVD, Face::Back, Answer::Cancel, "Use this color for the cover and disc?"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        ScriptedUiHost host;
        auto w = newMainWindow(c.type);
        showView(*w, c.view);
        const CoverDocument before = w->document();
        host.colors = {QColor(10, 20, 30)};
        host.answers = {c.answer};
        clickControl(*w, Id::ChooseColor);
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, QString::fromLatin1(c.question));
        EXPECT_EQ(host.messages[0].caption, QStringLiteral("Color"));
        EXPECT_EQ(host.colorRequests.value(0), QColor(Qt::white)); // the face's own colour
        const ColorRef chosen = 0x1E140A;
        const CoverDocument &d = w->document();
        if (c.answer == Answer::Cancel) { // a dismissed question cancels the colour
            EXPECT_TRUE(d == before);
            EXPECT_FALSE(w->isModified());
            continue;
        }
        for (Face f : {Face::Front, Face::Back, Face::Disc}) {
            const bool coloured = c.answer == Answer::Yes || f == c.view;
            const ColorRef bg = f == Face::Front ? d.fBGColor
                : f == Face::Back                ? d.bBGColor
                                                 : d.dBGColor;
            EXPECT_EQ(bg, coloured ? chosen : 0xFFFFFFu);
        }
        EXPECT_EQ(w->undoAction()->text(), QStringLiteral("&Undo Colour"));
        w->undoAction()->trigger();
        EXPECT_TRUE(w->document() == before);
    }
}

TEST(FaceCommands, FontAndItsColourBecomeTheFacesRecord)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    showView(*w, Face::Disc);
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSize(20);
    chosen.setItalic(true);
    host.fonts = {UiHost::FontChoice{chosen, QColor(255, 0, 0)}, std::nullopt};
    clickControl(*w, Id::Font);
    ASSERT_EQ(host.fontRequests.size(), 1);
    EXPECT_EQ(host.fontRequests[0].font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(host.fontRequests[0].font.pointSize(), 12);
    const LogFont &f = w->document().dCoverTextFont;
    EXPECT_EQ(f.faceName, QByteArray("DejaVu Serif"));
    EXPECT_EQ(f.height, -mulDiv(20, w->logicalDpiY(), 72));
    EXPECT_EQ(f.italic, 1);
    EXPECT_EQ(w->document().dCoverTextColor, 0x0000FFu);
    EXPECT_EQ(std::get<DiscRenderer>(*w->discPreview()->boundFace()).font.faceName,
        QByteArray("DejaVu Serif"));
}

// A cancelled colour or font chooser changes nothing, not even the modified
// state, but the preview is drawn again.
TEST(FaceCommands, CancelledColourAndFontStillRedrawThePreview)
{
    const struct {
        const char *what;
        int control;
        std::function<void(ScriptedUiHost &)> cancel;
    } cases[] = {
        {"colour", Id::ChooseColor, [](ScriptedUiHost &h) { h.colors = {std::nullopt}; }},
        {"font", Id::Font, [](ScriptedUiHost &h) { h.fonts = {std::nullopt}; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedUiHost host;
        auto w = newMainWindow(StandardCD);
        showView(*w, Face::Disc);
        // Shown, and idle: the paints of showing it are over before counting.
        w->show();
        const auto settledRenders = [&w] {
            int renders = -1;
            while (renders != w->discPreview()->renderCount()) {
                renders = w->discPreview()->renderCount();
                QCoreApplication::processEvents();
            }
            return renders;
        };
        const int renders = settledRenders();
        ASSERT_GT(renders, 0);
        const CoverDocument before = w->document();
        c.cancel(host);
        clickControl(*w, c.control);
        EXPECT_TRUE(host.colors.empty() && host.fonts.empty());
        EXPECT_TRUE(w->document() == before);
        EXPECT_FALSE(w->isModified());
        EXPECT_GT(settledRenders(), renders);
    }
}

TEST(FaceCommands, ChooseImageRemembersThePictureAcrossARestart)
{
    const QString dir = freshDir(QStringLiteral("choose-image"));
    const QString picture = dir + QStringLiteral("/photo.png");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    {
        ScriptedUiHost host;
        auto w = newMainWindow(StandardCD);
        showView(*w, Face::Front);
        host.fileNames = {picture};
        clickControl(*w, Id::ChooseImage);
        EXPECT_EQ(w->document().fImagePath, QFile::encodeName(picture));
        EXPECT_TRUE(shown(w->control(Id::ClearImage)));
        EXPECT_FALSE(shown(w->control(Id::ChooseImage)));
        EXPECT_EQ(w->lastPath, picture);
        ASSERT_EQ(host.fileRequests.size(), 1);
        EXPECT_TRUE(host.fileRequests[0].filter.startsWith(
            QStringLiteral("All (*.jpg *.jpeg *.gif *.bmp *.png *.tif *.tiff *.ico)")));
    }
    // The next run of the program starts where the last picture was.
    ScriptedUiHost host;
    CMainDlg again;
    again.initDialog();
    host.fileNames = {dir + QStringLiteral("/not-there.png")};
    clickControl(again, Id::ChooseImage);
    EXPECT_EQ(host.fileRequests.value(0).startPath, picture);
    EXPECT_TRUE(again.document().bImagePath.isEmpty()); // a missing file is ignored
    EXPECT_TRUE(again.isModified());
}

TEST(FaceCommands, ClearImageOnADvdSheetClearsOnlyTheBackPicture)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardDVD);
    editCover(*w, [](CoverDocument &d) {
        d.bImagePath = "/p/back.jpg";
        d.fImagePath = "/p/front.jpg";
        d.sImagePath = "/p/sheet.jpg";
    });
    EXPECT_TRUE(shown(w->control(Id::ClearImage)));
    clickControl(*w, Id::ClearImage);
    EXPECT_TRUE(w->document().bImagePath.isEmpty());
    EXPECT_EQ(w->document().fImagePath, QByteArray("/p/front.jpg"));
    EXPECT_EQ(w->document().sImagePath, QByteArray("/p/sheet.jpg"));
    EXPECT_TRUE(shown(w->control(Id::ChooseImage)));
}

// The Images dialog writes into the window while it is open; the whole
// session with it is one step, and it marks the cover modified.
TEST(FaceCommands, TheImagesDialogIsOneStep)
{
    ScriptedUiHost host;
    auto w = newMainWindow(SlimlineDVD);
    const QByteArray before = coverBytes(*w);
    QByteArray whileOpen;
    // The changes are in the cover while the dialog is open: they count as
    // unsaved then, as when they go back to how the cover was.
    QList<bool> modifiedWhileOpen;
    host.dialogs.push_back([&](QDialog &d) {
        auto &images = dynamic_cast<CImagesDlg &>(d);
        modifiedWhileOpen << w->isModified();
        images.separateChoice()->click();
        whileOpen = QByteArray::number(w->document().CoverOption);
        modifiedWhileOpen << w->isModified();
        images.stretchedChoice()->click();
        modifiedWhileOpen << w->isModified();
        images.separateChoice()->click();
        modifiedWhileOpen << w->isModified();
        return 1;
    });
    EXPECT_EQ(text(*w, Id::ChooseImage), QStringLiteral("Choose Images"));
    clickControl(*w, Id::ChooseImage);
    EXPECT_EQ(host.dialogClasses, QStringList{QStringLiteral("CImagesDlg")});
    EXPECT_EQ(whileOpen, QByteArray("1")); // live in the window
    EXPECT_EQ(modifiedWhileOpen, (QList<bool>{false, true, false, true}));
    EXPECT_EQ(w->document().CoverOption, SeparateImages);
    EXPECT_TRUE(w->isModified());
    EXPECT_EQ(w->undoAction()->text(), QStringLiteral("&Undo Images"));
    w->undoAction()->trigger();
    EXPECT_EQ(coverBytes(*w), before);
    EXPECT_FALSE(w->isModified());
    w->redoAction()->trigger();
    EXPECT_EQ(w->document().CoverOption, SeparateImages);
}

TEST(FaceCommands, TheTextsButtonOpensTheEditorOfTheCoverTypeAndView)
{
    const struct {
        int type;
        Face view;
        const char *dialog;
        CCoverTextDlg::Rows rows;
        bool unchangedOkModifies;
    } cases[] = {
        {StandardCD, Face::Back, "CTrackListingDlg", {}, true},
        {StandardCD, Face::Front, "CCoverTextDlg", {false, false, true, false}, true},
        {StandardCD, Face::Disc, "CCoverTextDlg", {false, false, false, true}, true},
        {SlimlineCD, Face::Back, "CTrackListingDlg", {}, true},
        {StandardDVD, Face::Back, "CCoverTextDlg", {true, true, true, false}, false},
        {SlimlineDVD, Face::Disc, "CCoverTextDlg", {false, false, false, true}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + " " + std::to_string(c.type));
        ScriptedUiHost host;
        auto w = newMainWindow(c.type);
        showView(*w, c.view);
        CCoverTextDlg::Rows rows;
        host.dialogs.push_back([&](QDialog &d) {
            if (auto *texts = dynamic_cast<CCoverTextDlg *>(&d))
                rows = texts->rows();
            return 1; // OK without a change
        });
        clickControl(*w, Id::EditTexts);
        EXPECT_EQ(host.dialogClasses, QStringList{QString::fromLatin1(c.dialog)});
        EXPECT_TRUE(rows == c.rows);
        EXPECT_EQ(w->isModified(), c.unchangedOkModifies);
        EXPECT_FALSE(w->undoAction()->isEnabled());

        // A change is one step, and undo gives the same file back.
        const QByteArray before = coverBytes(*w);
        host.dialogs.push_back([&](QDialog &d) {
            if (auto *list = dynamic_cast<CTrackListingDlg *>(&d)) {
                list->trackText = "[DELIM]1.[/DELIM][DELIM]Intro[/DELIM][DELIM]1:00[/DELIM]\n\r";
                list->spineText = "Spine";
            } else if (auto *texts = dynamic_cast<CCoverTextDlg *>(&d)) {
                CCoverTextDlg::Texts t = texts->texts();
                t.discTitle = t.frontTitle = t.spineText = "Caf\xe9";
                texts->setTexts(t);
            }
            return 1;
        });
        clickControl(*w, Id::EditTexts);
        EXPECT_NE(coverBytes(*w), before);
        w->undoAction()->trigger();
        EXPECT_EQ(coverBytes(*w), before);
    }
}

// The font window sets the title's style beside the text's on a face with a
// title, in one step; the CD back has no title to offer.
TEST(FaceCommands, FontWindowSetsTheTitlesStyleToo)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    w->session().change(QStringLiteral("Test"), [](CoverDocument &d) { d.fBGColor = 0x000000; });
    const CoverDocument before = w->document();
    showView(*w, Face::Front);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPointSize(24);
    title.setBold(true);
    UiHost::FontChoice answer{QFont(QStringLiteral("Arial")), QColor(Qt::black)};
    answer.hasTitle = true;
    answer.titleFont = title;
    answer.titleColor = QColor(Qt::white);
    host.fonts = {answer, UiHost::FontChoice{}};
    clickControl(*w, Id::Font);
    ASSERT_EQ(host.fontRequests.size(), 1);
    EXPECT_TRUE(host.fontRequests[0].hasTitle);
    EXPECT_EQ(host.fontRequests[0].background, QColor(Qt::black)); // the sample's ground
    EXPECT_TRUE(host.fontRequests[0].titleFont.bold()); // a new cover's title
    const TitleStyle &style = w->document().fTitleStyle;
    EXPECT_EQ(style.fontFace, QByteArray("DejaVu Serif"));
    EXPECT_EQ(style.fontHeight, -mulDiv(24, w->logicalDpiY(), 72));
    EXPECT_EQ(style.fontWeight, 700);
    EXPECT_EQ(style.color, 0xFFFFFFu);
    EXPECT_EQ(std::get<CdFaceRenderer>(*w->cdFrontPreview()->boundFace()).titleStyle, style);
    w->undoAction()->trigger();
    EXPECT_TRUE(w->document() == before);

    showView(*w, Face::Back);
    clickControl(*w, Id::Font);
    ASSERT_EQ(host.fontRequests.size(), 2);
    EXPECT_FALSE(host.fontRequests[1].hasTitle);
}
