#pragma once

#include <QString>

class SessionGuard;

// The program's main loop: for each new cover, the Cover Type dialog
// (skipped while a cover file is pending), then the main window, run again
// as long as it ends with a cover file to open. Ends when the window ends
// with anything but "start over" (1). Every dialog runs through
// UiHost::execDialog, so a scripted host can drive whole passes.
struct CoverLoopOptions {
    QString pendingPath; // cover file to open first (command line)
    // A recovered cover to open first, as a cover with unsaved changes and
    // no file name.
    QString recoveredPath;
    bool skipCoverTypeDialog = false; // first pass only
    bool exitAfterFirstPaint = false; // start-up timing
    // Follows each window's cover; when it ends the program, the loop
    // stops without opening another window.
    SessionGuard *guard = nullptr;
};

void runCoverLoop(const CoverLoopOptions &options);
