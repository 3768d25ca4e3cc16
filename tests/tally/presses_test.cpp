#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "controls.h"
#include "presses.h"

namespace layout {
namespace {

int named(const std::string& name) {
    for (std::size_t i = 0; i < controls().size(); ++i)
        if (controls()[i].name == name) return static_cast<int>(i);
    ADD_FAILURE() << "no control " << name;
    return kNoControl;
}

std::string names(const std::set<int>& shown) {
    std::string out;
    for (int control : shown) out += (out.empty() ? "" : " ") + controls()[control].name;
    return out;
}

// Plays `steps` ("L+ cmd(3); Space-; min", below) and returns what clicked,
// in order; `looks` gathers what the window was told to draw pressed.
std::string play(Presses& presses, const std::string& steps, std::set<int>& looks) {
    std::string clicked;
    std::istringstream in(steps);
    for (std::string step; std::getline(in >> std::ws, step, ';');) {
        std::istringstream words(step);
        std::string op, target;
        words >> op;
        Modifiers modifiers;
        if (op == "Alt" || op == "CtrlAlt") modifiers = {true, op == "CtrlAlt"}, words >> op;
        words >> target;
        const bool keys = op == "down:";  // the keys the platform says are down now
        const int at = target.empty() || keys ? kNoControl : named(target);
        const auto key = op.starts_with("Space") ? ClickKey::Space : ClickKey::Enter;
        Presses::Outcome out;
        if (op == "L+" || op == "R+")  // the left or another mouse button, down
            out = presses.mouseDown(op[0] == 'L' ? MouseButton::Left : MouseButton::Other, at);
        else if (op == "L-" || op == "R-")
            out = presses.mouseUp(op[0] == 'L' ? MouseButton::Left : MouseButton::Other, at);
        else if (op == "M")  // the pointer moved, over `target`
            out = presses.mouseMoved(at);
        else if (op.ends_with("+") || op.ends_with("+r"))  // with the focus on `target`
            out = presses.keyDown(key, op.ends_with("r"), modifiers, at);
        else if (op.ends_with("-"))
            out = presses.keyUp(key);
        else if (op == "act")
            out = presses.activated(at);
        else if (op == "min" || op == "restore")
            out = presses.minimised(op == "min");
        else if (keys)
            out = presses.keysDown({target == "Enter", target == "Space"});
        else
            ADD_FAILURE() << "no step " << step;
        if (out.click != kNoControl)
            clicked += (clicked.empty() ? "" : " ") + controls()[out.click].name;
        for (auto [control, down] : out.looks) {
            EXPECT_NE(looks.contains(control), down) << step << ": told twice";
            down ? (void)looks.insert(control) : (void)looks.erase(control);
        }
    }
    return clicked;
}

struct Sequence {
    const char* name;
    const char* steps;
    const char* clicks;   // in order
    const char* pressed;  // shown pressed at the end
};

// clang-format off
const Sequence kSequences[] = {
    // The mouse.
    {"a left click", "L+ cmd(3); L- cmd(3)", "cmd(3)", ""},
    {"a left click while the right button is down", "R+ cmd(3); L+ cmd(3); L- cmd(3); R- cmd(3)", "cmd(3)", ""},
    {"the right button clicked while the left holds", "L+ cmd(3); R+ cmd(3); R- cmd(3)", "", "cmd(3)"},
    {"other buttons alone", "R+ cmd(3); R- cmd(3); R+ Nombre(3); R- Nombre(3)", "", ""},
    {"a display button presses", "L+ Nombre(3); L- Nombre(3)", "Nombre(3)", ""},
    {"dragged off: up", "L+ cmd(3); M cmd(4)", "", ""},
    {"dragged off and back: down", "L+ cmd(3); M cmd(4); M cmd(3)", "", "cmd(3)"},
    {"let go over another card", "L+ cmd(3); M cmd(4); L- cmd(4)", "", ""},
    {"down on a bar, up on a card", "L+ HScroll1; L- cmd(3)", "", ""},
    // The keys.
    {"Space held while the focus moves", "Space+ cmd(0); Space+ cmd(5); Space-", "cmd(0)", ""},
    {"Enter and Space on one card: two", "Enter+ cmd(2); Space+ cmd(2); Enter-", "cmd(2) cmd(2)", "cmd(2)"},
    {"Space on a bar and Enter on a label", "Space+ HScroll1; Space-; Enter+ Label4", "", ""},
    {"Alt with Enter, then with Space", "Alt Enter+ cmd(3); Enter-; Alt Space+ cmd(3)", "", ""},
    {"Alt let go while Enter is held", "Alt Enter+ cmd(3); Enter+ cmd(3)", "", ""},
    {"Ctrl and Alt with Enter", "CtrlAlt Enter+ cmd(3)", "cmd(3)", "cmd(3)"},
    // A key and the mouse together.
    {"Space let go while the mouse holds another card", "Space+ cmd(0); L+ cmd(1); Space-", "cmd(0)", "cmd(1)"},
    {"...and the mouse let go there", "Space+ cmd(0); L+ cmd(1); Space-; L- cmd(1)", "cmd(0) cmd(1)", ""},
    {"the mouse let go while Space holds another card", "Space+ cmd(0); L+ cmd(1); L- cmd(1)", "cmd(0) cmd(1)", "cmd(0)"},
    {"Space and the mouse on one card", "L+ cmd(1); Space+ cmd(1); Space-", "cmd(1)", "cmd(1)"},
    // Keys that went down where the window could not see them.
    {"Space held as the window comes", "down: Space; Space+ cmd(0); Space-", "", ""},
    {"...then pressed again", "down: Space; Space+ cmd(0); Space-; Space+ cmd(0)", "cmd(0)", "cmd(0)"},
    {"first heard as a repeat", "Enter+r cmd(0); Enter+ cmd(0); Enter-; Enter+ cmd(0)", "cmd(0)", "cmd(0)"},
    {"let go in the system's loop", "Enter+ cmd(0); down:; Enter+ cmd(1)", "cmd(0) cmd(1)", "cmd(1)"},
    {"still down after the system's loop", "Enter+ cmd(0); down: Enter; Enter+ cmd(1)", "cmd(0)", "cmd(0)"},
    // Minimised.
    {"keys while minimised", "min; Enter+ cmd(4); Space+ cmd(4); restore", "", ""},
    {"a key held from minimised to restored", "min; Enter+ cmd(4); restore; down: Enter; Enter+ cmd(4)", "", ""},
    {"...let go and pressed again", "min; Enter+ cmd(4); restore; Enter-; Enter+ cmd(4)", "cmd(4)", "cmd(4)"},
    {"minimised while Enter and Space hold one card", "Enter+ cmd(2); Space+ cmd(2); min", "cmd(2) cmd(2)", ""},
    {"minimised while Space holds a card", "Space+ cmd(4); min", "cmd(4)", ""},
    {"minimised while the mouse holds a card", "L+ cmd(4); min; restore; L- cmd(4)", "", ""},
    {"the mouse while minimised", "min; L+ cmd(4); L- cmd(4)", "", ""},
    // The platform's own activation.
    {"a tool presses a card, a bar and a label", "act cmd(3); act HScroll1; act Label4", "cmd(3)", ""},
    {"a tool presses a card while minimised", "min; act cmd(3)", "", ""},
};
// clang-format on

TEST(Presses, EachSequenceClicksAndShowsWhatItShould) {
    for (const Sequence& row : kSequences) {
        SCOPED_TRACE(row.name);
        Presses presses;
        std::set<int> looks;
        EXPECT_EQ(play(presses, row.steps, looks), row.clicks);
        std::set<int> pressed;
        for (int control = 0; control < kItemCount; ++control)
            if (presses.pressed(control)) pressed.insert(control);
        EXPECT_EQ(names(pressed), row.pressed);
        EXPECT_EQ(names(looks), row.pressed) << "as the window was told";
    }
}

}  // namespace
}  // namespace layout
