#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own icons and bitmaps, drawn as SVG and built into the
// program (data/discora.qrc). Every function returns a scalable icon that is
// crisp at any size and device pixel ratio; pick the size where it is drawn
// (CFlatHoverButton draws at its iconSize(), 16 x 16 unless changed).
namespace Icons {

// Resource paths, for the rare caller that needs the file itself.
namespace Path {
inline constexpr const char *Program = ":/discora/icons/discora.svg";
inline constexpr const char *Logo = ":/discora/icons/logo.svg";
} // namespace Path

QIcon program(); // a disc half out of its case; window and About box icon
QIcon logo(); // the dialogs' top-left picture (square, ~69 x 67 px in dialogs)
// The logo rendered at `size` logical pixels for a `devicePixelRatio` screen.
QPixmap logoPixmap(const QSize &size, qreal devicePixelRatio = 1.0);

QIcon ticked(); // check box with a tick: option boxes and view buttons, checked
QIcon unticked(); // empty check box

// File buttons
QIcon newCover();
QIcon load();
QIcon save();
QIcon help();
QIcon link(); // web address button
QIcon chooseTemplate();

// Tools
QIcon trackListing(); // also "Cover Text" and "Disc Text"
QIcon chooseImage();
QIcon clearImage();
QIcon chooseColor();
QIcon font();
QIcon alignLeft(); // lines flush left
QIcon alignCenter();
QIcon alignRight();

// Undo and redo beside the views
QIcon undo();
QIcon redo();

// Track listing editor
QIcon insertTrack();
QIcon removeTrack();
QIcon importFolder();

// Print and leave
QIcon print();
QIcon savePdf(); // a page marked PDF: "Save as PDF..."
QIcon testPage(); // a page with rulers and a cross: the calibration test page
QIcon exit();

// Dialog buttons
QIcon continueArrow(); // "Continue"
QIcon ok();
QIcon cancel();

} // namespace Icons
