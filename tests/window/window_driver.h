#pragma once

// What the shared window tests need of a front-end: real input on its controls
// and what they show. Each front-end's test program implements it once.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "controls.h"
#include "tally_model.h"

namespace window_testing {

// One control of the window; `rank` picks the member of a per-rank row.
struct Target {
    layout::Control control;
    int rank = 0;
    friend bool operator==(const Target&, const Target&) = default;
};

// clang-format off
enum class Key { Space, Escape, Tab, Backtab, Left, Right, Up, Down, PageUp, PageDown,
                 Home, End, Enter, AltX, AltEnter };
// clang-format on

enum class Part { LeftArrow, RightArrow };  // of a horizontal scroll bar
enum class Button { Right, Middle };        // of the mouse, besides the left

// A rectangle in the pixels of the window's client area.
struct Box {
    int left, top, width, height;
    friend bool operator==(const Box&, const Box&) = default;
};

class Driver {
public:
    virtual ~Driver() = default;

    virtual void click(Target target, int times) = 0;  // left button, at the centre
    virtual void clickWith(Target target, Button button) = 0;
    virtual void clickPart(Target bar, Part part) = 0;
    virtual void wheel(Target target, int notches) = 0;  // one notch up is +1
    virtual void focus(Target target) = 0;
    virtual void press(Key key) = 0;  // to whatever holds the focus
    // Held down while the keyboard repeats it `repeats` times, then let go.
    virtual void hold(Key key, int repeats) = 0;
    // Held down, repeating, while the left button clicks `other`; then let go.
    virtual void holdWhileClicking(Key key, Target other) = 0;
    // The left button pressed at the middle of a scroll bar, moved `pixels`
    // along it, and released.
    virtual void drag(Target bar, int pixels) = 0;
    // What a drag of `pixels` from the middle of a scroll bar does to its
    // value, by what the platform draws there: a thumb that fills its track,
    // a press on which changes nothing (0), an arrow or the track, which step
    // once (-1 or 1), or a thumb that moves along the track.
    virtual int middleOfBar(Target bar, int pixels) const = 0;

    virtual std::string caption(Target target) const = 0;  // UTF-8
    // What a screen reader reads; `value` where the control has one.
    struct Reading {
        std::string name, description, value;
        friend bool operator==(const Reading&, const Reading&) = default;
        friend void PrintTo(const Reading& r, std::ostream* out) {
            *out << '"' << r.name << "\", \"" << r.description << "\", \"" << r.value << '"';
        }
    };
    virtual Reading reading(Target target) const = 0;
    virtual int value(Target bar) const = 0;
    virtual Box box(Target target) const = 0;
    virtual Box clientArea() const = 0;
    virtual int dpi() const = 0;
    // Whether `text` shows whole in the control, in its font, laid out as the
    // control lays out its caption.
    virtual bool fits(Target target, const std::string& text) const = 0;
    virtual bool hasFocus(Target target) const = 0;
    virtual int beeps() const = 0;  // the window's own and the platform's
};

// A fresh window, shown, active and with its starting focus.
std::unique_ptr<Driver> openWindow();

// Asserts that the window shows what the model says: every counter's caption,
// every scroll bar's value, and one beep per card.
inline void expectShowing(const Driver& d, tally::testing::Model& model) {
    using tally::testing::name;
    ASSERT_EQ(d.beeps(), model.beeps);
    for (tally::FieldRef ref : tally::allFields())
        ASSERT_EQ(d.caption({layout::displayOf(ref.field), ref.rank}), model.shown[name(ref)])
            << name(ref);
    for (int rank = 0; rank < tally::kRankCount; ++rank)
        ASSERT_EQ(d.value({layout::Control::HScroll2, rank}),
                  std::stoi(model.shown[name({tally::Field::Command1, rank})]));
    ASSERT_EQ(d.value({layout::Control::HScroll1}), std::stoi(model.shown["cmdNBJeux"]));
}

}  // namespace window_testing
