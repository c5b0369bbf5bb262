#include "CCoverTypeDlg.h"

#include "document/UserSettings.h"
#include "widgets/AppPaths.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogLook.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QUrl>
#include <limits>

namespace {

// Dialog size in dialog units.
constexpr int kWidthUnits = 220;
constexpr int kHeightUnits = 110;
// The white band ends, and the etched line runs, at this height.
constexpr int kBandBottomUnits = 61;

constexpr CTransparentStatic::ColorRef kHeadingColor = DialogLook::kHeadingColor;

using DialogLook::choiceFont;
using DialogLook::headingFont;

struct ChoiceSpec {
    int coverType;
    const char *text;
    QRect unitRect;
};

// Cover types 1 to 5; "Other:" (3) sits with its size fields below the line.
const ChoiceSpec kChoices[] = {
    {1, "Standard CD", QRect(57, 29, 73, 10)},
    {2, "Standard DVD", QRect(57, 46, 84, 10)},
    {3, "Other:", QRect()},
    {4, "Slimline CD", QRect(143, 29, 91, 10)},
    {5, "Slimline DVD", QRect(143, 46, 82, 10)},
};

QRect fromUnits(const QRect &r)
{
    return dialogUnitRect(r.x(), r.y(), r.width(), r.height());
}

} // namespace

CCoverTypeDlg::CCoverTypeDlg(QWidget *parent)
    : QDialog(parent)
{
    DialogLook::setUpDialog(*this, QStringLiteral("Cover Type"), kWidthUnits, kHeightUnits);
    buildControls();
    loadSettings();
}

void CCoverTypeDlg::buildControls()
{
    m_logo = DialogLook::addLogo(this, QRect(4, 5, 46, 41));

    m_instruction
        = new CTransparentStatic(QStringLiteral("Choose which sort of cover to print:"), this);
    // As wide as the band allows, so the heading keeps to one line when the
    // font lets it.
    const QRect instructionRect = dialogUnitRect(56, 7, 120, 22);
    m_instruction->setGeometry(instructionRect.x(), instructionRect.y(),
        dialogUnitsX(kWidthUnits) - instructionRect.x() - 6, instructionRect.height());
    m_instruction->setFont(headingFont());
    m_instruction->setWordWrap(true);
    m_instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (const ChoiceSpec &choice : kChoices) {
        auto *radio = new QRadioButton(QString::fromLatin1(choice.text), this);
        // The dialog keeps exactly one checked itself.
        radio->setAutoExclusive(false);
        radio->setFont(choiceFont());
        if (!choice.unitRect.isNull())
            radio->setGeometry(fromUnits(choice.unitRect));
        const int type = choice.coverType;
        connect(radio, &QRadioButton::clicked, this, [this, type] { choose(type); });
        m_choices[type - 1] = radio;
    }

    // Below the line: the custom cover's row, laid out as a small table
    // (its sizes in columns Width and Height, its faces in rows).
    const int rowTop = dialogUnitsY(kBandBottomUnits) + 6;
    const int labelColumn = 24, widthColumn = 96, heightColumn = 168, fieldWidth = 64;
    const int fieldHeight = 22, rowPitch = 25;
    m_choices[2]->setGeometry(8, rowTop, 86, 18);

    auto makeLabel = [this](const char *text, const QRect &r, Qt::Alignment align) {
        auto *label = new CTransparentStatic(QString::fromLatin1(text), this);
        label->setGeometry(r);
        label->setAlignment(align | Qt::AlignVCenter);
        label->setTextColor(CTransparentStatic::ColorRef(0));
        return label;
    };
    const int firstRow = rowTop + 21;
    m_sizeLabels[0] = makeLabel("Front Cover:",
        QRect(labelColumn, firstRow, widthColumn - labelColumn - 4, fieldHeight), Qt::AlignLeft);
    m_sizeLabels[1] = makeLabel("Back Cover:",
        QRect(labelColumn, firstRow + rowPitch, widthColumn - labelColumn - 4, fieldHeight),
        Qt::AlignLeft);
    m_sizeLabels[2]
        = makeLabel("Width (cm):", QRect(widthColumn, rowTop, fieldWidth + 6, 18), Qt::AlignLeft);
    m_sizeLabels[3] = makeLabel(
        "Height (cm):", QRect(heightColumn, rowTop, fieldWidth + 12, 18), Qt::AlignLeft);

    auto makeField = [this](const QRect &r) {
        auto *field = new QLineEdit(this);
        field->setGeometry(r);
        field->setAlignment(Qt::AlignRight);
        return field;
    };
    m_sizeFields[FrontWidth] = makeField(QRect(widthColumn, firstRow, fieldWidth, fieldHeight));
    m_sizeFields[FrontHeight] = makeField(QRect(heightColumn, firstRow, fieldWidth, fieldHeight));
    m_sizeFields[BackWidth]
        = makeField(QRect(widthColumn, firstRow + rowPitch, fieldWidth, fieldHeight));
    m_sizeFields[BackHeight]
        = makeField(QRect(heightColumn, firstRow + rowPitch, fieldWidth, fieldHeight));

    m_continue = new CFlatHoverButton(QStringLiteral("Continue"), this);
    m_continue->setGeometry(dialogUnitRect(163, 64, 54, 43));
    m_continue->setFont(headingFont());
    m_continue->setIconSize(QSize(32, 32));
    m_continue->setIcons(Icons::continueArrow());
    m_continue->setImageAlign(CFlatHoverButton::ImageTop, false);
    m_continue->setImageMargins(3, 8, false);
    m_continue->setDefault(true, false);
    m_continue->setHoverCursor();
    m_continue->setTooltipText(QStringLiteral("Click here to continue."));
    connect(m_continue, &CFlatHoverButton::clicked, this, &CCoverTypeDlg::accept);

    // Tab order follows the reading order.
    setTabOrder(m_choices[0], m_choices[3]);
    setTabOrder(m_choices[3], m_choices[1]);
    setTabOrder(m_choices[1], m_choices[4]);
    setTabOrder(m_choices[4], m_choices[2]);
    setTabOrder(m_choices[2], m_sizeFields[FrontWidth]);
    setTabOrder(m_sizeFields[FrontWidth], m_sizeFields[FrontHeight]);
    setTabOrder(m_sizeFields[FrontHeight], m_sizeFields[BackWidth]);
    setTabOrder(m_sizeFields[BackWidth], m_sizeFields[BackHeight]);
    setTabOrder(m_sizeFields[BackHeight], m_continue);
}

void CCoverTypeDlg::loadSettings()
{
    const UserSettings settings;
    m_sizeFields[FrontHeight]->setText(millimetresToCentimetres(settings.dwCHF));
    m_sizeFields[FrontWidth]->setText(millimetresToCentimetres(settings.dwCWF));
    m_sizeFields[BackHeight]->setText(millimetresToCentimetres(settings.dwCHB));
    m_sizeFields[BackWidth]->setText(millimetresToCentimetres(settings.dwCWB));

    const uint32_t option = settings.Option;
    for (int type = 1; type <= 5; ++type)
        m_choices[type - 1]->setChecked(option == uint32_t(type));
    showChoiceFonts();
    enableCustomSizes(option == 3);
    if (option == 3)
        m_sizeFields[FrontHeight]->setFocus();

    m_instruction->setTextColor(kHeadingColor);
    for (CTransparentStatic *label : m_sizeLabels)
        label->setTextColor(CTransparentStatic::ColorRef(0));
}

void CCoverTypeDlg::choose(int coverType)
{
    for (int type = 1; type <= 5; ++type)
        m_choices[type - 1]->setChecked(type == coverType);
    showChoiceFonts();
    enableCustomSizes(coverType == 3);
    if (coverType == 3)
        m_sizeFields[FrontHeight]->setFocus();
}

void CCoverTypeDlg::showChoiceFonts()
{
    for (QRadioButton *radio : m_choices)
        radio->setFont(radio->isChecked() ? headingFont() : choiceFont());
}

void CCoverTypeDlg::enableCustomSizes(bool enable)
{
    for (QLineEdit *field : m_sizeFields)
        field->setEnabled(enable);
    for (CTransparentStatic *label : m_sizeLabels)
        label->setEnabled(enable);
}

int CCoverTypeDlg::chosenType() const
{
    for (int type : {5, 4, 3, 2}) {
        if (m_choices[type - 1]->isChecked())
            return type;
    }
    return 1;
}

QRadioButton *CCoverTypeDlg::choiceButton(int coverType) const
{
    return coverType >= 1 && coverType <= 5 ? m_choices[coverType - 1] : nullptr;
}

std::optional<uint32_t> CCoverTypeDlg::centimetresToMillimetres(const QString &text)
{
    int dots = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('.'))
            ++dots;
        else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    if (dots > 1)
        return std::nullopt;
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? text : text.left(dot);
    const QString fraction = dot < 0 ? QString() : text.mid(dot + 1);

    // Whole centimetres and tenths; a second decimal rounds the tenths, so
    // "12." means 12 cm rather than 12 mm and "12.55" 12.6 cm, not 1255 mm.
    quint64 millimetres = 0;
    for (QChar c : whole) {
        millimetres = millimetres * 10 + quint64(c.digitValue());
        if (millimetres > std::numeric_limits<uint32_t>::max())
            return std::nullopt;
    }
    millimetres *= 10;
    if (!fraction.isEmpty())
        millimetres += quint64(fraction[0].digitValue());
    if (fraction.size() > 1 && fraction[1].digitValue() >= 5)
        millimetres += 1;
    if (millimetres > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    return uint32_t(millimetres);
}

QString CCoverTypeDlg::millimetresToCentimetres(uint32_t millimetres)
{
    return QString::asprintf("%.1f", millimetres * 0.1);
}

QString CCoverTypeDlg::invalidSizeMessage(SizeField field)
{
    static const char *const names[] = {"Front Height", "Front Width", "Back Height", "Back Width"};
    return QStringLiteral("Please enter a valid number in the '%1' box.")
        .arg(QLatin1String(names[field]));
}

void CCoverTypeDlg::accept()
{
    const int type = chosenType();
    std::array<uint32_t, 4> sizes{};
    if (type == 3) {
        for (SizeField field : {FrontHeight, FrontWidth, BackHeight, BackWidth}) {
            const std::optional<uint32_t> mm
                = centimetresToMillimetres(m_sizeFields[field]->text());
            if (!mm) {
                UiHost::instance().message(this, invalidSizeMessage(field), QStringLiteral("Error"),
                    UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
                m_sizeFields[field]->setFocus();
                m_sizeFields[field]->selectAll();
                return;
            }
            sizes[field] = *mm;
        }
    }

    // A fresh copy of the store, so that only what this dialog decides changes.
    UserSettings settings;
    settings.Option = uint32_t(type);
    if (type == 3) {
        settings.dwCHF = sizes[FrontHeight];
        settings.dwCWF = sizes[FrontWidth];
        settings.dwCHB = sizes[BackHeight];
        settings.dwCWB = sizes[BackWidth];
    }
    settings.save();
    QDialog::accept();
}

void CCoverTypeDlg::openHelp()
{
    UiHost::instance().showHelp(this, QStringLiteral("covertype"));
}

void CCoverTypeDlg::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F1: openHelp(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Continue is the default button.
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            accept();
            return;
        }
        break;
    default: break;
    }
    QDialog::keyPressEvent(event);
}

void CCoverTypeDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    DialogLook::paintBand(p, *this, dialogUnitsY(kBandBottomUnits));
}
