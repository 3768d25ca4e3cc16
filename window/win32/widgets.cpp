#include "widgets.h"

#include <commctrl.h>

#include "accessible.h"

using layout::Kind;

std::wstring wide(std::string_view text) {
    // UTF-8 never takes fewer bytes than UTF-16 takes units.
    std::wstring out(text.size(), L'\0');
    out.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()))));
    return out;
}

namespace {

// The system's class and style of each kind, indexed by Kind.
struct SystemClass {
    const wchar_t* name;
    DWORD style;
};
constexpr SystemClass kClasses[] = {
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP},
    {L"STATIC", SS_LEFT | SS_NOPREFIX},
    {L"SCROLLBAR", SBS_HORZ | WS_TABSTOP},
};
// A value label keeps to one line, in a frame the headings do not have.
constexpr DWORD kValueLabelStyle = SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_BORDER;

// Between the system's procedure and the world: screen readers learn what the
// control stands for, and a scroll bar opens no menu. `data` is the control's
// entry in the table.
LRESULT CALLBACK hooked(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                        DWORD_PTR data) {
    const auto& item = *reinterpret_cast<const layout::Item*>(data);
    const bool scrollBar = item.kind == Kind::ScrollBar;
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT) &&
        !item.purpose.empty()) {
        if (const LRESULT answer =
                answerScreenReader(control, wParam, wide(item.purpose), scrollBar))
            return answer;
    }
    // A scroll bar's own menu (Scroll Here, Left Edge, Right Edge...) would
    // wipe a shoe, or set a count value of 32767, in one click: it does not
    // open, by the mouse or by Shift+F10.
    if (message == WM_CONTEXTMENU && scrollBar) return 0;
    if (message == WM_SETFOCUS)
        SendMessageW(GetParent(control), kControlFocused, 0, reinterpret_cast<LPARAM>(control));
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, &hooked, 0);
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

HWND makeControl(const layout::Item& item, HWND parent, int id, const RECT& at, HFONT font,
                 const std::wstring& text) {
    const SystemClass& kind = kClasses[static_cast<int>(item.kind)];
    const DWORD style = WS_CHILD | WS_VISIBLE | (item.framed ? kValueLabelStyle : kind.style);
    const HWND control = CreateWindowExW(0, kind.name, text.c_str(), style, at.left, at.top,
                                         at.right - at.left, at.bottom - at.top, parent,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         GetModuleHandleW(nullptr), nullptr);
    SetWindowSubclass(control, &hooked, 0, reinterpret_cast<DWORD_PTR>(&item));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (item.kind == Kind::ScrollBar) {
        SCROLLINFO info{
            sizeof info, SIF_RANGE | SIF_POS, item.lowest, item.highest, 0, item.start, 0};
        SetScrollInfo(control, SB_CTL, &info, FALSE);
    }
    return control;
}
