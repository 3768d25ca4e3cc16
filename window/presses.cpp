#include "presses.h"

#include <algorithm>

#include "controls.h"

namespace layout {

namespace {

bool isPushButton(int control) {
    return control >= 0 && control < kItemCount && controls()[control].kind == Kind::PushButton;
}

}  // namespace

// Runs `apply`, then tells which controls' pressed look it changed.
template <typename Change>
Presses::Outcome Presses::change(Change&& apply) {
    const auto before = shown();
    Outcome out;
    out.click = apply();
    const auto after = shown();
    std::vector<int> seen;
    for (const auto& list : {before, after})
        for (int control : list) {
            if (control == kNoControl || std::ranges::count(seen, control)) continue;
            seen.push_back(control);
            const bool was = std::ranges::count(before, control) > 0;
            const bool is = std::ranges::count(after, control) > 0;
            if (was != is) out.looks.emplace_back(control, is);
        }
    return out;
}

Presses::Outcome Presses::mouseDown(MouseButton button, int control) {
    return change([&] {
        if (button == MouseButton::Left && !minimised_)
            mouse_ = isPushButton(control) ? MousePress{control, true} : MousePress{};
        return kNoControl;
    });
}

Presses::Outcome Presses::mouseMoved(int control) {
    return change([&] {
        mouse_.over = mouse_.control != kNoControl && control == mouse_.control;
        return kNoControl;
    });
}

Presses::Outcome Presses::mouseUp(MouseButton button, int control) {
    return change([&] {
        if (button != MouseButton::Left) return kNoControl;
        const int held = mouse_.control;
        mouse_ = {};
        return held != kNoControl && control == held ? held : kNoControl;
    });
}

Presses::Outcome Presses::keyDown(ClickKey key, bool repeat, Modifiers modifiers, int focused) {
    return change([&] {
        Held& held = keys_[static_cast<int>(key)];
        // However the platform marks it, a key the record has down is repeating.
        if (held.down) return kNoControl;
        held.down = true;
        // Ctrl with Alt is no system key, and still clicks.
        const bool system = modifiers.alt && !modifiers.control;
        if (repeat || minimised_ || system || !isPushButton(focused)) return kNoControl;
        held.control = focused;
        return focused;
    });
}

Presses::Outcome Presses::keyUp(ClickKey key) {
    return change([&] {
        keys_[static_cast<int>(key)] = {};
        return kNoControl;
    });
}

Presses::Outcome Presses::activated(int control) {
    return change([&] { return isPushButton(control) && !minimised_ ? control : kNoControl; });
}

Presses::Outcome Presses::keysDown(std::array<bool, kClickKeyCount> down) {
    return change([&] {
        for (std::size_t key = 0; key < keys_.size(); ++key)
            if (!down[key])
                keys_[key] = {};
            else
                keys_[key].down = true;  // and presses what it pressed, or nothing
        return kNoControl;
    });
}

Presses::Outcome Presses::minimised(bool minimised) {
    return change([&] {
        minimised_ = minimised;
        if (minimised) {
            mouse_ = {};
            for (Held& held : keys_) held.control = kNoControl;
        }
        return kNoControl;
    });
}

// What shows pressed: the mouse's button while the pointer is over it, and
// each key's.
std::array<int, 1 + kClickKeyCount> Presses::shown() const {
    return {mouse_.over ? mouse_.control : kNoControl, keys_[0].control, keys_[1].control};
}

bool Presses::pressed(int control) const {
    return control != kNoControl && std::ranges::count(shown(), control) > 0;
}

}  // namespace layout
