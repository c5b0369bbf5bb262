// The flat hover button and the transparent label: modes, setter results,
// derived images, and what is actually painted (grabbed to images).
#include <gtest/gtest.h>

#include "tests/support/ScriptedUiHost.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace {

const QColor kFace(240, 240, 240);
const QColor kLight(255, 255, 255);
const QColor kDark(128, 128, 128);

// A palette whose 3-D colours are far apart, so frames and disabled text are
// recognisable pixel by pixel.
QPalette testPalette()
{
    QPalette pal;
    pal.setColor(QPalette::Button, kFace);
    pal.setColor(QPalette::ButtonText, Qt::black);
    pal.setColor(QPalette::Window, kFace);
    pal.setColor(QPalette::Light, kLight);
    pal.setColor(QPalette::Midlight, QColor(224, 224, 224));
    pal.setColor(QPalette::Dark, kDark);
    pal.setColor(QPalette::Shadow, QColor(64, 64, 64));
    return pal;
}

void hover(QWidget &w)
{
    const QPointF local(w.width() / 2.0, w.height() / 2.0);
    QEnterEvent enter(local, local, w.mapToGlobal(local));
    QApplication::sendEvent(&w, &enter);
}

void unhover(QWidget &w)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&w, &leave);
}

void mouse(QWidget &w, QEvent::Type type, Qt::MouseButtons buttons)
{
    const QPointF local(w.width() / 2.0, w.height() / 2.0);
    QMouseEvent event(type, local, w.mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

bool waitFor(const std::function<bool()> &done, int maxMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < maxMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

QImage grabImage(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Every pixel of the outermost ring of the image.
std::vector<QColor> borderPixels(const QImage &img)
{
    std::vector<QColor> out;
    for (int x = 0; x < img.width(); ++x) {
        out.push_back(img.pixelColor(x, 0));
        out.push_back(img.pixelColor(x, img.height() - 1));
    }
    for (int y = 0; y < img.height(); ++y) {
        out.push_back(img.pixelColor(0, y));
        out.push_back(img.pixelColor(img.width() - 1, y));
    }
    return out;
}

QRect inkBounds(const QImage &img, const std::function<bool(QColor)> &isInk)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (isInk(img.pixelColor(x, y)))
                r = r.united(QRect(x, y, 1, 1));
    return r;
}

std::unique_ptr<CFlatHoverButton> plainButton(const QString &text = QString())
{
    auto b = std::make_unique<CFlatHoverButton>(text);
    b->setPalette(testPalette());
    b->resize(60, 30);
    return b;
}

} // namespace

// --- check box and radio modes ------------------------------------------

TEST(FlatHoverButtonModes, CheckBoxTogglesOnEachClick)
{
    auto b = plainButton(QStringLiteral("Print Borders?"));
    b->setCheckBox(true);
    int clicks = 0;
    QObject::connect(b.get(), &QAbstractButton::clicked, [&] { ++clicks; });
    b->click();
    EXPECT_TRUE(b->isChecked());
    b->click();
    EXPECT_FALSE(b->isChecked());
    EXPECT_EQ(clicks, 2);
}

TEST(FlatHoverButtonModes, RadioStaysCheckedWhenClickedAgain)
{
    QWidget parent;
    auto *r = new CFlatHoverButton(QStringLiteral("A"), &parent);
    r->setRadio(true);
    r->click();
    r->click();
    EXPECT_TRUE(r->isChecked());
}

TEST(FlatHoverButtonModes, CheckingARadioUnchecksOnlyItsOwnGroup)
{
    QWidget parent, otherParent;
    auto radio = [](QWidget *p, int group) {
        auto *r = new CFlatHoverButton(QStringLiteral("r"), p);
        r->setRadio(true);
        r->setRadioGroup(group);
        r->setCheck(true);
        return r;
    };
    CFlatHoverButton *a1 = radio(&parent, 1);
    CFlatHoverButton *a2 = radio(&parent, 1); // unchecks a1
    CFlatHoverButton *b1 = radio(&parent, 2);
    CFlatHoverButton *alone1 = radio(&parent, CFlatHoverButton::NoGroup);
    CFlatHoverButton *alone2 = radio(&parent, CFlatHoverButton::NoGroup);
    CFlatHoverButton *elsewhere = radio(&otherParent, 1);
    auto *checkBox = new CFlatHoverButton(QStringLiteral("c"), &parent);
    checkBox->setCheckBox(true);
    checkBox->setRadioGroup(1);
    checkBox->setCheck(true);

    EXPECT_FALSE(a1->isChecked());
    EXPECT_TRUE(a2->isChecked());

    a1->click();
    EXPECT_TRUE(a1->isChecked());
    EXPECT_FALSE(a2->isChecked());
    EXPECT_TRUE(b1->isChecked()) << "another group";
    EXPECT_TRUE(alone1->isChecked()) << "radios without a group are their own group";
    EXPECT_TRUE(alone2->isChecked());
    EXPECT_TRUE(elsewhere->isChecked()) << "another dialog";
    EXPECT_TRUE(checkBox->isChecked()) << "not a radio";
}

TEST(FlatHoverButtonModes, LinkOpensItsUrlThroughTheHostOnlyInPushMode)
{
    ScriptedUiHost host;
    auto b = plainButton(QStringLiteral("URL"));
    const QUrl url(QStringLiteral("https://tessaly.example/discora"));
    b->setUrl(url);
    b->click();
    ASSERT_EQ(host.openedUrls.size(), 1);
    EXPECT_EQ(host.openedUrls[0], url);

    b->setCheckBox(true);
    b->click();
    EXPECT_EQ(host.openedUrls.size(), 1);
}

TEST(FlatHoverButtonModes, MenuOpensOnClickAndForwardsTheChosenCommand)
{
    QWidget window;
    window.resize(200, 100);
    auto *b = new CFlatHoverButton(QStringLiteral("Menu"), &window);
    b->setGeometry(10, 10, 80, 24);
    QMenu menu;
    QAction *first = menu.addAction(QStringLiteral("First"));
    menu.addAction(QStringLiteral("Second"));
    b->setMenu(&menu);
    window.show();

    QMenu *announced = nullptr;
    QAction *chosen = nullptr;
    bool openWhileShown = false;
    QPoint shownAt;
    QObject::connect(b, &CFlatHoverButton::menuAboutToOpen, [&](QMenu *m) { announced = m; });
    QObject::connect(b, &CFlatHoverButton::menuCommand, [&](QAction *a) { chosen = a; });
    QTimer::singleShot(100, [&] {
        openWhileShown = b->isMenuOpen();
        shownAt = menu.pos();
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(&menu, &down);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&menu, &enter);
    });
    b->click();

    EXPECT_EQ(announced, &menu);
    EXPECT_TRUE(openWhileShown);
    EXPECT_FALSE(b->isMenuOpen());
    EXPECT_EQ(chosen, first);
    EXPECT_EQ(shownAt, b->mapToGlobal(QPoint(0, b->height())));
}

// --- auto-repeat ----------------------------------------------------------

TEST(FlatHoverButtonRepeat, TimingFollowsKeyboardDelayAndSpeed)
{
    struct Case {
        int delay, speed, firstMs, intervalMs;
    };
    // rate = trunc(s * 0.9 + 2.5), at least 1; interval = 1000 / rate.
    const Case cases[] = {
        {1, 31, 500, 33},
        {0, 0, 250, 500},
        {3, 15, 1000, 62},
        {2, 1, 750, 333},
    };
    auto b = plainButton();
    for (const Case &c : cases) {
        CFlatHoverButton::setKeyboardRepeatSettings(c.delay, c.speed);
        b->setAutoRepeatEnabled(true);
        EXPECT_EQ(b->autoRepeatDelay(), c.firstMs) << c.delay;
        EXPECT_EQ(b->autoRepeatInterval(), c.intervalMs) << c.speed;
        EXPECT_EQ(CFlatHoverButton::repeatDelayMs(c.delay), c.firstMs);
        EXPECT_EQ(CFlatHoverButton::repeatIntervalMs(c.speed), c.intervalMs);
    }
    CFlatHoverButton::setKeyboardRepeatSettings(1, 31);
}

TEST(FlatHoverButtonRepeat, HoldingDownRepeatsClicksButNotInCheckModes)
{
    CFlatHoverButton::setKeyboardRepeatSettings(0, 31);
    auto b = plainButton(QStringLiteral("+"));
    b->setAutoRepeatEnabled(true);
    b->show();
    int clicks = 0;
    QObject::connect(b.get(), &QAbstractButton::clicked, [&] { ++clicks; });
    mouse(*b, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return clicks >= 3; })) << "repeats while held";
    mouse(*b, QEvent::MouseButtonRelease, Qt::NoButton);
    const int afterRelease = clicks;
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks, afterRelease);

    b->setCheckBox(true);
    EXPECT_FALSE(b->autoRepeat());
    b->setCheckBox(false);
    EXPECT_TRUE(b->autoRepeat());
    CFlatHoverButton::setKeyboardRepeatSettings(1, 31);
}

// --- setters --------------------------------------------------------------

TEST(FlatHoverButtonSetters, ReturnCodes)
{
    auto b = plainButton();
    EXPECT_EQ(b->setImageAlign(3), CFlatHoverButton::Ok);
    EXPECT_EQ(b->setImageAlign(4), CFlatHoverButton::BadAlignment);
    EXPECT_EQ(b->imageAlign(), 3);
    EXPECT_EQ(b->setTextAlign(2), CFlatHoverButton::Ok);
    EXPECT_EQ(b->setTextAlign(3), CFlatHoverButton::BadAlignment);
    EXPECT_EQ(b->textAlign(), 2);
    EXPECT_EQ(b->setPressedStyle(1), CFlatHoverButton::Ok);
    EXPECT_EQ(b->pressedOffset(), QPoint(0, 2));
    EXPECT_EQ(b->setPressedStyle(2), CFlatHoverButton::BadPressedStyle);
    EXPECT_EQ(b->pressedOffset(), QPoint(0, 2));
    EXPECT_EQ(b->setPressedStyle(0), CFlatHoverButton::Ok);
    EXPECT_EQ(b->pressedOffset(), QPoint(1, 1));
    EXPECT_EQ(b->setColor(6, Qt::red), CFlatHoverButton::BadColorIndex);
    EXPECT_EQ(b->setColor(5, Qt::red), CFlatHoverButton::Ok);
    EXPECT_EQ(b->setBitmaps(QPixmap(), Qt::white), CFlatHoverButton::BadBitmap);
    EXPECT_EQ(
        b->setHoverCursor(QStringLiteral(":/no/such/cursor.png")), CFlatHoverButton::BadBitmap);
    EXPECT_EQ(b->setHoverCursor(), CFlatHoverButton::Ok);
    EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor);
}

// The look setters cannot fail; what they promise is the new look, painted
// at once with `repaint` and at the next paint without it.
TEST(FlatHoverButtonSetters, LookSettersRepaintAsAsked)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette pal = testPalette();
    const QColor green(0, 128, 0);
    pal.setColor(QPalette::Window, green);
    parent.setPalette(pal);
    parent.resize(100, 50);
    auto *b = new CFlatHoverButton(&parent);
    b->setPalette(testPalette());
    b->setGeometry(10, 10, 60, 30);
    b->setFocusPolicy(Qt::NoFocus); // a focused frame is black
    parent.show();

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                ++paints;
            return QObject::eventFilter(watched, event);
        }
    } counter;
    b->installEventFilter(&counter);

    const QPoint edge = b->pos() + QPoint(20, 0);
    const QPoint middle = b->pos() + QPoint(30, 15);
    const struct {
        const char *what;
        bool hovered;
        std::function<int(bool repaint)> set;
        QPoint at;
        QColor before;
        QColor after;
    } rows[] = {
        {"no border", true, [&](bool r) { return b->setDrawBorder(false, r); }, edge, kLight,
            kFace},
        {"transparent", false, [&](bool r) { return b->setTransparent(true, r); }, middle, kFace,
            green},
        {"not flat", false, [&](bool r) { return b->setFlat(false, r); }, edge, kFace, kLight},
    };
    for (bool repaint : {true, false}) {
        for (const auto &row : rows) {
            SCOPED_TRACE(std::string(row.what) + (repaint ? ", repainted now" : ", later"));
            b->setFlat(true, false);
            b->setDrawBorder(true, false);
            b->setTransparent(false, false);
            if (row.hovered)
                hover(*b);
            else
                unhover(*b);
            EXPECT_EQ(grabImage(parent).pixelColor(row.at), row.before);
            QCoreApplication::processEvents();
            const int paints = counter.paints;
            EXPECT_EQ(row.set(repaint), CFlatHoverButton::Ok);
            EXPECT_EQ(counter.paints - paints, repaint ? 1 : 0);
            QCoreApplication::processEvents();
            EXPECT_GE(counter.paints - paints, 1);
            EXPECT_EQ(grabImage(parent).pixelColor(row.at), row.after);
        }
    }
}

TEST(FlatHoverButtonSetters, ColoursFollowThePaletteUntilSet)
{
    auto b = plainButton();
    EXPECT_EQ(b->color(CFlatHoverButton::BackgroundNormal), kFace);
    EXPECT_EQ(b->color(CFlatHoverButton::TextNormal), QColor(Qt::black));
    b->setColor(CFlatHoverButton::BackgroundNormal, Qt::yellow);
    EXPECT_FALSE(b->usesSystemColor(CFlatHoverButton::BackgroundNormal));
    EXPECT_TRUE(b->usesSystemColor(CFlatHoverButton::BackgroundHover));

    QPalette pal = testPalette();
    pal.setColor(QPalette::Button, QColor(10, 20, 30));
    pal.setColor(QPalette::ButtonText, QColor(200, 0, 0));
    b->setPalette(pal);
    b->setDefaultColors();
    EXPECT_EQ(b->color(CFlatHoverButton::BackgroundNormal), QColor(Qt::yellow));
    EXPECT_EQ(b->color(CFlatHoverButton::BackgroundHover), QColor(10, 20, 30));
    EXPECT_EQ(b->color(CFlatHoverButton::TextFocus), QColor(200, 0, 0));
}

TEST(FlatHoverButtonSetters, TooltipCanBeInactiveAndKeepItsText)
{
    auto b = plainButton();
    b->setTooltipText(QStringLiteral("Click here to exit."));
    EXPECT_EQ(b->toolTip(), QStringLiteral("Click here to exit."));
    b->setTooltipText(QStringLiteral("Click here to exit."), false);
    EXPECT_TRUE(b->toolTip().isEmpty());
    EXPECT_EQ(b->tooltipText(), QStringLiteral("Click here to exit."));
}

// --- derived images -------------------------------------------------------

TEST(FlatHoverButtonImages, DarkenedAndGreyPixelValues)
{
    struct Case {
        QRgb in, darkened, grey;
    };
    const Case cases[] = {
        {qRgb(200, 100, 40), qRgb(150, 75, 30), qRgb(123, 123, 123)},
        {qRgb(255, 255, 255), qRgb(191, 191, 191), qRgb(255, 255, 255)},
        {qRgb(1, 2, 3), qRgb(0, 1, 2), qRgb(1, 1, 1)},
        {qRgb(0, 255, 0), qRgb(0, 191, 0), qRgb(149, 149, 149)},
    };
    const QRgb magenta = qRgb(255, 0, 255);
    QImage img(static_cast<int>(std::size(cases)) + 1, 1, QImage::Format_RGB32);
    for (int i = 0; i < int(std::size(cases)); ++i)
        img.setPixel(i, 0, cases[i].in);
    img.setPixel(int(std::size(cases)), 0, magenta);

    const QImage dark = CFlatHoverButton::darkenedImage(img, QColor(magenta));
    const QImage grey = CFlatHoverButton::greyImage(img, QColor(magenta));
    for (int i = 0; i < int(std::size(cases)); ++i) {
        EXPECT_EQ(dark.pixel(i, 0), cases[i].darkened | 0xFF000000) << i;
        EXPECT_EQ(grey.pixel(i, 0), cases[i].grey | 0xFF000000) << i;
    }
    EXPECT_EQ(dark.pixel(int(std::size(cases)), 0), magenta) << "transparent colour kept";
    EXPECT_EQ(grey.pixel(int(std::size(cases)), 0), magenta);
    // Without a transparent colour even magenta changes.
    EXPECT_NE(CFlatHoverButton::greyImage(img).pixel(int(std::size(cases)), 0), magenta);
}

TEST(FlatHoverButtonImages, SecondBitmapIsDerivedAndShownWhenNotHovered)
{
    QPixmap bitmap(8, 8);
    bitmap.fill(QColor(200, 100, 40));
    {
        QPainter p(&bitmap);
        p.fillRect(0, 0, 2, 8, Qt::white); // transparent colour column
    }
    auto b = plainButton();
    b->resize(40, 40);
    ASSERT_EQ(b->setBitmaps(bitmap, Qt::white, CFlatHoverButton::DerivedImage::Darkened),
        CFlatHoverButton::Ok);
    b->show();
    // No caption: the 8 x 8 image is centred at (16, 16).
    const QImage normal = grabImage(*b);
    EXPECT_EQ(normal.pixelColor(20, 20), QColor(150, 75, 30));
    EXPECT_EQ(normal.pixelColor(16, 20), kFace) << "transparent colour shows the background";

    hover(*b);
    ASSERT_TRUE(b->isHovering());
    const QImage hovered = grabImage(*b);
    EXPECT_EQ(hovered.pixelColor(20, 20), QColor(200, 100, 40));

    ASSERT_EQ(b->setBitmaps(bitmap, Qt::white, CFlatHoverButton::DerivedImage::Grey),
        CFlatHoverButton::Ok);
    unhover(*b);
    EXPECT_EQ(grabImage(*b).pixelColor(20, 20), QColor(123, 123, 123));
}

TEST(FlatHoverButtonImages, CheckModesShowTheFirstImageWhenChecked)
{
    QPixmap ticked(8, 8), unticked(8, 8);
    ticked.fill(Qt::blue);
    unticked.fill(Qt::red);
    auto b = plainButton();
    b->resize(40, 40);
    b->setCheckBox(true);
    b->setBitmaps(ticked, QColor(), unticked);
    b->show();
    EXPECT_EQ(grabImage(*b).pixelColor(20, 20), QColor(Qt::red));
    hover(*b);
    EXPECT_EQ(grabImage(*b).pixelColor(20, 20), QColor(Qt::red)) << "hover does not tick";
    b->setCheck(true);
    EXPECT_EQ(grabImage(*b).pixelColor(20, 20), QColor(Qt::blue));
}

TEST(FlatHoverButtonImages, ProgramIconsLoad)
{
    for (const QIcon &icon : {Icons::program(), Icons::ticked(), Icons::unticked(),
             Icons::alignCenter(), Icons::print(), Icons::exit()}) {
        const QPixmap pm = icon.pixmap(QSize(16, 16));
        ASSERT_FALSE(pm.isNull());
        EXPECT_TRUE(inkBounds(pm.toImage(), [](QColor c) { return c.alpha() > 128; }).isValid());
    }
    EXPECT_EQ(Icons::logoPixmap(QSize(69, 67), 2.0).size(), QSize(138, 134));
}

// --- frames ---------------------------------------------------------------

TEST(FlatHoverButtonFrames, FlatWithoutDrawBorderShowsNoFrameEvenWhenHovered)
{
    auto b = plainButton();
    b->setDrawBorder(false);
    b->show();
    for (bool hovered : {false, true}) {
        if (hovered)
            hover(*b);
        ASSERT_EQ(b->isHovering(), hovered);
        for (const QColor &c : borderPixels(grabImage(*b)))
            ASSERT_EQ(c, kFace) << "hovered " << hovered;
    }
}

TEST(FlatHoverButtonFrames, FlatWithDrawBorderFramesOnlyWhileHovered)
{
    auto b = plainButton();
    b->show();
    const QImage normal = grabImage(*b);
    for (const QColor &c : borderPixels(normal))
        ASSERT_EQ(c, kFace);
    hover(*b);
    const QImage hovered = grabImage(*b);
    // Raised: highlight top-left, shadow bottom-right.
    EXPECT_EQ(hovered.pixelColor(5, 0), kLight);
    EXPECT_EQ(hovered.pixelColor(0, 5), kLight);
    EXPECT_EQ(hovered.pixelColor(5, b->height() - 1), kDark);
    EXPECT_EQ(hovered.pixelColor(b->width() - 1, 5), kDark);
    EXPECT_EQ(hovered.pixelColor(5, 1), kFace) << "one pixel wide";

    unhover(*b);
    EXPECT_FALSE(b->isHovering());
    EXPECT_EQ(grabImage(*b).pixelColor(5, b->height() - 1), kFace);
}

TEST(FlatHoverButtonFrames, PressedFlatIsSunkenAndNonFlatIsRaisedTwoPixels)
{
    auto b = plainButton();
    b->setCheckBox(true);
    b->setCheck(true); // checked looks pressed
    b->show();
    QImage img = grabImage(*b);
    EXPECT_EQ(img.pixelColor(5, 0), kDark);
    EXPECT_EQ(img.pixelColor(5, b->height() - 1), kLight);

    auto raised = plainButton();
    raised->setFlat(false);
    raised->show();
    img = grabImage(*raised);
    EXPECT_EQ(img.pixelColor(5, 0), kLight);
    EXPECT_EQ(img.pixelColor(5, 1), QColor(224, 224, 224));
    EXPECT_EQ(img.pixelColor(5, raised->height() - 1), QColor(64, 64, 64));
    EXPECT_EQ(img.pixelColor(5, raised->height() - 2), kDark);
    hover(*raised);
    EXPECT_FALSE(raised->isHovering()) << "a non-flat button does not track hover";
}

TEST(FlatHoverButtonFrames, HoverEndsWhenDisabledOrHidden)
{
    auto b = plainButton();
    b->show();
    hover(*b);
    ASSERT_TRUE(b->isHovering());
    b->setEnabled(false);
    EXPECT_FALSE(b->isHovering());
    b->setEnabled(true);
    hover(*b);
    ASSERT_TRUE(b->isHovering());
    b->hide();
    EXPECT_FALSE(b->isHovering());
}

TEST(FlatHoverButtonFrames, TransparentPaintsNothingUnderItsContent)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette pal = testPalette();
    pal.setColor(QPalette::Window, QColor(0, 128, 0));
    parent.setPalette(pal);
    parent.resize(100, 50);
    auto *b = new CFlatHoverButton(&parent);
    b->setPalette(testPalette());
    b->setGeometry(10, 10, 60, 30);
    b->setTransparent(true);
    b->setDrawBorder(false);
    parent.show();
    const QImage img = grabImage(parent);
    EXPECT_EQ(img.pixelColor(40, 25), QColor(0, 128, 0));
    b->setTransparent(false);
    EXPECT_EQ(grabImage(parent).pixelColor(40, 25), kFace);
}

// --- captions -------------------------------------------------------------

TEST(FlatHoverButtonCaption, DisabledTextIsHighlightOffsetThenShadow)
{
    auto b = plainButton(QStringLiteral("Save"));
    b->resize(80, 30);
    b->show();
    auto isDark = [](QColor c) { return c.red() < 150 && qAbs(c.red() - c.blue()) < 8; };
    auto isBlack = [](QColor c) { return c.red() < 40; };
    auto isLight = [](QColor c) { return c.red() > 248; };

    const QImage enabled = grabImage(*b);
    EXPECT_TRUE(inkBounds(enabled, isBlack).isValid());
    EXPECT_FALSE(inkBounds(enabled, isLight).isValid());

    b->setEnabled(false);
    const QImage disabled = grabImage(*b);
    EXPECT_FALSE(inkBounds(disabled, isBlack).isValid()) << "no normal text colour";
    const QRect shadow = inkBounds(disabled, isDark);
    const QRect highlight = inkBounds(disabled, isLight);
    ASSERT_TRUE(shadow.isValid());
    ASSERT_TRUE(highlight.isValid());
    EXPECT_EQ(highlight.bottom(), shadow.bottom() + 1);
    EXPECT_EQ(highlight.right(), shadow.right() + 1);
}

TEST(FlatHoverButtonCaption, MnemonicIsUnderlinedNotDrawn)
{
    auto isInk = [](QColor c) { return c.red() < 100; };
    auto withMnemonic = plainButton(QStringLiteral("E&xit"));
    auto without = plainButton(QStringLiteral("Exit"));
    for (auto *b : {withMnemonic.get(), without.get()}) {
        b->resize(80, 30);
        b->show();
    }
    const QImage a = grabImage(*withMnemonic);
    const QImage c = grabImage(*without);
    const QRect inkA = inkBounds(a, isInk);
    const QRect inkC = inkBounds(c, isInk);
    EXPECT_NEAR(inkA.width(), inkC.width(), 1) << "the & itself is not drawn";
    if (withMnemonic->style()->styleHint(
            QStyle::SH_UnderlineShortcut, nullptr, withMnemonic.get())) {
        EXPECT_NE(a, c) << "the x is underlined";
    }
    EXPECT_FALSE(withMnemonic->shortcut().isEmpty());
}

TEST(FlatHoverButtonCaption, TextAlignmentMovesTheCaption)
{
    auto isInk = [](QColor c) { return c.red() < 100; };
    int lefts[3];
    for (int align = 0; align < 3; ++align) {
        auto b = plainButton(QStringLiteral("Font"));
        b->resize(150, 30);
        b->setTextAlign(align);
        b->show();
        lefts[align] = inkBounds(grabImage(*b), isInk).left();
    }
    EXPECT_LT(lefts[CFlatHoverButton::TextLeft], lefts[CFlatHoverButton::TextCenter]);
    EXPECT_LT(lefts[CFlatHoverButton::TextCenter], lefts[CFlatHoverButton::TextRight]);
    EXPECT_LE(lefts[CFlatHoverButton::TextLeft], 3 + 2);
}

// --- transparent static ---------------------------------------------------

namespace {
// A parent with a pattern a label could leave marks on.
class StripedPanel : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        for (int x = 0; x < width(); x += 4)
            p.fillRect(x, 0, 2, height(), QColor(255, 200, 0));
        for (int x = 2; x < width(); x += 4)
            p.fillRect(x, 0, 2, height(), QColor(0, 160, 255));
    }
};

QImage windowPixels(QWidget &w)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return w.windowHandle()->screen()->grabWindow(w.winId()).toImage().convertToFormat(
        QImage::Format_RGB32);
}
} // namespace

TEST(TransparentStatic, ShorterTextLeavesNoRemnantOnScreen)
{
    StripedPanel panel;
    panel.resize(300, 40);
    auto *label
        = new CTransparentStatic(QStringLiteral("A much longer caption than after"), &panel);
    label->setGeometry(10, 10, 280, 20);
    panel.show();
    const QImage before = windowPixels(panel);
    label->setText(QStringLiteral("Short"));
    const QImage after = windowPixels(panel);

    StripedPanel reference;
    reference.resize(300, 40);
    auto *fresh = new CTransparentStatic(QStringLiteral("Short"), &reference);
    fresh->setGeometry(10, 10, 280, 20);
    reference.show();
    const QImage expected = windowPixels(reference);

    ASSERT_FALSE(after.isNull());
    EXPECT_NE(before, after);
    EXPECT_EQ(after, expected);
}

TEST(TransparentStatic, DrawsItsTextColourOverTheParent)
{
    StripedPanel panel;
    panel.resize(200, 40);
    auto *label = new CTransparentStatic(QStringLiteral("WWWW"), &panel);
    label->setGeometry(10, 10, 180, 20);
    label->setTextColor(CTransparentStatic::ColorRef(0x663300));
    EXPECT_EQ(label->textColor(), QColor(0, 51, 102));
    EXPECT_EQ(label->textColorRef(), 0x663300u);
    panel.show();
    const QImage img = grabImage(panel);
    bool textColourSeen = false;
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 190; ++x)
            textColourSeen |= img.pixelColor(x, y) == QColor(0, 51, 102);
    EXPECT_TRUE(textColourSeen);
    // The label's own area away from the text is the parent's stripes.
    EXPECT_EQ(img.pixelColor(180, 12), img.pixelColor(180, 2));
    EXPECT_EQ(img.pixelColor(181, 12), img.pixelColor(181, 2));
}
