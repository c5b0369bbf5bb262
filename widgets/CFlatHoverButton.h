#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QUrl>
#include <array>
#include <optional>

class QAction;

// The tool and dialog button of every window: flat until the pointer is over
// it, an image beside the caption, per-state colours, and optional check-box,
// radio, pop-up menu, web-link and auto-repeat behaviour.
//
// Setters take a final `repaint` flag (repaint now rather than at the next
// paint) and return a Result: Ok (0) or the reason nothing changed.
//
// Check state is QAbstractButton's own (isChecked(), setChecked(), toggled());
// setCheckBox()/setRadio() make the button checkable, so call them before
// setCheck(). A click toggles a check box and checks an unchecked radio.
//
// Radio groups: the peers of a radio are its sibling CFlatHoverButtons (same
// parentWidget()) in radio mode with the same radioGroup() id. Checking a
// radio unchecks its peers and nothing else. The id NoGroup makes a radio a
// group of its own (no peers), which is what a dialog uses when it keeps the
// choice itself. The default id is 0, so siblings form one group.
//
// Images: the first image of a pair shows while hovered or pressed (push
// mode) or checked (check-box and radio mode), the second otherwise; the
// second may be derived from the first (DerivedImage). Icons are drawn at
// iconSize() (QAbstractButton's), bitmaps at their own size.
class CFlatHoverButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Result {
        Ok = 0,
        BadBitmap = 1, // an image is null (its size cannot be read)
        BadMask = 2, // kept for the numbering: Qt always makes the mask
        BadColorIndex = 3,
        BadAlignment = 4,
        BadPressedStyle = 6,
    };
    enum ColorIndex {
        BackgroundHover = 0, // hovered or pressed
        TextHover = 1,
        BackgroundNormal = 2,
        TextNormal = 3,
        BackgroundFocus = 4,
        TextFocus = 5,
        ColorCount = 6,
    };
    enum ImageAlign {
        ImageLeft = 0, // at the left margin, caption box after it
        ImageTop = 1, // centred at the top margin, caption box below it
        ImageRight = 2, // at the right margin, caption box to its left
        ImageOverlap = 3, // at the top-left corner, caption over the whole button
    };
    enum TextAlign { TextCenter = 0, TextLeft = 1, TextRight = 2 };
    enum PressedStyle {
        PressedDiagonal = 0, // image and caption move by (1, 1) while pressed
        PressedDown = 1, // by (0, 2)
    };
    // Codes for the second image of a pair: derived from the first.
    enum class DerivedImage {
        Darkened = -3, // every channel c becomes trunc(c - 0.25 c)
        Grey = -2, // trunc(0.299 r + 0.587 g + 0.114 b) in all three channels
    };
    static constexpr int NoGroup = -1;

    explicit CFlatHoverButton(QWidget *parent = nullptr);
    explicit CFlatHoverButton(const QString &text, QWidget *parent = nullptr);
    ~CFlatHoverButton() override;

    // --- look -------------------------------------------------------------
    int setFlat(bool flat, bool repaint = true);
    int setDrawBorder(bool drawBorder, bool repaint = true);
    bool drawBorder() const { return m_drawBorder; }
    // The dialog's default button: framed in black when not flat. Enter in
    // a dialog is the dialog's business (QAbstractButton has no auto-default).
    int setDefault(bool isDefault, bool repaint = true);
    bool isDefault() const { return m_isDefault; }
    // Paint nothing under the image and caption: the parent shows through.
    int setTransparent(bool transparent, bool repaint = true);

    int setImageAlign(int align, bool repaint = true); // BadAlignment above 3
    int imageAlign() const { return m_imageAlign; }
    int setTextAlign(int align, bool repaint = true); // BadAlignment above 2
    int textAlign() const { return m_textAlign; }
    int setImageMargins(int x, int y, bool repaint = true);
    int imageMarginX() const { return m_imageMarginX; }
    int imageMarginY() const { return m_imageMarginY; }
    int setPressedStyle(int style, bool repaint = true); // BadPressedStyle
    QPoint pressedOffset() const { return m_pressedOffset; }

    // Colours: index as ColorIndex. setColor stops the colour following the
    // palette; setDefaultColors reloads those that still follow it (even
    // indices QPalette::Button, odd ones QPalette::ButtonText).
    int setColor(int index, const QColor &color, bool repaint = true); // BadColorIndex
    QColor color(int index) const;
    bool usesSystemColor(int index) const;
    int setDefaultColors(bool repaint = true);

    // --- images -----------------------------------------------------------
    int setIcons(const QIcon &active, const QIcon &inactive = QIcon(), bool repaint = true);
    int setIcons(const QIcon &active, DerivedImage inactive, bool repaint = true);
    // Bitmaps drawn through a mask of `transparentColor` (invalid colour: the
    // pixmap's own alpha only). BadBitmap when `active` is null; a null
    // `inactive` means none.
    int setBitmaps(const QPixmap &active, const QColor &transparentColor,
        const QPixmap &inactive = QPixmap(), const QColor &inactiveTransparentColor = QColor(),
        bool repaint = true);
    int setBitmaps(const QPixmap &active, const QColor &transparentColor, DerivedImage inactive,
        bool repaint = true);
    bool hasImage() const;

    // The derivations, applied pixel by pixel; pixels of `transparentColor`
    // (and fully transparent ones) stay as they are.
    static QImage darkenedImage(
        const QImage &image, std::optional<QColor> transparentColor = std::nullopt);
    static QImage greyImage(
        const QImage &image, std::optional<QColor> transparentColor = std::nullopt);

    // --- behaviour --------------------------------------------------------
    int setCheckBox(bool on, bool repaint = true);
    bool isCheckBox() const { return m_isCheckBox; }
    int setRadio(bool on, bool repaint = true);
    int setRadioGroup(int group);
    int radioGroup() const { return m_radioGroup; }
    // Checks or unchecks; checking a radio unchecks its peers.
    int setCheck(bool checked, bool repaint = true);

    // Pointer shape over the button; Qt::PointingHandCursor is the tool
    // buttons' usual one.
    int setHoverCursor(const QCursor &cursor = QCursor(Qt::PointingHandCursor));
    // From an image file or resource; BadBitmap when it does not load.
    int setHoverCursor(const QString &imagePath, int hotX = -1, int hotY = -1);
    // Tooltip text; an inactive tooltip keeps its text but does not show.
    int setTooltipText(const QString &text, bool activate = true);
    QString tooltipText() const { return m_tooltipText; }

    // A click opens `url` through UiHost::openUrl (push mode only).
    int setUrl(const QUrl &url);
    QUrl url() const { return m_url; }

    // A click shows `menu` (not owned) below the lower-left corner; the
    // chosen action is emitted as menuCommand. nullptr removes it.
    int setMenu(QMenu *menu, bool repaint = true);
    QMenu *menu() const { return m_menu; }
    bool isMenuOpen() const { return m_menuOpen; }

    // Repeated clicked() while held down (push mode only), timed from the
    // keyboard repeat settings below as the desktop's keyboard repeat is.
    int setAutoRepeatEnabled(bool on);
    bool autoRepeatEnabled() const { return m_autoRepeatWanted; }

    // The keyboard repeat settings the timing derives from: delay 0 to 3
    // (quarter seconds beyond the first), speed 0 to 31. Linux offers no
    // such setting to read, so they default to delay 1 and speed 31 and are
    // process-wide.
    static void setKeyboardRepeatSettings(int delay, int speed);
    static int keyboardRepeatDelay();
    static int keyboardRepeatSpeed();
    static int repeatDelayMs(int delay); // d * 250 + 250
    static int repeatIntervalMs(int speed); // 1000 / max(1, trunc(s * 0.9 + 2.5))

    // --- state ------------------------------------------------------------
    bool isHovering() const { return m_isHovering; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The action chosen from the pop-up menu (not emitted when dismissed).
    void menuCommand(QAction *action);
    // Just before the pop-up menu opens, so its owner can adjust it.
    void menuAboutToOpen(QMenu *menu);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void nextCheckState() override;
    void checkStateSet() override;

private:
    struct Layout {
        QRect image;
        QRect caption;
    };

    void init();
    void onClicked();
    void showMenu();
    void setHovering(bool hovering);
    void applyAutoRepeat();
    void maybeRepaint(bool repaint);
    void uncheckRadioPeers();
    bool pressedLook() const;
    bool hoverAllowed() const;
    Layout layout(const QRect &rect, bool pressed) const;
    QPixmap imageFor(bool active) const;
    QSize imageSize() const;
    void drawFrame(QPainter &p, QRect &r, bool pressed) const;
    void drawCaption(QPainter &p, const QRect &box) const;

    bool m_isFlat = true;
    bool m_isHovering = false;
    bool m_drawBorder = true;
    bool m_isDefault = false;
    bool m_isCheckBox = false;
    bool m_isRadio = false;
    bool m_isTransparent = false;
    bool m_menuOpen = false;
    bool m_autoRepeatWanted = false;
    int m_radioGroup = 0;
    int m_imageAlign = ImageLeft;
    int m_textAlign = TextCenter;
    int m_imageMarginX = 3;
    int m_imageMarginY = 3;
    QPoint m_pressedOffset{1, 1};
    std::array<QColor, ColorCount> m_colors;
    std::array<bool, ColorCount> m_useSystemColor;
    QString m_tooltipText;
    QUrl m_url;
    QPointer<QMenu> m_menu;

    // Icons draw at iconSize(); bitmaps are kept with their mask as alpha.
    QIcon m_activeIcon;
    QIcon m_inactiveIcon;
    QPixmap m_activeBitmap;
    QPixmap m_inactiveBitmap;
    std::optional<DerivedImage> m_derivedIcon;
};
