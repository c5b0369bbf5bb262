#pragma once

#include <QString>

// The program's main loop: for each new cover, the Cover Type dialog
// (skipped while a cover file is pending), then the main window, run again
// as long as it ends with a cover file to open. Ends when the window ends
// with anything but "start over" (1). Every dialog runs through
// UiHost::execDialog, so a scripted host can drive whole passes.
struct CoverLoopOptions {
    QString pendingPath; // cover file to open first (command line)
    bool skipCoverTypeDialog = false; // first pass only
    bool exitAfterFirstPaint = false; // start-up timing
};

void runCoverLoop(const CoverLoopOptions &options);
