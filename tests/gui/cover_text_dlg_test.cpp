// The Cover Text dialog: the rows each use shows and where they go, Enter,
// Escape and F1, the texts read back (line breaks, encoding, untouched
// fields) and the texts a cover file cannot hold.
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
using Rows = Dlg::Rows;

constexpr Rows kFront{false, false, true, false};
constexpr Rows kDisc{false, false, false, true};
constexpr Rows kSheet{true, true, true, false};

void press(QWidget *w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
    const QString &text = QString())
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(w, &event);
}

void type(QWidget *w, const QString &text)
{
    for (QChar c : text)
        press(w, Qt::Key_unknown, Qt::NoModifier, QString(c));
}

QPlainTextEdit *textField(const Dlg &dlg, Dlg::Field f)
{
    return qobject_cast<QPlainTextEdit *>(dlg.field(f));
}

QLineEdit *lineField(const Dlg &dlg, Dlg::Field f)
{
    return qobject_cast<QLineEdit *>(dlg.field(f));
}

void setFieldText(const Dlg &dlg, Dlg::Field f, const QString &text)
{
    if (QPlainTextEdit *edit = textField(dlg, f))
        edit->setPlainText(text);
    else
        lineField(dlg, f)->setText(text);
}

} // namespace

TEST(CoverTextDlg, EachUseShowsItsRowsWithTheFreedSpaceUsed)
{
    struct Case {
        int32_t coverType;
        Face view;
        Rows rows;
    };
    const Case uses[] = {
        {StandardCD, Face::Front, kFront},
        {StandardCD, Face::Disc, kDisc},
        {StandardCD, Face::Back, Rows{}}, // the track listing editor
        {Other, Face::Front, kFront},
        {SlimlineCD, Face::Back, Rows{}},
        {SlimlineCD, Face::Disc, kDisc},
        {StandardDVD, Face::Back, kSheet},
        {StandardDVD, Face::Disc, kDisc},
        {SlimlineDVD, Face::Back, kSheet},
        {SlimlineDVD, Face::Disc, kDisc},
    };
    for (const Case &c : uses) {
        EXPECT_EQ(Dlg::rowsFor(c.coverType, c.view), c.rows) << c.coverType << int(c.view);
    }

    // Pixel places: 1 unit is 1.5 px across, 1.625 px down. A row moved up
    // takes the spine row's top; its text starts 0.12 rows below that and
    // reaches the bottom of the template's last row.
    struct Layout {
        const char *why;
        Rows rows;
        QList<Dlg::Field> shown;
        QList<std::pair<Dlg::Field, QRect>> places;
    };
    const Layout layouts[] = {
        {"front alone", kFront, {Dlg::FrontTitle, Dlg::FrontText},
            {{Dlg::FrontTitle, QRect(107, 5, 371, 23)},
                {Dlg::FrontText, QRect(107, 30, 371, 267)}}},
        {"disc alone", kDisc, {Dlg::DiscTitle, Dlg::DiscText},
            {{Dlg::DiscTitle, QRect(107, 5, 371, 23)}, {Dlg::DiscText, QRect(107, 30, 371, 267)}}},
        {"DVD sheet, as designed", kSheet,
            {Dlg::SpineText, Dlg::FrontTitle, Dlg::FrontText, Dlg::BackTitle, Dlg::BackText},
            {{Dlg::SpineText, QRect(107, 5, 371, 23)}, {Dlg::FrontTitle, QRect(107, 39, 371, 23)},
                {Dlg::FrontText, QRect(107, 65, 371, 99)},
                {Dlg::BackTitle, QRect(107, 174, 371, 23)},
                {Dlg::BackText, QRect(107, 198, 371, 99)}}},
    };
    for (const Layout &l : layouts) {
        SCOPED_TRACE(l.why);
        Dlg dlg;
        dlg.setRows(l.rows);
        EXPECT_EQ(dlg.size(), QSize(582, 302));
        for (int f = 0; f < Dlg::kFieldCount; ++f) {
            const bool shown = l.shown.contains(Dlg::Field(f));
            EXPECT_EQ(!dlg.field(Dlg::Field(f))->isHidden(), shown) << f;
            // The spine label goes with the back rows.
            EXPECT_EQ(
                !dlg.label(Dlg::Field(f))->isHidden(), f == Dlg::SpineText ? l.rows.back : shown)
                << f;
        }
        for (const auto &[field, place] : l.places) {
            EXPECT_EQ(dlg.field(field)->geometry(), place) << field;
            EXPECT_EQ(dlg.label(field)->y(), place.y()) << field;
            EXPECT_LT(dlg.label(field)->geometry().right(), place.left()) << field;
        }
        EXPECT_FALSE(dlg.okButton()->isHidden());
        EXPECT_FALSE(dlg.cancelButton()->isHidden());
    }
}

TEST(CoverTextDlg, EnterNeverPressesOkAndEscapeCancels)
{
    ScriptedUiHost host;
    struct Case {
        const char *why;
        Dlg::Field field;
        int key;
        Qt::KeyboardModifiers modifiers;
        bool cancels; // else the dialog stays open
        QByteArray frontText; // after typing "a", the key, "b" and OK
        QByteArray frontTitle;
    };
    const Case cases[] = {
        {"Enter in a title", Dlg::FrontTitle, Qt::Key_Return, Qt::NoModifier, false, "old", "Tab"},
        {"keypad Enter in a title", Dlg::FrontTitle, Qt::Key_Enter, Qt::KeypadModifier, false,
            "old", "Tab"},
        {"Enter in a text: a line break", Dlg::FrontText, Qt::Key_Return, Qt::NoModifier, false,
            "olda\r\nb", "T"},
        {"keypad Enter in a text", Dlg::FrontText, Qt::Key_Enter, Qt::KeypadModifier, false,
            "olda\r\nb", "T"},
        {"Escape", Dlg::FrontText, Qt::Key_Escape, Qt::NoModifier, true, "old", "T"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        Dlg dlg;
        dlg.setRows(kFront);
        dlg.setTexts({.frontText = "old", .frontTitle = "T"});
        dlg.show();
        QWidget *field = dlg.field(c.field);
        field->setFocus();
        if (QPlainTextEdit *edit = textField(dlg, c.field))
            edit->moveCursor(QTextCursor::End);
        else
            lineField(dlg, c.field)->end(false);
        type(field, QStringLiteral("a"));
        press(field, c.key, c.modifiers);
        EXPECT_EQ(dlg.isVisible(), !c.cancels);
        if (c.cancels) {
            EXPECT_EQ(dlg.result(), QDialog::Rejected);
            EXPECT_EQ(dlg.texts(), (Dlg::Texts{.frontText = "old", .frontTitle = "T"}));
            continue;
        }
        type(field, QStringLiteral("b"));
        dlg.okButton()->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.texts().frontText, c.frontText);
        EXPECT_EQ(dlg.texts().frontTitle, c.frontTitle);
    }

    Dlg dlg;
    press(&dlg, Qt::Key_F1);
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].owner, &dlg);
    EXPECT_EQ(host.helpRequests[0].topic, QStringLiteral("covertext"));
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST(CoverTextDlg, TextsReadBackAsTheDocumentStoresThem)
{
    struct Case {
        const char *why;
        Dlg::Field field;
        QByteArray given;
        QString typed; // null: left as given
        QByteArray read;
    };
    const Case cases[] = {
        {"typed line breaks become CR LF", Dlg::BackText, "", QStringLiteral("one\ntwo\n"),
            "one\r\ntwo\r\n"},
        {"CR LF given shows as lines and comes back", Dlg::FrontText, "one\r\ntwo", QString(),
            "one\r\ntwo"},
        {"a field left as given keeps its bytes, lone CRs too", Dlg::FrontText, "1. a\r2. b\r",
            QString(), "1. a\r2. b\r"},
        {"UTF-8 left as given stays UTF-8", Dlg::BackTitle, "Caf\xc3\xa9", QString(),
            "Caf\xc3\xa9"},
        {"Windows-1252 shown as text", Dlg::BackTitle, "Caf\xe9", QString(), "Caf\xe9"},
        {"typed text fitting Windows-1252 is stored so", Dlg::FrontTitle, "",
            QStringLiteral("Caf\u00e9 \u20ac"), "Caf\xe9 \x80"},
        {"else UTF-8", Dlg::SpineText, "", QStringLiteral("\u03a9 side"), "\xce\xa9 side"},
        {"no-break spaces are kept", Dlg::FrontText, "", QStringLiteral("10\u00a0km"), "10\xa0km"},
        {"a title keeps a line break it was given", Dlg::FrontTitle, "a\r\nb", QString(), "a\r\nb"},
        {"hidden fields go back as given", Dlg::DiscText, "disc\r\n[END]", QStringLiteral("x"),
            "disc\r\n[END]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        Dlg dlg;
        dlg.setRows(kSheet);
        Dlg::Texts given{.spineText = "s",
            .backText = "b",
            .frontText = "f",
            .discText = "d",
            .backTitle = "bt",
            .frontTitle = "ft",
            .discTitle = "dt"};
        Dlg::Texts expected = given;
        const auto set = [&](Dlg::Texts &t, const QByteArray &v) {
            switch (c.field) {
            case Dlg::SpineText: t.spineText = v; break;
            case Dlg::FrontTitle: t.frontTitle = v; break;
            case Dlg::FrontText: t.frontText = v; break;
            case Dlg::DiscTitle: t.discTitle = v; break;
            case Dlg::DiscText: t.discText = v; break;
            case Dlg::BackTitle: t.backTitle = v; break;
            case Dlg::BackText: t.backText = v; break;
            }
        };
        set(given, c.given);
        set(expected, c.read);
        dlg.setTexts(given);
        if (!c.typed.isNull() && !dlg.field(c.field)->isHidden())
            setFieldText(dlg, c.field, c.typed);
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.texts(), expected);
    }

    // Cancel gives back what was given, whatever was typed.
    Dlg dlg;
    dlg.setRows(kFront);
    dlg.setTexts({.frontText = "kept"});
    setFieldText(dlg, Dlg::FrontText, QStringLiteral("typed"));
    dlg.cancelButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dlg.texts(), Dlg::Texts{.frontText = "kept"});
}

TEST(CoverTextDlg, OkRefusesShownTextsACoverFileCannotHold)
{
    struct Case {
        const char *why;
        Rows rows;
        int32_t coverType;
        Dlg::Field field;
        QString text;
        QByteArray tag; // empty: accepted
    };
    const Case cases[] = {
        {"the text part's end", kSheet, StandardDVD, Dlg::BackTitle,
            QStringLiteral("Live [END] tour"), "[END]"},
        {"a picture block's tag", kFront, StandardCD, Dlg::FrontText,
            QStringLiteral("one\nsee [IMAGE1]"), "[IMAGE1]"},
        {"an end tag", kSheet, StandardDVD, Dlg::SpineText,
            QStringLiteral("[ENDbackCoverSpineText]"), "[ENDbackCoverSpineText]"},
        {"a key tag", kDisc, StandardCD, Dlg::DiscTitle, QStringLiteral("[dCoverText]"),
            "[dCoverText]"},
        {"a standard CD front text taken for a track listing", kFront, StandardCD, Dlg::FrontText,
            QStringLiteral("a [DELIM] b"), "[DELIM]"},
        {"the same on a DVD cover is text", kSheet, StandardDVD, Dlg::FrontText,
            QStringLiteral("a [DELIM] b"), ""},
        {"near misses are text", kSheet, StandardDVD, Dlg::BackText,
            QStringLiteral("[end] [END [IMAGE5]"), ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        ScriptedUiHost host(ScriptedUiHost::AnswerNoticesWithOk);
        Dlg dlg;
        dlg.setRows(c.rows);
        dlg.setCoverType(c.coverType);
        // A hidden field holding a tag is not the person's to change here.
        dlg.setTexts({.discText = c.rows.disc ? "" : "[END]"});
        dlg.show();
        setFieldText(dlg, c.field, c.text);
        dlg.okButton()->click();
        if (c.tag.isEmpty()) {
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_TRUE(host.messages.isEmpty());
            continue;
        }
        EXPECT_EQ(dlg.result(), 0);
        EXPECT_TRUE(dlg.isVisible());
        ASSERT_EQ(host.messages.size(), 1);
        const QString name = Dlg::fieldName(c.field);
        EXPECT_EQ(host.messages[0].text,
            QStringLiteral("The %1 contains \"%2\", which a cover file cannot store in a "
                           "text.\n\nPlease change the %1.")
                .arg(name, QString::fromLatin1(c.tag)));
        EXPECT_EQ(host.messages[0].caption, QStringLiteral("Cover Text"));
        EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Exclamation);
        EXPECT_EQ(host.messages[0].buttons, UiHost::Buttons::Ok);
        // The tag is selected in its field for the person to change.
        EXPECT_EQ(dlg.focusWidget(), dlg.field(c.field));
        const QString selected = textField(dlg, c.field)
            ? textField(dlg, c.field)->textCursor().selectedText()
            : lineField(dlg, c.field)->selectedText();
        EXPECT_EQ(selected, QString::fromLatin1(c.tag));

        setFieldText(dlg, c.field, QStringLiteral("changed"));
        dlg.okButton()->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    EXPECT_EQ(Dlg::fieldName(Dlg::BackText), QStringLiteral("Back Cover Text"));
}
