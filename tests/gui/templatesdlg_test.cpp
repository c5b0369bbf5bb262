// The Templates window: what it lists from a template folder, what a click
// or an arrow puts on the cover per cover type, Cancel, the thumbnails'
// shapes, the first placement, and the templates the program ships.
#include "dialogs/CTemplatesDlg.h"
#include "document/CoverDocument.h"
#include "render/FacePicture.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <functional>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

struct TemplateFile {
    const char *name;
    QRgb color; // 0: not a picture
};

// Sorted as the window lists them; the broken JPEG and the text file are
// left out, so "Rock - Blue" and "Zed" must keep their own pictures.
const TemplateFile kFiles[] = {
    {"Broken[BACK].jpg", 0},
    {"Jazz[BACK].jpg", qRgb(200, 30, 30)},
    {"Jazz[FRONT].jpg", qRgb(30, 200, 30)},
    {"Jazz[DISC].jpg", qRgb(30, 30, 200)},
    {"Notes[BACK].txt", 0},
    {"Rock - Blue[BACK].png", qRgb(20, 60, 220)},
    {"Rock - Blue[FRONT].png", qRgb(20, 220, 60)},
    {"Zed[BACK].bmp", qRgb(240, 200, 0)},
    {".Hidden[BACK].png", qRgb(1, 2, 3)},
};

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) < 12 && std::abs(qGreen(a) - qGreen(b)) < 12
        && std::abs(qBlue(a) - qBlue(b)) < 12;
}

QString makeTemplateFolder()
{
    const QString dir = freshDir(QStringLiteral("clipart"));
    for (const TemplateFile &f : kFiles) {
        const QString path = dir + QLatin1Char('/') + QLatin1String(f.name);
        if (f.color == 0) {
            writeFile(path, "not a picture at all");
            continue;
        }
        QImage image(80, 50, QImage::Format_RGB32);
        image.fill(f.color);
        image.save(path, nullptr, 95);
    }
    QDir(dir).mkdir(QStringLiteral("Dir[BACK].jpg"));
    return dir;
}

QByteArray inFolder(const QString &dir, const char *name)
{
    return QFile::encodeName(dir + QLatin1Char('/') + QLatin1String(name));
}

class TemplatesDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UiHost::setInstance(&host);
        folder = makeTemplateFolder();
        QObject::connect(&dlg, &CTemplatesDlg::templateApplied,
            [this](const TemplatePictures &p) { applied.push_back(p); });
        QObject::connect(&dlg, &CTemplatesDlg::picturesRestored,
            [this](const TemplatePictures &p) { restored.push_back(p); });
        QObject::connect(&dlg, &CTemplatesDlg::windowHidden, [this] { ++hidden; });
    }
    void TearDown() override { UiHost::setInstance(nullptr); }

    void open(int coverType, const QByteArray &back = QByteArray())
    {
        dlg.openFolder(coverType, back, folder);
        dlg.show();
        QApplication::processEvents();
    }
    void click(int row)
    {
        QListWidget *list = dlg.list();
        const QPoint at = list->visualItemRect(list->item(row)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &event);
        }
    }
    void press(QWidget *target, int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    ScriptedUiHost host{ScriptedUiHost::AnswerNoticesWithOk};
    QString folder;
    CTemplatesDlg dlg;
    std::vector<TemplatePictures> applied;
    std::vector<TemplatePictures> restored;
    int hidden = 0;
};

} // namespace

TEST(TemplateNames, LabelsAndSiblings)
{
    const struct {
        const char *name, *label, *front, *disc;
    } cases[] = {
        {"Jazz[BACK].jpg", "Jazz[BACK]", "Jazz[FRONT].jpg", "Jazz[DISC].jpg"},
        {"Rock - Blue[BACK].png", "Blue[BACK]", "Rock - Blue[FRONT].png", "Rock - Blue[DISC].png"},
        {"a-b - c [BACK].x.jpg", "c [BACK].x", "a-b - c [FRONT].x.jpg", "a-b - c [DISC].x.jpg"},
        {"NoDot[BACK]", "", "NoDot[FRONT]", "NoDot[DISC]"},
        // Only the marker changes: a "BACK" elsewhere in the name stays.
        {"BACKSTAGE[BACK].jpg", "BACKSTAGE[BACK]", "BACKSTAGE[FRONT].jpg", "BACKSTAGE[DISC].jpg"},
        {"Two[BACK][BACK].gif", "Two[BACK][BACK]", "Two[FRONT][FRONT].gif", "Two[DISC][DISC].gif"},
        {"Own[BACK][FRONT].jpg", "Own[BACK][FRONT]", "Own[BACK][FRONT].jpg",
            "Own[DISC][FRONT].jpg"},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(CTemplatesDlg::templateLabel(name), QString::fromUtf8(c.label)) << c.name;
        EXPECT_EQ(
            CTemplatesDlg::siblingName(name, QStringLiteral("[FRONT]")), QString::fromUtf8(c.front))
            << c.name;
        EXPECT_EQ(
            CTemplatesDlg::siblingName(name, QStringLiteral("[DISC]")), QString::fromUtf8(c.disc))
            << c.name;
    }
}

TEST_F(TemplatesDlgTest, ListsPictureTemplatesWithTheirOwnThumbnailsAndLabels)
{
    open(StandardCD);
    const QStringList names{QStringLiteral("Jazz[BACK].jpg"),
        QStringLiteral("Rock - Blue[BACK].png"), QStringLiteral("Zed[BACK].bmp")};
    ASSERT_EQ(dlg.templateNames(), names);
    const QString labels[] = {"Jazz[BACK]", "Blue[BACK]", "Zed[BACK]"};
    const QRgb colors[] = {qRgb(200, 30, 30), qRgb(20, 60, 220), qRgb(240, 200, 0)};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(dlg.list()->item(row)->text(), labels[row]);
        const QImage thumb = dlg.thumbnail(row);
        EXPECT_EQ(thumb.size(), QSize(60, 60));
        EXPECT_TRUE(near(thumb.pixel(30, 30), colors[row])) << row;
        EXPECT_EQ(dlg.list()->item(row)->icon().availableSizes().value(0), QSize(60, 60));
    }
    EXPECT_EQ(dlg.list()->currentRow(), 0);
    EXPECT_EQ(dlg.currentIndex(), -1);
    EXPECT_TRUE(applied.empty());
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(TemplatesDlgTest, MissingFolderListsNothingSilently)
{
    dlg.openFolder(StandardCD, QByteArray(), folder + QStringLiteral("/none"));
    EXPECT_EQ(dlg.list()->count(), 0);
    press(dlg.list(), Qt::Key_Right);
    EXPECT_TRUE(applied.empty());
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(TemplatesDlgTest, SelectsTheEntryLabelledLikeTheBackPicture)
{
    const struct {
        QByteArray back;
        int row;
    } cases[] = {
        {QByteArray(), 0},
        {"/elsewhere/Other - Blue[BACK].jpg", 1},
        {"/tmp/Zed[BACK].bmp", 2},
        {"/tmp/Unknown.jpg", 0},
    };
    for (const auto &c : cases) {
        open(StandardCD, c.back);
        EXPECT_EQ(dlg.list()->currentRow(), c.row) << c.back.constData();
        EXPECT_EQ(dlg.currentIndex(), -1);
    }
}

TEST_F(TemplatesDlgTest, ClickPutsTheSetOnTheCoverByCoverType)
{
    const QByteArray jazzBack = inFolder(folder, "Jazz[BACK].jpg");
    const QByteArray jazzFront = inFolder(folder, "Jazz[FRONT].jpg");
    const QByteArray jazzDisc = inFolder(folder, "Jazz[DISC].jpg");
    const QByteArray blueBack = inFolder(folder, "Rock - Blue[BACK].png");
    const QByteArray blueFront = inFolder(folder, "Rock - Blue[FRONT].png");
    const QByteArray blueDisc = inFolder(folder, "Rock - Blue[DISC].png");
    const struct {
        int coverType, row;
        QByteArray f, b, s, d;
        int coverOption;
    } cases[] = {
        // Separate pictures: the set's three, the stretched picture gone.
        {StandardCD, 0, jazzFront, jazzBack, "", jazzDisc, SeparateImages},
        {Other, 0, jazzFront, jazzBack, "", jazzDisc, SeparateImages},
        {SlimlineCD, 1, blueFront, blueBack, "", blueDisc, SeparateImages},
        // One picture over the whole sheet; front and back untouched.
        {StandardDVD, 0, "old-f", "old-b", jazzBack, jazzDisc, StretchedImage},
        {SlimlineDVD, 1, "old-f", "old-b", blueBack, blueDisc, StretchedImage},
    };
    for (const auto &c : cases) {
        open(c.coverType);
        applied.clear();
        click(c.row);
        click(c.row); // the entry applied already: nothing more
        ASSERT_EQ(applied.size(), 1u) << c.coverType;
        CoverDocument doc;
        doc.fImagePath = "old-f";
        doc.bImagePath = "old-b";
        doc.sImagePath = "old-s";
        doc.dImagePath = "old-d";
        doc.CoverOption = SeparateImages;
        EXPECT_TRUE(applied[0].changes(doc));
        applied[0].applyTo(doc);
        EXPECT_EQ(doc.fImagePath, c.f) << c.coverType;
        EXPECT_EQ(doc.bImagePath, c.b) << c.coverType;
        EXPECT_EQ(doc.sImagePath, c.s) << c.coverType;
        EXPECT_EQ(doc.dImagePath, c.d) << c.coverType;
        EXPECT_EQ(doc.CoverOption, c.coverOption) << c.coverType;
        EXPECT_FALSE(applied[0].changes(doc));
        EXPECT_EQ(dlg.currentIndex(), c.row);
    }
}

TEST_F(TemplatesDlgTest, ArrowsStepFromTheTemplateAppliedLast)
{
    // Keys from a fresh opening; each applied row in order.
    const struct {
        std::vector<int> keys;
        std::vector<int> appliedRows;
        int highlighted;
    } cases[] = {
        {{Qt::Key_Right}, {0}, 0},
        {{Qt::Key_Left}, {}, 0},
        {{Qt::Key_Right, Qt::Key_Left}, {0}, 0},
        {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right}, {0, 1, 2}, 2},
        {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left}, {0, 1, 0}, 0},
        {{Qt::Key_Down}, {}, 0},
    };
    for (const auto &c : cases) {
        open(StandardCD);
        applied.clear();
        for (int key : c.keys)
            press(dlg.list(), key);
        ASSERT_EQ(applied.size(), c.appliedRows.size()) << c.keys.size();
        for (size_t i = 0; i < applied.size(); ++i)
            EXPECT_EQ(*applied[i].bImagePath,
                inFolder(folder, "") + dlg.templateNames()[c.appliedRows[i]].toUtf8());
        EXPECT_EQ(dlg.list()->currentRow(), c.highlighted);
    }
    // An arrow after a click steps from the clicked entry.
    open(StandardDVD);
    applied.clear();
    click(2);
    press(dlg.list(), Qt::Key_Left);
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(*applied[1].sImagePath, inFolder(folder, "Rock - Blue[BACK].png"));
    EXPECT_EQ(*applied[1].dImagePath, inFolder(folder, "Rock - Blue[DISC].png"));
}

TEST_F(TemplatesDlgTest, CancelPutsBackThePicturesFromBeforeTheWindowWasShown)
{
    for (int coverType : {StandardCD, SlimlineCD, StandardDVD, SlimlineDVD}) {
        SCOPED_TRACE(coverType);
        open(coverType);
        dlg.hide();
        CoverDocument doc;
        doc.covertype = coverType;
        doc.fImagePath = "front.jpg";
        doc.bImagePath = "back.jpg";
        doc.sImagePath = "sheet.jpg";
        doc.dImagePath = "disc.jpg";
        doc.CoverOption = SeparateImages;
        const CoverDocument before = doc;
        int shown = 0;
        bool placed = false;
        dlg.chooseTemplate(shown, placed, QRect(0, 0, 600, 400), doc);
        ASSERT_TRUE(dlg.isVisible());
        applied.clear();
        restored.clear();
        hidden = 0;
        for (int row : {0, 1}) {
            click(row);
            applied.back().applyTo(doc);
        }
        EXPECT_FALSE(doc == before);
        dlg.cancelButton()->click();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(hidden, 1);
        ASSERT_EQ(restored.size(), 1u);
        // The pictures and, on a DVD, the sheet picture and the layout too.
        restored[0].applyTo(doc);
        EXPECT_TRUE(doc == before);
    }
}

// Enter presses the button that has the focus; elsewhere it is OK.
TEST_F(TemplatesDlgTest, EnterPressesTheFocusedButton)
{
    const struct {
        const char *focus;
        std::function<QWidget *()> widget;
        bool visibleAfter, restoredAfter, linkOpened;
    } cases[] = {
        {"list", [this] { return static_cast<QWidget *>(dlg.list()); }, false, false, false},
        {"OK", [this] { return static_cast<QWidget *>(dlg.okButton()); }, false, false, false},
        {"Cancel", [this] { return static_cast<QWidget *>(dlg.cancelButton()); }, false, true,
            false},
        {"link", [this] { return static_cast<QWidget *>(dlg.linkButton()); }, true, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.focus);
        open(StandardDVD);
        dlg.hide();
        CoverDocument doc;
        int shown = 0;
        bool placed = false;
        dlg.chooseTemplate(shown, placed, QRect(0, 0, 600, 400), doc);
        QApplication::setActiveWindow(&dlg);
        click(1);
        restored.clear();
        host.openedUrls.clear();
        QWidget *target = c.widget();
        target->setFocus();
        ASSERT_EQ(dlg.focusWidget(), target);
        press(target, Qt::Key_Return);
        EXPECT_EQ(dlg.isVisible(), c.visibleAfter);
        EXPECT_EQ(restored.size(), c.restoredAfter ? 1u : 0u);
        EXPECT_EQ(host.openedUrls.size(), c.linkOpened ? 1 : 0);
    }
}

// Decoding every template would delay every new cover's window: the list is
// made when the window is first shown or used.
TEST_F(TemplatesDlgTest, TheListIsFilledWhenFirstShownOrUsed)
{
    const std::function<void()> firstUses[] = {
        [this] { dlg.show(); },
        [this] { dlg.list(); },
        [this] { dlg.templateNames(); },
        [this] { dlg.thumbnail(0); },
        [this] { dlg.applyTemplate(0); },
    };
    for (const auto &use : firstUses) {
        dlg.hide();
        dlg.setDiscView(false);
        dlg.openFolder(StandardCD, inFolder(folder, "Zed[BACK].bmp"), folder);
        EXPECT_FALSE(dlg.listFilled());
        dlg.setDiscView(true); // the view changes before the list is made
        EXPECT_FALSE(dlg.listFilled());
        use();
        EXPECT_TRUE(dlg.listFilled());
        EXPECT_EQ(dlg.templateNames().size(), 3);
        EXPECT_EQ(dlg.list()->count(), 3);
        EXPECT_EQ(dlg.thumbnail(0), CTemplatesDlg::makeThumbnail(folder + "/Jazz[BACK].jpg", true));
    }
    // Another cover empties the list and names the entry to select when it
    // is filled again.
    dlg.hide();
    dlg.openFolder(StandardCD, inFolder(folder, "Jazz[BACK].jpg"), folder);
    EXPECT_FALSE(dlg.listFilled());
    EXPECT_EQ(dlg.currentIndex(), -1);
    dlg.show();
    EXPECT_TRUE(dlg.listFilled());
    EXPECT_EQ(dlg.list()->currentRow(), 0);
    dlg.openFolder(StandardCD, inFolder(folder, "Zed[BACK].bmp"), folder);
    EXPECT_TRUE(dlg.listFilled()); // shown: filled at once
    EXPECT_EQ(dlg.list()->currentRow(), 2);
}

TEST_F(TemplatesDlgTest, OkEnterAndClosingKeepTheTemplate)
{
    const std::function<void()> ends[] = {
        [this] { dlg.okButton()->click(); },
        [this] { press(&dlg, Qt::Key_Return); },
        [this] { dlg.close(); },
    };
    for (const auto &end : ends) {
        open(StandardCD);
        click(1);
        restored.clear();
        hidden = 0;
        end();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(hidden, 1);
        EXPECT_TRUE(restored.empty());
    }
}

TEST_F(TemplatesDlgTest, DiscViewDrawsDiscShapedThumbnails)
{
    open(StandardCD);
    const QRgb jazz = qRgb(200, 30, 30);
    const QRgb frame = qRgb(192, 192, 192);
    const struct {
        bool disc;
        QPoint at;
        QRgb expected;
    } cases[] = {
        {false, {30, 30}, jazz},
        {false, {2, 2}, jazz},
        {false, {0, 30}, frame},
        {false, {59, 59}, frame},
        {true, {30, 30}, jazz},
        {true, {4, 4}, qRgb(255, 255, 255)},
        {true, {55, 55}, qRgb(255, 255, 255)},
        {true, {0, 0}, frame},
        {true, {59, 30}, frame},
        {true, {30, 1}, qRgb(0, 0, 0)},
    };
    for (const auto &c : cases) {
        dlg.setDiscView(c.disc);
        const QImage thumb = dlg.thumbnail(0);
        EXPECT_TRUE(near(thumb.pixel(c.at), c.expected))
            << c.disc << " " << c.at.x() << "," << c.at.y() << " " << std::hex << thumb.pixel(c.at);
        const QImage made = CTemplatesDlg::makeThumbnail(folder + "/Jazz[BACK].jpg", c.disc);
        EXPECT_EQ(made, thumb);
    }
}

TEST_F(TemplatesDlgTest, ChooseTemplateTogglesAndPlacesOnlyOnce)
{
    open(StandardCD);
    dlg.hide();
    const QRect owner(100, 80, 620, 470);
    EXPECT_EQ(CTemplatesDlg::firstPosition(owner), QPoint(100, 80 + 470 - 235));
    CoverDocument doc;
    int shown = 0;
    bool placed = false;
    const struct {
        QRect owner;
        int shown;
    } clicks[] = {{owner, 5}, {owner.translated(50, 50), 0}, {owner.translated(90, 90), 5}};
    for (const auto &c : clicks) {
        dlg.chooseTemplate(shown, placed, c.owner, doc);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(dlg.isVisible(), c.shown == 5);
        EXPECT_TRUE(placed);
        EXPECT_EQ(dlg.pos(), CTemplatesDlg::firstPosition(owner));
    }
    dlg.move(20, 30); // the user moves it
    dlg.chooseTemplate(shown, placed, owner, doc);
    dlg.chooseTemplate(shown, placed, owner, doc);
    EXPECT_EQ(dlg.pos(), QPoint(20, 30));
}

TEST_F(TemplatesDlgTest, HelpKeyAndLink)
{
    open(StandardCD);
    press(&dlg, Qt::Key_F1);
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].owner, &dlg);
    EXPECT_EQ(host.helpRequests[0].topic, QStringLiteral("templates"));
    dlg.linkButton()->click();
    ASSERT_EQ(host.openedUrls.size(), 1);
    EXPECT_TRUE(host.openedUrls[0].toString().endsWith(QStringLiteral("/templates")));
    EXPECT_EQ(dlg.linkButton()->text(), QStringLiteral("Click here to download more templates"));
}

// What the program installs: complete sets at print resolution, small
// enough to travel inside every cover made from them.
TEST(ShippedTemplates, CompleteSetsAtPrintResolution)
{
    const QString folder = CTemplatesDlg::defaultTemplateFolder();
    CTemplatesDlg dlg;
    dlg.openFolder(StandardCD, QByteArray(), folder);
    const QStringList names = dlg.templateNames();
    EXPECT_GE(names.size(), 8) << folder.toStdString();
    const struct {
        const char *marker;
        int longSide, shortSide;
    } faces[] = {{"[BACK]", 2400, 1600}, {"[FRONT]", 1400, 1400}, {"[DISC]", 1300, 1300}};
    for (const QString &name : names) {
        for (const auto &face : faces) {
            const QString file = CTemplatesDlg::siblingName(name, QLatin1String(face.marker));
            const QString path = folder + QLatin1Char('/') + file;
            FacePicturePtr picture = LoadFacePicture(QFile::encodeName(path));
            ASSERT_TRUE(picture) << file.toStdString();
            const QSize size = facePictureSize(*picture);
            EXPECT_GE(std::max(size.width(), size.height()), face.longSide) << file.toStdString();
            EXPECT_GE(std::min(size.width(), size.height()), face.shortSide) << file.toStdString();
            EXPECT_LT(QFileInfo(path).size(), 900 * 1024) << file.toStdString();
        }
    }
}
