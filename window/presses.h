#pragma once

// Which press of a mouse button or a key clicks which control, and which
// control shows pressed meanwhile: the rules both windows follow, fed the
// platform's events and kept in line with its own record of the keys.
//
// - The left button clicks the push button it went down and came up on,
//   whatever other buttons are down meanwhile; the other buttons do nothing.
// - Enter and Space click the focused push button as they go down, once
//   until let go, wherever the focus goes meanwhile; with Alt alone held they
//   are the system's and click nothing.
// - A key already down when the window first hears of it (it went down in
//   another window, or while this one was minimised) clicks nothing until it
//   is let go and pressed again.
// - Letting a key go un-presses only what that key pressed.
// - Nothing clicks while the window is minimised.
//
// Controls are named by their index in layout::controls().

#include <array>
#include <utility>
#include <vector>

namespace layout {

inline constexpr int kNoControl = -1;

enum class MouseButton { Left, Other };
enum class ClickKey { Enter, Space };
inline constexpr int kClickKeyCount = 2;

struct Modifiers {
    bool alt = false;
    bool control = false;
};

class Presses {
public:
    // What the window does after an event: click a push button, and draw
    // controls pressed (true) or not (false), in this order.
    struct Outcome {
        int click = kNoControl;
        std::vector<std::pair<int, bool>> looks;
    };

    // A mouse button down (a double click's second press too), moved, or up,
    // over `control` (kNoControl: over none of the table's).
    Outcome mouseDown(MouseButton button, int control);
    Outcome mouseMoved(int control);
    Outcome mouseUp(MouseButton button, int control);
    // Whether a left press on a push button is going on: the window's moves
    // and release belong to it.
    bool mouseHolds() const { return mouse_.control != kNoControl; }

    // A key down or up; `repeat` where the platform marks the key as down
    // already; `focused`, the control that has the keyboard focus.
    Outcome keyDown(ClickKey key, bool repeat, Modifiers modifiers, int focused);
    Outcome keyUp(ClickKey key);

    // A button activated by the platform itself (an assistive tool's press,
    // the system's own button control).
    Outcome activated(int control);

    // The keys the platform says are down now: at activation, at a restore,
    // after the system's own loops, which take key releases past the window.
    // A key the record has that is up is forgotten; one it lacks that is
    // down presses nothing until let go.
    Outcome keysDown(std::array<bool, kClickKeyCount> down);
    // Minimised, nothing clicks, and what was pressed is let go.
    Outcome minimised(bool minimised);

    bool pressed(int control) const;

private:
    struct Held {
        bool down = false;
        int control = kNoControl;  // what the key pressed
    };
    struct MousePress {
        int control = kNoControl;  // the push button the left button went down on
        bool over = false;         // whether the pointer is over it now
    };

    template <typename Change>
    Outcome change(Change&& apply);
    std::array<int, 1 + kClickKeyCount> shown() const;

    std::array<Held, kClickKeyCount> keys_{};
    MousePress mouse_;
    bool minimised_ = false;
};

}  // namespace layout
