// The shared window tests, driving the Qt window on the offscreen platform
// with the events a windowing system would deliver.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTest>
#include <QWheelEvent>

#include "form1.h"
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

    void click(Target target, int times) override {
        if (times == 2)
            QTest::mouseDClick(form_.windowHandle(), Qt::LeftButton, {}, centreOf(target));
        else
            QTest::mouseClick(form_.windowHandle(), Qt::LeftButton, {}, centreOf(target));
    }
    void clickPart(Target bar, Part part) override {
        QWidget* shown = widget(bar);  // its arrows are square, one at each end
        const int x = part == Part::LeftArrow ? 0 : shown->width() - shown->height();
        const QPoint at(x + shown->height() / 2, shown->height() / 2);
        QTest::mouseClick(form_.windowHandle(), Qt::LeftButton, {}, shown->mapTo(&form_, at));
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
    void press(Key key) override { hold(key, 0); }
    void hold(Key key, int repeats) override {
        static constexpr Qt::Key keys[] = {
            Qt::Key_Space, Qt::Key_Escape, Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Left,
            Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,   Qt::Key_PageUp,  Qt::Key_PageDown,
            Qt::Key_Home,  Qt::Key_End,    Qt::Key_Return, Qt::Key_X};
        const Qt::Key pressed = keys[static_cast<int>(key)];
        const auto modifiers = key == Key::AltX ? Qt::AltModifier : Qt::NoModifier;
        // As X11 repeats a held key when its auto-repeat is detectable: the
        // press again, with no release between.
        for (int press = 0; press <= repeats; ++press)
            QTest::keyPress(QApplication::focusWidget(), pressed, modifiers);
        QTest::keyRelease(QApplication::focusWidget(), pressed, modifiers);
    }
    int middleOfBar() const override { return 0; }  // the thumb, which fills its track
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

private:
    QWidget* widget(Target target) const { return form_.control(target.control, target.rank); }
    QPoint centreOf(Target target) const {
        QWidget* shown = widget(target);
        return shown->mapTo(&form_, shown->rect().center());
    }

    int beeps_ = 0;
    Form1 form_;
};

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
