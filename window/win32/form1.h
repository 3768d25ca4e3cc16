#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "controls.h"
#include "presses.h"
#include "tally.h"

// The program's one window on the platform's own controls: the card buttons,
// the per-rank rows and the shoe panel, made from the table of controls,
// showing the tally's texts.
class Form1 {
public:
    using Beep = std::function<void()>;

    // Creates the window, hidden, centred on the work area (at its top or left
    // edge where the window is larger), at its monitor's dpi and the desktop's
    // text size. `beep` sounds once per card, before any counter changes; by
    // default the platform's alert.
    explicit Form1(Beep beep = {});
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND hwnd() const { return hwnd_; }
    const tally::Tally& tally() const { return tally_; }

    // Any control of the table; `rank` picks the member of a per-rank row.
    HWND control(layout::Control control, int rank = 0) const;

    // Hands one queued message to the window: Enter and Space to the press
    // rules, the other dialog keys (Tab, Shift+Tab, arrows) through the
    // dialog manager first, as a Windows form does.
    void deliver(MSG& message);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void build();
    const layout::Item* find(HWND control) const;  // null for a window not of the table
    int indexOf(HWND control) const;               // kNoControl for one not of the table
    void showField(tally::FieldRef ref, const std::string& text);
    void scroll(HWND bar, int code);
    void follow(const layout::Presses::Outcome& outcome);
    void followKeyState();
    void restoreFocus();

    // Scaling and placement (scaling.cpp).
    static HICON programIcon(int size, UINT flags);
    void useFont(int dpi);
    void useIcons(int dpi);
    RECT where(const layout::Item& item) const;
    void fit(bool start);
    void place(int dpi);
    void followTextSize();

    Beep beep_;
    tally::Tally tally_;
    HWND hwnd_ = nullptr;
    HWND focus_ = nullptr;          // the control that last had the focus
    bool fitWhenRestored_ = false;  // the layout changed while maximised or minimised
    layout::Presses presses_;
    int dpi_ = layout::kStandardDpi;    // of the window's monitor
    int scale_ = layout::kStandardDpi;  // the layout's: the dpi, grown with the desktop's text
    LOGFONTW message_{};                // the desktop's message font, as last read
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr, smallIcon_ = nullptr;  // the title bar's, taskbar's and Alt+Tab's
    // As in layout::controls(), whose order their ids follow.
    std::array<HWND, layout::kItemCount> controls_{};
    std::array<int, layout::kItemCount> reported_{};  // a scroll bar's value as last reported
};
