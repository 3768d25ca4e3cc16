// The shared window tests on the Windows window, in the test's own thread:
// input goes in through SendInput and comes out of the same message loop as
// the program's. Then what only this window has: scroll bars that report codes
// it must sort out, and dialog-key commands with no control.

#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "form1.h"
#include "system.h"
#include "window_driver.h"

namespace window_testing {
namespace {

INPUT key(WORD vk, DWORD flags = 0) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

INPUT mouse(DWORD flags, POINT at, int wheel = 0) {
    // Absolute positions are in 65536ths of the screen; round up so that
    // they land on the pixel meant.
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65536 + width - 1) / width;
    input.mi.dy = (at.y * 65536 + height - 1) / height;
    input.mi.mouseData = static_cast<DWORD>(wheel);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

// The desktop's text size the session set, in percent, as Windows 10 records it.
int textPercent() {
    DWORD percent = 100, size = sizeof percent;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility", L"TextScaleFactor",
                 RRF_RT_REG_DWORD, nullptr, &percent, &size);
    return static_cast<int>(percent);
}

// The sounds the platform made itself, which the session hears on its display
// and counts, a line each, in the file SABOT_BELLS names.
int platformBeeps() {
    std::ifstream heard(std::getenv("SABOT_BELLS") ? std::getenv("SABOT_BELLS") : "");
    return static_cast<int>(std::count(std::istreambuf_iterator<char>(heard), {}, '\n'));
}

std::string utf8(const wchar_t* text, int length) {
    std::string out(static_cast<std::size_t>(length) * 3, '\0');
    out.resize(static_cast<std::size_t>(WideCharToMultiByte(
        CP_UTF8, 0, text, length, out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

// What a screen reader gets from the control's accessible object, as it asks
// for it: WM_GETOBJECT through oleacc; the description and value as scripts
// ask for them, through IDispatch, where a role asked for is the system's
// object's to answer (Wine's gives none). The object must also tell the
// control it stands for.
Driver::Reading accessible(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          IID_IAccessible, reinterpret_cast<void**>(&object))))
        return {"(no accessible object)", "", ""};
    IOleWindow* window = nullptr;
    HWND shown = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
        window->GetWindow(&shown);
        window->Release();
    }
    VARIANT self{}, role{}, scripted{}, description{}, value{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    DISPPARAMS child{&self, nullptr, 1, 0};
    BSTR name = nullptr;
    object->get_accName(self, &name);
    object->get_accRole(self, &role);
    for (auto [member, out] :
         {std::pair{DISPID_ACC_ROLE, &scripted}, std::pair{DISPID_ACC_DESCRIPTION, &description},
          std::pair{DISPID_ACC_VALUE, &value}})
        object->Invoke(member, IID_NULL, 0, DISPATCH_PROPERTYGET, &child, out, nullptr, nullptr);
    object->Release();
    // Where the scripts get a role, it is the one the object gives.
    const bool sameRole = scripted.vt == VT_EMPTY ||
                          (scripted.vt == VT_I4 && role.vt == VT_I4 && scripted.lVal == role.lVal);
    Driver::Reading read{
        (shown == control ? "" : "(no window) ") + std::string(sameRole ? "" : "(another role) "),
        "", ""};
    for (auto [text, out] :
         {std::pair{name, &read.name},
          std::pair{description.vt == VT_BSTR ? description.bstrVal : nullptr, &read.description},
          std::pair{value.vt == VT_BSTR ? value.bstrVal : nullptr, &read.value}}) {
        if (text) *out += utf8(text, static_cast<int>(SysStringLen(text)));
        SysFreeString(text);
    }
    return read;
}

class Win32Driver final : public Driver {
public:
    Win32Driver() : form_([this] { ++beeps_; }) {
        ShowWindow(form_.hwnd(), SW_SHOWNORMAL);
        SetForegroundWindow(form_.hwnd());
        settle();
    }

    void click(Target target, int times, Button button) override {
        static constexpr DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN,
                                          MOUSEEVENTF_MIDDLEDOWN};
        const POINT at = centre(target);
        const DWORD down = kDown[static_cast<int>(button)];
        std::vector<INPUT> input{mouse(0, at)};
        for (int i = 0; i < times; ++i)
            input.insert(input.end(), {mouse(down, at), mouse(down * 2, at)});  // *UP is *DOWN * 2
        send(input);
    }
    void clickPart(Target bar, Part part) override {
        const POINT at = arrow(bar, part);
        send({mouse(0, at), mouse(MOUSEEVENTF_LEFTDOWN, at), mouse(MOUSEEVENTF_LEFTUP, at)});
    }
    POINT arrow(Target bar, Part part) const {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        GetScrollBarInfo(hwnd(bar), OBJID_CLIENT, &info);
        const RECT& r = info.rcScrollBar;
        const int half = info.dxyLineButton / 2;
        return {part == Part::LeftArrow ? r.left + half : r.right - 1 - half,
                (r.top + r.bottom) / 2};
    }
    void wheel(Target target, int notches) override {
        const POINT at = centre(target);
        send({mouse(0, at), mouse(MOUSEEVENTF_WHEEL, at, notches * WHEEL_DELTA)});
    }
    void focus(Target target) override {
        SetFocus(hwnd(target));
        settle();
    }
    void press(Key held) override {
        // Indexed by Key.
        static constexpr WORD kKeys[] = {VK_SPACE, VK_ESCAPE, VK_TAB,    VK_TAB,   VK_LEFT,
                                         VK_RIGHT, VK_UP,     VK_DOWN,   VK_PRIOR, VK_NEXT,
                                         VK_HOME,  VK_END,    VK_RETURN, 'X',      VK_RETURN};
        const WORD vk = kKeys[static_cast<int>(held)];
        const DWORD extended = vk >= VK_PRIOR && vk <= VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0;
        const WORD modifier = held == Key::Backtab                         ? VK_SHIFT
                              : held == Key::AltX || held == Key::AltEnter ? VK_MENU
                                                                           : 0;
        std::vector<INPUT> input;
        if (modifier) input.push_back(key(modifier));
        input.push_back(key(vk, extended));
        input.push_back(key(vk, extended | KEYEVENTF_KEYUP));
        if (modifier) input.push_back(key(modifier, KEYEVENTF_KEYUP));
        send(input);
    }
    // Wine draws a bar this short as two arrows, the left one ending at its
    // middle, and no thumb.
    int middleOfBar(Target, int) const override { return -1; }
    void drag(Target bar, int pixels) override {
        const POINT from = centre(bar), to{from.x + pixels, from.y};
        send({mouse(0, from), mouse(MOUSEEVENTF_LEFTDOWN, from), mouse(0, to),
              mouse(MOUSEEVENTF_LEFTUP, to)});
    }

    std::string caption(Target target) const override {
        wchar_t text[64];
        return utf8(text, GetWindowTextW(hwnd(target), text, static_cast<int>(std::size(text))));
    }
    Reading reading(Target target) const override { return accessible(hwnd(target)); }
    int value(Target bar) const override { return GetScrollPos(hwnd(bar), SB_CTL); }
    Box box(Target target) const override {
        RECT r;
        GetWindowRect(hwnd(target), &r);
        MapWindowPoints(nullptr, form_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    Box clientArea() const override {
        RECT r;
        GetClientRect(form_.hwnd(), &r);
        return {0, 0, r.right, r.bottom};
    }
    // The layout's: the monitor's dpi, grown with the desktop's text size.
    int dpi() const override {
        return MulDiv(static_cast<int>(system_calls::dpiOf(form_.hwnd())), textPercent(), 100);
    }
    bool fits(Target target, const std::string& text) const override {
        const HWND control = hwnd(target);
        wchar_t kind[16];
        GetClassNameW(control, kind, 16);
        const bool button = std::wstring_view(kind).ends_with(L"Button");
        if (std::wstring_view(kind).ends_with(L"ScrollBar")) return text.empty();
        // Where the control draws its text: a button inside its bevel and
        // focus rectangle; a label that wraps at its blanks breaks lines there.
        RECT area, needed;
        GetClientRect(control, &area);
        if (button) InflateRect(&area, -3, -3);
        needed = area;
        const bool wraps = !button && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT;
        std::wstring line(text.size(), L'\0');
        line.resize(static_cast<std::size_t>(
            MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), line.data(),
                                static_cast<int>(line.size()))));
        const HDC dc = GetDC(control);
        const HGDIOBJ was =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        DrawTextW(dc, line.c_str(), -1, &needed,
                  DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, was);
        ReleaseDC(control, dc);
        return needed.right - needed.left <= area.right - area.left &&
               needed.bottom - needed.top <= area.bottom - area.top;
    }
    bool hasFocus(Target target) const override { return hwnd(target) == GetFocus(); }
    int beeps() const override { return beeps_ + platformBeeps(); }

    HWND hwnd(Target target) const { return form_.control(target.control, target.rank); }
    // Sends a message to the window itself, and lets it settle.
    void tell(UINT message, WPARAM wParam, LPARAM lParam) {
        SendMessageW(form_.hwnd(), message, wParam, lParam);
        settle();
    }

    // Queues the input, then delivers messages until none come.
    void send(std::vector<INPUT> input) {
        SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
        settle();
    }

private:
    POINT centre(Target target) const {
        RECT r;
        GetWindowRect(hwnd(target), &r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void settle() {
        // Input travels through the server and back: deliver until a few
        // waits in a row bring nothing.
        for (int quiet = 0; quiet < 2;) {
            MSG message;
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                quiet = 0;
                if (message.message != WM_QUIT) form_.deliver(message);
            } else {
                ++quiet;
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
            }
        }
    }

    int beeps_ = 0;
    Form1 form_;
};

using layout::Control;
const Target kDecks{Control::HScroll1}, kFiveValue{Control::HScroll2, 3};

Win32Driver& win32(Driver& d) { return static_cast<Win32Driver&>(d); }
// A message to the window, from the control `from` names where it has one.
void tell(Driver& d, UINT message, WPARAM wParam, std::optional<Target> from = {}) {
    win32(d).tell(message, wParam, from ? reinterpret_cast<LPARAM>(win32(d).hwnd(*from)) : 0);
}
// A bar set as an automation client sets it, through the system's proxy: the
// bar moved, then the release of a thumb there reported.
void setFromOutside(Driver& d, Target bar, int value) {
    SendMessageW(win32(d).hwnd(bar), SBM_SETPOS, static_cast<WPARAM>(value), TRUE);
    tell(d, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, value), bar);
}

// What only this window meets: scroll bars' codes it must sort out, dialog-key
// commands with no control, the system's minimise, and bars set from outside.
// clang-format off
TEST(Win32, MessagesAndTheSystemsCommands) {
    expectCases({
        {"a value bar's thumb tracked", [](Driver& d) { tell(d, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20000), kFiveValue); }, ""},
        // A release the bar itself did not record: its value stays the bar's.
        {"a release the bar did not record", [](Driver& d) { tell(d, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 9), kDecks); }, ""},
        {"a scroll from no bar", [](Driver& d) { tell(d, WM_HSCROLL, SB_LINERIGHT); }, ""},
        {"Enter with no default button", [](Driver& d) { tell(d, WM_COMMAND, IDOK); }, ""},
        // Nothing counts while minimised; the focus comes back at the restore
        // to the control that last had it.
        {"Enter and Space on the six while minimised, then Space restored", [](Driver& d) {
             d.focus({Control::cmd, 4}), tell(d, WM_SYSCOMMAND, SC_MINIMIZE);
             d.press(Key::Enter), d.press(Key::Space);
             tell(d, WM_SYSCOMMAND, SC_RESTORE), d.press(Key::Space); },
         "Nombre(4)= 1; Reste(4)= 23; cmdValeur= 2; lblSabot= 310; lblTires= 2; beeps=2"},
        // Enter held (its repeat a key-down again); the bar's own loop takes
        // the release of the key let go meanwhile.
        {"Enter held, let go while the mouse holds the seven's value arrow, then Enter on the 3", [](Driver& d) {
             const POINT at = win32(d).arrow({Control::HScroll2, 5}, Part::LeftArrow);
             win32(d).send({key(VK_RETURN), key(VK_RETURN), mouse(0, at), mouse(MOUSEEVENTF_LEFTDOWN, at),
                            key(VK_RETURN, KEYEVENTF_KEYUP), mouse(MOUSEEVENTF_LEFTUP, at)});
             d.focus({Control::cmd, 1}), d.press(Key::Enter); },
         "Nombre(0)= 2; Reste(0)= 22; Nombre(1)= 1; Reste(1)= 23; cmdValeur= 3; lblSabot= 309; lblTires= 3; beeps=3"},
        {"a reader sets the five's value to 3", [](Driver& d) { setFromOutside(d, kFiveValue, 3); },
         "Command1(3)=3; HScroll2(3)=3; Reste(*)=24"},
        // Followed once per change: the same value again resets no shoe.
        {"a reader sets nine decks, a five, nine decks again", [](Driver& d) {
             setFromOutside(d, kDecks, 9), d.click({Control::cmd, 3}), setFromOutside(d, kDecks, 9); },
         "cmdNBJeux= 9; HScroll1=9; lblSabot= 467; lblTires= 1; Reste(*)=36; Reste(3)= 35; Nombre(0)=0; "
         "Nombre(3)= 1; beeps=2"},
        // Another range is the bar's only until the window next hears of it.
        {"a program makes the deck bar 0 to 100 at 50; its right arrow, a five, the arrow again", [](Driver& d) {
             SendMessageW(win32(d).hwnd(kDecks), SBM_SETRANGE, 0, 100);
             SendMessageW(win32(d).hwnd(kDecks), SBM_SETPOS, 50, TRUE);
             d.clickPart(kDecks, Part::RightArrow), d.click({Control::cmd, 3}), d.clickPart(kDecks, Part::RightArrow);
             int lowest = -1, highest = -1;  // the bar's own range again
             SendMessageW(win32(d).hwnd(kDecks), SBM_GETRANGE, reinterpret_cast<WPARAM>(&lowest), reinterpret_cast<LPARAM>(&highest));
             EXPECT_TRUE(lowest == 0 && highest == 10); },
         "cmdNBJeux= 10; HScroll1=10; lblSabot= 519; lblTires= 1; Reste(*)=40; Reste(3)= 39; Nombre(0)=0; "
         "Nombre(3)= 1; beeps=2"},
    });
}
// clang-format on

// A scroll bar's own menu would set it to an end in one click. Wine has none:
// there a request the bar lets through goes on to the window.
TEST(ContextMenu, StopsAtTheScrollBar) {
    static std::vector<HWND> reached;
    Win32Driver driver;
    const HHOOK hook = SetWindowsHookExW(
        WH_CALLWNDPROC,
        [](int code, WPARAM wParam, LPARAM lParam) {
            if (const auto* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
                sent->message == WM_CONTEXTMENU)
                reached.push_back(sent->hwnd);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    driver.focus(kDecks);
    const HWND bar = driver.hwnd(kDecks);
    SendMessageW(bar, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar), -1);  // Shift+F10
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(reached, std::vector{bar});
}

// The layout follows the monitor's dpi and the desktop's text size as they
// change while the window is open: client area, controls and font.
TEST(LayoutFollows, DpiAndTextSizeChanges) {
    using layout::pixels;
    Win32Driver driver;
    const HWND window = GetParent(driver.hwnd(kDecks));
    // The title bar's and the task bar's icons, set at start.
    EXPECT_TRUE(SendMessageW(window, WM_GETICON, ICON_BIG, 0) &&
                SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    NONCLIENTMETRICSW desktop{};
    desktop.cbSize = sizeof desktop;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof desktop, &desktop, 0);
    const int system = static_cast<int>(system_calls::systemDpi()), dpi = 120;
    // Every control where the table draws it at `scale`, in the desktop's
    // font at the monitor's dpi.
    const auto expectScaled = [&](int scale, const NONCLIENTMETRICSW& metrics, int monitor) {
        expectAsDrawn(driver, scale);
        LOGFONTW font{};
        const HWND button = driver.hwnd({Control::cmdNBJeux});
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_EQ(font.lfHeight, MulDiv(metrics.lfMessageFont.lfHeight, monitor, system));
    };

    // To a monitor of 120 dpi, the system offering the window's size there.
    const int scale = dpi * textPercent() / 100;
    RECT offered, client;
    GetWindowRect(window, &offered);
    GetClientRect(window, &client);
    offered.right += pixels(layout::kClientWidth, scale) - client.right;
    offered.bottom += pixels(layout::kClientHeight, scale) - client.bottom;
    driver.tell(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&offered));
    expectScaled(scale, desktop, dpi);

    // Then, the window low on the screen, the desktop's text made two and a
    // half times Windows' standard 9 points (a size no session has), and back,
    // each time told as Windows tells every window: shown, then minimised or
    // maximised by the system's commands and restored after. Grown past the
    // work area's bottom, the window is placed again by the rule along that
    // side alone.
    SetWindowPos(window, nullptr, 20, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    NONCLIENTMETRICSW larger = desktop;
    larger.lfMessageFont.lfHeight = -MulDiv(30, system, 96);
    for (int state : {0, SC_MINIMIZE, SC_MAXIMIZE})
        for (auto [metrics, layoutScale] :
             {std::pair{&larger, dpi * 5 / 2}, std::pair{&desktop, scale}}) {
            SCOPED_TRACE(state);
            if (state) driver.tell(WM_SYSCOMMAND, state, 0);
            SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof *metrics, metrics, 0);
            driver.tell(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
            if (state) driver.tell(WM_SYSCOMMAND, SC_RESTORE, 0);
            expectScaled(layoutScale, *metrics, dpi);
            RECT at, work;
            GetWindowRect(window, &at);
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            EXPECT_EQ(at.left, 20);
            EXPECT_LE(at.bottom, work.bottom);
        }

    // Moved to a monitor of 144 dpi while maximised, the system offering the
    // work area there: restored, the window takes its size for 144.
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    driver.tell(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    driver.tell(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&work));
    driver.tell(WM_SYSCOMMAND, SC_RESTORE, 0);
    expectScaled(144 * textPercent() / 100, desktop, 144);
}

}  // namespace

std::unique_ptr<Driver> openWindow() { return std::make_unique<Win32Driver>(); }

}  // namespace window_testing
