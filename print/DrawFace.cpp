#include "DrawFace.h"

#include "FaceBinding.h"

FaceDrawResult drawFace(DeviceContext &dc, const CoverDocument &doc, const CoverFaces &faces,
    const CoverFace &face, const QRect &rect, int dpi, const DrawTarget &target)
{
    const FaceRenderer renderer = bindFace(doc, faces, face, dpi);
    return std::visit([&](const auto &r) { return r.Render(dc, rect, target); }, renderer);
}
