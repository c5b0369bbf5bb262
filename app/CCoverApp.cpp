#include "CCoverApp.h"

#include "CoverLoop.h"
#include "ProductInfo.h"
#include "render/FacePicture.h"

#include <QApplication>

int CCoverApp::runApplication(int argc, char **argv, const QString &pendingPath)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("discora"));
    QApplication::setApplicationDisplayName(ProductInfo::name());
    QApplication::setApplicationVersion(ProductInfo::version());
    QGuiApplication::setDesktopFileName(QStringLiteral("discora"));
    // The loop runs modal windows only; it ends, not the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);

    const PictureLibrary pictures;

    CoverLoopOptions options;
    options.pendingPath = pendingPath;
    // Start-up timing: straight to the main window, which reports its first
    // complete paint and quits.
    options.exitAfterFirstPaint
        = qEnvironmentVariable("DISCORA_BENCH_EXIT_AFTER_PAINT") == QLatin1String("1");
    options.skipCoverTypeDialog = options.exitAfterFirstPaint;
    runCoverLoop(options);
    return 0;
}
