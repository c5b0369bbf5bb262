#pragma once

#include "print/LabelStock.h"
#include "print/PageComposer.h"

#include <QString>

class DeviceContext;

// The printer calibration test page: printed on plain paper, it shows where
// the faces of a stock would print, so that the user can lay it on a label
// sheet against the light (or measure it) and correct the calibration by the
// difference. Every outline is the rectangle the print run computes for that
// face, from the row built with the calibration in use.
struct CalibrationSheet {
    int32_t coverType = StandardCD;
    QString stockName;
    LabelStock row; // calibration applied
    Calibration calibration; // the values `row` was built with, for the captions
    DiscLabelPosition position = DiscLabelPosition::Top; // disc sheet only
};

// Thin red outlines where the faces print, a 10 mm cross at the top-left
// corner of each cover face, rulers along the sheet's top and left edges
// (from the sheet's corner: a tick every millimetre, longer every 5, numbered
// every 10), a caption in each outline and one line of instructions.
QList<PlacedFace> drawCalibrationCoversPage(
    DeviceContext &dc, const PageDevice &device, const CalibrationSheet &sheet);
// The same for the disc label (each label of Both), with the cross at its
// centre.
QList<PlacedFace> drawCalibrationDiscPage(
    DeviceContext &dc, const PageDevice &device, const CalibrationSheet &sheet);

// The one line of instructions on every test page.
QString calibrationInstructions();
