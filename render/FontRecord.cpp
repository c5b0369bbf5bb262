#include "FontRecord.h"

#include "Geometry.h"
#include "TextDrawing.h"
#include "document/DisplayText.h"

#include <QFontInfo>
#include <algorithm>
#include <cmath>

LogFont logFontFromChosenFont(const QFont &font, int dpiY)
{
    LogFont record;
    if (font.pixelSize() > 0) {
        record.height = -font.pixelSize();
    } else {
        // Whole tenths of a point, as font choosers offer them.
        const int tenths = int(std::lround(std::max(0.0, font.pointSizeF()) * 10));
        record.height = -mulDiv(tenths, dpiY, 720);
    }
    record.weight = std::clamp(int(font.weight()), 1, 1000);
    record.italic = font.style() != QFont::StyleNormal ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.strikeOut = font.strikeOut() ? 1 : 0;
    QString family = font.family();
    if (family.isEmpty() && !font.families().isEmpty())
        family = font.families().constFirst();
    record.faceName = storedFaceName(family, LogFont::kMaxFaceName);
    return record;
}

QFont chooserFontFromLogFont(const LogFont &record, int dpiY)
{
    QFont font = fontFromLogFont(record, record.height);
    double points = 0;
    if (record.height < 0 && dpiY > 0) {
        // Rounded as the height was when it was made from the points, so
        // that a chosen size shows again as chosen.
        points = mulDiv(-std::max(record.height, -(1 << 24)), 72, dpiY);
    } else if (record.height > 0 && dpiY > 0) {
        points = std::round(font.pixelSize() * 72.0 / dpiY);
    }
    if (points >= 1)
        font.setPointSizeF(std::min(points, 1000.0));
    else
        font.setPointSizeF(QFont().pointSizeF());
    return font;
}
