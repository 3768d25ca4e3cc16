#include "widgets.h"

#include <iterator>

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

// Each kind's own class: the system's under a name of the window's, whose
// procedure answers screen readers and hands everything else to the system's.
// A superclass rather than each control subclassed (SetWindowSubclass): the
// 80 subclassings cost 6 % of the painted start-up under Wine (286 against
// 268 ms, medians of 25 alternating runs), where the superclass costs nothing
// per control.
struct OwnClass {
    const wchar_t* system;
    const wchar_t* own;
    DWORD style;
};
constexpr OwnClass kClasses[] = {
    // indexed by Kind
    {L"BUTTON", L"Sabot.Button", BS_PUSHBUTTON | WS_TABSTOP},
    {L"STATIC", L"Sabot.Static", SS_LEFT | SS_NOPREFIX},
    {L"SCROLLBAR", L"Sabot.ScrollBar", SBS_HORZ | WS_TABSTOP},
};
// A value label keeps to one line, in a frame the headings do not have.
constexpr DWORD kValueLabelStyle = SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_BORDER;

WNDPROC systemProcedure[std::size(kClasses)];  // each kind's, as the system has it

// Between the system's procedure and the world: screen readers learn what the
// control stands for, the window which control has the focus, and a scroll
// bar opens no menu.
template <Kind kind>
LRESULT CALLBACK procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr bool scrollBar = kind == Kind::ScrollBar;
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        const auto index = static_cast<std::size_t>(GetDlgCtrlID(control) - kFirstControlId);
        if (index < layout::controls().size()) {
            const std::string& purpose = layout::controls()[index].purpose;
            if (!purpose.empty())
                if (const LRESULT answer =
                        answerScreenReader(control, wParam, wide(purpose), scrollBar))
                    return answer;
        }
    }
    // A scroll bar's own menu (Scroll Here, Left Edge, Right Edge...) would
    // wipe a shoe, or set a count value of 32767, in one click: it does not
    // open, by the mouse or by Shift+F10.
    if (message == WM_CONTEXTMENU && scrollBar) return 0;
    if (message == WM_SETFOCUS)
        SendMessageW(GetParent(control), kControlFocused, 0, reinterpret_cast<LPARAM>(control));
    return CallWindowProcW(systemProcedure[static_cast<int>(kind)], control, message, wParam,
                           lParam);
}

constexpr WNDPROC kProcedures[] = {&procedure<Kind::PushButton>, &procedure<Kind::Label>,
                                   &procedure<Kind::ScrollBar>};

void registerClasses() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (std::size_t k = 0; k < std::size(kClasses); ++k) {
        WNDCLASSEXW own{};
        own.cbSize = sizeof own;
        GetClassInfoExW(nullptr, kClasses[k].system, &own);
        systemProcedure[k] = own.lpfnWndProc;
        own.lpfnWndProc = kProcedures[k];
        own.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
        own.hInstance = instance;
        own.lpszClassName = kClasses[k].own;
        RegisterClassExW(&own);
    }
}

}  // namespace

HWND makeControl(const layout::Item& item, int index, HWND parent, const RECT& at, HFONT font,
                 const std::wstring& text) {
    static const bool registered = (registerClasses(), true);
    (void)registered;
    const OwnClass& kind = kClasses[static_cast<int>(item.kind)];
    const DWORD style = WS_CHILD | WS_VISIBLE | (item.framed ? kValueLabelStyle : kind.style);
    const HWND control = CreateWindowExW(
        0, kind.own, text.c_str(), style, at.left, at.top, at.right - at.left, at.bottom - at.top,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (item.kind == Kind::ScrollBar) {
        SCROLLINFO info{
            sizeof info, SIF_RANGE | SIF_POS, item.lowest, item.highest, 0, item.start, 0};
        SetScrollInfo(control, SB_CTL, &info, FALSE);
    }
    return control;
}
