#include "CFontChooserDlg.h"

#include "CFlatHoverButton.h"
#include "DialogLook.h"
#include "Icons.h"
#include "UiHost.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kColorRole = Qt::UserRole;

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    QPainter p(&pixmap);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

const QString kCustomCommand = QStringLiteral("Custom\u2026");

} // namespace

const CFontChooserDlg::BasicColor (&CFontChooserDlg::basicColors())[kBasicColorCount]
{
    static const BasicColor colors[kBasicColorCount] = {
        {"Black", 0x000000},
        {"Maroon", 0x800000},
        {"Green", 0x008000},
        {"Olive", 0x808000},
        {"Navy", 0x000080},
        {"Purple", 0x800080},
        {"Teal", 0x008080},
        {"Gray", 0x808080},
        {"Silver", 0xC0C0C0},
        {"Red", 0xFF0000},
        {"Lime", 0x00FF00},
        {"Yellow", 0xFFFF00},
        {"Blue", 0x0000FF},
        {"Fuchsia", 0xFF00FF},
        {"Aqua", 0x00FFFF},
        {"White", 0xFFFFFF},
    };
    return colors;
}

CFontChooserDlg::CFontChooserDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Font"));
    setWindowIcon(Icons::program());

    // The chooser is a dialog of its own; here it is a part of this one,
    // with none of its buttons.
    m_fonts = new QFontDialog(this);
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::NoButtons);
    m_fonts->setSizeGripEnabled(false);
    // Escape and Enter would close only the embedded chooser (its own line
    // edits accept on Enter) and leave an empty frame: they close this
    // dialog, wherever the focus is in the chooser.
    m_fonts->installEventFilter(this);
    for (QWidget *child : m_fonts->findChildren<QWidget *>())
        child->installEventFilter(this);
    connect(m_fonts, &QDialog::finished, this, [this](int result) {
        m_fonts->setVisible(true);
        if (result == QDialog::Accepted)
            accept();
        else
            reject();
    });
    for (QGroupBox *box : m_fonts->findChildren<QGroupBox *>()) {
        if (auto *edit = box->findChild<QLineEdit *>()) {
            m_sample = edit;
            break;
        }
    }

    auto *colorLabel = new QLabel(QStringLiteral("&Color:"), this);
    m_colors = new QComboBox(this);
    colorLabel->setBuddy(m_colors);
    for (const BasicColor &c : basicColors()) {
        const QColor color = QColor::fromRgb(c.rgb);
        m_colors->addItem(swatch(color), QString::fromLatin1(c.name), color);
    }
    m_colors->addItem(kCustomCommand);
    connect(m_colors, &QComboBox::activated, this, &CFontChooserDlg::onColorActivated);

    auto makeButton = [this](const QString &text, const QIcon &icon) {
        auto *b = new CFlatHoverButton(text, this);
        b->setFont(DialogLook::headingFont());
        b->setIconSize(QSize(16, 16));
        b->setIcons(icon);
        b->setImageAlign(CFlatHoverButton::ImageLeft, false);
        b->setImageMargins(6, 3, false);
        b->setHoverCursor();
        b->setFixedSize(87, 26);
        return b;
    };
    m_ok = makeButton(QStringLiteral("OK"), Icons::ok());
    m_ok->setDefault(true, false);
    m_cancel = makeButton(QStringLiteral("Cancel"), Icons::cancel());
    connect(m_ok, &CFlatHoverButton::clicked, this, &CFontChooserDlg::accept);
    connect(m_cancel, &CFlatHoverButton::clicked, this, &CFontChooserDlg::reject);

    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(9, 0, 0, 0);
    bottom->addWidget(colorLabel);
    bottom->addWidget(m_colors);
    bottom->addStretch(1);
    bottom->addWidget(m_ok);
    bottom->addWidget(m_cancel);

    m_textPart = new QRadioButton(QStringLiteral("Te&xt"));
    m_titlePart = new QRadioButton(QStringLiteral("T&itle"));
    m_textPart->setChecked(true);
    connect(m_textPart, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showPart(0);
    });
    connect(m_titlePart, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showPart(1);
    });
    m_partRow = new QWidget(this);
    auto *parts = new QHBoxLayout(m_partRow);
    parts->setContentsMargins(9, 9, 0, 0);
    parts->addWidget(new QLabel(QStringLiteral("Font of the:"), m_partRow));
    parts->addWidget(m_titlePart);
    parts->addWidget(m_textPart);
    parts->addStretch(1);
    for (int i : {1, 0}) {
        m_samples[i] = new QLabel(i == 1 ? QStringLiteral("Title") : QStringLiteral("Text"));
        m_samples[i]->setAutoFillBackground(true);
        m_samples[i]->setContentsMargins(8, 2, 8, 2);
        parts->addWidget(m_samples[i]);
    }
    connect(m_fonts, &QFontDialog::currentFontChanged, this, [this] { showPartSamples(); });
    m_partRow->setVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 9, 9);
    layout->addWidget(m_partRow);
    layout->addWidget(m_fonts);
    layout->addLayout(bottom);

    selectColor(m_color);
}

void CFontChooserDlg::setChoice(const UiHost::FontChoice &choice)
{
    m_hasTitle = choice.hasTitle;
    m_background = choice.background.isValid() ? choice.background : QColor(Qt::white);
    m_parts[0] = {choice.font, choice.color.isValid() ? choice.color : QColor(Qt::black)};
    m_parts[1]
        = {choice.titleFont, choice.titleColor.isValid() ? choice.titleColor : m_parts[0].color};
    m_partRow->setVisible(m_hasTitle);
    m_shown = 0;
    m_textPart->setChecked(true);
    loadPart(m_parts[0]);
}

void CFontChooserDlg::showPart(int part)
{
    if (part == m_shown)
        return;
    m_parts[m_shown] = shownPart();
    m_shown = part;
    loadPart(m_parts[part]);
}

void CFontChooserDlg::loadPart(const Part &part)
{
    QFont font = part.font;
    m_requestedFamily = font.family();
    // A family this system lacks ("Arial" on most Linux systems) shows as
    // the family that draws in its place.
    m_shownFamily = m_requestedFamily;
    if (!QFontDatabase::hasFamily(m_requestedFamily))
        m_shownFamily = QFontInfo(font).family();
    font.setFamilies({m_shownFamily});
    if (font.styleName().isEmpty())
        font.setStyleName(matchingStyle(m_shownFamily, font));
    m_fonts->setCurrentFont(font);
    selectColor(part.color);
}

CFontChooserDlg::Part CFontChooserDlg::shownPart() const
{
    QFont font = m_fonts->currentFont();
    // Left on the family shown for a missing one: the face keeps the name
    // it had, so that the cover draws as before wherever that font exists.
    if (font.family() == m_shownFamily && m_shownFamily != m_requestedFamily)
        font.setFamilies({m_requestedFamily});
    return {font, m_color};
}

UiHost::FontChoice CFontChooserDlg::choice() const
{
    Part parts[2] = {m_parts[0], m_parts[1]};
    parts[m_shown] = shownPart();
    UiHost::FontChoice c{parts[0].font, parts[0].color};
    c.hasTitle = m_hasTitle;
    c.titleFont = parts[1].font;
    c.titleColor = parts[1].color;
    c.background = m_background;
    return c;
}

QString CFontChooserDlg::matchingStyle(const QString &family, const QFont &font)
{
    // The chooser matches a font to its styles by name; a style of the same
    // weight and slant, preferring the family's plain width, stands for it.
    static const char *const kWidths[]
        = {"Condensed", "Expanded", "Narrow", "Wide", "Compressed", "Extended"};
    QString best;
    int bestScore = -1;
    for (const QString &style : QFontDatabase::styles(family)) {
        const QFont candidate = QFontDatabase::font(family, style, 12);
        if (candidate.weight() != font.weight()
            || (candidate.style() == QFont::StyleNormal) != (font.style() == QFont::StyleNormal))
            continue;
        int score = 1000 - int(style.size());
        for (const char *width : kWidths) {
            if (style.contains(QLatin1String(width), Qt::CaseInsensitive))
                score -= 500;
        }
        if (score > bestScore) {
            bestScore = score;
            best = style;
        }
    }
    return best;
}

int CFontChooserDlg::customCommandIndex() const
{
    return m_colors->count() - 1;
}

int CFontChooserDlg::customItemIndex() const
{
    return m_colors->count() > kBasicColorCount + 1 ? kBasicColorCount : -1;
}

void CFontChooserDlg::selectColor(const QColor &color)
{
    m_color = color.toRgb();
    m_color.setAlpha(255);
    int index = -1;
    for (int i = 0; i < kBasicColorCount; ++i) {
        if (m_colors->itemData(i, kColorRole).value<QColor>() == m_color)
            index = i;
    }
    if (index < 0) {
        // One entry for the colour that is not a basic one, before "Custom...".
        if (customItemIndex() < 0)
            m_colors->insertItem(kBasicColorCount, QString());
        index = kBasicColorCount;
        m_colors->setItemText(index, QStringLiteral("Custom"));
        m_colors->setItemIcon(index, swatch(m_color));
        m_colors->setItemData(index, m_color, kColorRole);
    }
    m_colors->setCurrentIndex(index);
    m_lastIndex = index;
    showColorInSample();
}

void CFontChooserDlg::onColorActivated(int index)
{
    if (index != customCommandIndex()) {
        selectColor(m_colors->itemData(index, kColorRole).value<QColor>());
        return;
    }
    QColor color = m_color;
    if (UiHost::instance().chooseColor(this, color))
        selectColor(color);
    else
        m_colors->setCurrentIndex(m_lastIndex);
}

QColor CFontChooserDlg::groundFor(const QColor &ink) const
{
    // On the face's own colour: a white text on a dark face shows as it
    // will. A colour too close to the face's (white on a white face under a
    // dark photo) would show nothing: then it stands on a ground that sets
    // it off.
    if (std::abs(m_background.lightness() - ink.lightness()) >= 64)
        return m_background;
    return ink.lightness() >= 128 ? QColor(0x40, 0x40, 0x40) : QColor(Qt::white);
}

void CFontChooserDlg::showPartSamples()
{
    if (!m_samples[0] || !m_hasTitle)
        return;
    for (int i : {0, 1}) {
        const Part part = i == m_shown ? shownPart() : m_parts[i];
        QFont font = part.font;
        // Large enough to see the face, small enough for the row.
        font.setPointSizeF(std::clamp(font.pointSizeF() > 0 ? font.pointSizeF() : 12.0, 8.0, 16.0));
        m_samples[i]->setFont(font);
        QPalette pal = m_samples[i]->palette();
        pal.setColor(QPalette::WindowText, part.color);
        pal.setColor(QPalette::Window, groundFor(part.color));
        m_samples[i]->setPalette(pal);
    }
}

void CFontChooserDlg::showColorInSample()
{
    showPartSamples();
    if (!m_sample)
        return;
    QPalette pal = m_sample->palette();
    pal.setColor(QPalette::Text, m_color);
    pal.setColor(QPalette::Base, groundFor(m_color));
    m_sample->setPalette(pal);
}

bool CFontChooserDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && (watched == m_fonts || m_fonts->isAncestorOf(static_cast<QWidget *>(watched)))) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = key->modifiers() == Qt::NoModifier
            || (key->key() == Qt::Key_Enter && key->modifiers() == Qt::KeypadModifier);
        if (key->key() == Qt::Key_F1) {
            UiHost::instance().showHelp(this, QStringLiteral("fonts"));
            return true;
        }
        if (plain && key->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CFontChooserDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        UiHost::instance().showHelp(this, QStringLiteral("fonts"));
        return;
    }
    // OK is the default button; the chooser's own lists pass Enter on.
    if (DialogLook::isPlainEnter(event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
