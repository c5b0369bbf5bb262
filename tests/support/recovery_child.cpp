// A program the recovery tests start and kill: the real windowed program
// (its start-up, session guard and cover loop) on the offscreen platform,
// opening the cover named first, changing its back title to the text named
// third, and then reporting on standard output
//
//     ready <pid> <recovery folder> <picture copy folder>
//
// before the main window's modal loop runs. Questions are not answered by
// anyone: they are reported ("question: ...") and dismissed.
//
//     discora_recovery_child COVER.zcv AUTOSAVE_MS TITLE
#include "app/CCoverApp.h"
#include "app/CMainDlg.h"
#include "document/CoverFile.h"
#include "document/RecoveryStore.h"
#include "widgets/QtUiHost.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

namespace {

class ChildHost : public QtUiHost {
public:
    explicit ChildHost(QByteArray title)
        : m_title(std::move(title))
    {
    }

    Answer message(
        QWidget *, const QString &text, const QString &caption, Buttons buttons, Icon) override
    {
        QTextStream(stdout) << "question: " << caption << ": " << text << Qt::endl;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }

    int execDialog(QDialog &dialog) override
    {
        auto *window = qobject_cast<CMainDlg *>(&dialog);
        if (window && !m_changed) {
            m_changed = true;
            window->session().change(
                QStringLiteral("Title"), [this](CoverDocument &d) { d.bCoverTitle = m_title; });
            QTextStream(stdout) << "ready " << QCoreApplication::applicationPid() << ' '
                                << RecoveryStore::defaultFolder() << ' ' << pictureCopyFolder()
                                << Qt::endl;
        }
        return QtUiHost::execDialog(dialog);
    }

private:
    QByteArray m_title;
    bool m_changed = false;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CCoverApp::setUpApplication();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fputs("usage: discora_recovery_child COVER.zcv AUTOSAVE_MS TITLE\n", stderr);
        return 64;
    }
    ChildHost host(args.at(3).toUtf8());
    UiHost::setInstance(&host);
    CoverLoopOptions options;
    options.pendingPath = args.at(1);
    options.skipCoverTypeDialog = true;
    const int code = CCoverApp::runWindowed(options, std::chrono::milliseconds(args.at(2).toInt()));
    UiHost::setInstance(nullptr);
    return code;
}
