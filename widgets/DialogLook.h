#pragma once

#include <QFont>
#include <cstdint>

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

// Fills the white band from the top of `widget` down to `bandBottom` pixels
// and draws the etched line there: shadow above highlight.
void paintBand(QPainter &painter, const QWidget &widget, int bandBottom);

} // namespace DialogLook
