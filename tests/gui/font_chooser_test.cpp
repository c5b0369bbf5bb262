// The font chooser with its text colour: Escape and Enter anywhere in it
// close the whole dialog, what it starts from and gives back, the Qt host.
#include <gtest/gtest.h>

#include "tests/support/ScriptedUiHost.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CFontChooserDlg.h"
#include "widgets/QtUiHost.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {

UiHost::FontChoice choiceOf(const char *family, int points, bool bold, QColor color)
{
    QFont f;
    f.setFamilies(QStringList{QString::fromLatin1(family)});
    f.setPointSize(points);
    f.setBold(bold);
    return {f, color};
}

} // namespace

TEST(FontChooser, KeysInsideTheChooserCloseTheWholeDialog)
{
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        for (const char *kind : {"QLineEdit", "QListView", "QCheckBox"}) {
            CFontChooserDlg dlg;
            dlg.show();
            const QList<QWidget *> inside = dlg.fontChooser()->findChildren<QWidget *>();
            QWidget *target = *std::find_if(inside.begin(), inside.end(),
                [kind](QWidget *w) { return w->inherits(kind) && !w->isHidden(); });
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(target, &event);
            EXPECT_FALSE(dlg.isVisible()) << kind << key;
            EXPECT_EQ(dlg.result(), key == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted);
            EXPECT_FALSE(dlg.fontChooser()->isHidden()); // not closed inside the frame
        }
    }
}

TEST(FontChooser, GivesBackTheFontAndColourChosen)
{
    ScriptedUiHost host;
    // given, shown family (empty: a substitute), colour item shown
    const std::tuple<UiHost::FontChoice, QString, QString> cases[] = {
        {choiceOf("DejaVu Serif", 14, true, QColor(0x80, 0, 0)), "DejaVu Serif", "Maroon"},
        {choiceOf("Arial", 18, false, QColor(1, 2, 3)), "", "Custom"}, // not on this system
        {choiceOf("DejaVu Sans", 9, false, QColor()), "DejaVu Sans", "Black"},
    };
    for (const auto &[given, shown, colour] : cases) {
        CFontChooserDlg dlg;
        dlg.setChoice(given);
        const QFont inChooser = dlg.fontChooser()->currentFont();
        EXPECT_EQ(inChooser.family(), shown.isEmpty() ? inChooser.family() : shown);
        EXPECT_NE(inChooser.family(), QStringLiteral("Arial"));
        EXPECT_EQ(inChooser.bold(), given.font.bold());
        EXPECT_EQ(dlg.colorChoice()->currentText(), colour);
        // A family shown in place of a missing one goes back under its own name.
        const UiHost::FontChoice back = dlg.choice();
        EXPECT_EQ(back.font.family(), given.font.family());
        EXPECT_EQ(back.font.pointSize(), given.font.pointSize());
        EXPECT_EQ(back.font.bold(), given.font.bold());
        EXPECT_EQ(back.color, given.color.isValid() ? given.color : QColor(Qt::black));
    }

    // Sixteen basic colours, then "Custom…", which asks the colour chooser.
    CFontChooserDlg dlg;
    dlg.setChoice(choiceOf("DejaVu Sans", 10, false, Qt::red));
    QComboBox *colors = dlg.colorChoice();
    EXPECT_EQ(colors->itemText(16), QStringLiteral("Custom\u2026"));
    host.colors = {QColor(1, 2, 3), std::nullopt};
    Q_EMIT colors->activated(16);
    EXPECT_EQ(host.colorRequests.value(0), QColor(Qt::red));
    EXPECT_EQ(dlg.choice().color, QColor(1, 2, 3));
    Q_EMIT colors->activated(17); // "Custom…" after the custom colour's own entry
    EXPECT_EQ(dlg.choice().color, QColor(1, 2, 3)); // cancelled: as it was
    Q_EMIT colors->activated(12);
    EXPECT_EQ(dlg.choice().color, QColor(Qt::blue));
}

TEST(FontChooser, QtHostRunsIt)
{
    QtUiHost host;
    for (bool ok : {true, false}) {
        UiHost::FontChoice choice = choiceOf("DejaVu Sans", 11, false, Qt::black);
        QTimer::singleShot(0, [ok] {
            auto *dlg = qobject_cast<CFontChooserDlg *>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            Q_EMIT dlg->colorChoice()->activated(9);
            (ok ? dlg->okButton() : dlg->cancelButton())->click();
        });
        EXPECT_EQ(host.chooseFont(nullptr, choice), ok);
        EXPECT_EQ(choice.color, ok ? QColor(Qt::red) : QColor(Qt::black));
        EXPECT_EQ(choice.font.pointSize(), 11);
    }
}

TEST(FontChooser, F1OpensTheFontsPageOwnedByTheChooser)
{
    ScriptedUiHost host;
    CFontChooserDlg dlg;
    dlg.show();
    QWidget *inside = dlg.fontChooser()->findChild<QLineEdit *>();
    ASSERT_NE(inside, nullptr);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(inside, &f1);
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].owner, &dlg);
    EXPECT_EQ(host.helpRequests[0].topic, QStringLiteral("fonts"));
    EXPECT_TRUE(dlg.isVisible());
}

// With a title, "Title" and "Text" each show their own font and colour and
// keep what was chosen while the other was shown; the sample stands on the
// face's colour. Without one, the choice is not offered.
TEST(FontChooser, TitleAndTextAreChosenInTurn)
{
    UiHost::FontChoice given = choiceOf("DejaVu Sans", 12, false, Qt::black);
    given.hasTitle = true;
    given.titleFont = choiceOf("DejaVu Serif", 20, true, Qt::white).font;
    given.titleColor = Qt::white;
    given.background = QColor(0, 0, 0x80);
    CFontChooserDlg dlg;
    dlg.setChoice(given);
    dlg.show();
    ASSERT_TRUE(dlg.titleChoice()->isVisible());
    EXPECT_TRUE(dlg.textChoice()->isChecked());
    EXPECT_EQ(dlg.fontChooser()->currentFont().family(), QStringLiteral("DejaVu Sans"));
    dlg.titleChoice()->click();
    EXPECT_EQ(dlg.fontChooser()->currentFont().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(dlg.colorChoice()->currentText(), QStringLiteral("White"));
    Q_EMIT dlg.colorChoice()->activated(9); // red, for the title
    dlg.textChoice()->click();
    EXPECT_EQ(dlg.colorChoice()->currentText(), QStringLiteral("Black"));
    const UiHost::FontChoice back = dlg.choice();
    EXPECT_EQ(back.color, QColor(Qt::black));
    EXPECT_EQ(back.titleColor, QColor(Qt::red));
    EXPECT_EQ(back.titleFont.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_TRUE(back.titleFont.bold());
    EXPECT_EQ(back.font.family(), QStringLiteral("DejaVu Sans"));
    // Both parts' samples, each in its own font and colour on the face's.
    EXPECT_EQ(dlg.titleSample()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(dlg.titleSample()->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(dlg.textSample()->palette().color(QPalette::Window), QColor(0, 0, 0x80));
    QLineEdit *sample = nullptr; // the chooser's sample, in its group box
    for (QGroupBox *box : dlg.fontChooser()->findChildren<QGroupBox *>())
        if (!sample)
            sample = box->findChild<QLineEdit *>();
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->palette().color(QPalette::Base), QColor(0, 0, 0x80));
    // White on a white face would show nothing: a dark ground instead.
    given.background = Qt::white;
    given.color = Qt::white;
    dlg.setChoice(given);
    EXPECT_EQ(sample->palette().color(QPalette::Base), QColor(0x40, 0x40, 0x40));

    CFontChooserDlg plain;
    plain.setChoice(choiceOf("DejaVu Sans", 12, false, Qt::black));
    plain.show();
    EXPECT_FALSE(plain.titleChoice()->isVisible());
}
