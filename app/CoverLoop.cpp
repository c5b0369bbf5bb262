#include "CoverLoop.h"

#include "CMainDlg.h"
#include "FileCommands.h"
#include "dialogs/CCoverTypeDlg.h"
#include "widgets/UiHost.h"

void runCoverLoop(const CoverLoopOptions &options)
{
    QString pendingPath = options.pendingPath;
    bool firstPass = true;
    int lastResult = 0;
    do {
        if (pendingPath.isEmpty() && !(firstPass && options.skipCoverTypeDialog)) {
            // Its result does not matter: the dialog stores the chosen type,
            // and a closed dialog leaves the type chosen last.
            CCoverTypeDlg coverType(nullptr);
            UiHost::instance().execDialog(coverType);
        }
        CMainDlg window(nullptr);
        window.setExitAfterFirstPaint(firstPass && options.exitAfterFirstPaint);
        if (!pendingPath.isEmpty())
            window.setFilePath(pendingPath);
        lastResult = window.runModal();
        pendingPath.clear();
        while (!window.filePath().isEmpty())
            lastResult = window.runModal();
        firstPass = false;
    } while (lastResult == FileCommands::kResultStartOver);
}
