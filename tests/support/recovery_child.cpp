// The program the recovery tests start and kill: the real windowed program
// (start-up, session guard, cover loop) on the cover named first, with its
// back title changed to the third argument once the main window opens; it
// then prints "ready <pid> <recovery folder> <picture copy folder>" and
// runs the window's modal loop. Questions are printed and dismissed.
//
//     discora_recovery_child COVER.zcv AUTOSAVE_MS TITLE
#include "app/CCoverApp.h"
#include "app/CMainDlg.h"
#include "document/CoverFile.h"
#include "document/RecoveryStore.h"
#include "widgets/QtUiHost.h"

#include <QApplication>
#include <QTextStream>

namespace {

class ChildHost : public QtUiHost {
public:
    QByteArray title;

    Answer message(QWidget *, const QString &text, const QString &, Buttons, Icon) override
    {
        QTextStream(stdout) << "question: " << text << Qt::endl;
        return Answer::Cancel;
    }
    int execDialog(QDialog &dialog) override
    {
        if (auto *window = qobject_cast<CMainDlg *>(&dialog); window && !title.isEmpty()) {
            window->session().change("Title", [&](CoverDocument &d) { d.bCoverTitle = title; });
            title.clear();
            QTextStream(stdout) << "ready " << QCoreApplication::applicationPid() << ' '
                                << RecoveryStore::defaultFolder() << ' ' << pictureCopyFolder()
                                << Qt::endl;
        }
        return QtUiHost::execDialog(dialog);
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CCoverApp::setUpApplication();
    const QStringList args = QCoreApplication::arguments();
    ChildHost host;
    host.title = args.value(3).toUtf8();
    UiHost::setInstance(&host);
    CoverLoopOptions options;
    options.pendingPath = args.value(1);
    options.skipCoverTypeDialog = true;
    const int code
        = CCoverApp::runWindowed(options, std::chrono::milliseconds(args.value(2).toInt()));
    UiHost::setInstance(nullptr);
    return code;
}
