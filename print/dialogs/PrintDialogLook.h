#pragma once

#include <QFont>
#include <QIcon>
#include <QList>
#include <QRect>
#include <QString>

struct PrintNotice;
class CFlatHoverButton;
class CTransparentStatic;
class QDialog;
class QKeyEvent;
class QLabel;
class QWidget;

// The look the print dialogs share with the program's other dialogs: the
// 8-point dialog font, the logo at the top left, bold headings and flat
// hover buttons with an icon above the caption. Positions in dialog units.
namespace PrintDialogLook {

inline constexpr uint32_t kHeadingColor = 0x663300; // COLORREF

// Verdana Bold at 7.5 points: buttons and headings.
QFont boldFont();

// Sets the dialog font, title, icon and fixed size (dialog units).
void setUpDialog(QDialog &dialog, const QString &title, int widthUnits, int heightUnits);

QLabel *addLogo(QWidget *parent, const QRect &unitRect);

// A bold label in the heading colour, wrapping its text.
CTransparentStatic *addHeading(QWidget *parent, const QString &text, const QRect &unitRect);
// A plain label.
CTransparentStatic *addLabel(QWidget *parent, const QString &text, const QRect &unitRect);

// A flat hover button with `icon` above its bold caption.
CFlatHoverButton *addDialogButton(
    QWidget *parent, const QString &text, const QIcon &icon, const QRect &unitRect);

// Enter presses the focused flat button, else `defaultButton`; true when the
// key was taken.
bool handleEnter(QDialog &dialog, QKeyEvent *event, CFlatHoverButton *defaultButton);

// Shows a print run's messages, in order, through UiHost.
void showNotices(QWidget *parent, const QList<PrintNotice> &notices);

} // namespace PrintDialogLook
