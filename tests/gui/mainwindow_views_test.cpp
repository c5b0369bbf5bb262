// The main window's controls, layout and views per cover type.
#include "app/CAboutDlg.h"
#include "document/CoverFile.h"
#include "render/preview/CDVDCoverButton.h"
#include "render/preview/CMyDiscButton.h"
#include "render/preview/CMyFlatButton.h"
#include "render/preview/CSlimlineCoverButton.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"
#include "widgets/AppPaths.h"
#include "widgets/CTransparentStatic.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testsupport;
namespace Id = MainDlgId;

namespace {

const int kPreviews[]
    = {Id::CdFrontPreview, Id::CdBackPreview, Id::DvdPreview, Id::SlimlinePreview, Id::DiscPreview};

// The previews shown, by id.
QList<int> shownPreviews(const CMainDlg &w)
{
    QList<int> ids;
    for (int id : kPreviews)
        if (shown(w.control(id)))
            ids << id;
    return ids;
}

bool alignmentRowShown(const CMainDlg &w)
{
    const bool label = shown(w.control(Id::AlignmentLabel));
    EXPECT_EQ(label, shown(w.control(Id::AlignLeftButton)));
    EXPECT_EQ(label, shown(w.control(Id::AlignCenterButton)));
    EXPECT_EQ(label, shown(w.control(Id::AlignRightButton)));
    return label;
}

int tickedAlignment(const CMainDlg &w)
{
    int ticked = -1, count = 0;
    const int ids[] = {Id::AlignLeftButton, Id::AlignCenterButton, Id::AlignRightButton};
    for (int i = 0; i < 3; ++i)
        if (w.button(ids[i])->isChecked()) {
            ticked = i;
            ++count;
        }
    EXPECT_LE(count, 1);
    return ticked;
}

QString text(const CMainDlg &w, int id)
{
    return w.button(id)->text();
}

} // namespace

TEST(MainWindowLayout, DefaultSizeAndTemplatePlaces)
{
    auto w = newMainWindow(StandardCD);
    // The template's size and the zoom row under it; never smaller.
    EXPECT_EQ(w->size(), QSize(623, 494));
    EXPECT_EQ(w->minimumSize(), w->size());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Untitled cover[*] \u2014 Discora"));

    // Dialog units: x 1.5 px, y 1.625 px, each value rounded on its own.
    const std::pair<int, QRect> places[] = {
        {Id::ViewBack, QRect(6, 85, 129, 26)},
        {Id::ViewFront, QRect(137, 85, 129, 26)},
        {Id::ViewDisc, QRect(269, 85, 111, 26)},
        {Id::CdFrontPreview, QRect(39, 119, 360, 348)},
        {Id::CdBackPreview, QRect(8, 119, 420, 340)},
        {Id::SlimlinePreview, QRect(9, 128, 419, 322)},
        {Id::DiscPreview, QRect(39, 120, 360, 348)},
        {Id::ChooseImage, QRect(497, 132, 51, 52)},
        {Id::ClearImage, QRect(497, 132, 51, 52)},
    };
    for (const auto &[id, rect] : places)
        EXPECT_EQ(placeInWindow(*w, id), rect) << "control " << id;
    // The sheet preview's height follows its width.
    EXPECT_EQ(placeInWindow(*w, Id::DvdPreview), QRect(6, 119, 428, 293));
}

TEST(MainWindowLayout, EveryControlExistsWithItsText)
{
    auto w = newMainWindow(StandardCD);
    const std::pair<int, const char *> texts[] = {{Id::New, "New"}, {Id::Load, "Load"},
        {Id::Save, "Save"}, {Id::Help, "Help"}, {Id::WebLink, "https://tessaly.example/discora"},
        {Id::ChooseTemplate, "Choose Template"}, {Id::ViewBack, "VIEW BACK COVER"},
        {Id::ViewFront, "VIEW FRONT COVER"}, {Id::ViewDisc, "VIEW DISC"},
        {Id::EditTexts, "Track Listing"}, {Id::ChooseImage, "Choose Image"},
        {Id::ClearImage, "Clear Image"}, {Id::ChooseColor, "Choose Color"}, {Id::Font, "Font"},
        {Id::PrintBorders, "Print Borders?"}, {Id::ExtendImage, "Extend image over spines?"},
        {Id::Print, "&Print"}, {Id::Exit, "E&xit"}};
    for (const auto &[id, t] : texts) {
        ASSERT_NE(w->button(id), nullptr) << "control " << id;
        EXPECT_EQ(text(*w, id), QString::fromLatin1(t)) << "control " << id;
    }
    auto *label = qobject_cast<CTransparentStatic *>(w->control(Id::AlignmentLabel));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Text Alignment:"));
    auto *version = qobject_cast<CTransparentStatic *>(w->control(Id::Version));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("2.04"));
    EXPECT_EQ(
        w->button(Id::WebLink)->url(), QUrl(QStringLiteral("https://tessaly.example/discora")));
    for (int id : {Id::AlignLeftButton, Id::AlignCenterButton, Id::AlignRightButton})
        EXPECT_TRUE(w->button(id)->hasImage()) << "control " << id;

    const std::pair<int, const char *> tips[] = {
        {Id::AlignCenterButton, "Click here to center align the cover text."},
        {Id::AlignLeftButton, "Click here to left align the cover text."},
        {Id::AlignRightButton, "Click here to right align the cover text."},
        {Id::Save, "Click here to save your cover (Ctrl+S; Save As: Ctrl+Shift+S or right-click)."},
        {Id::Load, "Click here to load a cover you created previously (Ctrl+O)."},
        {Id::New, "Click here to create a new cover (Ctrl+N)."},
        {Id::Print, "Click here to print your cover (Ctrl+P)."},
        {Id::Exit, "Click here to exit (Ctrl+Q)."},
        {Id::ChooseImage, "Click here to choose a background image for your cover."},
        {Id::ClearImage, "Click here to clear the background image."},
        {Id::Help, "Click here if you need some help."},
        {Id::EditTexts, "Click here to add a track listing and spine text to your cover."},
        {Id::Font,
            "Click here to change the font and colour of your track listing and spine text."},
        {Id::ChooseColor, "Click here to change the background color of your cover."}};
    for (const auto &[id, tip] : tips)
        EXPECT_EQ(w->button(id)->tooltipText(), QString::fromLatin1(tip)) << "control " << id;
}

TEST(MainWindowViews, NewStandardCdOpensInTheBackView)
{
    auto w = newMainWindow(StandardCD);
    EXPECT_EQ(w->currentView(), Face::Back);
    EXPECT_TRUE(w->button(Id::ViewBack)->isChecked());
    EXPECT_FALSE(w->button(Id::ViewFront)->isChecked());
    EXPECT_FALSE(w->button(Id::ViewDisc)->isChecked());
    EXPECT_EQ(shownPreviews(*w), QList<int>{Id::CdBackPreview});
    EXPECT_TRUE(shown(w->control(Id::ExtendImage)));
    EXPECT_TRUE(w->button(Id::ExtendImage)->isChecked());
    EXPECT_TRUE(shown(w->control(Id::PrintBorders)));
    EXPECT_TRUE(w->button(Id::PrintBorders)->isChecked());
    EXPECT_FALSE(alignmentRowShown(*w));
    for (int id : {Id::ViewBack, Id::ViewFront, Id::ViewDisc})
        EXPECT_TRUE(shown(w->control(id))) << "control " << id;
    EXPECT_TRUE(shown(w->control(Id::ChooseImage)));
    EXPECT_FALSE(shown(w->control(Id::ClearImage)));
    EXPECT_FALSE(w->isModified());
}

TEST(MainWindowViews, NewDvdShowsTheWideSheetAndTheAlignmentRow)
{
    for (int type : {StandardDVD, SlimlineDVD}) {
        SCOPED_TRACE(type);
        auto w = newMainWindow(type);
        EXPECT_EQ(shownPreviews(*w), QList<int>{Id::DvdPreview});
        const QRect sheet = placeInWindow(*w, Id::DvdPreview);
        EXPECT_EQ(sheet.height(), int(0.685 * sheet.width()));
        EXPECT_FALSE(shown(w->control(Id::ViewFront)));
        EXPECT_EQ(text(*w, Id::ViewBack), QStringLiteral("VIEW COVER"));
        EXPECT_EQ(text(*w, Id::ViewDisc), QStringLiteral("VIEW DISC"));
        const QRect back = w->control(Id::ViewBack)->geometry();
        const QRect disc = w->control(Id::ViewDisc)->geometry();
        EXPECT_EQ(disc.left() - (back.left() + back.width()), 11);
        EXPECT_EQ(disc.top(), back.top());
        EXPECT_TRUE(alignmentRowShown(*w));
        EXPECT_EQ(tickedAlignment(*w), 0);
        EXPECT_EQ(text(*w, Id::EditTexts), QStringLiteral("Cover Text"));
        EXPECT_EQ(text(*w, Id::ChooseImage), QStringLiteral("Choose Images"));
        EXPECT_EQ(text(*w, Id::ExtendImage), QStringLiteral("Print Spine?"));
        // The disc preview is centred on the sheet (both grown by 2 pixels).
        EXPECT_EQ(placeInWindow(*w, Id::DiscPreview), QRect(38, 118, 364, 352));
        EXPECT_EQ(
            std::get<DvdSheetRenderer>(*w->dvdPreview()->boundFace()).slimDvd, type == SlimlineDVD);
        EXPECT_DOUBLE_EQ(std::get<DvdSheetRenderer>(*w->dvdPreview()->boundFace()).frontTextLeft,
            type == SlimlineDVD ? 5.64 : 5.85);
    }
}

TEST(MainWindowViews, SlimlineCdShowsItsSheet)
{
    auto w = newMainWindow(SlimlineCD);
    EXPECT_EQ(shownPreviews(*w), QList<int>{Id::SlimlinePreview});
    EXPECT_FALSE(shown(w->control(Id::ViewFront)));
    EXPECT_EQ(text(*w, Id::ViewBack), QStringLiteral("VIEW COVER"));
    EXPECT_EQ(text(*w, Id::ExtendImage), QStringLiteral("Extend image over spine?"));
    EXPECT_EQ(w->control(Id::ViewDisc)->x(), 6 + 129 + 11);
    EXPECT_FALSE(alignmentRowShown(*w));
    // Disc preview stays at its template place.
    EXPECT_EQ(placeInWindow(*w, Id::DiscPreview), QRect(39, 120, 360, 348));
}

TEST(MainWindowViews, CustomCoverHasNoPreview)
{
    auto w = newMainWindow(Other);
    EXPECT_TRUE(shownPreviews(*w).isEmpty());
    EXPECT_FALSE(w->coverFaces().has_value());
    clickControl(*w, Id::ViewFront);
    EXPECT_TRUE(shownPreviews(*w).isEmpty());
    clickControl(*w, Id::ViewDisc);
    EXPECT_TRUE(shownPreviews(*w).isEmpty());
    EXPECT_EQ(w->currentView(), Face::Disc);
}

TEST(MainWindowViews, SwitchingViewsOnAStandardCd)
{
    auto w = newMainWindow(StandardCD);
    w->session().change(
        QStringLiteral("Test"), [&](CoverDocument &d) { d.fCoverAlign = AlignRight; });

    clickControl(*w, Id::ViewFront);
    EXPECT_EQ(w->currentView(), Face::Front);
    EXPECT_FALSE(w->button(Id::ViewBack)->isChecked());
    EXPECT_EQ(shownPreviews(*w), QList<int>{Id::CdFrontPreview});
    EXPECT_TRUE(alignmentRowShown(*w));
    EXPECT_EQ(tickedAlignment(*w), AlignRight);
    EXPECT_FALSE(shown(w->control(Id::ExtendImage)));
    EXPECT_EQ(text(*w, Id::EditTexts), QStringLiteral("Cover Text"));
    EXPECT_EQ(std::get<CdFaceRenderer>(*w->cdFrontPreview()->boundFace()).alignment, AlignRight);

    w->session().change(QStringLiteral("Test"), [&](CoverDocument &d) { d.dShowBorder = false; });
    w->session().change(
        QStringLiteral("Test"), [&](CoverDocument &d) { d.printOverInnerCircleDisc = 0; });
    clickControl(*w, Id::ViewDisc);
    EXPECT_EQ(w->currentView(), Face::Disc);
    EXPECT_FALSE(w->button(Id::ViewFront)->isChecked());
    EXPECT_EQ(shownPreviews(*w), QList<int>{Id::DiscPreview});
    EXPECT_FALSE(alignmentRowShown(*w));
    EXPECT_EQ(text(*w, Id::EditTexts), QStringLiteral("Disc Text"));
    EXPECT_EQ(text(*w, Id::ExtendImage), QStringLiteral("Print full face?"));
    EXPECT_TRUE(shown(w->control(Id::ExtendImage)));
    EXPECT_FALSE(w->button(Id::ExtendImage)->isChecked());
    EXPECT_FALSE(w->button(Id::PrintBorders)->isChecked());

    clickControl(*w, Id::ViewBack);
    EXPECT_EQ(w->currentView(), Face::Back);
    EXPECT_EQ(shownPreviews(*w), QList<int>{Id::CdBackPreview});
    EXPECT_EQ(text(*w, Id::EditTexts), QStringLiteral("Track Listing"));
    EXPECT_EQ(text(*w, Id::ExtendImage), QStringLiteral("Extend image over spines?"));
    EXPECT_TRUE(w->button(Id::PrintBorders)->isChecked());
    EXPECT_FALSE(alignmentRowShown(*w));
}

TEST(MainWindowViews, DiscViewOfADvdSaysChooseImageAndBackSaysChooseImages)
{
    auto w = newMainWindow(StandardDVD);
    clickControl(*w, Id::ViewDisc);
    EXPECT_EQ(text(*w, Id::ChooseImage), QStringLiteral("Choose Image"));
    EXPECT_EQ(shownPreviews(*w), QList<int>{Id::DiscPreview});
    clickControl(*w, Id::ViewBack);
    EXPECT_EQ(text(*w, Id::ChooseImage), QStringLiteral("Choose Images"));
    EXPECT_EQ(shownPreviews(*w), QList<int>{Id::DvdPreview});
    EXPECT_TRUE(alignmentRowShown(*w));
}

TEST(MainWindowViews, ClickingTheShownViewKeepsIt)
{
    const std::pair<int, int> cases[] = {{StandardCD, Id::ViewBack}, {StandardCD, Id::ViewFront},
        {StandardCD, Id::ViewDisc}, {StandardDVD, Id::ViewBack}, {SlimlineCD, Id::ViewDisc}};
    for (const auto &[type, view] : cases) {
        SCOPED_TRACE(testing::Message() << "type " << type << " view " << view);
        auto w = newMainWindow(type);
        if (view != Id::ViewBack)
            clickControl(*w, view);
        const Face face = w->currentView();
        const QList<int> previews = shownPreviews(*w);
        const QString texts = text(*w, Id::EditTexts);
        const CoverDocument doc = w->document();
        clickControl(*w, view);
        EXPECT_TRUE(w->button(view)->isChecked());
        EXPECT_EQ(w->currentView(), face);
        EXPECT_EQ(shownPreviews(*w), previews);
        EXPECT_EQ(text(*w, Id::EditTexts), texts);
        EXPECT_TRUE(w->document() == doc);
        EXPECT_FALSE(w->isModified());
    }
}

// The CD back is always left-aligned and the disc always centred: settled
// once when the window opens a cover, never by a repaint or a view switch.
TEST(MainWindowViews, OpeningACoverSettlesTheFixedAlignments)
{
    const struct {
        int type;
        int32_t backAfter;
    } cases[] = {{StandardCD, AlignLeft}, {StandardDVD, AlignRight}, {SlimlineDVD, AlignRight},
        {SlimlineCD, AlignRight}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        CoverDocument doc;
        resetDocumentForType(doc, c.type);
        doc.bCoverAlign = AlignRight;
        doc.dCoverAlign = AlignLeft;
        const QString path = freshDir(QStringLiteral("aligned")) + QStringLiteral("/c.zcv");
        ASSERT_TRUE(writeCoverFile(doc, path).ok);
        auto w = mainWindowOn(path);
        EXPECT_EQ(w->document().bCoverAlign, c.backAfter);
        EXPECT_EQ(w->document().dCoverAlign, AlignCenter);
        EXPECT_FALSE(w->isModified());
        EXPECT_FALSE(w->undoAction()->isEnabled()); // nothing of the user's to undo

        // Later edits stay as they are: the views only draw them.
        editCover(*w, [](CoverDocument &d) {
            d.bCoverAlign = AlignRight;
            d.dCoverAlign = AlignRight;
        });
        const CoverDocument edited = w->document();
        for (int view : {Id::ViewDisc, Id::ViewBack, Id::ViewDisc})
            clickControl(*w, view);
        EXPECT_TRUE(w->document() == edited);
        EXPECT_EQ(std::get<DiscRenderer>(*w->discPreview()->boundFace()).alignment, AlignCenter);
    }
    auto cd = newMainWindow(StandardCD);
    editCover(*cd, [](CoverDocument &d) { d.bCoverAlign = AlignRight; });
    EXPECT_EQ(std::get<CdFaceRenderer>(*cd->cdBackPreview()->boundFace()).alignment, AlignLeft);
}

TEST(MainWindowViews, PreviewIsScaledFromItsControl)
{
    auto w = newMainWindow(StandardCD);
    const CdFaceRenderer back = std::get<CdFaceRenderer>(*w->cdBackPreview()->boundFace());
    const DrawTarget target = w->cdBackPreview()->drawTarget();
    const int dpi = w->logicalDpiX();
    EXPECT_EQ(back.nominalWidth, int(5.925 * dpi));
    EXPECT_EQ(back.nominalHeight, int(4.625 * dpi));
    EXPECT_DOUBLE_EQ(target.xScale, 420.0 / back.nominalWidth);
    EXPECT_DOUBLE_EQ(target.yScale, 340.0 / back.nominalHeight);
    EXPECT_EQ(back.isBackFace, 1);
    EXPECT_DOUBLE_EQ(back.textInsetX, 0.1);
}

TEST(MainWindowViews, OptionBoxesAndAlignmentChangeTheFaceInView)
{
    auto w = newMainWindow(StandardCD);
    clickControl(*w, Id::PrintBorders);
    EXPECT_FALSE(w->document().bShowBorder);
    EXPECT_FALSE(std::get<CdFaceRenderer>(*w->cdBackPreview()->boundFace()).showBorder);
    clickControl(*w, Id::ExtendImage);
    EXPECT_EQ(w->document().bBackPrintOverSpines, 0);
    EXPECT_TRUE(w->isModified());

    clickControl(*w, Id::ViewFront);
    EXPECT_TRUE(w->button(Id::PrintBorders)->isChecked()); // the front's own flag
    clickControl(*w, Id::AlignCenterButton);
    EXPECT_EQ(w->document().fCoverAlign, AlignCenter);
    EXPECT_EQ(tickedAlignment(*w), AlignCenter);
    // Clicking the ticked alignment keeps it ticked.
    clickControl(*w, Id::AlignCenterButton);
    EXPECT_EQ(tickedAlignment(*w), AlignCenter);

    auto dvd = newMainWindow(StandardDVD);
    clickControl(*dvd, Id::ExtendImage); // "Print Spine?" off
    EXPECT_FALSE(dvd->document().backCoverSpinesOn);
    EXPECT_FALSE(std::get<DvdSheetRenderer>(*dvd->dvdPreview()->boundFace()).spinesOn);
    // Both views of a sheet show the sheet, which shrinks with the back's flag.
    clickControl(*dvd, Id::ViewFront);
    clickControl(*dvd, Id::ShrinkText);
    EXPECT_TRUE(dvd->document().bShrinkText);
    EXPECT_TRUE(std::get<DvdSheetRenderer>(*dvd->dvdPreview()->boundFace()).shrinkText);
    EXPECT_FALSE(dvd->document().fShrinkText);
}

// Along the edge the disc's text takes the alignment row; straight it is
// centred and the row is hidden. Each box is one undo step.
TEST(MainWindowViews, TextAlongTheEdgeIsTheDiscsOwnOption)
{
    auto w = newMainWindow(StandardCD);
    EXPECT_FALSE(shown(w->control(Id::CurvedText)));
    EXPECT_TRUE(shown(w->control(Id::ShrinkText)));
    clickControl(*w, Id::ViewDisc);
    ASSERT_TRUE(shown(w->control(Id::CurvedText)));
    EXPECT_FALSE(alignmentRowShown(*w));
    clickControl(*w, Id::CurvedText);
    EXPECT_TRUE(w->document().dCurvedText);
    EXPECT_TRUE(alignmentRowShown(*w));
    clickControl(*w, Id::AlignLeftButton);
    EXPECT_EQ(w->document().dCoverAlign, AlignLeft);
    const auto disc = std::get<DiscRenderer>(*w->discPreview()->boundFace());
    EXPECT_TRUE(disc.curvedText);
    EXPECT_EQ(disc.alignment, AlignLeft);
    w->session().undoStack().undo();
    w->session().undoStack().undo();
    EXPECT_FALSE(w->document().dCurvedText);
    EXPECT_FALSE(alignmentRowShown(*w));
    EXPECT_FALSE(w->isModified());
}

TEST(MainWindowKeys, EnterAndEscapeDoNothing)
{
    ScriptedUiHost host; // any question would fail the test
    auto w = newMainWindow(StandardCD);
    w->session().markModified();
    // Qt's dialogs press their default button on Enter: the window has none
    // of its own, so one stands in for it here.
    auto *standIn = new QPushButton(QStringLiteral("OK"), w.get());
    standIn->setDefault(true);
    int pressed = 0;
    QObject::connect(standIn, &QPushButton::clicked, [&] { ++pressed; });
    QObject::connect(standIn, &QPushButton::clicked, w.get(), &QDialog::accept);
    w->show();
    FinishedRecorder finished(*w);
    w->button(Id::Save)->setFocus();
    for (QWidget *target :
        {static_cast<QWidget *>(w.get()), static_cast<QWidget *>(w->button(Id::Save))}) {
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &release);
        }
    }
    EXPECT_EQ(pressed, 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(finished.results.size(), 0);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(host.fileRequests.isEmpty());
}

TEST(MainWindowClose, ExitWithUnsavedChanges)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    w->session().markModified();
    FinishedRecorder finished(*w);

    host.answers = {UiHost::Answer::Yes};
    host.fileNames = {QString()}; // the save dialog is cancelled
    clickControl(*w, Id::Exit);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text,
        QStringLiteral("You have made changes to your cover, would you like to save the cover?"));
    EXPECT_EQ(host.messages[0].caption, QStringLiteral("Save"));
    EXPECT_EQ(host.messages[0].buttons, UiHost::Buttons::YesNo);
    EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Question);
    EXPECT_EQ(finished.results.size(), 0);
    EXPECT_TRUE(w->isModified());

    host.answers = {UiHost::Answer::No};
    clickControl(*w, Id::Exit);
    ASSERT_EQ(finished.results.size(), 1);
    EXPECT_EQ(finished.results[0], 6);
    EXPECT_TRUE(w->filePath().isEmpty());
    EXPECT_EQ(host.fileRequests.size(), 1); // no second save dialog
}

TEST(MainWindowClose, CloseBoxComesToTheSameQuestion)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    w->show();
    w->session().markModified();
    host.answers = {UiHost::Answer::Yes};
    host.fileNames = {QString()};
    w->close();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(host.messages.size(), 1);

    w->session().discardChanges();
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), 6);
}

TEST(MainWindowMenu, AboutBoxFromTheWindowMenu)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    QStringList labels;
    host.dialogs.push_back([&](QDialog &d) {
        for (const QLabel *l : d.findChildren<QLabel *>())
            labels << l->text();
        return 1;
    });
    QStringList entries;
    for (const QAction *a : w->windowMenu()->actions())
        entries << a->text();
    // The sheets' part names come first, shown on a sheet's preview only.
    ASSERT_EQ(entries,
        (QStringList{QStringLiteral("Show &Part Names"), QString(), QStringLiteral("&Undo"),
            QStringLiteral("&Redo"), QString(), QStringLiteral("&About...")}));
    QAction *about = w->windowMenu()->actions().last();
    about->trigger();
    ASSERT_EQ(host.dialogClasses, QStringList{QStringLiteral("CAboutDlg")});
    const QString all = labels.join(QLatin1Char('\n'));
    EXPECT_TRUE(labels.contains(QStringLiteral("Discora")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Version: 2.04")));
    EXPECT_TRUE(all.contains(QStringLiteral("https://tessaly.example/discora")));
    EXPECT_TRUE(all.contains(QStringLiteral("FreeImage")));
    EXPECT_TRUE(all.contains(QStringLiteral("freeimage-license.txt")));
}

TEST(MainWindowMenu, AboutButtonInTheBannerAndTheContextMenu)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardDVD);
    host.dialogs.push_back([](QDialog &) { return 1; });
    ASSERT_NE(w->aboutButton(), nullptr);
    EXPECT_EQ(w->aboutButton()->text(), QStringLiteral("About..."));
    w->aboutButton()->click();
    EXPECT_EQ(host.dialogClasses, QStringList{QStringLiteral("CAboutDlg")});

    // A right click anywhere on the window offers the same menu.
    w->show();
    QContextMenuEvent menu(
        QContextMenuEvent::Mouse, QPoint(300, 40), w->mapToGlobal(QPoint(300, 40)));
    QCoreApplication::sendEvent(w->control(Id::Banner), &menu);
    EXPECT_TRUE(w->windowMenu()->isVisible());
    w->windowMenu()->hide();
}

TEST(MainWindowHelp, HelpButtonAndF1OpenTheHelp)
{
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    clickControl(*w, Id::Help);
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].owner, w.get());
    EXPECT_TRUE(host.openedUrls.isEmpty());

    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(w->button(Id::New), &f1);
    ASSERT_EQ(host.helpRequests.size(), 2);
    EXPECT_EQ(host.helpRequests[1].owner, w.get());
}

TEST(MainWindowPaint, EachPaintRendersTheFaceOnce)
{
    auto w = newMainWindow(StandardCD);
    w->show();
    QCoreApplication::processEvents();
    CMyFlatButton *back = w->cdBackPreview();
    const int before = back->renderCount();
    const QImage shot = back->grab().toImage();
    EXPECT_EQ(back->renderCount(), before + 1);
    // The face is drawn, not a blank frame: white background and a black outline.
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(0, shot.height() / 2), QColor(Qt::black));
}

// The picture-extent box shows the option of the face in view, so a view
// switch never writes one face's tick into another face.
TEST(MainWindowViews, TheExtentBoxIsEachFacesOwnOption)
{
    for (int type : {StandardCD, StandardDVD, SlimlineCD, SlimlineDVD}) {
        SCOPED_TRACE(type);
        auto w = newMainWindow(type);
        clickControl(*w, Id::ViewDisc);
        clickControl(*w, Id::ExtendImage); // "Print full face?" off
        EXPECT_EQ(w->document().printOverInnerCircleDisc, 0);
        const CoverDocument afterClick = w->document();

        clickControl(*w, Id::ViewBack);
        EXPECT_TRUE(w->button(Id::ExtendImage)->isChecked()); // the back's own, still on
        clickControl(*w, Id::ViewDisc);
        EXPECT_FALSE(w->button(Id::ExtendImage)->isChecked());
        EXPECT_TRUE(w->document() == afterClick);

        // On a DVD sheet the back's box is "Print Spine?": the spine and the
        // picture over it together.
        clickControl(*w, Id::ViewBack);
        clickControl(*w, Id::ExtendImage);
        const bool sheet = type == StandardDVD || type == SlimlineDVD;
        EXPECT_EQ(w->document().bBackPrintOverSpines, 0);
        EXPECT_EQ(w->document().backCoverSpinesOn, !sheet);
        clickControl(*w, Id::ViewDisc);
        EXPECT_FALSE(w->button(Id::ExtendImage)->isChecked());
        EXPECT_EQ(w->document().printOverInnerCircleDisc, 0);
    }
}

// Undo and redo give back every field the step changed, and the controls
// show the cover as it is again.
// "Print Spine?" on a DVD sheet is kept by the cover file: the window that
// opens the cover shows the box as it was saved, and draws the spine so.
TEST(MainWindowViews, PrintSpineIsKeptBySaveAndLoad)
{
    for (int type : {StandardDVD, SlimlineDVD}) {
        for (bool spine : {false, true}) {
            SCOPED_TRACE(testing::Message() << type << " " << spine);
            auto w = newMainWindow(type);
            if (!spine)
                clickControl(*w, Id::ExtendImage);
            const QString path = freshDir("spine") + "/cover.zcv";
            ASSERT_TRUE(writeCoverFile(w->document(), path).ok);
            auto opened = mainWindowOn(path);
            EXPECT_EQ(opened->document().backCoverSpinesOn, spine);
            EXPECT_EQ(opened->document().bBackPrintOverSpines, spine ? 1 : 0);
            EXPECT_EQ(opened->button(Id::ExtendImage)->isChecked(), spine);
            // Both DVD types are drawn on the DVD sheet.
            EXPECT_EQ(
                std::get<DvdSheetRenderer>(*opened->dvdPreview()->boundFace()).spinesOn, spine);
        }
    }
}

TEST(MainWindowUndo, ShortcutsAndMenuUndoTheLastStep)
{
    auto w = newMainWindow(StandardCD);
    w->show();
    const CoverDocument start = w->document();
    clickControl(*w, Id::PrintBorders);
    clickControl(*w, Id::ViewFront);
    clickControl(*w, Id::AlignRightButton);
    EXPECT_EQ(w->undoAction()->text(), QStringLiteral("&Undo Alignment"));

    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    const auto press = [&](const QKeySequence &keys) {
        QTest::keyClick(w->button(Id::New), keys[0].key(), keys[0].keyboardModifiers());
    };
    press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(w->document().fCoverAlign, AlignLeft);
    EXPECT_EQ(tickedAlignment(*w), AlignLeft);
    EXPECT_EQ(w->undoAction()->text(), QStringLiteral("&Undo Borders"));

    w->undoAction()->trigger();
    EXPECT_TRUE(w->document() == start);
    EXPECT_FALSE(w->isModified());
    clickControl(*w, Id::ViewBack);
    EXPECT_TRUE(w->button(Id::PrintBorders)->isChecked());

    press(QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_FALSE(w->document().bShowBorder);
    EXPECT_FALSE(w->button(Id::PrintBorders)->isChecked());
    EXPECT_FALSE(std::get<CdFaceRenderer>(*w->cdBackPreview()->boundFace()).showBorder);
    press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(w->document().fCoverAlign, AlignRight);
    EXPECT_TRUE(w->isModified());
}

TEST(MainWindowPaint, ARepaintNeverChangesTheCover)
{
    for (int type : {StandardCD, StandardDVD, SlimlineCD, SlimlineDVD}) {
        auto w = newMainWindow(type);
        w->show();
        const CoverDocument before = w->document();
        for (int view : {Id::ViewFront, Id::ViewDisc, Id::ViewBack}) {
            if (shown(w->control(view)))
                clickControl(*w, view);
            w->grab();
            w->refreshPreviews();
        }
        EXPECT_TRUE(w->document() == before) << type;
        EXPECT_FALSE(w->isModified());
    }
}
