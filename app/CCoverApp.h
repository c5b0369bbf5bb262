#pragma once

// The application: starts the picture library, reads the command line and
// runs the cover loop (cover type dialog, main window, re-runs for a cover
// file to open).
class CCoverApp {
public:
    // Creates the QApplication, which takes Qt's own options (-style,
    // -platform, -reverse, ...) out of the arguments, reads the rest and runs
    // the whole program; returns the process exit code (64 for a command
    // line it cannot use).
    static int runApplication(int &argc, char **argv);
};
