#pragma once

// What the shared window tests need of a front-end: real input on its controls
// and what they show. Each front-end's test program implements it once.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "controls.h"
#include "fields.h"

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
enum class Button { Left, Right, Middle };  // of the mouse

// A rectangle in the pixels of the window's client area.
struct Box {
    int left, top, width, height;
    friend bool operator==(const Box&, const Box&) = default;
};

// Where the table draws a control, in pixels at `dpi`.
inline Box drawn(const layout::Item& item, int dpi) {
    using layout::pixels;
    return {pixels(item.box.left, dpi), pixels(item.box.top, dpi), pixels(item.box.width, dpi),
            pixels(item.box.height, dpi)};
}

class Driver {
public:
    virtual ~Driver() = default;

    // At the centre; a double click where `times` is 2.
    virtual void click(Target target, int times = 1, Button button = Button::Left) = 0;
    virtual void clickPart(Target bar, Part part) = 0;
    virtual void wheel(Target target, int notches) = 0;  // one notch up is +1
    virtual void focus(Target target) = 0;
    virtual void press(Key key) = 0;  // on whatever holds the focus, and let go
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

// Asserts that every control is drawn as the table has it at `dpi`.
void expectAsDrawn(const Driver& d, int dpi);

// Everything the window shows, by the model's names.
tally::testing::Shown shown(const Driver& d);
// Asserts that `d` shows `want`, naming the first field that differs.
void expectShowing(const Driver& d, const tally::testing::Shown& want);

// A case worked by hand: on a fresh window where one 2 has been drawn, so
// that a reset shows, `input` must make the `changes` (as `change` reads
// them), and nothing else.
struct Case {
    const char* name;
    void (*input)(Driver&);
    const char* changes;
};
void expectCases(const std::vector<Case>& cases);

}  // namespace window_testing
