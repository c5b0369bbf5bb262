#include "TemplatePictures.h"

#include "document/CoverDocument.h"

namespace {
template <typename T> void assign(T &field, const std::optional<T> &value)
{
    if (value)
        field = *value;
}

template <typename T> bool differs(const T &field, const std::optional<T> &value)
{
    return value && field != *value;
}
} // namespace

void TemplatePictures::applyTo(CoverDocument &doc) const
{
    assign(doc.fImagePath, fImagePath);
    assign(doc.bImagePath, bImagePath);
    assign(doc.sImagePath, sImagePath);
    assign(doc.dImagePath, dImagePath);
    assign(doc.CoverOption, CoverOption);
    assign(doc.fImagePlacement, fImagePlacement);
    assign(doc.bImagePlacement, bImagePlacement);
    assign(doc.sImagePlacement, sImagePlacement);
    assign(doc.dImagePlacement, dImagePlacement);
}

bool TemplatePictures::changes(const CoverDocument &doc) const
{
    return differs(doc.fImagePath, fImagePath) || differs(doc.bImagePath, bImagePath)
        || differs(doc.sImagePath, sImagePath) || differs(doc.dImagePath, dImagePath)
        || differs(doc.CoverOption, CoverOption) || differs(doc.fImagePlacement, fImagePlacement)
        || differs(doc.bImagePlacement, bImagePlacement)
        || differs(doc.sImagePlacement, sImagePlacement)
        || differs(doc.dImagePlacement, dImagePlacement);
}
