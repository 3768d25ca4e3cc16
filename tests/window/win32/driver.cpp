#include "win32_driver.h"

#include <oleacc.h>

#include <iterator>
#include <string_view>
#include <vector>

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

std::string utf8(const wchar_t* text, int length) {
    std::string out(static_cast<std::size_t>(length) * 3, '\0');
    out.resize(static_cast<std::size_t>(WideCharToMultiByte(
        CP_UTF8, 0, text, length, out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

// What a screen reader gets from the control's accessible object, as it asks
// for it: WM_GETOBJECT through oleacc.
std::string accessible(HWND control,
                       HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*)) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          IID_IAccessible, reinterpret_cast<void**>(&object))))
        return "(no accessible object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    (object->*read)(self, &text);
    std::string out = text ? utf8(text, static_cast<int>(SysStringLen(text))) : std::string();
    SysFreeString(text);
    object->Release();
    return out;
}

}  // namespace

Win32Driver::Win32Driver() : form_([this] { ++beeps_; }) {
    ShowWindow(form_.hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(form_.hwnd());
    settle();
}

std::unique_ptr<Driver> openWindow() {
    // The accessible objects are handed over through COM.
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    return std::make_unique<Win32Driver>();
}

INPUT Win32Driver::mouse(DWORD flags, POINT at, int wheel) {
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

POINT Win32Driver::centre(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Win32Driver::send(std::initializer_list<INPUT> input) {
    std::vector<INPUT> events(input);
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
    settle();
}

void Win32Driver::settle() {
    // Input travels through the server and back: deliver until a few waits
    // in a row bring nothing.
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

void Win32Driver::click(Target target) {
    const POINT at = centre(hwnd(target));
    send({mouse(0, at), mouse(MOUSEEVENTF_LEFTDOWN, at), mouse(MOUSEEVENTF_LEFTUP, at)});
}

void Win32Driver::doubleClick(Target target) {
    const POINT at = centre(hwnd(target));
    send({mouse(0, at), mouse(MOUSEEVENTF_LEFTDOWN, at), mouse(MOUSEEVENTF_LEFTUP, at),
          mouse(MOUSEEVENTF_LEFTDOWN, at), mouse(MOUSEEVENTF_LEFTUP, at)});
}

void Win32Driver::clickPart(Target bar, Part part) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(hwnd(bar), OBJID_CLIENT, &info);
    const RECT& r = info.rcScrollBar;
    const int arrow = info.dxyLineButton / 2;
    const POINT at{part == Part::LeftArrow ? r.left + arrow : r.right - 1 - arrow,
                   (r.top + r.bottom) / 2};
    send({mouse(0, at), mouse(MOUSEEVENTF_LEFTDOWN, at), mouse(MOUSEEVENTF_LEFTUP, at)});
}

void Win32Driver::wheel(Target target, int notches) {
    const POINT at = centre(hwnd(target));
    send({mouse(0, at), mouse(MOUSEEVENTF_WHEEL, at, notches * WHEEL_DELTA)});
}

void Win32Driver::focus(Target target) {
    SetFocus(hwnd(target));
    settle();
}

void Win32Driver::press(Key pressed) {
    // Indexed by Key; Backtab is Shift+Tab.
    static constexpr WORD kKeys[] = {VK_SPACE, VK_RETURN, VK_ESCAPE, VK_TAB,  VK_TAB,
                                     VK_LEFT,  VK_RIGHT,  VK_UP,     VK_DOWN, VK_PRIOR,
                                     VK_NEXT,  VK_HOME,   VK_END};
    const WORD vk = kKeys[static_cast<int>(pressed)];
    const DWORD extended = vk >= VK_PRIOR && vk <= VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0;
    if (pressed == Key::Backtab)
        send({key(VK_SHIFT), key(vk), key(vk, KEYEVENTF_KEYUP), key(VK_SHIFT, KEYEVENTF_KEYUP)});
    else
        send({key(vk, extended), key(vk, extended | KEYEVENTF_KEYUP)});
}

std::string Win32Driver::caption(Target target) const {
    wchar_t text[64];
    return utf8(text, GetWindowTextW(hwnd(target), text, static_cast<int>(std::size(text))));
}

std::string Win32Driver::accessibleName(Target target) const {
    return accessible(hwnd(target), &IAccessible::get_accName);
}

std::string Win32Driver::accessibleDescription(Target target) const {
    return accessible(hwnd(target), &IAccessible::get_accDescription);
}

Box Win32Driver::box(Target target) const {
    RECT r;
    GetWindowRect(hwnd(target), &r);
    MapWindowPoints(nullptr, form_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Box Win32Driver::clientArea() const {
    RECT r;
    GetClientRect(form_.hwnd(), &r);
    return {0, 0, r.right, r.bottom};
}

bool Win32Driver::fits(Target target, const std::string& text) const {
    const HWND control = hwnd(target);
    wchar_t kind[16];
    GetClassNameW(control, kind, 16);
    const bool button = std::wstring_view(kind).ends_with(L"Button");
    if (std::wstring_view(kind).ends_with(L"ScrollBar")) return text.empty();
    // Where the control draws its text: a button inside its bevel and focus
    // rectangle; a label that wraps at its blanks breaks lines there.
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

int Win32Driver::value(Target bar) const { return GetScrollPos(hwnd(bar), SB_CTL); }

Target Win32Driver::focused() const {
    const HWND focus = GetFocus();
    for (int c = 0; c < layout::kControlCount; ++c) {
        const auto control = static_cast<layout::Control>(c);
        for (int rank = 0; rank < (layout::isPerRank(control) ? tally::kRankCount : 1); ++rank)
            if (form_.control(control, rank) == focus) return {control, rank};
    }
    return {layout::Control::cmd, -1};
}

}  // namespace window_testing
