// Test entry: every test program runs on the offscreen platform with its
// settings and temporary files in a private sandbox folder, so no test sees
// the user's own settings or another test program's files.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>

#ifdef DISCORA_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char **argv)
{
    // CTest's discovery runs the binary without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QTemporaryDir sandbox;
    if (!sandbox.isValid())
        return 2;
    qputenv("DISCORA_TEST_SANDBOX", sandbox.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (sandbox.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (sandbox.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (sandbox.path() + QStringLiteral("/cache")).toLocal8Bit());

    ::testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
