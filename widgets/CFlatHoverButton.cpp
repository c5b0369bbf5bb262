#include "CFlatHoverButton.h"

#include "widgets/UiHost.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace {

int g_keyboardDelay = 1;
int g_keyboardSpeed = 31;

// One-pixel 3-D rectangle: top and left lines in one colour, bottom and right
// in the other, all inside `r`.
void draw3dRect(QPainter &p, const QRect &r, const QColor &topLeft, const QColor &bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

QImage toArgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

template <typename PixelFn>
QImage mapPixels(const QImage &source, std::optional<QColor> transparentColor, PixelFn fn)
{
    QImage image = toArgb(source);
    const QRgb transparent = transparentColor ? (transparentColor->rgb() & 0xFFFFFF) : 0;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = line[x];
            if (qAlpha(px) == 0)
                continue;
            if (transparentColor && (px & 0xFFFFFF) == transparent)
                continue;
            line[x] = fn(px);
        }
    }
    return image;
}

// The transparent colour becomes alpha 0: the mask of a bitmap pair.
QPixmap maskedBitmap(const QPixmap &pixmap, const QColor &transparentColor)
{
    if (!transparentColor.isValid())
        return pixmap;
    QImage image = toArgb(pixmap.toImage());
    const QRgb transparent = transparentColor.rgb() & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == transparent)
                line[x] = 0;
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(pixmap.devicePixelRatio());
    return result;
}

QImage derive(
    const QImage &image, CFlatHoverButton::DerivedImage how, std::optional<QColor> transparentColor)
{
    return how == CFlatHoverButton::DerivedImage::Darkened
        ? CFlatHoverButton::darkenedImage(image, transparentColor)
        : CFlatHoverButton::greyImage(image, transparentColor);
}

} // namespace

CFlatHoverButton::CFlatHoverButton(QWidget *parent)
    : QAbstractButton(parent)
{
    init();
}

CFlatHoverButton::CFlatHoverButton(const QString &text, QWidget *parent)
    : QAbstractButton(parent)
{
    init();
    setText(text);
}

CFlatHoverButton::~CFlatHoverButton() = default;

void CFlatHoverButton::init()
{
    m_useSystemColor.fill(true);
    setDefaultColors(false);
    // Hover is tracked from mouse moves too, so a pointer that arrives while
    // another button is held still lights the button once released.
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
    connect(this, &QAbstractButton::clicked, this, &CFlatHoverButton::onClicked);
}

// --- setters ------------------------------------------------------------

void CFlatHoverButton::maybeRepaint(bool repaint)
{
    if (repaint)
        this->repaint();
    else
        update();
}

int CFlatHoverButton::setFlat(bool flat, bool repaint)
{
    m_isFlat = flat;
    if (!flat)
        m_isHovering = false;
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setDrawBorder(bool drawBorder, bool repaint)
{
    m_drawBorder = drawBorder;
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setDefault(bool isDefault, bool repaint)
{
    m_isDefault = isDefault;
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setTransparent(bool transparent, bool repaint)
{
    m_isTransparent = transparent;
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setImageAlign(int align, bool repaint)
{
    if (align < ImageLeft || align > ImageOverlap)
        return BadAlignment;
    m_imageAlign = align;
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setTextAlign(int align, bool repaint)
{
    if (align < TextCenter || align > TextRight)
        return BadAlignment;
    m_textAlign = align;
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setImageMargins(int x, int y, bool repaint)
{
    m_imageMarginX = x;
    m_imageMarginY = y;
    updateGeometry();
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setPressedStyle(int style, bool repaint)
{
    if (style == PressedDiagonal)
        m_pressedOffset = QPoint(1, 1);
    else if (style == PressedDown)
        m_pressedOffset = QPoint(0, 2);
    else
        return BadPressedStyle;
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setColor(int index, const QColor &color, bool repaint)
{
    if (index < 0 || index >= ColorCount)
        return BadColorIndex;
    m_colors[index] = color;
    m_useSystemColor[index] = false;
    maybeRepaint(repaint);
    return Ok;
}

QColor CFlatHoverButton::color(int index) const
{
    return index >= 0 && index < ColorCount ? m_colors[index] : QColor();
}

bool CFlatHoverButton::usesSystemColor(int index) const
{
    return index >= 0 && index < ColorCount && m_useSystemColor[index];
}

int CFlatHoverButton::setDefaultColors(bool repaint)
{
    const QColor face = palette().color(QPalette::Active, QPalette::Button);
    const QColor text = palette().color(QPalette::Active, QPalette::ButtonText);
    for (int i = 0; i < ColorCount; ++i) {
        if (m_useSystemColor[i])
            m_colors[i] = (i % 2 == 0) ? face : text;
    }
    maybeRepaint(repaint);
    return Ok;
}

// --- images -------------------------------------------------------------

int CFlatHoverButton::setIcons(const QIcon &active, const QIcon &inactive, bool repaint)
{
    m_activeBitmap = QPixmap();
    m_inactiveBitmap = QPixmap();
    m_activeIcon = active;
    m_inactiveIcon = inactive;
    m_derivedIcon.reset();
    updateGeometry();
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setIcons(const QIcon &active, DerivedImage inactive, bool repaint)
{
    setIcons(active, QIcon(), false);
    m_derivedIcon = inactive;
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setBitmaps(const QPixmap &active, const QColor &transparentColor,
    const QPixmap &inactive, const QColor &inactiveTransparentColor, bool repaint)
{
    if (active.isNull())
        return BadBitmap;
    m_activeIcon = QIcon();
    m_inactiveIcon = QIcon();
    m_derivedIcon.reset();
    m_activeBitmap = maskedBitmap(active, transparentColor);
    m_inactiveBitmap
        = inactive.isNull() ? QPixmap() : maskedBitmap(inactive, inactiveTransparentColor);
    updateGeometry();
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setBitmaps(
    const QPixmap &active, const QColor &transparentColor, DerivedImage inactive, bool repaint)
{
    if (active.isNull())
        return BadBitmap;
    std::optional<QColor> transparent;
    if (transparentColor.isValid())
        transparent = transparentColor;
    // Derived from the unmasked pixels, so the transparent colour is still
    // recognisable and stays untouched.
    QPixmap derived = QPixmap::fromImage(derive(active.toImage(), inactive, transparent));
    derived.setDevicePixelRatio(active.devicePixelRatio());
    return setBitmaps(active, transparentColor, derived, transparentColor, repaint);
}

bool CFlatHoverButton::hasImage() const
{
    return !m_activeIcon.isNull() || !m_activeBitmap.isNull();
}

QImage CFlatHoverButton::darkenedImage(const QImage &image, std::optional<QColor> transparentColor)
{
    return mapPixels(image, transparentColor, [](QRgb px) {
        auto darker = [](int c) { return static_cast<int>(c - 0.25 * c); };
        return qRgba(darker(qRed(px)), darker(qGreen(px)), darker(qBlue(px)), qAlpha(px));
    });
}

QImage CFlatHoverButton::greyImage(const QImage &image, std::optional<QColor> transparentColor)
{
    return mapPixels(image, transparentColor, [](QRgb px) {
        const int grey
            = static_cast<int>(qGreen(px) * 0.587 + qBlue(px) * 0.114 + qRed(px) * 0.299);
        return qRgba(grey, grey, grey, qAlpha(px));
    });
}

QSize CFlatHoverButton::imageSize() const
{
    if (!m_activeBitmap.isNull())
        return m_activeBitmap.deviceIndependentSize().toSize();
    if (!m_activeIcon.isNull())
        return iconSize();
    return QSize(0, 0);
}

QPixmap CFlatHoverButton::imageFor(bool active) const
{
    const bool disabled = !isEnabled();
    const qreal dpr = devicePixelRatio();
    QPixmap pixmap;
    if (!m_activeBitmap.isNull()) {
        pixmap = (active || m_inactiveBitmap.isNull()) ? m_activeBitmap : m_inactiveBitmap;
    } else if (!m_activeIcon.isNull()) {
        const QIcon::Mode mode = disabled ? QIcon::Disabled : QIcon::Normal;
        if (active || (m_inactiveIcon.isNull() && !m_derivedIcon))
            return m_activeIcon.pixmap(iconSize(), dpr, mode);
        if (!m_inactiveIcon.isNull())
            return m_inactiveIcon.pixmap(iconSize(), dpr, mode);
        const QPixmap base = m_activeIcon.pixmap(iconSize(), dpr);
        pixmap = QPixmap::fromImage(derive(base.toImage(), *m_derivedIcon, std::nullopt));
        pixmap.setDevicePixelRatio(base.devicePixelRatio());
    } else {
        return QPixmap();
    }
    if (disabled) {
        QStyleOption option;
        option.initFrom(this);
        pixmap = style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
    }
    return pixmap;
}

// --- behaviour ----------------------------------------------------------

int CFlatHoverButton::setCheckBox(bool on, bool repaint)
{
    m_isCheckBox = on;
    if (on)
        m_isRadio = false;
    setCheckable(m_isCheckBox || m_isRadio);
    applyAutoRepeat();
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setRadio(bool on, bool repaint)
{
    m_isRadio = on;
    if (on)
        m_isCheckBox = false;
    setCheckable(m_isCheckBox || m_isRadio);
    applyAutoRepeat();
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setRadioGroup(int group)
{
    m_radioGroup = group;
    return Ok;
}

int CFlatHoverButton::setCheck(bool checked, bool repaint)
{
    setChecked(checked);
    maybeRepaint(repaint);
    return Ok;
}

void CFlatHoverButton::nextCheckState()
{
    if (m_isRadio) {
        if (!isChecked())
            setChecked(true);
    } else if (m_isCheckBox) {
        setChecked(!isChecked());
    }
}

void CFlatHoverButton::checkStateSet()
{
    QAbstractButton::checkStateSet();
    if (m_isRadio && isChecked())
        uncheckRadioPeers();
}

void CFlatHoverButton::uncheckRadioPeers()
{
    if (m_radioGroup == NoGroup || !parentWidget())
        return;
    const auto siblings
        = parentWidget()->findChildren<CFlatHoverButton *>(Qt::FindDirectChildrenOnly);
    for (CFlatHoverButton *peer : siblings) {
        if (peer != this && peer->m_isRadio && peer->m_radioGroup == m_radioGroup
            && peer->isChecked())
            peer->setChecked(false);
    }
}

int CFlatHoverButton::setHoverCursor(const QCursor &cursor)
{
    setCursor(cursor);
    return Ok;
}

int CFlatHoverButton::setHoverCursor(const QString &imagePath, int hotX, int hotY)
{
    const QPixmap pixmap(imagePath);
    if (pixmap.isNull())
        return BadBitmap;
    setCursor(QCursor(pixmap, hotX, hotY));
    return Ok;
}

int CFlatHoverButton::setTooltipText(const QString &text, bool activate)
{
    m_tooltipText = text;
    setToolTip(activate ? text : QString());
    return Ok;
}

int CFlatHoverButton::setUrl(const QUrl &url)
{
    m_url = url;
    return Ok;
}

int CFlatHoverButton::setMenu(QMenu *menu, bool repaint)
{
    m_menu = menu;
    maybeRepaint(repaint);
    return Ok;
}

int CFlatHoverButton::setAutoRepeatEnabled(bool on)
{
    m_autoRepeatWanted = on;
    applyAutoRepeat();
    return Ok;
}

void CFlatHoverButton::applyAutoRepeat()
{
    const bool on = m_autoRepeatWanted && !m_isCheckBox && !m_isRadio;
    setAutoRepeat(on);
    if (on) {
        setAutoRepeatDelay(repeatDelayMs(g_keyboardDelay));
        setAutoRepeatInterval(repeatIntervalMs(g_keyboardSpeed));
    }
}

void CFlatHoverButton::setKeyboardRepeatSettings(int delay, int speed)
{
    g_keyboardDelay = std::clamp(delay, 0, 3);
    g_keyboardSpeed = std::clamp(speed, 0, 31);
}

int CFlatHoverButton::keyboardRepeatDelay()
{
    return g_keyboardDelay;
}
int CFlatHoverButton::keyboardRepeatSpeed()
{
    return g_keyboardSpeed;
}

int CFlatHoverButton::repeatDelayMs(int delay)
{
    return delay * 250 + 250;
}

int CFlatHoverButton::repeatIntervalMs(int speed)
{
    const int rate = std::max(1, static_cast<int>(speed * 0.9 + 2.5));
    return 1000 / rate;
}

void CFlatHoverButton::onClicked()
{
    if (m_isCheckBox || m_isRadio)
        return;
    if (m_menu) {
        showMenu();
        return;
    }
    if (!m_url.isEmpty())
        UiHost::instance().openUrl(m_url);
}

void CFlatHoverButton::showMenu()
{
    QPointer<CFlatHoverButton> guard(this);
    QPointer<QMenu> menu = m_menu;
    m_menuOpen = true;
    repaint();
    Q_EMIT menuAboutToOpen(menu);
    if (!guard || !menu)
        return;
    QAction *chosen = menu->exec(mapToGlobal(rect().bottomLeft() + QPoint(0, 1)));
    if (!guard)
        return;
    m_menuOpen = false;
    setHovering(rect().contains(mapFromGlobal(QCursor::pos())) && hoverAllowed());
    repaint();
    if (chosen)
        Q_EMIT menuCommand(chosen);
}

// --- hovering -----------------------------------------------------------

bool CFlatHoverButton::hoverAllowed() const
{
    return m_isFlat && isEnabled();
}

void CFlatHoverButton::setHovering(bool hovering)
{
    if (m_isHovering == hovering)
        return;
    m_isHovering = hovering;
    update();
}

void CFlatHoverButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    // A drag that started elsewhere does not light buttons on its way.
    if ((QApplication::mouseButtons() & Qt::LeftButton) && !m_isHovering)
        return;
    if (hoverAllowed())
        setHovering(true);
}

void CFlatHoverButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    setHovering(false);
}

void CFlatHoverButton::mouseMoveEvent(QMouseEvent *event)
{
    QAbstractButton::mouseMoveEvent(event);
    if (!m_isFlat)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (!inside) {
        setHovering(false);
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && !m_isHovering)
        return;
    if (hoverAllowed())
        setHovering(true);
}

void CFlatHoverButton::mousePressEvent(QMouseEvent *event)
{
    // The repeat timing follows the settings in force when the press starts.
    applyAutoRepeat();
    QAbstractButton::mousePressEvent(event);
}

void CFlatHoverButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Quick clicks each count: the second press of a double click is a press.
    mousePressEvent(event);
}

void CFlatHoverButton::keyPressEvent(QKeyEvent *event)
{
    applyAutoRepeat();
    QAbstractButton::keyPressEvent(event);
}

void CFlatHoverButton::focusOutEvent(QFocusEvent *event)
{
    QAbstractButton::focusOutEvent(event);
    // A pop-up menu of our own takes the focus while it is open.
    if (!m_menuOpen)
        setHovering(false);
}

void CFlatHoverButton::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled())
            setHovering(false);
        break;
    case QEvent::ActivationChange:
        if (!isActiveWindow())
            setHovering(false);
        break;
    case QEvent::PaletteChange: setDefaultColors(false); break;
    default: break;
    }
}

bool CFlatHoverButton::event(QEvent *event)
{
    if (event->type() == QEvent::Hide)
        setHovering(false);
    return QAbstractButton::event(event);
}

// --- painting -----------------------------------------------------------

bool CFlatHoverButton::pressedLook() const
{
    if (m_menuOpen)
        return true;
    if (m_isCheckBox || m_isRadio)
        return isChecked() || isDown();
    return isDown();
}

CFlatHoverButton::Layout CFlatHoverButton::layout(const QRect &rect, bool pressed) const
{
    Layout l{QRect(), rect};
    const bool hasTitle = !text().isEmpty();
    const QSize is = imageSize();
    if (hasImage()) {
        QPoint at = rect.topLeft();
        const int centredX = rect.left() + (rect.width() - is.width()) / 2;
        const int centredY = rect.top() + (rect.height() - is.height()) / 2;
        switch (m_imageAlign) {
        case ImageLeft:
            if (!hasTitle) {
                at.setX(centredX);
            } else {
                at.setX(rect.left() + m_imageMarginX);
                l.caption.setLeft(rect.left() + is.width() + m_imageMarginX);
            }
            at.setY(centredY);
            break;
        case ImageRight:
            if (!hasTitle) {
                at.setX(centredX);
            } else {
                at.setX(rect.right() + 1 - is.width() - m_imageMarginX);
                l.caption.setLeft(rect.left() + m_imageMarginX);
                l.caption.setRight(rect.right() - is.width() - m_imageMarginX);
            }
            at.setY(centredY);
            break;
        case ImageTop:
            at.setX(centredX);
            if (!hasTitle) {
                at.setY(centredY);
            } else {
                at.setY(rect.top() + m_imageMarginY);
                l.caption.setTop(rect.top() + m_imageMarginY + is.height());
            }
            break;
        case ImageOverlap:
        default: break;
        }
        l.image = QRect(at, is);
        if (pressed && !m_isCheckBox && !m_isRadio)
            l.image.translate(m_pressedOffset);
    }

    if (hasTitle) {
        const QRect box = l.caption;
        const int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;
        QRect measured = fontMetrics().boundingRect(
            QRect(0, 0, std::max(1, box.width()), 10000), flags, text());
        int x = box.left() + (box.width() - measured.width()) / 2;
        if (m_textAlign == TextLeft)
            x = box.left() + m_imageMarginX;
        else if (m_textAlign == TextRight)
            x = box.right() + 1 - 4 - measured.width();
        const int y = box.top() + (box.height() - measured.height()) / 2;
        l.caption = QRect(x, y, measured.width(), measured.height());
        if (pressed && !m_isCheckBox && !m_isRadio)
            l.caption.translate(m_pressedOffset);
    } else {
        l.caption = QRect();
    }
    return l;
}

void CFlatHoverButton::drawFrame(QPainter &p, QRect &r, bool pressed) const
{
    const QPalette &pal = palette();
    const QColor highlight = pal.color(QPalette::Active, QPalette::Light);
    const QColor light = pal.color(QPalette::Active, QPalette::Midlight);
    const QColor shadow = pal.color(QPalette::Active, QPalette::Dark);
    const QColor darkShadow = pal.color(QPalette::Active, QPalette::Shadow);
    if (pressed) {
        if (m_isFlat) {
            if (m_drawBorder)
                draw3dRect(p, r, shadow, highlight);
        } else {
            p.fillRect(QRect(r.left(), r.top(), r.width(), 1), shadow);
            p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), shadow);
            p.fillRect(QRect(r.left(), r.top(), 1, r.height()), shadow);
            p.fillRect(QRect(r.right(), r.top(), 1, r.height()), shadow);
        }
    } else if (!m_isFlat) {
        draw3dRect(p, r, highlight, darkShadow);
        draw3dRect(p, r.adjusted(1, 1, -1, -1), light, shadow);
    } else if (m_isHovering && m_drawBorder) {
        draw3dRect(p, r, highlight, shadow);
    }
}

void CFlatHoverButton::drawCaption(QPainter &p, const QRect &box) const
{
    const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this);
    int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop
        | (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    // A pixel to spare, so the drawn text wraps exactly as it was measured.
    const QRect r = box.adjusted(-1, 0, 1, 0);
    p.setFont(font());
    if (!isEnabled()) {
        p.setPen(palette().color(QPalette::Active, QPalette::Light));
        p.drawText(r.translated(1, 1), flags, text());
        p.setPen(palette().color(QPalette::Active, QPalette::Dark));
        p.drawText(r, flags, text());
        return;
    }
    QColor color = m_colors[TextNormal];
    if (m_isHovering || pressedLook())
        color = m_colors[TextHover];
    else if (hasFocus())
        color = m_colors[TextFocus];
    p.setPen(color);
    p.drawText(r, flags, text());
}

void CFlatHoverButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const bool pressed = pressedLook();
    const bool focused = hasFocus();
    QRect r = rect();

    if (!m_isTransparent) {
        if (!m_isFlat && (focused || m_isDefault)) {
            draw3dRect(p, r, Qt::black, Qt::black);
            r.adjust(1, 1, -1, -1);
        }
        QColor background = m_colors[BackgroundNormal];
        if (m_isHovering || pressed)
            background = m_colors[BackgroundHover];
        else if (focused)
            background = m_colors[BackgroundFocus];
        p.fillRect(r, background);
    }

    drawFrame(p, r, pressed);

    const Layout l = layout(rect(), pressed);
    if (hasImage()) {
        const bool active = (m_isCheckBox || m_isRadio) ? isChecked() : (m_isHovering || pressed);
        const QPixmap image = imageFor(active);
        if (!image.isNull())
            p.drawPixmap(l.image.topLeft(), image);
    }
    if (!l.caption.isNull())
        drawCaption(p, l.caption);

    if (focused && !m_isFlat) {
        QPen pen(palette().color(QPalette::ButtonText), 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

QSize CFlatHoverButton::sizeHint() const
{
    const QSize is = imageSize();
    QSize textSize(0, 0);
    if (!text().isEmpty())
        textSize = fontMetrics().size(Qt::TextShowMnemonic, text());
    int width = textSize.width() + 2 * m_imageMarginX + 8;
    int height = textSize.height() + 8;
    if (hasImage()) {
        if (m_imageAlign == ImageTop) {
            width = std::max(width, is.width() + 2 * m_imageMarginX);
            height += is.height() + m_imageMarginY;
        } else {
            width += is.width() + m_imageMarginX;
            height = std::max(height, is.height() + 2 * m_imageMarginY);
        }
    }
    return QSize(width, height);
}

QSize CFlatHoverButton::minimumSizeHint() const
{
    return sizeHint();
}
