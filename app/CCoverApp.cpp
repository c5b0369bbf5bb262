#include "CCoverApp.h"

#include <QApplication>

int CCoverApp::runApplication(int argc, char **argv, const QString &pendingPath)
{
    QApplication app(argc, argv);
    return 0;
}
