// The real file dialogs behind UiHost: where they open and what name they
// offer, as a person sees them.
#include "tests/support/TestSupport.h"
#include "widgets/QtUiHost.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace testsupport;

namespace {

struct SeenDialog {
    bool found = false;
    QString folder;
    QString fileName;
};

// Looks at the file dialog as soon as it is up, then cancels it.
void inspectAndCancelFileDialog(SeenDialog &seen)
{
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [&seen, poll](int triesLeft) {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            seen.found = true;
            seen.folder = QDir(dialog->directory()).absolutePath();
            if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                seen.fileName = edit->text();
            dialog->reject();
            return;
        }
        if (triesLeft > 0)
            QTimer::singleShot(20, [poll, triesLeft] { (*poll)(triesLeft - 1); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(200); });
}

} // namespace

TEST(QtFileDialogs, SaveAsOffersNoFileNameEvenWhenStartedOnASavedCover)
{
    const QString dir = QDir(freshDir(QStringLiteral("save-dialog"))).absolutePath();
    const QString saved = dir + QStringLiteral("/saved.zcv");
    writeFile(saved, QByteArray("[END]"));

    const std::pair<QString, QString> cases[] = {
        {dir, dir}, // a folder: opens there
        {saved, dir}, // the cover saved last: its folder, and no name filled in
    };
    for (const auto &[startPath, expectedFolder] : cases) {
        SCOPED_TRACE(startPath.toStdString());
        QtUiHost host;
        SeenDialog seen;
        inspectAndCancelFileDialog(seen);
        const QString chosen = host.saveFileName(
            nullptr, QStringLiteral("Save As"), startPath, QStringLiteral("Discora Files (*.zcv)"));
        EXPECT_TRUE(chosen.isEmpty());
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.folder, expectedFolder);
        EXPECT_EQ(seen.fileName, QString());
    }
}
