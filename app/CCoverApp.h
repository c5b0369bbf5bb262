#pragma once

#include <QString>

// The application: starts the picture library and runs the cover loop
// (cover type dialog, main window, re-runs for a cover file to open).
class CCoverApp {
public:
    // Creates the QApplication and runs the whole program; returns the
    // process exit code.
    static int runApplication(int argc, char **argv, const QString &pendingPath);
};
