#include "CCoverTextDlg.h"

#include "document/CoverTextCheck.h"
#include "document/CoverTypes.h"
#include "document/DisplayText.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogLook.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <cmath>

namespace {

constexpr int kWidthUnits = 388;
constexpr int kHeightUnits = 186;

struct FieldLayout {
    const char *label; // with its colon
    QRect unitRect; // the field's place in the template
    bool multiLine;
};

// Indexed by CCoverTextDlg::Field.
const FieldLayout kFields[CCoverTextDlg::kFieldCount] = {
    {"Spine Text:", QRect(71, 3, 247, 14), false},
    {"Front Cover Title:", QRect(71, 24, 247, 14), false},
    {"Front Cover Text:", QRect(71, 40, 247, 61), true},
    {"Disc Title:", QRect(71, 24, 247, 14), false},
    {"Disc Text:", QRect(71, 40, 247, 61), true},
    {"Back Cover Title:", QRect(71, 107, 247, 14), false},
    {"Back Cover Text:", QRect(71, 122, 247, 61), true},
};

constexpr int kLabelLeftUnits = 3;

QRect fromUnits(const QRect &r)
{
    return dialogUnitRect(r.x(), r.y(), r.width(), r.height());
}

// The editor shows every kind of line break as a new line; the document
// keeps CR LF.
QString withEditorBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString withStoredBreaks(const QString &text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        if (c == QLatin1Char('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            out += QLatin1String("\r\n");
        else
            out += c;
    }
    return out;
}

// The text as typed: blocks joined by LF, no-break spaces kept (the
// document's plain text would turn them into spaces).
QString editorText(const QPlainTextEdit &edit)
{
    QString out;
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
        if (block != edit.document()->begin())
            out += QLatin1Char('\n');
        out += block.text();
    }
    return out;
}

} // namespace

CCoverTextDlg::CCoverTextDlg(QWidget *parent)
    : QDialog(parent)
{
    DialogLook::setUpDialog(*this, QStringLiteral("Cover Text"), kWidthUnits, kHeightUnits);
    buildControls();
    setRows(Rows{true, true, true, false});
}

void CCoverTextDlg::buildControls()
{
    for (int f = 0; f < kFieldCount; ++f) {
        const FieldLayout &layout = kFields[f];
        auto *label = new CTransparentStatic(QString::fromLatin1(layout.label), this);
        label->setTextColor(CTransparentStatic::ColorRef(0));
        m_labels[f] = label;
        if (layout.multiLine) {
            auto *edit = new QPlainTextEdit(this);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            edit->setTabChangesFocus(true);
            m_fields[f] = edit;
        } else {
            m_fields[f] = new QLineEdit(this);
        }
        label->setBuddy(m_fields[f]);
    }

    auto makeButton = [this](const QString &text, const QIcon &icon, const QRect &unitRect) {
        auto *b = new CFlatHoverButton(text, this);
        b->setGeometry(fromUnits(unitRect));
        b->setFont(DialogLook::headingFont());
        b->setIconSize(QSize(16, 16));
        b->setIcons(icon);
        b->setImageAlign(CFlatHoverButton::ImageLeft, false);
        b->setImageMargins(6, 3, false);
        b->setHoverCursor();
        return b;
    };
    m_ok = makeButton(QStringLiteral("OK"), Icons::ok(), QRect(323, 3, 58, 14));
    m_cancel = makeButton(QStringLiteral("Cancel"), Icons::cancel(), QRect(323, 23, 58, 14));
    connect(m_ok, &CFlatHoverButton::clicked, this, &CCoverTextDlg::accept);
    connect(m_cancel, &CFlatHoverButton::clicked, this, &CCoverTextDlg::reject);

    // Reading order: spine, front (or disc), back, then the buttons.
    const Field order[]
        = {SpineText, FrontTitle, FrontText, DiscTitle, DiscText, BackTitle, BackText};
    for (int i = 1; i < kFieldCount; ++i)
        setTabOrder(m_fields[order[i - 1]], m_fields[order[i]]);
    setTabOrder(m_fields[BackText], m_ok);
    setTabOrder(m_ok, m_cancel);
}

CCoverTextDlg::Rows CCoverTextDlg::rowsFor(int32_t coverType, Face view)
{
    const bool sheet = isDvdType(coverType);
    switch (view) {
    case Face::Disc: return Rows{false, false, false, true};
    case Face::Front:
    case Face::Back:
        if (sheet)
            return Rows{true, true, true, false};
        if (view == Face::Front)
            return Rows{false, false, true, false};
        return Rows{}; // the track listing editor
    }
    return Rows{};
}

void CCoverTextDlg::placeTemplate()
{
    const int fieldHeight = dialogUnitsY(14);
    for (int f = 0; f < kFieldCount; ++f) {
        const QRect r = fromUnits(kFields[f].unitRect);
        m_fields[f]->setGeometry(r);
        // Captions line up with the first line of their field.
        const int left = dialogUnitsX(kLabelLeftUnits);
        m_labels[f]->setGeometry(left, r.top(), r.left() - left - 2, fieldHeight);
        m_labels[f]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void CCoverTextDlg::moveRowsUp(Field title, Field text)
{
    const QRect spine = m_fields[SpineText]->geometry();
    const int spineBottom = spine.top() + spine.height();
    m_fields[title]->move(spine.left(), spine.top());
    m_labels[title]->move(m_labels[title]->x(), spine.top());

    // 0.12 of a row below the title, down to where the rows under it begin
    // (or the bottom of the template's last row).
    const int top = int(std::trunc(spineBottom + 0.12 * spine.height()));
    const QRect textRect = m_fields[text]->geometry();
    const int bottom = m_rows.back ? textRect.top() + textRect.height()
                                   : dialogUnitsY(kFields[BackText].unitRect.y())
            + dialogUnitsY(kFields[BackText].unitRect.height());
    m_fields[text]->setGeometry(spine.left(), top, textRect.width(), qMax(1, bottom - top));
    m_labels[text]->move(m_labels[text]->x(), top);
}

void CCoverTextDlg::setRows(const Rows &rows)
{
    m_rows = rows;
    placeTemplate();
    auto showRow = [this](Field f, bool shown, bool labelShown) {
        m_fields[f]->setVisible(shown);
        m_labels[f]->setVisible(labelShown);
    };
    showRow(SpineText, rows.spine, rows.back);
    showRow(FrontTitle, rows.front, rows.front);
    showRow(FrontText, rows.front, rows.front);
    showRow(DiscTitle, rows.disc, rows.disc);
    showRow(DiscText, rows.disc, rows.disc);
    showRow(BackTitle, rows.back, rows.back);
    showRow(BackText, rows.back, rows.back);
    if (rows.disc)
        moveRowsUp(DiscTitle, DiscText);
    else if (!rows.spine)
        moveRowsUp(FrontTitle, FrontText);

    // The first field shown takes the focus.
    for (Field f : {SpineText, FrontTitle, DiscTitle, BackTitle}) {
        if (!m_fields[f]->isHidden()) {
            m_fields[f]->setFocus();
            break;
        }
    }
}

QByteArray CCoverTextDlg::Texts::*CCoverTextDlg::memberOf(Field field)
{
    switch (field) {
    case SpineText: return &Texts::spineText;
    case FrontTitle: return &Texts::frontTitle;
    case FrontText: return &Texts::frontText;
    case DiscTitle: return &Texts::discTitle;
    case DiscText: return &Texts::discText;
    case BackTitle: return &Texts::backTitle;
    case BackText: return &Texts::backText;
    }
    return &Texts::spineText;
}

QString CCoverTextDlg::fieldText(Field field) const
{
    if (auto *edit = qobject_cast<QPlainTextEdit *>(m_fields[field]))
        return editorText(*edit);
    return static_cast<QLineEdit *>(m_fields[field])->text();
}

void CCoverTextDlg::setFieldText(Field field, const QString &text)
{
    if (auto *edit = qobject_cast<QPlainTextEdit *>(m_fields[field]))
        edit->setPlainText(withEditorBreaks(text));
    else
        static_cast<QLineEdit *>(m_fields[field])->setText(text);
}

void CCoverTextDlg::setTexts(const Texts &texts)
{
    m_texts = texts;
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = Field(f);
        setFieldText(field, displayText(m_texts.*memberOf(field)));
        m_shown[f] = fieldText(field);
    }
}

QByteArray CCoverTextDlg::storedFieldText(Field field) const
{
    const QString text = fieldText(field);
    if (text == m_shown[field])
        return m_texts.*memberOf(field);
    return storedText(kFields[field].multiLine ? withStoredBreaks(text) : text);
}

QString CCoverTextDlg::fieldName(Field field)
{
    QString name = QString::fromLatin1(kFields[field].label);
    name.chop(1); // the colon
    return name;
}

void CCoverTextDlg::accept()
{
    Texts read;
    for (int f = 0; f < kFieldCount; ++f)
        read.*memberOf(Field(f)) = storedFieldText(Field(f));

    // Only shown texts are checked: a hidden one goes back as it came and
    // cannot be changed here.
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = Field(f);
        if (m_fields[f]->isHidden())
            continue;
        const QByteArray &text = read.*memberOf(field);
        CoverTagHit hit = coverFileTagIn(text);
        if (!hit.found() && field == FrontText && m_coverType == StandardCD)
            hit = trackMarkerIn(text);
        if (!hit.found())
            continue;
        UiHost::instance().message(this, coverTagMessage(fieldName(field), hit.tag),
            QStringLiteral("Cover Text"), UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
        // Show the person where the tag is.
        const QString shown = fieldText(field);
        const qsizetype at = shown.indexOf(QString::fromLatin1(hit.tag));
        m_fields[f]->setFocus();
        if (auto *edit = qobject_cast<QPlainTextEdit *>(m_fields[f])) {
            if (at >= 0) {
                QTextCursor cursor(edit->document());
                cursor.setPosition(int(at));
                cursor.setPosition(int(at + hit.tag.size()), QTextCursor::KeepAnchor);
                edit->setTextCursor(cursor);
            }
        } else if (at >= 0) {
            static_cast<QLineEdit *>(m_fields[f])->setSelection(int(at), int(hit.tag.size()));
        }
        return;
    }
    m_texts = read;
    QDialog::accept();
}

void CCoverTextDlg::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F1: UiHost::instance().showHelp(this, QStringLiteral("covertext")); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter belongs to the fields (a line break in a text field); it
        // never presses OK.
        event->accept();
        return;
    default: break;
    }
    QDialog::keyPressEvent(event);
}
