// The shared window tests, driving the Qt window on the offscreen platform
// with the events a windowing system would deliver.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>
#include <QWheelEvent>

#include <xcb/xtest.h>

#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

#include "form1.h"
#include "repeat_keys.h"
#include "startup.h"
#include "window_driver.h"

namespace window_testing {
namespace {

class QtDriver : public Driver {
public:
    QtDriver() : form_([this] { ++beeps_; }) {
        form_.show();
        QApplication::setActiveWindow(&form_);
        (void)QTest::qWaitForWindowActive(&form_);
    }

    void click(Target target, int times, Button button) override {
        const Qt::MouseButton pressed =
            std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[static_cast<int>(button)];
        if (times == 2)
            return QTest::mouseDClick(form_.windowHandle(), pressed, {}, centreOf(target));
        QTest::mouseClick(form_.windowHandle(), pressed, {}, centreOf(target));
    }
    void clickPart(Target bar, Part part) override {
        const QRect arrow = partOf(bar, part == Part::LeftArrow ? QStyle::SC_ScrollBarSubLine
                                                                : QStyle::SC_ScrollBarAddLine);
        QTest::mouseClick(form_.windowHandle(), Qt::LeftButton, {},
                          widget(bar)->mapTo(&form_, arrow.center()));
    }
    void wheel(Target target, int notches) override {
        // Where the platform would send it: to the control under the pointer.
        const QPoint at = centreOf(target);
        QWidget* under = form_.childAt(at);
        QWheelEvent event(under->mapFrom(&form_, at), form_.mapToGlobal(at), {},
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(under, &event);
    }
    void focus(Target target) override { widget(target)->setFocus(Qt::TabFocusReason); }
    void press(Key key) override {
        static constexpr Qt::Key keys[] = {
            Qt::Key_Space, Qt::Key_Escape, Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Left,
            Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,   Qt::Key_PageUp,  Qt::Key_PageDown,
            Qt::Key_Home,  Qt::Key_End,    Qt::Key_Return, Qt::Key_X,       Qt::Key_Return};
        const Qt::Key pressed = keys[static_cast<int>(key)];
        const auto modifiers =
            key == Key::AltX || key == Key::AltEnter ? Qt::AltModifier : Qt::NoModifier;
        QTest::keyPress(form_.windowHandle(), pressed, modifiers);
        QTest::keyRelease(form_.windowHandle(), pressed, modifiers);
    }
    int middleOfBar(Target target, int pixels) const override {
        auto* bar = static_cast<QScrollBar*>(widget(target));
        const QRect thumb = partOf(target, QStyle::SC_ScrollBarSlider);
        const QRect track = partOf(target, QStyle::SC_ScrollBarGroove);
        const QPoint middle = bar->rect().center();
        if (!thumb.contains(middle)) return middle.x() < thumb.left() ? -1 : 1;
        if (thumb.width() >= track.width()) return 0;
        return QStyle::sliderValueFromPosition(bar->minimum(), bar->maximum(),
                                               thumb.left() - track.left() + pixels,
                                               track.width() - thumb.width()) -
               bar->value();
    }
    void drag(Target bar, int pixels) override {
        const QPoint from = centreOf(bar), to = from + QPoint(pixels, 0);
        QTest::mousePress(form_.windowHandle(), Qt::LeftButton, {}, from);
        QTest::mouseMove(form_.windowHandle(), to);
        QTest::mouseRelease(form_.windowHandle(), Qt::LeftButton, {}, to);
    }

    std::string caption(Target target) const override {
        return widget(target)->property("text").toString().toStdString();
    }
    Reading reading(Target target) const override {
        QAccessible::setActive(true);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget(target));
        QAccessibleValueInterface* value = read->valueInterface();
        return {read->text(QAccessible::Name).toStdString(),
                read->text(QAccessible::Description).toStdString(),
                value ? value->currentValue().toString().toStdString() : ""};
    }
    Box box(Target target) const override {
        const QRect at = widget(target)->geometry();
        return {at.x(), at.y(), at.width(), at.height()};
    }
    Box clientArea() const override { return {0, 0, form_.width(), form_.height()}; }
    int dpi() const override { return form_.logicalDpiY(); }
    bool fits(Target target, const std::string& text) const override {
        QWidget* shown = widget(target);
        QRect inside;
        int flags = Qt::AlignCenter;
        if (auto* label = qobject_cast<QLabel*>(shown)) {
            inside = label->contentsRect();
            flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
        } else if (qobject_cast<QPushButton*>(shown)) {
            QStyleOptionButton option;
            option.initFrom(shown);
            inside = shown->style()->subElementRect(QStyle::SE_PushButtonContents, &option, shown);
        } else {
            return text.empty();  // a scroll bar shows no text
        }
        const QFontMetrics metrics(shown->font());
        const QString line = QString::fromStdString(text);
        return inside.contains(metrics.boundingRect(inside, flags, line)) &&
               ((flags & Qt::TextWordWrap) || metrics.boundingRect(line).width() <= inside.width());
    }
    int value(Target bar) const override { return static_cast<QScrollBar*>(widget(bar))->value(); }
    bool hasFocus(Target target) const override {
        return widget(target) == QApplication::focusWidget();
    }
    int beeps() const override { return beeps_; }

    QWidget* widget(Target target) const { return form_.control(target.control, target.rank); }
    Form1& form() { return form_; }

private:
    // Where the bar's style draws one of its parts.
    QRect partOf(Target target, QStyle::SubControl part) const {
        struct Options : QScrollBar {
            using QScrollBar::initStyleOption;
        };
        auto* bar = static_cast<QScrollBar*>(widget(target));
        QStyleOptionSlider option;
        (bar->*&Options::initStyleOption)(&option);
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    }
    QPoint centreOf(Target target) const {
        QWidget* shown = widget(target);
        return shown->mapTo(&form_, shown->rect().center());
    }

    int beeps_ = 0;
    Form1 form_;
};

QPushButton* card(Driver& d, int rank) {
    return static_cast<QPushButton*>(
        static_cast<QtDriver&>(d).widget({layout::Control::cmd, rank}));
}
// Real input at a card's centre, as the platform sends it.
void mouse(Driver& d, bool press, Qt::MouseButton button, int rank) {
    QPushButton* at = card(d, rank);
    QTest::mouseEvent(press ? QTest::MousePress : QTest::MouseRelease, at->window()->windowHandle(),
                      button, {}, at->mapTo(at->window(), at->rect().center()));
}
void activate(QWidget* window) {
    window->showNormal();
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window);
}
void key(Driver& d, bool press, Qt::Key key) {
    QTest::keyEvent(press ? QTest::Press : QTest::Release, card(d, 0)->window()->windowHandle(),
                    key);
}

// What only this window has: an assistive tool's presses of a card in quick
// succession, a card each at once; the press rules fed Qt's events (a left
// click with the right button down; a key let go while the mouse holds
// another card, each shown pressed while held; keys while minimised, or let
// go in another window); and the window, a frame to screen readers.
TEST(Qt, PressesOfToolsMouseAndKeysAndTheFrame) {
    QAccessible::setActive(true);
    expectCases({
        {"three presses of the five",
         [](Driver& d) {
             for (int press = 0; press < 3; ++press)
                 QAccessible::queryAccessibleInterface(card(d, 3))
                     ->actionInterface()
                     ->doAction(QAccessibleActionInterface::pressAction());
         },
         "Nombre(3)= 3; Reste(3)= 21; cmdValeur= 4; lblSabot= 308; lblTires= 4; beeps=4"},
        {"a left click on the five with the right button down",
         [](Driver& d) {
             mouse(d, true, Qt::RightButton, 3), mouse(d, true, Qt::LeftButton, 3);
             mouse(d, false, Qt::LeftButton, 3), mouse(d, false, Qt::RightButton, 3);
             EXPECT_FALSE(card(d, 3)->isDown());
         },
         "Nombre(3)= 1; Reste(3)= 23; cmdValeur= 2; lblSabot= 310; lblTires= 2; beeps=2"},
        {"Space on the 2, the mouse down on the 3, Space let go, pressed on the 3, the mouse up",
         [](Driver& d) {
             key(d, true, Qt::Key_Space), mouse(d, true, Qt::LeftButton, 1);
             EXPECT_TRUE(card(d, 0)->isDown() && card(d, 1)->isDown());
             key(d, false, Qt::Key_Space);
             EXPECT_TRUE(!card(d, 0)->isDown() && card(d, 1)->isDown());
             key(d, true, Qt::Key_Space), key(d, false, Qt::Key_Space);
             EXPECT_TRUE(card(d, 1)->isDown());
             mouse(d, false, Qt::LeftButton, 1);
             EXPECT_FALSE(card(d, 1)->isDown());
         },
         "Nombre(0)= 2; Reste(0)= 22; Nombre(1)= 2; Reste(1)= 22; cmdValeur= 4; lblSabot= 308; "
         "lblTires= 4; beeps=4"},
        {"Space while minimised, then restored",
         [](Driver& d) {
             card(d, 0)->window()->showMinimized();
             key(d, true, Qt::Key_Space), key(d, false, Qt::Key_Space);
             activate(card(d, 0)->window());
             key(d, true, Qt::Key_Space), key(d, false, Qt::Key_Space);
         },
         "Nombre(0)= 2; Reste(0)= 22; cmdValeur= 2; lblSabot= 310; lblTires= 2; beeps=2"},
        {"Space down, let go in another window, pressed again here",
         [](Driver& d) {
             key(d, true, Qt::Key_Space);
             QWidget other;
             activate(&other);
             QTest::keyRelease(other.windowHandle(), Qt::Key_Space);
             activate(card(d, 0)->window());
             key(d, true, Qt::Key_Space);
         },
         "Nombre(0)= 3; Reste(0)= 21; cmdValeur= 3; lblSabot= 309; lblTires= 3; beeps=3"},
    });
    QtDriver d;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&d.form())->role(), QAccessible::Window);
}

// On X11 the window asks the server which keys are down as it gets the
// keyboard: Space held on the server as it comes clicks nothing, its
// repeats included, until let go and pressed again; Enter, never held, clicks.
TEST(X11, SpaceHeldAsTheWindowComes) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "not on X11";
    expectCases(
        {{"Space held in another window, then here past its repeat, let go, pressed",
          [](Driver& d) {
              xcb_connection_t* x11 =
                  qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
              repeat_keys_as_presses(x11);  // as the program has them
              const auto space = [x11](std::uint8_t type) {
                  // The space bar's keycode in the server's evdev keymap.
                  xcb_test_fake_input(x11, type, 65, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
                  xcb_flush(x11);
                  QTest::qWait(100);
              };
              QWidget other;
              activate(&other);
              space(XCB_KEY_PRESS);
              activate(card(d, 0)->window());
              QTest::qWait(800);  // past the server's repeat delay
              space(XCB_KEY_RELEASE), space(XCB_KEY_PRESS), space(XCB_KEY_RELEASE);
              key(d, true, Qt::Key_Return), key(d, false, Qt::Key_Return);  // never held
          },
          "Nombre(0)= 3; Reste(0)= 21; cmdValeur= 3; lblSabot= 309; lblTires= 3; beeps=3"}});
}

// A bar whose style draws its arrows at its ends keeps that style; one drawn
// with no arrows, or with both at one end, is drawn by Fusion.
TEST(Qt, ScrollBarsKeepArrowsAtTheirEnds) {
    struct BothAtTheRight : QProxyStyle {
        using QProxyStyle::QProxyStyle;
        QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                             SubControl part, const QWidget* widget) const override {
            QRect at = QProxyStyle::subControlRect(control, option, part, widget);
            if (control == CC_ScrollBar && part == SC_ScrollBarSubLine)
                at.moveRight(option->rect.right() - at.width());
            return at;
        }
    };
    const QString desktop = QApplication::style()->name();
    for (auto [name, style, kept] :
         {std::tuple{"Windows", QStyleFactory::create("Windows"), true},
          {"Adwaita", QStyleFactory::create("Adwaita"), false},
          {"both at the right", new BothAtTheRight(QStyleFactory::create("Windows")), false}}) {
        QApplication::setStyle(style);
        QtDriver d;
        const QStyle* drawn = d.widget({layout::Control::HScroll1})->style();
        EXPECT_EQ(drawn == style, kept) << name;
        EXPECT_EQ(drawn->name(), kept ? style->name() : QStringLiteral("fusion")) << name;
    }
    QApplication::setStyle(desktop);
}

// The window's icon, decoded from PNG files by the program's own reader: the
// same pixels as Qt's reader gives, a file that cannot be read left out. And
// what waits for the window's first expose or paint runs once, the window
// exposed.
TEST(Startup, IconOfPngsAndTheFirstExpose) {
    QImage drawn(3, 2, QImage::Format_ARGB32);
    drawn.fill(QColor(200, 40, 10));
    drawn.setPixelColor(1, 1, QColor(10, 90, 250));
    const QString file = QDir::temp().filePath(QStringLiteral("sabot-icon-test.png"));
    ASSERT_TRUE(drawn.save(file));
    const QIcon icon = iconOfPngs({file, file + QStringLiteral(".missing")});
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{drawn.size()});
    EXPECT_EQ(icon.pixmap(drawn.size()).toImage().convertToFormat(QImage::Format_ARGB32),
              QImage(file).convertToFormat(QImage::Format_ARGB32));
    QFile::remove(file);

    QWidget window;
    window.winId();
    std::vector<bool> exposed;
    int painted = 0;
    whenFirstExposed(*window.windowHandle(),
                     [&] { exposed.push_back(window.windowHandle()->isExposed()); });
    whenFirstPainted(*window.windowHandle(), [&] { ++painted; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.hide(), window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(20);
    EXPECT_EQ(exposed, std::vector{true});
    EXPECT_EQ(painted, 1);
}

}  // namespace

std::unique_ptr<Driver> openWindow() { return std::make_unique<QtDriver>(); }

}  // namespace window_testing

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (const QString style = qEnvironmentVariable("QT_STYLE_OVERRIDE");
        !style.isEmpty() && QApplication::style()->name().compare(style, Qt::CaseInsensitive))
        qFatal("style %s is missing", qPrintable(style));
    // SABOT_TEST_FONT="Family,points" stands for a desktop's font setting.
    if (const QStringList font = qEnvironmentVariable("SABOT_TEST_FONT").split(u',');
        font.size() == 2) {
        QFont desktop(font[0]);
        desktop.setPointSizeF(font[1].toDouble());
        if (QFontInfo(desktop).family() != font[0])
            qFatal("font %s is missing", qPrintable(font[0]));
        QApplication::setFont(desktop);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
