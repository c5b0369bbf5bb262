// The font chooser with its text colour: Escape anywhere in it cancels the
// whole dialog, what it starts from and gives back, the colour choice, and
// the Qt host running it.
#include <gtest/gtest.h>

#include "tests/support/ScriptedUiHost.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CFontChooserDlg.h"
#include "widgets/QtUiHost.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QTimer>

namespace {

void press(QWidget *w, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

QFont fontOf(const QString &family, int points, bool bold = false, bool italic = false)
{
    QFont f;
    f.setFamilies(QStringList{family});
    f.setPointSize(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

} // namespace

TEST(FontChooser, KeysInsideTheChooserCloseTheWholeDialog)
{
    // Escape cancels, Enter chooses, wherever the focus is in the chooser.
    const std::pair<int, int> keys[]
        = {{Qt::Key_Escape, QDialog::Rejected}, {Qt::Key_Return, QDialog::Accepted}};
    for (const auto &[key, result] : keys) {
        for (const char *kind : {"QLineEdit", "QListView", "QCheckBox"}) {
            SCOPED_TRACE(std::string(kind) + (key == Qt::Key_Escape ? " Escape" : " Enter"));
            CFontChooserDlg dlg;
            dlg.setChoice({fontOf(QStringLiteral("DejaVu Sans"), 12), Qt::black});
            dlg.show();
            QWidget *target = nullptr;
            for (QWidget *w : dlg.fontChooser()->findChildren<QWidget *>()) {
                if (w->inherits(kind) && !w->isHidden()) {
                    target = w;
                    break;
                }
            }
            ASSERT_NE(target, nullptr);
            target->setFocus();
            press(target, key);
            EXPECT_FALSE(dlg.isVisible());
            EXPECT_EQ(dlg.result(), result);
            // The chooser itself was not closed inside the frame.
            EXPECT_FALSE(dlg.fontChooser()->isHidden());
        }
    }
}

TEST(FontChooser, GivesBackTheFontAndColourChosen)
{
    ScriptedUiHost host;
    struct Case {
        const char *why;
        UiHost::FontChoice given;
        QString shownFamily;
        QString family; // given back after OK
        int colorIndex; // item selected in the colour list
        QString colorText;
    };
    const Case cases[] = {
        {"an installed family", {fontOf("DejaVu Serif", 14, true), QColor(0x80, 0, 0)},
            QStringLiteral("DejaVu Serif"), QStringLiteral("DejaVu Serif"), 1,
            QStringLiteral("Maroon")},
        {"a family this system lacks keeps its name",
            {fontOf("Arial", 18), QColor(0x12, 0x34, 0x56)}, QString(), QStringLiteral("Arial"), 16,
            QStringLiteral("Custom")},
        {"no colour is black", {fontOf("DejaVu Sans", 9, false, true), QColor()},
            QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans"), 0,
            QStringLiteral("Black")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        CFontChooserDlg dlg;
        dlg.setChoice(c.given);
        const QFont shown = dlg.fontChooser()->currentFont();
        if (!c.shownFamily.isEmpty())
            EXPECT_EQ(shown.family(), c.shownFamily);
        EXPECT_TRUE(QFontDatabase::hasFamily(shown.family()));
        EXPECT_EQ(shown.pointSize(), c.given.font.pointSize());
        EXPECT_EQ(shown.bold(), c.given.font.bold());
        EXPECT_EQ(shown.italic(), c.given.font.italic());
        EXPECT_EQ(dlg.colorChoice()->currentIndex(), c.colorIndex);
        EXPECT_EQ(dlg.colorChoice()->currentText(), c.colorText);

        const UiHost::FontChoice back = dlg.choice();
        EXPECT_EQ(back.font.family(), c.family);
        EXPECT_EQ(back.font.pointSize(), c.given.font.pointSize());
        EXPECT_EQ(back.font.bold(), c.given.font.bold());
        EXPECT_EQ(back.font.italic(), c.given.font.italic());
        EXPECT_EQ(back.color, c.given.color.isValid() ? c.given.color : QColor(Qt::black));
    }

    // Sixteen basic colours, then "Custom…", which asks the colour chooser.
    CFontChooserDlg dlg;
    dlg.setChoice({fontOf("DejaVu Sans", 10), QColor(Qt::red)});
    QComboBox *colors = dlg.colorChoice();
    ASSERT_EQ(colors->count(), 17);
    EXPECT_EQ(colors->currentText(), QStringLiteral("Red"));
    EXPECT_EQ(colors->itemText(16), QStringLiteral("Custom\u2026"));
    host.colors.push_back(QColor(1, 2, 3));
    host.colors.push_back(std::nullopt);
    Q_EMIT colors->activated(16);
    EXPECT_EQ(host.colorRequests.value(0), QColor(Qt::red));
    EXPECT_EQ(dlg.choice().color, QColor(1, 2, 3));
    EXPECT_EQ(colors->count(), 18); // the custom colour has an entry of its own
    Q_EMIT colors->activated(17);
    EXPECT_EQ(dlg.choice().color, QColor(1, 2, 3)); // cancelled: as it was
    EXPECT_EQ(colors->currentIndex(), 16);
    colors->setCurrentIndex(12);
    Q_EMIT colors->activated(12);
    EXPECT_EQ(dlg.choice().color, QColor(0, 0, 0xFF));
}

TEST(FontChooser, QtHostRunsIt)
{
    QtUiHost host;
    for (bool ok : {true, false}) {
        UiHost::FontChoice choice{fontOf("DejaVu Sans", 11), QColor(Qt::black)};
        QTimer::singleShot(0, [ok] {
            auto *dlg = qobject_cast<CFontChooserDlg *>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            dlg->colorChoice()->setCurrentIndex(9);
            Q_EMIT dlg->colorChoice()->activated(9);
            (ok ? dlg->okButton() : dlg->cancelButton())->click();
        });
        EXPECT_EQ(host.chooseFont(nullptr, choice), ok);
        EXPECT_EQ(choice.color, ok ? QColor(Qt::red) : QColor(Qt::black));
        EXPECT_EQ(choice.font.pointSize(), 11);
    }
}
