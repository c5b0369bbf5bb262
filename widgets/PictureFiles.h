#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The picture file dialog of the image tools.

// The filters in the order offered, "All (...)" first: Qt reads each
// filter's patterns from inside its brackets, separated by spaces.
QStringList pictureFileFilters();
// The same joined for a file dialog.
QString pictureFileFilter();

// Asks for a picture through UiHost, starting at `start` (a folder, or the
// picture chosen last, whose folder it opens in). Empty: cancelled.
QString askForPictureFile(QWidget *parent, const QString &start);
