#include "PictureSource.h"

#include "DrawTarget.h"

namespace {

class PathPictureSource final : public PictureSource {
public:
    std::shared_ptr<const FacePicture> picture(const QByteArray &path, QSize targetPixels) override
    {
        if (path.isEmpty())
            return nullptr;
        return LoadFacePicture(path, targetPixels);
    }
};

} // namespace

PictureSource &PictureSource::byPath()
{
    static PathPictureSource source;
    return source;
}

PictureSource &DrawTarget::pictureSource() const
{
    return pictures ? *pictures : PictureSource::byPath();
}
