#pragma once

#include "CoverLoop.h"
#include "document/RecoveryAutosave.h"

#include <chrono>

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

    // Names the program as its settings and data folders know it, and
    // leaves ending it to the cover loop; for the application object just
    // created.
    static void setUpApplication();

    // The windowed program once the application object exists: clears away
    // what killed runs left, offers their recovered covers, and runs the
    // cover loop with its session guard. Returns the exit code: 0, or 128
    // plus the number of the signal that ended the program.
    static int runWindowed(CoverLoopOptions options,
        std::chrono::milliseconds autosaveInterval = RecoveryAutosave::kDefaultInterval);
};
