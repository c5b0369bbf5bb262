#include "CoverFaces.h"

#include "document/CoverTypes.h"
#include "render/Geometry.h"

QSize CoverFace::nominalPixels(int dpi) const
{
    return QSize(inchesToPixels(inches.width(), dpi), inchesToPixels(inches.height(), dpi));
}

CoverFaces::CoverFaces(int32_t coverType, const LabelStock &coversRow, const LabelStock &discRow)
    : m_coverType(coverType)
    , m_coversRow(coversRow)
    , m_discRow(discRow)
{
    const QSizeF front(coversRow.frontWidth, coversRow.frontHeight);
    const QSizeF back(coversRow.backWidth, coversRow.backHeight);
    if (hasFrontFace(coverType)) {
        m_faces.append({FaceKind::CdFront, Face::Front, QStringLiteral("front"), front, false});
        m_faces.append({FaceKind::CdBack, Face::Back, QStringLiteral("back"), back, false});
    } else if (isSheetType(coverType)) {
        const FaceKind sheet = isDvdType(coverType) ? FaceKind::DvdSheet : FaceKind::SlimlineSheet;
        m_faces.append({sheet, Face::Back, QStringLiteral("cover"), back, false});
    }
    m_faces.append({FaceKind::Disc, Face::Disc, QStringLiteral("disc"),
        QSizeF(discRow.discWidth, discRow.discHeight), true});
}

std::optional<CoverFaces> CoverFaces::onPlainPaper(int32_t coverType)
{
    const auto row = plainRowForCoverType(coverType);
    if (!row)
        return std::nullopt;
    const LabelStock plain = buildLabelStock(*row);
    return CoverFaces(coverType, plain, plain);
}

const LabelStock &CoverFaces::rowOf(const CoverFace &face) const
{
    return face.kind == FaceKind::Disc ? m_discRow : m_coversRow;
}

QList<CoverFace> CoverFaces::covers() const
{
    return m_faces.first(m_faces.size() - 1);
}

std::optional<CoverFace> CoverFaces::forView(Face view) const
{
    if (view == Face::Disc)
        return disc();
    const QList<CoverFace> sheet = covers();
    for (const CoverFace &face : sheet)
        if (face.face == view)
            return face;
    if (sheet.size() == 1)
        return sheet.front();
    return std::nullopt;
}
