#include "input.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWindow>

#include <algorithm>

#include "server_keys.h"

using layout::ClickKey;
using layout::kNoControl;
using layout::MouseButton;

InputFilter::InputFilter(QWidget& window, const std::array<QWidget*, layout::kItemCount>& controls)
    : window_(window), controls_(controls) {}

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* pointer = static_cast<QMouseEvent*>(event);
            if (!watched->isWidgetType()) return mouse(pointer);
            // Sent to a control directly, past the window: the left button alone.
            return event->type() != QEvent::MouseMove && pointer->button() != Qt::LeftButton;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // At the control they go on to, not on their way through the window.
            return watched->isWidgetType() && key(watched, static_cast<QKeyEvent*>(event));
        case QEvent::FocusOut:
            // A button lets itself go as it loses the focus; one a key still
            // holds stays pressed, and only loses its focus frame.
            if (const int index = indexOf(watched);
                index != kNoControl && presses_.pressed(index)) {
                button(index)->update();
                return true;
            }
            [[fallthrough]];
        case QEvent::FocusIn:
        case QEvent::WindowStateChange:
            if (!watched->isWidgetType()) windowEvent(*static_cast<QWindow*>(watched), event);
            return false;
        default:
            return false;
    }
}

bool InputFilter::mouse(QMouseEvent* event) {
    const int at = under(event->position());
    const MouseButton which =
        event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Other;
    switch (event->type()) {
        case QEvent::MouseMove:
            if (!presses_.mouseHolds()) return false;
            follow(presses_.mouseMoved(at));
            return true;
        case QEvent::MouseButtonRelease: {
            const bool held = presses_.mouseHolds();
            follow(presses_.mouseUp(which, at));
            return which == MouseButton::Other || held;
        }
        default:  // a press, or a double click's second
            follow(presses_.mouseDown(which, at));
            if (which == MouseButton::Other) return true;
            if (!presses_.mouseHolds()) return false;
            controls_[static_cast<std::size_t>(at)]->setFocus(Qt::MouseFocusReason);
            return true;
    }
}

bool InputFilter::key(QObject* control, QKeyEvent* event) {
    ClickKey which;
    switch (event->key()) {
        case Qt::Key_Space:
            which = ClickKey::Space;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            which = ClickKey::Enter;
            break;
        default:
            return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        // A server without detectable auto-repeat lets a held key go between
        // its repeats.
        if (!event->isAutoRepeat()) follow(presses_.keyUp(which));
    } else {
        const Qt::KeyboardModifiers held = event->modifiers();
        follow(
            presses_.keyDown(which, event->isAutoRepeat(),
                             {held.testFlag(Qt::AltModifier), held.testFlag(Qt::ControlModifier)},
                             indexOf(control)));
    }
    // A button's own handling of them would click it again.
    return qobject_cast<QPushButton*>(control) != nullptr;
}

// Keys let go while another window has the keyboard are never reported here,
// and one held as the window gets it again is reported as a press: the
// record is brought in line with the server's where it tells its keys (X11),
// and is forgotten where it does not.
void InputFilter::windowEvent(QWindow& window, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            if (const auto down = clickKeysDown()) follow(presses_.keysDown(*down));
            break;
        case QEvent::FocusOut:
            follow(presses_.keysDown({}));
            break;
        default: {
            const bool minimised = window.windowStates().testFlag(Qt::WindowMinimized);
            follow(presses_.minimised(minimised));
            if (const auto down = clickKeysDown(); down && !minimised)
                follow(presses_.keysDown(*down));
        }
    }
}

void InputFilter::follow(const layout::Presses::Outcome& outcome) {
    if (outcome.click != kNoControl) button(outcome.click)->click();
    for (const auto& [index, down] : outcome.looks) button(index)->setDown(down);
    // A click leaves the button up in its own record but not on the screen.
    if (outcome.click != kNoControl) {
        button(outcome.click)->setDown(presses_.pressed(outcome.click));
        button(outcome.click)->update();
    }
}

int InputFilter::indexOf(const QObject* control) const {
    const auto found = std::ranges::find(controls_, control);
    return found == controls_.end() ? kNoControl : static_cast<int>(found - controls_.begin());
}

// The control of the table under a point of the window, if any.
int InputFilter::under(QPointF at) const {
    for (const QWidget* child = window_.childAt(at.toPoint()); child; child = child->parentWidget())
        if (const int index = indexOf(child); index != kNoControl) return index;
    return kNoControl;
}

QPushButton* InputFilter::button(int index) const {
    return static_cast<QPushButton*>(controls_[static_cast<std::size_t>(index)]);
}
