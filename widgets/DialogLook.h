#pragma once

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>
#include <cstdint>

class CFlatHoverButton;
class CTransparentStatic;
class QDialog;
class QKeyEvent;
class QLabel;
class QPainter;
class QWidget;

// The look the program's dialogs share: a white band with the logo at the
// top, an etched line below it, Verdana on the headings, choices and
// buttons.
namespace DialogLook {

// Headings, dialog buttons and the chosen choice: Verdana Bold, 7.5 points.
QFont headingFont();
// Choices not chosen: Verdana 13 pixels high as a character cell, which is
// an 11-pixel em, normal weight.
QFont choiceFont();

// Heading text colour, 0x00BBGGRR: RGB(0, 51, 102).
inline constexpr uint32_t kHeadingColor = 0x663300;

// Sets the dialog font (8 points), title, program icon, a fixed size in
// dialog units and the frame of a modal dialog with a close box.
void setUpDialog(QDialog &dialog, const QString &title, int widthUnits, int heightUnits);

// The logo at `unitRect` (dialog units).
QLabel *addLogo(QWidget *parent, const QRect &unitRect);

// A bold label in the heading colour, wrapping its text.
CTransparentStatic *addHeading(QWidget *parent, const QString &text, const QRect &unitRect);
// A plain label, wrapping its text.
CTransparentStatic *addLabel(QWidget *parent, const QString &text, const QRect &unitRect);

// A flat hover button with `icon` above its bold caption.
CFlatHoverButton *addDialogButton(
    QWidget *parent, const QString &text, const QIcon &icon, const QRect &unitRect);

// Return or keypad Enter with no modifier: the key that presses a dialog's
// default button.
bool isPlainEnter(const QKeyEvent *event);

// Enter presses the focused flat button, else `defaultButton`; true when the
// key was taken.
bool handleEnter(QDialog &dialog, QKeyEvent *event, CFlatHoverButton *defaultButton);

// Fills the white band from the top of `widget` down to `bandBottom` pixels
// and draws the etched line there: shadow above highlight.
void paintBand(QPainter &painter, const QWidget &widget, int bandBottom);

} // namespace DialogLook
