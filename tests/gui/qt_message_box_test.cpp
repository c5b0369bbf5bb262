// The real message boxes behind UiHost: a question dismissed with Escape or
// its close box answers Cancel, so the command that asked stops.
#include "app/FileCommands.h"
#include "document/CoverSession.h"
#include "widgets/QtUiHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Acts on the message box as soon as it is up.
void whenBoxIsUp(std::function<void(QMessageBox &)> act)
{
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [act, poll](int triesLeft) {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box && box->isVisible()) {
                act(*box);
                return;
            }
        }
        if (triesLeft > 0)
            QTimer::singleShot(20, [poll, triesLeft] { (*poll)(triesLeft - 1); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(200); });
}

void pressEscape(QMessageBox &box)
{
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&box, &escape);
}

} // namespace

TEST(QtMessageBox, DismissingAQuestionIsNotAnAnswer)
{
    using Answer = UiHost::Answer;
    using Buttons = UiHost::Buttons;
    const struct {
        const char *name;
        Buttons buttons;
        std::function<void(QMessageBox &)> act;
        Answer expected;
    } cases[] = {
        {"escape", Buttons::YesNo, pressEscape, Answer::Cancel},
        {"close box", Buttons::YesNo, [](QMessageBox &b) { b.close(); }, Answer::Cancel},
        {"no", Buttons::YesNo, [](QMessageBox &b) { b.button(QMessageBox::No)->click(); },
            Answer::No},
        {"yes", Buttons::YesNo, [](QMessageBox &b) { b.button(QMessageBox::Yes)->click(); },
            Answer::Yes},
        {"escape, with cancel", Buttons::YesNoCancel, pressEscape, Answer::Cancel},
        {"escape on a notice", Buttons::Ok, pressEscape, Answer::Ok},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QtUiHost host;
        QStringList shown;
        whenBoxIsUp([&](QMessageBox &box) {
            for (QAbstractButton *b : box.buttons())
                if (b->isVisible())
                    shown << b->text();
            c.act(box);
        });
        EXPECT_EQ(host.message(nullptr, QStringLiteral("Question?"), QStringLiteral("Caption"),
                      c.buttons, UiHost::Icon::Question),
            c.expected);
        // The hidden Cancel of a Yes/No question is never offered.
        EXPECT_EQ(shown.size(),
            c.buttons == Buttons::YesNoCancel ? 3
                : c.buttons == Buttons::YesNo ? 2
                                              : 1);
    }
}

TEST(QtMessageBox, EscapeOnTheSaveQuestionKeepsTheWindowOpen)
{
    QtUiHost host;
    UiHost::setInstance(&host);
    CoverSession session;
    session.markModified();
    FileCommands commands(nullptr, session);
    whenBoxIsUp(pressEscape);
    EXPECT_EQ(commands.close(), std::nullopt);
    EXPECT_TRUE(session.isModified());
    UiHost::setInstance(nullptr);
}
