// The Cover Text dialog: the rows each use shows and where they go, Enter,
// Escape and F1, the texts read back, and the texts a cover file cannot hold.
#include <gtest/gtest.h>

#include "dialogs/CCoverTextDlg.h"
#include "tests/support/ScriptedUiHost.h"
#include "widgets/CFlatHoverButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

using Dlg = CCoverTextDlg;
constexpr Dlg::Rows kFront{false, false, true, false}, kDisc{false, false, false, true};
constexpr Dlg::Rows kSheet{true, true, true, false};

void press(QWidget *w, int key, Qt::KeyboardModifiers modifiers = {}, const QString &text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(w, &event);
}

void setText(const Dlg &dlg, Dlg::Field f, const QString &text)
{
    if (auto *edit = qobject_cast<QPlainTextEdit *>(dlg.field(f)))
        edit->setPlainText(text);
    else
        qobject_cast<QLineEdit *>(dlg.field(f))->setText(text);
}

} // namespace

void PrintTo(const CCoverTextDlg::Texts &t, std::ostream *os)
{
    for (const QByteArray &b :
        {t.spineText, t.frontTitle, t.frontText, t.discTitle, t.discText, t.backTitle, t.backText})
        *os << '"' << b.toHex(' ').toStdString() << "\" ";
}

TEST(CoverTextDlg, EachUseShowsItsRowsWithTheFreedSpaceUsed)
{
    EXPECT_EQ(Dlg::rowsFor(StandardCD, Face::Front), kFront);
    EXPECT_EQ(Dlg::rowsFor(SlimlineCD, Face::Disc), kDisc);
    EXPECT_EQ(Dlg::rowsFor(StandardCD, Face::Back), Dlg::Rows{}); // the track listing editor
    EXPECT_EQ(Dlg::rowsFor(SlimlineCD, Face::Back), Dlg::Rows{});
    EXPECT_EQ(Dlg::rowsFor(StandardDVD, Face::Back), kSheet);
    EXPECT_EQ(Dlg::rowsFor(SlimlineDVD, Face::Disc), kDisc);

    // Rows moved up take the spine row's top; their text starts 0.12 rows
    // below it and reaches the bottom of the template's last row.
    const QRect title(107, 5, 371, 23), text(107, 30, 371, 267);
    const std::pair<Dlg::Rows, QList<std::pair<Dlg::Field, QRect>>> layouts[] = {
        {kFront, {{Dlg::FrontTitle, title}, {Dlg::FrontText, text}}},
        {kDisc, {{Dlg::DiscTitle, title}, {Dlg::DiscText, text}}},
        {kSheet,
            {{Dlg::SpineText, title}, {Dlg::FrontTitle, {107, 39, 371, 23}},
                {Dlg::FrontText, {107, 65, 371, 99}}, {Dlg::BackTitle, {107, 174, 371, 23}},
                {Dlg::BackText, {107, 198, 371, 99}}}},
    };
    for (const auto &[rows, places] : layouts) {
        Dlg dlg;
        dlg.setRows(rows);
        EXPECT_EQ(dlg.size(), QSize(582, 302));
        for (int f = 0; f < Dlg::kFieldCount; ++f) {
            const auto place = std::find_if(
                places.begin(), places.end(), [f](const auto &p) { return p.first == f; });
            const bool shown = place != places.end();
            EXPECT_EQ(!dlg.field(Dlg::Field(f))->isHidden(), shown) << f;
            EXPECT_EQ(
                !dlg.label(Dlg::Field(f))->isHidden(), f == Dlg::SpineText ? rows.back : shown);
            if (shown) {
                EXPECT_EQ(dlg.field(Dlg::Field(f))->geometry(), place->second) << f;
                EXPECT_EQ(dlg.label(Dlg::Field(f))->y(), place->second.y()) << f;
            }
        }
    }
}

TEST(CoverTextDlg, EnterNeverPressesOkAndEscapeCancels)
{
    ScriptedUiHost host;
    struct Case {
        Dlg::Field field;
        int key;
        Qt::KeyboardModifiers modifiers;
        Dlg::Texts read; // after "a", the key, "b" and OK; none: cancelled
    };
    const Case cases[] = {
        {Dlg::FrontTitle, Qt::Key_Return, {}, {.frontText = "f", .frontTitle = "tab"}},
        {Dlg::FrontTitle, Qt::Key_Enter, Qt::KeypadModifier,
            {.frontText = "f", .frontTitle = "tab"}},
        {Dlg::FrontText, Qt::Key_Return, {}, {.frontText = "fa\r\nb", .frontTitle = "t"}},
        {Dlg::FrontText, Qt::Key_Enter, Qt::KeypadModifier,
            {.frontText = "fa\r\nb", .frontTitle = "t"}},
        {Dlg::FrontText, Qt::Key_Escape, {}, {.frontText = "f", .frontTitle = "t"}},
    };
    for (const Case &c : cases) {
        Dlg dlg;
        dlg.setRows(kFront);
        dlg.setTexts({.frontText = "f", .frontTitle = "t"});
        dlg.show();
        if (auto *edit = qobject_cast<QPlainTextEdit *>(dlg.field(c.field)))
            edit->moveCursor(QTextCursor::End);
        else
            qobject_cast<QLineEdit *>(dlg.field(c.field))->end(false);
        press(dlg.field(c.field), Qt::Key_unknown, {}, QStringLiteral("a"));
        press(dlg.field(c.field), c.key, c.modifiers);
        const bool cancels = c.key == Qt::Key_Escape;
        EXPECT_EQ(dlg.isVisible(), !cancels) << c.field << " " << c.key;
        if (!cancels) {
            press(dlg.field(c.field), Qt::Key_unknown, {}, QStringLiteral("b"));
            dlg.okButton()->click();
        }
        EXPECT_EQ(dlg.result(), cancels ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(dlg.texts(), c.read);
    }
    Dlg dlg;
    press(&dlg, Qt::Key_F1);
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].topic, QStringLiteral("covertext"));
}

TEST(CoverTextDlg, TextsReadBackAsTheDocumentStoresThem)
{
    struct Case {
        Dlg::Field field;
        QByteArray given;
        QString typed; // null: left as given
        QByteArray read;
    };
    const Case cases[] = {
        {Dlg::BackText, "", QStringLiteral("one\ntwo\n"), "one\r\ntwo\r\n"},
        {Dlg::FrontText, "one\r\ntwo", QString(), "one\r\ntwo"},
        {Dlg::FrontText, "1. a\r2. b\r", QString(), "1. a\r2. b\r"}, // kept byte for byte
        {Dlg::BackTitle, "Caf\xc3\xa9", QString(), "Caf\xc3\xa9"},
        {Dlg::FrontTitle, "", QStringLiteral("Caf\u00e9 \u20ac"), "Caf\xe9 \x80"},
        {Dlg::SpineText, "", QStringLiteral("\u03a9 side"), "\xce\xa9 side"},
        {Dlg::FrontText, "", QStringLiteral("10\u00a0km"), "10\xa0km"},
        {Dlg::FrontTitle, "a\r\nb", QString(), "a\r\nb"},
    };
    for (const Case &c : cases) {
        Dlg dlg;
        dlg.setRows(kSheet);
        // A hidden text goes back as given, and is not refused for its tag.
        Dlg::Texts given{.frontText = "f", .discText = "hidden\r\n[END]"};
        QByteArray Dlg::Texts::*const member[] = {&Dlg::Texts::spineText, &Dlg::Texts::frontTitle,
            &Dlg::Texts::frontText, &Dlg::Texts::discTitle, &Dlg::Texts::discText,
            &Dlg::Texts::backTitle, &Dlg::Texts::backText};
        Dlg::Texts expected = given;
        given.*member[c.field] = c.given;
        expected.*member[c.field] = c.read;
        dlg.setTexts(given);
        if (!c.typed.isNull())
            setText(dlg, c.field, c.typed);
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.texts(), expected) << c.read.toStdString();
    }
}

TEST(CoverTextDlg, OkRefusesShownTextsACoverFileCannotHold)
{
    struct Case {
        Dlg::Rows rows;
        int32_t coverType;
        Dlg::Field field;
        QString text;
        QByteArray tag; // empty: accepted
    };
    const Case cases[] = {
        {kSheet, StandardDVD, Dlg::BackTitle, QStringLiteral("Live [END] tour"), "[END]"},
        {kFront, StandardCD, Dlg::FrontText, QStringLiteral("one\nsee [IMAGE1]"), "[IMAGE1]"},
        {kSheet, StandardDVD, Dlg::SpineText, QStringLiteral("[ENDfCoverTitle]"),
            "[ENDfCoverTitle]"},
        {kDisc, StandardCD, Dlg::DiscTitle, QStringLiteral("[dCoverText]"), "[dCoverText]"},
        {kFront, StandardCD, Dlg::FrontText, QStringLiteral("a [DELIM] b"), "[DELIM]"}, // a listing
        {kSheet, StandardDVD, Dlg::FrontText, QStringLiteral("a [DELIM] b"), ""},
        {kSheet, StandardDVD, Dlg::BackText, QStringLiteral("[end] [END [IMAGE5]"), ""},
    };
    for (const Case &c : cases) {
        ScriptedUiHost host(ScriptedUiHost::AnswerNoticesWithOk);
        Dlg dlg;
        dlg.setRows(c.rows);
        dlg.setCoverType(c.coverType);
        dlg.setTexts(
            {.discText = c.rows.disc ? "" : "[END]"}); // hidden: not the person's to change
        dlg.show();
        setText(dlg, c.field, c.text);
        dlg.okButton()->click();
        ASSERT_EQ(host.messages.size(), c.tag.isEmpty() ? 0 : 1) << c.text.toStdString();
        if (c.tag.isEmpty()) {
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            continue;
        }
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(host.messages[0].text,
            QStringLiteral("The %1 contains \"%2\", which a cover file cannot store in a text.\n\n"
                           "Please change the %1.")
                .arg(Dlg::fieldName(c.field), QString::fromLatin1(c.tag)));
        EXPECT_EQ(host.messages[0].caption, QStringLiteral("Cover Text"));
        EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Exclamation);
        // The tag is selected in its field for the person to change.
        EXPECT_EQ(dlg.focusWidget(), dlg.field(c.field));
        auto *edit = qobject_cast<QPlainTextEdit *>(dlg.field(c.field));
        EXPECT_EQ(edit ? edit->textCursor().selectedText()
                       : qobject_cast<QLineEdit *>(dlg.field(c.field))->selectedText(),
            QString::fromLatin1(c.tag));
        setText(dlg, c.field, QStringLiteral("changed"));
        dlg.okButton()->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    EXPECT_EQ(Dlg::fieldName(Dlg::BackText), QStringLiteral("Back Cover Text"));
}
