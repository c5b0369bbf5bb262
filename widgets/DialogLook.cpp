#include "DialogLook.h"

#include <QPainter>
#include <QWidget>

namespace DialogLook {

QFont headingFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(7.5);
    f.setBold(true);
    return f;
}

QFont choiceFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(11);
    f.setWeight(QFont::Normal);
    return f;
}

void paintBand(QPainter &painter, const QWidget &widget, int bandBottom)
{
    painter.fillRect(QRect(0, 0, widget.width(), bandBottom), Qt::white);
    painter.fillRect(
        QRect(0, bandBottom, widget.width(), 1), widget.palette().color(QPalette::Dark));
    painter.fillRect(
        QRect(0, bandBottom + 1, widget.width(), 1), widget.palette().color(QPalette::Light));
}

} // namespace DialogLook
