#pragma once

#include <windows.h>

#include <initializer_list>

#include "form1.h"
#include "window_driver.h"

namespace window_testing {

// The shared driver on the Windows window, in the test's own thread: input
// goes in through SendInput and comes out of the same message loop as the
// program's.
class Win32Driver final : public Driver {
public:
    Win32Driver();

    void click(Target target) override;
    void doubleClick(Target target) override;
    void clickPart(Target bar, Part part) override;
    void wheel(Target target, int notches) override;
    void focus(Target target) override;
    void press(Key key) override;
    std::string caption(Target target) const override;
    std::string accessibleName(Target target) const override;
    std::string accessibleDescription(Target target) const override;
    int value(Target bar) const override;
    Box box(Target target) const override;
    Box clientArea() const override;
    int dpi() const override { return static_cast<int>(GetDpiForWindow(form_.hwnd())); }
    bool fits(Target target, const std::string& text) const override;
    Target focused() const override;
    int beeps() const override { return beeps_; }

    Form1& form() { return form_; }
    HWND hwnd(Target target) const { return form_.control(target.control, target.rank); }
    // Queues the input, then delivers messages until none come.
    void send(std::initializer_list<INPUT> input);
    void settle();
    static INPUT mouse(DWORD flags, POINT at = {}, int wheel = 0);
    static POINT centre(HWND control);

private:
    int beeps_ = 0;
    Form1 form_;
};

}  // namespace window_testing
