#include "print/CoverFaces.h"

#include <gtest/gtest.h>

namespace {

struct ExpectedFace {
    FaceKind kind;
    Face face;
    const char *stem;
    double width;
    double height;
    bool round;
    QSize at96; // the exported picture's size at 96 dpi
};

struct FaceListCase {
    int32_t coverType;
    QList<ExpectedFace> faces;
};

constexpr ExpectedFace kCdDisc{
    FaceKind::Disc, Face::Disc, "disc", 4.685, 4.685, true, QSize(449, 449)};

} // namespace

TEST(CoverFaces, EachCoverTypeListsItsFacesWithStemsSizesAndShapes)
{
    const FaceListCase cases[] = {
        {StandardCD,
            {{FaceKind::CdFront, Face::Front, "front", 4.735, 4.735, false, QSize(454, 454)},
                {FaceKind::CdBack, Face::Back, "back", 5.925, 4.625, false, QSize(568, 444)},
                kCdDisc}},
        {SlimlineCD,
            {{FaceKind::SlimlineSheet, Face::Back, "cover", 6.1417322772, 4.7637795227, false,
                 QSize(589, 457)},
                kCdDisc}},
        {StandardDVD,
            {{FaceKind::DvdSheet, Face::Back, "cover", 10.73, 7.2, false, QSize(1030, 691)},
                kCdDisc}},
        {SlimlineDVD,
            {{FaceKind::DvdSheet, Face::Back, "cover", 10.561, 7.2, false, QSize(1013, 691)},
                kCdDisc}},
    };
    for (const FaceListCase &c : cases) {
        const auto faces = CoverFaces::onPlainPaper(c.coverType);
        ASSERT_TRUE(faces) << c.coverType;
        ASSERT_EQ(faces->all().size(), c.faces.size()) << c.coverType;
        for (qsizetype i = 0; i < c.faces.size(); ++i) {
            const CoverFace &got = faces->all()[i];
            const ExpectedFace &want = c.faces[i];
            SCOPED_TRACE(testing::Message() << c.coverType << " " << want.stem);
            EXPECT_EQ(got.kind, want.kind);
            EXPECT_EQ(got.face, want.face);
            EXPECT_EQ(got.fileStem, QLatin1String(want.stem));
            EXPECT_DOUBLE_EQ(got.inches.width(), want.width);
            EXPECT_DOUBLE_EQ(got.inches.height(), want.height);
            EXPECT_EQ(got.round, want.round);
            EXPECT_EQ(got.nominalPixels(96), want.at96);
        }
        EXPECT_EQ(faces->covers().size(), c.faces.size() - 1);
        EXPECT_EQ(faces->disc().kind, FaceKind::Disc);
    }
}

TEST(CoverFaces, OtherHasNoFacesOnPaperAndOnlyTheDiscOnAStock)
{
    EXPECT_FALSE(CoverFaces::onPlainPaper(Other));
    EXPECT_FALSE(CoverFaces::onPlainPaper(42));
    const LabelStock neato = baseLabelStock(StockRow::NeatoA4);
    const CoverFaces faces(Other, neato, neato);
    ASSERT_EQ(faces.all().size(), 1);
    EXPECT_TRUE(faces.covers().isEmpty());
    EXPECT_FALSE(faces.forView(Face::Back));
}

TEST(CoverFaces, TheDiscIsSizedByTheDiscRowAndEachViewFindsItsFace)
{
    const LabelStock plain = baseLabelStock(StockRow::PlainStandardCD);
    const LabelStock avery = baseLabelStock(StockRow::AveryLetter);
    const CoverFaces cd(StandardCD, plain, avery);
    EXPECT_EQ(cd.disc().inches, QSizeF(avery.discWidth, avery.discHeight));
    EXPECT_EQ(cd.rowOf(cd.disc()), avery);
    EXPECT_EQ(cd.rowOf(cd.all().front()), plain);
    EXPECT_EQ(cd.forView(Face::Front)->kind, FaceKind::CdFront);
    EXPECT_EQ(cd.forView(Face::Back)->kind, FaceKind::CdBack);
    EXPECT_EQ(cd.forView(Face::Disc)->kind, FaceKind::Disc);

    // A sheet answers both cover views.
    const CoverFaces dvd(StandardDVD, plain, plain);
    EXPECT_EQ(dvd.forView(Face::Front)->kind, FaceKind::DvdSheet);
    EXPECT_EQ(dvd.forView(Face::Back)->kind, FaceKind::DvdSheet);
}
