#include "document/CoverDocument.h"
#include "document/TrackListing.h"
#include "print/CoverFaces.h"
#include "print/DrawFace.h"
#include "print/FaceTextCheck.h"
#include "print/FileExport.h"
#include "render/DeviceContext.h"
#include "render/TextDrawing.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>

namespace {

using Part = TextCut::Part;
using Reason = TextCut::Reason;
using Bound = TextCut::Bound;

QByteArray lines(int count, const char *word = "Line")
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += QByteArray(word) + ' ' + QByteArray::number(i) + "\r\n";
    text.chop(2);
    return text;
}

QByteArray listing(int rows)
{
    QList<TrackRow> tracks;
    for (int i = 1; i <= rows; ++i)
        tracks.append({QByteArray::number(i) + '.', "Song " + QByteArray::number(i),
            "3:" + QByteArray::number(10 + i % 50)});
    return writeTrackListing(tracks);
}

const QByteArray kLong = QByteArray(
    "Provence and the Mediterranean Coast with the Gorges du Verdon, Nice, Cannes and Monaco");

struct Case {
    const char *name;
    int32_t coverType;
    FaceKind face;
    std::function<void(CoverDocument &)> edit;
    QList<TextCut> expected;
};

} // namespace

// What each face reports as cut, measured as paper lays it out.
TEST(TextCut, EachTextOfEachFaceReportsWhatDoesNotFit)
{
    const QList<Case> cases = {
        {"nothing cut", StandardCD, FaceKind::CdFront,
            [](CoverDocument &d) {
                d.fCoverTitle = "Northern Lights";
                d.fCoverText = lines(5);
            },
            {}},
        {"title wider than the front", StandardCD, FaceKind::CdFront,
            [](CoverDocument &d) { d.fCoverTitle = kLong; },
            {{Part::Title, Reason::Wider, Bound::Cover, 1, 1}}},
        {"text below the front", StandardCD, FaceKind::CdFront,
            [](CoverDocument &d) { d.fCoverText = lines(60); },
            {{Part::Text, Reason::Below, Bound::Cover, 44, 60}}},
        {"listing too long", StandardCD, FaceKind::CdBack,
            [](CoverDocument &d) { d.bCoverText = listing(40); },
            {{Part::TrackRows, Reason::Below, Bound::Cover, 24, 40}}},
        {"spine text longer than the spine", StandardCD, FaceKind::CdBack,
            [](CoverDocument &d) { d.backCoverSpineText = kLong + " " + kLong; },
            {{Part::SpineText, Reason::Longer, Bound::Cover, 0, 0}}},
        {"front title of a DVD sheet", StandardDVD, FaceKind::DvdSheet,
            [](CoverDocument &d) { d.fCoverTitle = kLong + kLong; },
            {{Part::Title, Reason::Wider, Bound::FrontCover, 1, 1}}},
        {"slimline listing", SlimlineCD, FaceKind::SlimlineSheet,
            [](CoverDocument &d) { d.bCoverText = listing(60); },
            {{Part::TrackRows, Reason::Below, Bound::Cover, 44, 60}}},
        {"disc title wider than the disc", StandardCD, FaceKind::Disc,
            [](CoverDocument &d) { d.dCoverTitle = kLong; },
            {{Part::Title, Reason::Wider, Bound::Disc, 1, 1}}},
        {"shrunk front text fits", StandardCD, FaceKind::CdFront,
            [](CoverDocument &d) {
                d.fCoverText = lines(30);
                d.fShrinkText = true;
            },
            {}},
        {"shrunk listing fits", StandardCD, FaceKind::CdBack,
            [](CoverDocument &d) {
                d.bCoverText = listing(30);
                d.bShrinkText = true;
            },
            {}},
        {"shrunk no smaller than 6 points", SlimlineCD, FaceKind::SlimlineSheet,
            [](CoverDocument &d) {
                d.bCoverText = listing(99);
                d.bShrinkText = true;
            },
            {{Part::TrackRows, Reason::Below, Bound::Cover, 51, 99}}},
        {"title along the edge longer than its arc", StandardCD, FaceKind::Disc,
            [](CoverDocument &d) {
                d.dCoverTitle = kLong + " " + kLong;
                d.dCurvedText = true;
            },
            {{Part::Title, Reason::Wider, Bound::Disc, 1, 1}}},
        {"text along the edge into the hub", StandardCD, FaceKind::Disc,
            [](CoverDocument &d) {
                d.dCoverText = lines(12, "X");
                d.dCurvedText = true;
            },
            {{Part::Text, Reason::Hub, Bound::Disc, 3, 12}}},
        {"shrunk text along the edge fits", StandardCD, FaceKind::Disc,
            [](CoverDocument &d) {
                d.dCoverText = lines(12, "X");
                d.dCurvedText = true;
                d.dShrinkText = true;
            },
            {}},
        {"disc text off its foot", StandardCD, FaceKind::Disc,
            [](CoverDocument &d) { d.dCoverText = lines(12, "X"); },
            {{Part::Text, Reason::Below, Bound::Disc, 2, 12}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CoverDocument doc;
        resetDocumentForType(doc, c.coverType, 96);
        c.edit(doc);
        const CoverFaces faces = *CoverFaces::onPlainPaper(c.coverType);
        const CoverFace *face = nullptr;
        for (const CoverFace &f : faces.all())
            if (f.kind == c.face)
                face = &f;
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(checkFaceText(doc, faces, *face, 96).cuts, c.expected);
        // The measure is what drawing on paper finds.
        FaceDrawResult drawn;
        renderFaceImage(doc, faces, *face, kTextCheckDpi, DrawTarget::paper(96), &drawn);
        EXPECT_EQ(drawn.cuts, c.expected);
    }
}

TEST(TextCut, MessagesNameWhatIsCutAndBy)
{
    EXPECT_EQ((TextCut{Part::TrackRows, Reason::Below, Bound::Cover, 3, 25}.message()),
        QStringLiteral("3 of 25 track rows do not fit"));
    EXPECT_EQ((TextCut{Part::Title, Reason::Wider, Bound::Cover, 1, 1}.message()),
        QStringLiteral("The title is wider than the cover"));
    EXPECT_EQ((TextCut{Part::Text, Reason::Below, Bound::Disc, 1, 6}.message()),
        QStringLiteral("1 of 6 lines of the text does not fit"));
    EXPECT_EQ((TextCut{Part::SpineText, Reason::Longer}.message()),
        QStringLiteral("The spine text is longer than the spine"));
    EXPECT_EQ(textCutLines({{QStringLiteral("back cover"),
                  {{Part::TrackRows, Reason::Below, Bound::Cover, 3, 25}}}}),
        QStringLiteral("Back cover: 3 of 25 track rows do not fit"));
}

// Shrunk, the text takes the largest whole point size that fits: one point
// more would not.
TEST(TextCut, ShrinkTakesTheLargestSizeThatFits)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD, 96);
    doc.fCoverText = lines(24);
    doc.fShrinkText = true;
    const CoverFaces faces = *CoverFaces::onPlainPaper(StandardCD);
    const CoverFace front = faces.all().front();
    TextDrawRecorder shrunk;
    const QSize size = front.nominalPixels(kTextCheckDpi);
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    DeviceContext dc(painter, kTextCheckDpi, kTextCheckDpi);
    dc.setTextObserver(&shrunk);
    EXPECT_FALSE(drawFace(dc, doc, faces, front, image.rect(), kTextCheckDpi, DrawTarget::paper(96))
                     .textCut());
    ASSERT_EQ(shrunk.calls.size(), 2); // title, text
    const int points = int(std::lround(shrunk.calls[1].pixelSize * 72.0 / kTextCheckDpi));
    EXPECT_LT(points, 18);

    // The same text one point larger, unshrunk, is cut.
    doc.fShrinkText = false;
    doc.fCoverTextFont.height = -((points + 1) * 96 / 72 + 1);
    EXPECT_TRUE(checkFaceText(doc, faces, front, 96).textCut());
}
