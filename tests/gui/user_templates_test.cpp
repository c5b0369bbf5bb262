// Templates of the user's own: saving the cover's pictures as a set (without
// its texts, at the shipped sets' sizes), listing and applying it, replacing
// and removing it only after asking, and the program's sets never removed.
#include "dialogs/CTemplatesDlg.h"
#include "dialogs/TemplateSetImages.h"
#include "dialogs/UserTemplates.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"

#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QUrl>
#include <gtest/gtest.h>

using namespace testsupport;
using Piece = TemplateSetImages::Piece;

namespace {

const QRgb kRed = qRgb(200, 30, 30);
const QRgb kGreen = qRgb(30, 200, 30);
const QRgb kBlue = qRgb(30, 30, 200);

// Whether every second pixel each way is near `color`: no text and no
// outline was drawn over it.
bool allNear(const QImage &image, QRgb color)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); y += 2)
        for (int x = 0; x < rgb.width(); x += 2)
            for (int shift : {0, 8, 16})
                if (std::abs(int((rgb.pixel(x, y) >> shift) & 0xFF) - int((color >> shift) & 0xFF))
                    > 16)
                    return false;
    return !rgb.isNull();
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
    doc.dBGColor = colorRefFrom(QColor(kBlue));
    doc.fCoverTitle = doc.bCoverTitle = doc.dCoverTitle = "WWWWWWWW";
    doc.fCoverText = doc.dCoverText = "MMMMMMMM\r\nMMMMMMMM";
    doc.bCoverText = "[DELIM]1[/DELIM][DELIM]Track one[/DELIM][DELIM]3:00[/DELIM]\n\r";
    doc.backCoverSpineText = doc.frontCoverSpineText = "SPINE SPINE SPINE";
    doc.frontCoverSpinesOn = doc.backCoverSpinesOn = true;
    doc.printOverInnerCircleDisc = 0;
    return doc;
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
    static QString own(const char *file)
    {
        return UserTemplates::folder() + QLatin1Char('/') + QLatin1String(file);
    }

    ScriptedUiHost host; // strict: a question nobody expects fails the test
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
        {"  Rock - Blue  ", ""}, {QString::fromUtf8("Été à Zürich"), ""}, {"   ", "type a name"},
        {"a/b", "\"/\""}, {"two\nlines", "control characters"}, {".hidden", "start with"},
        {"mine[disc]", "[BACK]"}, {QString(201, QLatin1Char('x')), "too long"},
        {QString(101, QChar(0x00E9)), "too long"}, // 101 characters, 202 bytes
    };
    for (const auto &c : cases) {
        const QString problem = UserTemplates::nameProblem(c.name);
        EXPECT_EQ(problem.isEmpty(), *c.reason == 0) << c.name.toStdString();
        EXPECT_TRUE(problem.contains(QLatin1String(c.reason))) << problem.toStdString();
    }
}

// Each piece at the shipped size, as the cover's faces show their pictures
// and colours, with none of the texts and outlines.
TEST(TemplateSetImages, PicturesAndColoursOfEveryCoverType)
{
    const QString dir = freshDir(QStringLiteral("pieces"));
    const struct {
        int coverType;
        QRgb back, front;
    } cases[] = {
        {StandardCD, kRed, kGreen},
        // The sheet's stretched picture spans its front panel too.
        {StandardDVD, kRed, kRed}, {SlimlineDVD, kRed, kRed}, {SlimlineCD, kRed, kRed},
        {Other, qRgb(255, 255, 255), kGreen}, // no covers: their colours
    };
    for (const auto &c : cases) {
        const CoverDocument doc = designedCover(c.coverType, dir);
        for (const auto &[piece, color] :
            {std::pair{Piece::Back, c.back}, {Piece::Front, c.front}, {Piece::Disc, kBlue}}) {
            const QImage image = TemplateSetImages::draw(doc, piece);
            EXPECT_EQ(image.size(), TemplateSetImages::pixelSize(piece));
            // The slimline CD's notches are cut out of its left part.
            const int left = c.coverType == SlimlineCD ? image.width() / 4 : 0;
            EXPECT_TRUE(allNear(image.copy(left, 0, image.width() - left, image.height()), color))
                << c.coverType << " " << TemplateSetImages::marker(piece).toStdString();
        }
    }
    EXPECT_EQ(TemplateSetImages::pixelSize(Piece::Back), QSize(2560, 1856));
}

TEST_F(UserTemplatesTest, SavedSetIsListedAsTheUsersAndAppliesItsPictures)
{
    EXPECT_FALSE(QFileInfo::exists(UserTemplates::folder())) << "made before it is needed";
    save(QStringLiteral(" Harbour "));
    EXPECT_TRUE(host.messages.isEmpty());
    // The pieces as TemplateSetImages draws them (tested above).
    EXPECT_TRUE(allNear(QImage(own("Harbour[FRONT].jpg")), kGreen));
    EXPECT_EQ(QImage(own("Harbour[DISC].jpg")).size(), QSize(1400, 1400));
    ASSERT_EQ(dlg.templateNames(),
        QStringList({QStringLiteral("Harbour[BACK].jpg"), QStringLiteral("Shipped[BACK].png")}));
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

TEST_F(UserTemplatesTest, ReplacingAndRemovingAskFirstAndTheProgramsSetsStay)
{
    save(QStringLiteral("Harbour"));
    picture(UserTemplates::folder(), "Harbour[DISC].png", kRed); // the set in another format
    cover.bImagePath = picture(pictures, "green-back.png", kGreen);
    save(QStringLiteral("Harbour"), UiHost::Answer::No);
    EXPECT_TRUE(allNear(QImage(own("Harbour[BACK].jpg")), kRed));
    save(QStringLiteral("Harbour"), UiHost::Answer::Yes);
    EXPECT_TRUE(allNear(QImage(own("Harbour[BACK].jpg")), kGreen));
    EXPECT_FALSE(QFileInfo::exists(own("Harbour[DISC].png")));
    EXPECT_TRUE(host.messages.back().text.contains(QStringLiteral("Replace")));
    EXPECT_EQ(dlg.templateNames().size(), 2);

    for (const auto &[answer, kept] :
        {std::pair{UiHost::Answer::No, true}, {UiHost::Answer::Yes, false}}) {
        dlg.list()->setCurrentRow(0);
        host.answers.push_back(answer);
        dlg.removeButton()->click();
        EXPECT_TRUE(host.answers.empty());
        for (const char *file : {"Harbour[BACK].jpg", "Harbour[FRONT].jpg", "Harbour[DISC].jpg"})
            EXPECT_EQ(QFileInfo::exists(own(file)), kept) << file;
    }
    ASSERT_EQ(dlg.templateNames(), QStringList(QStringLiteral("Shipped[BACK].png")));
    // The program's own: no button, no question, nothing removed.
    dlg.list()->setCurrentRow(0);
    EXPECT_FALSE(dlg.removeButton()->isEnabled());
    const int asked = host.messages.size();
    dlg.removeSelectedTemplate();
    EXPECT_EQ(host.messages.size(), asked);
    EXPECT_EQ(dlg.templateNames().size(), 1);
}

TEST_F(UserTemplatesTest, OpenMyTemplatesFolderMakesItAndHandsItToTheDesktop)
{
    dlg.folderButton()->click();
    EXPECT_TRUE(QFileInfo(UserTemplates::folder()).isDir());
    EXPECT_EQ(host.openedUrls, QList<QUrl>({QUrl::fromLocalFile(UserTemplates::folder())}));
}
