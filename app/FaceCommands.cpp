#include "FaceCommands.h"

#include "document/CoverSession.h"
#include "document/FaceFields.h"

#include <QFile>
#include <algorithm>
#include <iterator>

FaceCommands::FaceCommands(QWidget *parent, CoverSession &session)
    : m_parent(parent)
    , m_session(session)
{
}

void FaceCommands::setAlignment(Face view, int32_t alignment)
{
    // The disc is always centred: the row is for the covers.
    m_session.change(QStringLiteral("Alignment"), [&](CoverDocument &d) {
        (view == Face::Front ? d.fCoverAlign : d.bCoverAlign) = alignment;
    });
}

void FaceCommands::setBorder(Face view, bool on)
{
    m_session.change(
        QStringLiteral("Borders"), [&](CoverDocument &d) { faceFields(d, view).border = on; });
}

void FaceCommands::setPictureExtent(Face view, bool on)
{
    m_session.change(QStringLiteral("Picture Extent"), [&](CoverDocument &d) {
        faceFields(d, view).pictureExtent = on ? 1 : 0;
        const bool sheet = d.covertype == StandardDVD || d.covertype == SlimlineDVD;
        if (sheet && view == Face::Back)
            d.backCoverSpinesOn = on;
    });
}

void FaceCommands::clearPicture(Face view)
{
    m_session.change(QStringLiteral("Clear Image"),
        [&](CoverDocument &d) { faceFields(d, view).picturePath.clear(); });
}

FaceCommands::Drop FaceCommands::classifyDrop(const QString &name)
{
    // Deliberately a substring test over the whole path: "PICS.BMP/COVER.TXT"
    // is taken as a picture, and the renderers draw the face without it.
    static const char *const kAccepted[]
        = {".ZCV", ".JPG", ".JPEG", ".PNG", ".BMP", ".TIF", ".TIFF", ".GIF", ".ICO"};
    const QString upper = name.toUpper();
    const bool accepted = std::any_of(std::begin(kAccepted), std::end(kAccepted),
        [&](const char *ext) { return upper.contains(QLatin1String(ext)); });
    if (!accepted)
        return Drop::Ignored;
    // Only the exact lower-case extension opens a cover.
    return name.endsWith(QLatin1String(".zcv"), Qt::CaseSensitive) ? Drop::CoverFile
                                                                   : Drop::Picture;
}

void FaceCommands::dropPicture(Face view, const QString &name)
{
    const QByteArray stored = QFile::encodeName(name);
    m_session.change(QStringLiteral("Drop Image"), [&](CoverDocument &d) {
        faceFields(d, view).picturePath = stored;
        // On the back of a DVD sheet it is also the one stretched picture.
        if (view == Face::Back)
            d.sImagePath = stored;
    });
}
