// Templates of the user's own: saving the cover's pictures as a set (without
// its texts, at the shipped sets' sizes), listing and applying it, replacing
// and removing it only after asking, and the program's sets never removed.
#include "dialogs/CTemplatesDlg.h"
#include "dialogs/TemplateSetImages.h"
#include "dialogs/UserTemplates.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace testsupport;
using Piece = TemplateSetImages::Piece;

namespace {

const QRgb kRed = qRgb(200, 30, 30);
const QRgb kGreen = qRgb(30, 200, 30);
const ColorRef kBlueRef = 0xC81E1E; // RGB(30, 30, 200)
const QRgb kBlue = qRgb(30, 30, 200);

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) < 16 && std::abs(qGreen(a) - qGreen(b)) < 16
        && std::abs(qBlue(a) - qBlue(b)) < 16;
}

// Whether every pixel (every second one each way) is near `color`: no text
// and no outline was drawn over it.
bool allNear(const QImage &image, QRgb color)
{
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (!near(image.pixel(x, y), color))
                return false;
    return true;
}

QByteArray picture(const QString &dir, const char *name, QRgb color)
{
    QImage image(90, 60, QImage::Format_RGB32);
    image.fill(color);
    const QString path = dir + QLatin1Char('/') + QLatin1String(name);
    image.save(path);
    return QFile::encodeName(path);
}

// A cover with pictures, colours, texts and outlines: only the pictures and
// colours may reach a template.
CoverDocument designedCover(int coverType, const QString &dir)
{
    CoverDocument doc;
    resetDocumentForType(doc, coverType);
    doc.bImagePath = doc.sImagePath = picture(dir, "red.png", kRed);
    doc.fImagePath = picture(dir, "green.png", kGreen);
    doc.fBGColor = colorRefFrom(QColor(kGreen));
    doc.dBGColor = kBlueRef;
    doc.CoverOption = StretchedImage;
    doc.fCoverTitle = doc.bCoverTitle = doc.dCoverTitle = "WWWWWWWW";
    doc.fCoverText = doc.dCoverText = "MMMMMMMM\r\nMMMMMMMM";
    doc.bCoverText = "[DELIM]1[/DELIM][DELIM]Track one[/DELIM][DELIM]3:00[/DELIM]\n\r";
    doc.backCoverSpineText = doc.frontCoverSpineText = "SPINE SPINE SPINE";
    doc.frontCoverSpinesOn = doc.backCoverSpinesOn = true;
    doc.printOverInnerCircleDisc = 0;
    return doc;
}

QImage load(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

class UserTemplatesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", freshDir(QStringLiteral("data")).toLocal8Bit());
        shipped = freshDir(QStringLiteral("shipped"));
        picture(shipped, "Shipped[BACK].png", kRed);
        pictures = freshDir(QStringLiteral("pictures"));
        cover = designedCover(StandardCD, pictures);
        dlg.setCoverSource([this] { return cover; });
        QObject::connect(&dlg, &CTemplatesDlg::templateApplied,
            [this](const TemplatePictures &p) { applied.push_back(p); });
        dlg.openFolder(StandardCD, QByteArray(), shipped);
    }

    // "Save as Template..." answered with `name` and, when asked, `replace`.
    void save(const QString &name, std::optional<UiHost::Answer> replace = std::nullopt)
    {
        host.texts.push_back(name);
        if (replace)
            host.answers.push_back(*replace);
        dlg.saveButton()->click();
    }
    QString own(const char *file) const
    {
        return UserTemplates::folder() + QLatin1Char('/') + QLatin1String(file);
    }

    ScriptedUiHost host;
    QString shipped, pictures;
    CoverDocument cover;
    CTemplatesDlg dlg;
    std::vector<TemplatePictures> applied;
};

} // namespace

TEST(UserTemplateNames, NamesThatCannotNameFilesAreRefusedWithAReason)
{
    const struct {
        QString name;
        const char *reason; // empty: the name can be used
    } cases[] = {
        {"Harbour", ""}, {"  Rock - Blue  ", ""}, {QString::fromUtf8("Été à Zürich"), ""},
        {"", "type a name"}, {"   ", "type a name"}, {"a/b", "\"/\""},
        {"two\nlines", "control characters"}, {"tab\there", "control characters"},
        {".hidden", "start with"}, {"Mine[FRONT]", "[BACK]"}, {"mine[disc]", "[BACK]"},
        {QString(201, QLatin1Char('x')), "too long"},
        {QString(101, QChar(0x00E9)), "too long"}, // 101 characters, 202 bytes
    };
    for (const auto &c : cases) {
        const QString problem = UserTemplates::nameProblem(c.name);
        if (*c.reason == 0)
            EXPECT_TRUE(problem.isEmpty()) << c.name.toStdString() << ": " << problem.toStdString();
        else
            EXPECT_TRUE(problem.contains(QLatin1String(c.reason)))
                << c.name.toStdString() << ": " << problem.toStdString();
    }
}

// Each piece at the shipped size, as the cover's faces show their pictures
// and colours, with none of the texts and outlines.
TEST(TemplateSetImages, PicturesAndColoursOfEveryCoverType)
{
    const QString dir = freshDir(QStringLiteral("pieces"));
    const struct {
        int coverType;
        QRgb back, front, disc;
    } cases[] = {
        {StandardCD, kRed, kGreen, kBlue},
        // The sheet's picture spans its front panel too.
        {StandardDVD, kRed, kRed, kBlue},
        {SlimlineDVD, kRed, kRed, kBlue},
        {SlimlineCD, kRed, kRed, kBlue},
        // No covers: their colours.
        {Other, qRgb(255, 255, 255), kGreen, kBlue},
    };
    for (const auto &c : cases) {
        const CoverDocument doc = designedCover(c.coverType, dir);
        for (const auto &[piece, color] :
            {std::pair{Piece::Back, c.back}, {Piece::Front, c.front}, {Piece::Disc, c.disc}}) {
            const QImage image = TemplateSetImages::draw(doc, piece);
            EXPECT_EQ(image.size(), TemplateSetImages::pixelSize(piece));
            // The slimline CD's notches are cut out of its flap.
            const QImage checked = c.coverType == SlimlineCD && piece == Piece::Back
                ? image.copy(image.width() / 4, 0, image.width() * 3 / 4, image.height())
                : image;
            EXPECT_TRUE(allNear(checked, color))
                << c.coverType << " " << TemplateSetImages::marker(piece).toStdString();
        }
    }
    EXPECT_EQ(TemplateSetImages::pixelSize(Piece::Back), QSize(2560, 1856));
}

TEST_F(UserTemplatesTest, SavedSetIsListedAsTheUsersAndAppliesItsPictures)
{
    EXPECT_FALSE(QFileInfo::exists(UserTemplates::folder())) << "made before it is needed";
    save(QStringLiteral(" Harbour "));
    EXPECT_EQ(host.textRequests.size(), 1);
    EXPECT_TRUE(host.messages.isEmpty());
    const struct {
        const char *file;
        Piece piece;
        QRgb color;
    } files[] = {{"Harbour[BACK].jpg", Piece::Back, kRed},
        {"Harbour[FRONT].jpg", Piece::Front, kGreen}, {"Harbour[DISC].jpg", Piece::Disc, kBlue}};
    for (const auto &f : files) {
        const QImage image = load(own(f.file));
        EXPECT_EQ(image.size(), TemplateSetImages::pixelSize(f.piece)) << f.file;
        EXPECT_TRUE(allNear(image, f.color)) << f.file;
    }

    ASSERT_EQ(dlg.templateNames(),
        QStringList({QStringLiteral("Harbour[BACK].jpg"), QStringLiteral("Shipped[BACK].png")}));
    EXPECT_TRUE(dlg.isOwnTemplate(0));
    EXPECT_FALSE(dlg.isOwnTemplate(1));
    EXPECT_TRUE(dlg.list()->item(0)->toolTip().contains(QStringLiteral("Your own template")));
    EXPECT_FALSE(dlg.list()->item(1)->toolTip().contains(QStringLiteral("Your own")));
    EXPECT_EQ(dlg.list()->currentRow(), 0);
    EXPECT_TRUE(dlg.removeButton()->isEnabled());

    dlg.applyTemplate(0);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(*applied[0].bImagePath, QFile::encodeName(own("Harbour[BACK].jpg")));
    EXPECT_EQ(*applied[0].fImagePath, QFile::encodeName(own("Harbour[FRONT].jpg")));
    EXPECT_EQ(*applied[0].dImagePath, QFile::encodeName(own("Harbour[DISC].jpg")));
    // Stretched back over the faces they were drawn from.
    EXPECT_EQ(applied[0].bImagePlacement->fit, FitStretch);
}

TEST_F(UserTemplatesTest, BadNameAsksAgainAndCancelWritesNothing)
{
    host.texts = {QStringLiteral("a/b"), std::nullopt};
    host.answers = {UiHost::Answer::Ok};
    dlg.saveButton()->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Exclamation);
    EXPECT_EQ(host.textRequests.size(), 2);
    EXPECT_EQ(host.textRequests[1].text, QStringLiteral("a/b")) << "the name to correct";
    EXPECT_FALSE(QFileInfo::exists(UserTemplates::folder()));
    EXPECT_EQ(dlg.templateNames().size(), 1);
}

TEST_F(UserTemplatesTest, ReplacingAndRemovingAskFirst)
{
    save(QStringLiteral("Harbour"));
    picture(UserTemplates::folder(), "Harbour[DISC].png", kRed); // the same set in another format
    cover.bImagePath = picture(pictures, "green-back.png", kGreen);

    save(QStringLiteral("Harbour"), UiHost::Answer::No);
    EXPECT_TRUE(allNear(load(own("Harbour[BACK].jpg")), kRed));
    save(QStringLiteral("Harbour"), UiHost::Answer::Yes);
    EXPECT_TRUE(allNear(load(own("Harbour[BACK].jpg")), kGreen));
    EXPECT_FALSE(QFileInfo::exists(own("Harbour[DISC].png")));
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_TRUE(host.messages[1].text.contains(QStringLiteral("Replace")));
    EXPECT_EQ(dlg.templateNames().size(), 2);

    const struct {
        UiHost::Answer answer;
        bool kept;
    } removals[] = {{UiHost::Answer::No, true}, {UiHost::Answer::Yes, false}};
    for (const auto &r : removals) {
        dlg.list()->setCurrentRow(0);
        host.answers.push_back(r.answer);
        dlg.removeButton()->click();
        EXPECT_TRUE(host.answers.empty());
        for (const char *file : {"Harbour[BACK].jpg", "Harbour[FRONT].jpg", "Harbour[DISC].jpg"})
            EXPECT_EQ(QFileInfo::exists(own(file)), r.kept) << file;
    }
    EXPECT_EQ(dlg.templateNames(), QStringList(QStringLiteral("Shipped[BACK].png")));
}

TEST_F(UserTemplatesTest, TheProgramsSetsAreNeverRemoved)
{
    save(QStringLiteral("Harbour"));
    dlg.list()->setCurrentRow(1);
    EXPECT_FALSE(dlg.removeButton()->isEnabled());
    const int asked = host.messages.size();
    dlg.removeSelectedTemplate(); // a strict host fails on any question
    EXPECT_EQ(host.messages.size(), asked);
    EXPECT_TRUE(QFileInfo::exists(shipped + QStringLiteral("/Shipped[BACK].png")));
    EXPECT_EQ(dlg.templateNames().size(), 2);
}

TEST_F(UserTemplatesTest, OpenMyTemplatesFolderMakesItAndHandsItToTheDesktop)
{
    dlg.folderButton()->click();
    EXPECT_TRUE(QFileInfo(UserTemplates::folder()).isDir());
    ASSERT_EQ(host.openedUrls.size(), 1);
    EXPECT_EQ(host.openedUrls[0], QUrl::fromLocalFile(UserTemplates::folder()));
}

TEST(MainWindowUserTemplates, SaveAsTemplateTakesTheWindowsCover)
{
    qputenv("XDG_DATA_HOME", freshDir(QStringLiteral("data")).toLocal8Bit());
    ScriptedUiHost host;
    auto w = newMainWindow(StandardCD);
    const QString dir = freshDir(QStringLiteral("pictures"));
    editCover(*w, [&](CoverDocument &d) { d.bImagePath = picture(dir, "red.png", kRed); });
    CTemplatesDlg *templates = w->templatesWindow();
    EXPECT_TRUE(templates->saveButton()->isEnabled());
    host.texts.push_back(QStringLiteral("Mine"));
    templates->saveButton()->click();
    EXPECT_TRUE(allNear(load(UserTemplates::folder() + QStringLiteral("/Mine[BACK].jpg")), kRed));
}
