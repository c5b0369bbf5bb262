#include "DialogLook.h"

#include "CFlatHoverButton.h"
#include "CTransparentStatic.h"
#include "DialogUnits.h"
#include "Icons.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
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

void setUpDialog(QDialog &dialog, const QString &title, int widthUnits, int heightUnits)
{
    dialog.setWindowTitle(title);
    dialog.setWindowIcon(Icons::program());
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font = dialog.font();
    font.setPointSizeF(8);
    dialog.setFont(font);
    dialog.setFixedSize(dialogUnitsX(widthUnits), dialogUnitsY(heightUnits));
}

QLabel *addLogo(QWidget *parent, const QRect &unitRect)
{
    auto *logo = new QLabel(parent);
    const QRect r = dialogUnitRect(unitRect.x(), unitRect.y(), unitRect.width(), unitRect.height());
    logo->setGeometry(r);
    logo->setPixmap(Icons::logoPixmap(r.size(), parent->devicePixelRatioF()));
    logo->setAlignment(Qt::AlignCenter);
    return logo;
}

CTransparentStatic *addHeading(QWidget *parent, const QString &text, const QRect &unitRect)
{
    CTransparentStatic *label = addLabel(parent, text, unitRect);
    label->setFont(headingFont());
    label->setTextColor(CTransparentStatic::ColorRef(kHeadingColor));
    return label;
}

CTransparentStatic *addLabel(QWidget *parent, const QString &text, const QRect &unitRect)
{
    auto *label = new CTransparentStatic(text, parent);
    label->setGeometry(
        dialogUnitRect(unitRect.x(), unitRect.y(), unitRect.width(), unitRect.height()));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

CFlatHoverButton *addDialogButton(
    QWidget *parent, const QString &text, const QIcon &icon, const QRect &unitRect)
{
    auto *button = new CFlatHoverButton(text, parent);
    button->setGeometry(
        dialogUnitRect(unitRect.x(), unitRect.y(), unitRect.width(), unitRect.height()));
    button->setFont(headingFont());
    button->setIconSize(QSize(24, 24));
    button->setIcons(icon, CFlatHoverButton::DerivedImage::Darkened, false);
    button->setImageAlign(CFlatHoverButton::ImageTop, false);
    button->setImageMargins(3, 6, false);
    button->setTransparent(true, false);
    button->setHoverCursor();
    return button;
}

bool isPlainEnter(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier);
}

bool handleEnter(QDialog &dialog, QKeyEvent *event, CFlatHoverButton *defaultButton)
{
    if (!isPlainEnter(event))
        return false;
    auto *focused = qobject_cast<CFlatHoverButton *>(dialog.focusWidget());
    CFlatHoverButton *target = focused ? focused : defaultButton;
    if (target && target->isEnabled())
        target->click();
    return true;
}

} // namespace DialogLook
