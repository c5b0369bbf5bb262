#include "CCoverApp.h"

#include "CommandLine.h"
#include "CoverLoop.h"
#include "RecoveryOffer.h"
#include "SessionGuard.h"
#include "document/CoverFile.h"
#include "document/ProductInfo.h"
#include "document/RecoveryStore.h"
#include "render/FacePicture.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {

// What Qt says while the application object starts (a missing runtime
// folder, say) is held until the command line is known to be usable: a
// usage error then ends with its own short message only.
class HeldMessages {
public:
    HeldMessages() { s_previous = qInstallMessageHandler(&HeldMessages::hold); }
    ~HeldMessages() { release(false); }

    // Stops holding; passes the held messages on when `show`.
    void release(bool show)
    {
        if (!s_previous)
            return;
        qInstallMessageHandler(s_previous);
        if (show) {
            for (const Held &m : s_held) {
                const QMessageLogContext context(
                    m.file.constData(), m.line, m.function.constData(), m.category.constData());
                s_previous(m.type, context, m.text);
            }
        }
        s_held.clear();
        s_previous = nullptr;
    }

private:
    struct Held {
        QtMsgType type;
        QByteArray file;
        int line;
        QByteArray function;
        QByteArray category;
        QString text;
    };
    static void hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtFatalMsg) {
            s_previous(type, context, text);
            return;
        }
        s_held.append({type, context.file, context.line, context.function, context.category, text});
    }
    static inline QtMessageHandler s_previous = nullptr;
    static inline QList<Held> s_held;
};

} // namespace

void CCoverApp::setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("discora"));
    QApplication::setApplicationDisplayName(ProductInfo::name());
    QApplication::setApplicationVersion(ProductInfo::version());
    QGuiApplication::setDesktopFileName(QStringLiteral("discora"));
    // The loop runs modal windows only; it ends, not the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);
}

int CCoverApp::runApplication(int &argc, char **argv)
{
    HeldMessages startMessages;
    QApplication app(argc, argv);
    setUpApplication();

    const CommandLineRequest request = parseCommandLine(QCoreApplication::arguments());
    QTextStream err(stderr);
    // The commands were taken before the window's path: what remains is the
    // window or a usage error.
    if (request.mode != CommandLineRequest::Mode::Gui)
        return reportUsageError(request, err);
    startMessages.release(true);
    if (!request.ignoredFiles.isEmpty()) {
        err << "discora: opens one cover at a time; not opened: "
            << request.ignoredFiles.join(QStringLiteral(", ")) << "\n";
        err.flush();
    }

    const PictureLibrary pictures;

    CoverLoopOptions options;
    // The window starts its file dialogs where the cover is: make the path
    // independent of the folder the program was started from.
    if (!request.coverPath.isEmpty())
        options.pendingPath = QFileInfo(request.coverPath).absoluteFilePath();
    // Start-up timing: straight to the main window, which reports its first
    // complete paint and quits.
    options.exitAfterFirstPaint
        = qEnvironmentVariable("DISCORA_BENCH_EXIT_AFTER_PAINT") == QLatin1String("1");
    options.skipCoverTypeDialog = options.exitAfterFirstPaint;
    return runWindowed(options);
}

int CCoverApp::runWindowed(CoverLoopOptions options, std::chrono::milliseconds autosaveInterval)
{
    removeAbandonedPictureCopyFolders();
    RecoveryStore store;
    // Before the first question, so that a signal during it ends the
    // program cleanly too.
    SessionGuard guard(store, autosaveInterval);
    // A cover named on the command line is what the user asked for now: the
    // recovered copies wait for a start without one.
    if (!options.exitAfterFirstPaint && options.pendingPath.isEmpty())
        options.recoveredPath = offerRecoveredCover(store);
    if (!guard.ending()) {
        options.guard = &guard;
        runCoverLoop(options);
    }
    return guard.exitCode();
}
