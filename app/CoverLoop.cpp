#include "CoverLoop.h"

#include "CMainDlg.h"
#include "FileCommands.h"
#include "SessionGuard.h"
#include "dialogs/CCoverTypeDlg.h"
#include "widgets/UiHost.h"

void runCoverLoop(const CoverLoopOptions &options)
{
    QString pendingPath = options.pendingPath;
    QString recoveredPath = options.recoveredPath;
    const auto ending = [&options] { return options.guard && options.guard->ending(); };
    bool firstPass = true;
    int lastResult = 0;
    do {
        if (pendingPath.isEmpty() && recoveredPath.isEmpty()
            && !(firstPass && options.skipCoverTypeDialog)) {
            // Its result does not matter: the dialog stores the chosen type,
            // and a closed dialog leaves the type chosen last.
            CCoverTypeDlg coverType(nullptr);
            UiHost::instance().execDialog(coverType);
        }
        if (ending())
            break;
        CMainDlg window(nullptr);
        if (options.guard)
            options.guard->watch(&window.session(), &window);
        window.setExitAfterFirstPaint(firstPass && options.exitAfterFirstPaint);
        if (!pendingPath.isEmpty())
            window.setFilePath(pendingPath);
        if (!recoveredPath.isEmpty())
            window.setRecoveredPath(recoveredPath);
        lastResult = window.runModal();
        pendingPath.clear();
        recoveredPath.clear();
        while (!window.filePath().isEmpty() && !ending())
            lastResult = window.runModal();
        if (options.guard)
            options.guard->watch(nullptr, nullptr);
        firstPass = false;
    } while (lastResult == FileCommands::kResultStartOver && !ending());
}
