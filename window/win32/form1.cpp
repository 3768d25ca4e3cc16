#include "form1.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "accessible.h"
#include "ranks.h"
#include "resource.h"
#include "system.h"

using layout::Control;
using layout::Kind;
using layout::pixels;

namespace {

constexpr wchar_t kClassName[] = L"Sabot.Form1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

std::wstring wide(std::string_view text) {
    // UTF-8 never takes fewer bytes than UTF-16 takes units.
    std::wstring out(text.size(), L'\0');
    out.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()))));
    return out;
}

// The three system control classes, indexed by Kind, each under a name of the
// window's own whose procedure answers screen readers and hands everything
// else to the system's: no control needs changing once made.
struct ControlClass {
    const wchar_t* system;
    const wchar_t* own;
    DWORD style;
    ATOM atom;
    WNDPROC procedure;
};
ControlClass controlClasses[] = {
    {L"BUTTON", L"Sabot.Button", BS_PUSHBUTTON | WS_TABSTOP, 0, nullptr},
    {L"STATIC", L"Sabot.Static", SS_LEFT | SS_NOPREFIX, 0, nullptr},
    {L"SCROLLBAR", L"Sabot.ScrollBar", SBS_HORZ | WS_TABSTOP, 0, nullptr},
};

// The display field a control shows, if it shows one.
std::optional<tally::FieldRef> fieldShownBy(Control control, int rank) {
    for (tally::FieldRef ref : tally::allFields())
        if (layout::displayOf(ref.field) == control && ref.rank == rank) return ref;
    return std::nullopt;
}

// The program's square icon at `size` pixels; null in an executable that does
// not carry it (the tests'), whose windows then show the system's default.
HICON programIcon(int size, UINT flags) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(SABOT_ICON),
                                         IMAGE_ICON, size, size, flags));
}

void setRange(HWND bar, int lowest, int highest, int value) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, lowest, highest, 0, value, 0};
    SetScrollInfo(bar, SB_CTL, &info, FALSE);
}

// The desktop's message font, at the system's dpi.
LOGFONTW messageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont;
}

// How much larger than standard the desktop has its text, in percent: its
// message font against Windows' own, 9 points. Whatever made that font larger
// makes the captions larger: the Text size setting of Windows 10 and 11, the
// larger font a user of Windows 7 or 8.1 picked, a theme. Never below the
// size the window was drawn at.
int textPercent(const LOGFONTW& message) {
    constexpr int kStandardPoints = 9, kPointsPerInch = 72;
    const int standard =
        MulDiv(kStandardPoints, static_cast<int>(system_calls::systemDpi()), kPointsPerInch);
    return std::max(100, MulDiv(std::abs(message.lfHeight), 100, standard));
}

RECT workAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

}  // namespace

Form1::Form1(Beep beep)
    : beep_(beep ? std::move(beep) : Beep([] { MessageBeep(MB_OK); })),
      tally_(tally::Tally::Hooks{
          .beep = [this] { beep_(); },
          .written = [this](tally::FieldRef ref) { showField(ref); },
      }) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    static const ATOM registered = [instance] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Form1::procedure;
        windowClass.hInstance = instance;
        // The class's icons suit the system's dpi; each window then sets its
        // own for the dpi of its monitor.
        windowClass.hIcon = programIcon(GetSystemMetrics(SM_CXICON), LR_SHARED);
        windowClass.hIconSm = programIcon(GetSystemMetrics(SM_CXSMICON), LR_SHARED);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = kClassName;
        for (ControlClass& control : controlClasses) {
            WNDCLASSEXW own{};
            own.cbSize = sizeof own;
            GetClassInfoExW(nullptr, control.system, &own);
            control.procedure = own.lpfnWndProc;
            own.lpfnWndProc = &Form1::controlProcedure;
            own.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
            own.hInstance = instance;
            own.lpszClassName = control.own;
            control.atom = RegisterClassExW(&own);
        }
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
    hwnd_ = CreateWindowExW(0, kClassName, L"Form1", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    useFont(static_cast<int>(system_calls::dpiOf(hwnd_)));
    useIcons(dpi_);
    build();
    fit(true);

    Form_Load();
    focus_ = control(Control::cmd, 0);
}

Form1::~Form1() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

HWND Form1::control(Control control, int rank) const {
    return controls_[static_cast<int>(control)][layout::isPerRank(control) ? rank : 0];
}

void Form1::deliver(MSG& message) const {
    // The dialog keys click the focused button at each key-down of Enter, the
    // keyboard's repeats included, and a button clicks at the release of a
    // Space pressed on it, which a click on another button meanwhile loses,
    // and its repeats press it again. So Enter and Space click the focused
    // button as they go down, once until let go, wherever the focus goes
    // meanwhile: the window keeps one record of those keys while they are
    // down, as Wine does not always mark their repeats. With Alt held both
    // are system keys, which click nothing.
    constexpr LPARAM kRepeat = LPARAM{1} << 30;
    const bool down = message.message == WM_KEYDOWN;
    if (message.wParam == VK_RETURN || message.wParam == VK_SPACE) {
        if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP)
            held_.erase(message.wParam);
        if (down && (!held_.insert(message.wParam).second || (message.lParam & kRepeat))) return;
    }
    if ((down || message.message == WM_KEYUP) && message.wParam == VK_SPACE) {
        const Entry* focus = find(GetFocus());
        if (focus && focus->kind == Kind::PushButton) {
            if (down)
                SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus->hwnd), BN_CLICKED),
                             reinterpret_cast<LPARAM>(focus->hwnd));
            return;
        }
    }
    if (IsDialogMessageW(hwnd_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// Win32 walks the WS_TABSTOP children in the order they were made, so the
// controls are made in the Tab order; their ids follow the same order.
void Form1::build() {
    entries_.reserve(layout::kRankRows.size() * tally::kRankCount + layout::kSingles.size());
    for (Control entry : layout::kTabOrder) {
        if (layout::isPerRank(entry)) {
            const auto& row =
                *std::ranges::find(layout::kRankRows, entry, &layout::RankRow::control);
            for (int rank = 0; rank < tally::kRankCount; ++rank) {
                const auto field = fieldShownBy(entry, rank);
                make({nullptr, entry, rank, row.kind,
                      layout::kFirstColumn + rank * layout::kColumnPitch, row.top,
                      layout::kColumnWidth, row.height, nullptr,
                      wide(row.heading) + L", " + wide(tally::kRanks[rank].caption)},
                     entry == Control::cmd ? wide(tally::kRanks[rank].caption)
                     : field               ? wide(tally_.text(*field))
                                           : std::wstring());
            }
        } else {
            const auto& single =
                *std::ranges::find(layout::kSingles, entry, &layout::Single::control);
            const auto field = fieldShownBy(entry, 0);
            make({nullptr, entry, 0, single.kind, single.left, single.top, single.width,
                  single.height, single.caption,
                  single.heading ? wide(single.heading) : std::wstring()},
                 single.caption ? wide(single.caption)
                 : field        ? wide(tally_.text(*field))
                                : std::wstring());
        }
    }

    for (int rank = 0; rank < tally::kRankCount; ++rank) {
        setRange(control(Control::HScroll2, rank), tally::kRanks[rank].lowestValue,
                 tally::kHighestValue, tally::kRanks[rank].startingValue);
    }
    setRange(control(Control::HScroll1), tally::kFewestDecks, tally::kMostDecks,
             tally::kStartingDecks);
}

void Form1::make(Entry entry, const std::wstring& text) {
    // The two value labels (a label with no caption of its own) get a frame
    // the headings do not have, and stay on one line.
    const ControlClass& kind = controlClasses[static_cast<int>(entry.kind)];
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
    if (entry.kind == Kind::Label && !entry.caption)
        style = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_BORDER;

    const auto id = static_cast<INT_PTR>(kFirstId + entries_.size());
    const RECT r = where(entry);
    entry.hwnd = CreateWindowExW(0, kind.own, text.c_str(), style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, hwnd_, reinterpret_cast<HMENU>(id),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(entry.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    controls_[static_cast<int>(entry.control)].push_back(entry.hwnd);
    entries_.push_back(std::move(entry));
}

// The desktop's message font at `dpi`: the system's metrics are for the
// system's dpi, and the window may be on a monitor of another. The layout
// grows with the dpi and as much again as the desktop has its text larger.
void Form1::useFont(int dpi) {
    message_ = messageFont();
    LOGFONTW font = message_;
    font.lfHeight = MulDiv(font.lfHeight, dpi, static_cast<int>(system_calls::systemDpi()));
    dpi_ = dpi;
    scale_ = MulDiv(dpi, textPercent(message_), 100);
    font_ = CreateFontIndirectW(&font);
}

// The program's icon drawn for `dpi` at the sizes the system asks for there:
// one scaled from the system's dpi would be blurred.
void Form1::useIcons(int dpi) {
    const auto at = static_cast<UINT>(dpi);
    const HICON bigIcon = programIcon(system_calls::metricAt(SM_CXICON, at), LR_DEFAULTCOLOR);
    const HICON smallIcon = programIcon(system_calls::metricAt(SM_CXSMICON, at), LR_DEFAULTCOLOR);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    bigIcon_ = bigIcon;
    smallIcon_ = smallIcon;
}

// Where a control stands at the layout's scale, in client pixels.
RECT Form1::where(const Entry& entry) const {
    const int left = pixels(entry.left, scale_), top = pixels(entry.top, scale_);
    RECT at{left, top, left + pixels(entry.width, scale_), top + pixels(entry.height, scale_)};
    if (entry.caption) {
        // The narrow headings wrap at their blanks; where the font needs more
        // lines than the drawn height holds, the label grows downwards into
        // the free space rather than cut its last line.
        const HDC dc = GetDC(hwnd_);
        const HGDIOBJ previous = SelectObject(dc, font_);
        RECT needed{0, 0, at.right - at.left, 0};
        DrawTextW(dc, wide(entry.caption).c_str(), -1, &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, previous);
        ReleaseDC(hwnd_, dc);
        at.bottom = std::max(at.bottom, top + needed.bottom);
    }
    return at;
}

// The window's frame around the client area at the layout's scale, where the
// window is neither maximised nor minimised. It keeps its place (or, at
// `start`, is centred) on its monitor's work area; along an axis where it no
// longer fits there, it is placed by the rule it starts by.
void Form1::fit(bool start) {
    if (IsZoomed(hwnd_) || IsIconic(hwnd_)) return;
    RECT now, client;
    GetWindowRect(hwnd_, &now);
    GetClientRect(hwnd_, &client);
    // The frame as the system draws it now, at the window's dpi.
    const int width = pixels(layout::kClientWidth, scale_) + (now.right - now.left) - client.right;
    const int height =
        pixels(layout::kClientHeight, scale_) + (now.bottom - now.top) - client.bottom;
    const RECT work = workAreaOf(hwnd_);
    const int left = start || now.left + width > work.right
                         ? layout::placed(work.left, work.right - work.left, width)
                         : now.left;
    const int top = start || now.top + height > work.bottom
                        ? layout::placed(work.top, work.bottom - work.top, height)
                        : now.top;
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The whole layout again, font included, for a window moved to a monitor of
// another dpi or a desktop whose text changed size.
void Form1::place(int dpi) {
    const HFONT previous = font_;
    useFont(dpi);
    for (const Entry& entry : entries_) {
        const RECT r = where(entry);
        SetWindowPos(entry.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(entry.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    DeleteObject(previous);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK Form1::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    if (auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
        return form->handle(message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Form1::controlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto atom = static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM));
    const auto& kind = *std::ranges::find(controlClasses, atom, &ControlClass::atom);
    const bool scrollBar = &kind == &controlClasses[static_cast<int>(Kind::ScrollBar)];
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        const auto* form =
            reinterpret_cast<Form1*>(GetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA));
        const Entry* entry = form ? form->find(hwnd) : nullptr;
        if (entry && !entry->purpose.empty()) {
            if (const LRESULT answer = answerScreenReader(hwnd, wParam, entry->purpose, scrollBar))
                return answer;
        }
    }
    // A scroll bar's own menu (Scroll Here, Left Edge, Right Edge...) would
    // wipe a shoe, or set a count value of 32767, in one click: it does not
    // open, by the mouse or by Shift+F10.
    if (message == WM_CONTEXTMENU && scrollBar) return 0;
    return CallWindowProcW(kind.procedure, hwnd, message, wParam, lParam);
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Enter and Escape with no default button send ids 1 and 2 with no
            // control: those are not clicks.
            if (lParam && HIWORD(wParam) == BN_CLICKED) command(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_HSCROLL:
            if (lParam) scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
            return 0;
        case DM_GETDEFID: {
            // As on a Windows form, Enter clicks the push button that holds
            // the focus; elsewhere it does nothing.
            const Entry* focus = find(GetFocus());
            return focus && focus->kind == Kind::PushButton
                       ? MAKELRESULT(GetDlgCtrlID(focus->hwnd), DC_HASDEFID)
                       : 0;
        }
        case WM_ACTIVATE:
            // The focus leaves with the window and comes back to the same control.
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (const HWND focus = GetFocus(); focus && IsChild(hwnd_, focus)) focus_ = focus;
                held_.clear();  // keys let go elsewhere are not reported here
            }
            break;
        case WM_ENTERMENULOOP:
        case WM_ENTERSIZEMOVE:
            held_.clear();  // nor those let go in the system's own message loops
            break;
        case WM_SETFOCUS:
            if (focus_) SetFocus(focus_);
            return 0;
        case WM_DPICHANGED: {
            // The layout for the new dpi, in the rectangle the system offers:
            // the window's own size scaled, or a maximised window's new whole.
            useIcons(HIWORD(wParam));
            place(HIWORD(wParam));
            const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SETTINGCHANGE:
            // The desktop's text changed size, or its font: both show in the
            // message font.
            if (const LOGFONTW now = messageFont(); std::memcmp(&now, &message_, sizeof now)) {
                place(dpi_);
                fit(false);
            }
            break;
        case WM_MENUCHAR:
            // Alt with a letter, in a window with no menu: rather than let
            // Windows beep, as a card does, close the menu it looked in.
            return MAKELRESULT(0, MNC_CLOSE);
        case WM_DESTROY:
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

const Form1::Entry* Form1::find(HWND control) const {
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(control) - kFirstId);
    return index < entries_.size() && entries_[index].hwnd == control ? &entries_[index] : nullptr;
}

void Form1::command(HWND from) {
    const Entry* entry = find(from);
    if (entry && entry->control == Control::cmd) cmd_Click(entry->rank);
    if (entry && entry->control == Control::cmdNBJeux) cmdNBJeux_Click();
}

// A Win32 scroll bar only reports what the user did; the window works out the
// new value, moves the thumb, and reports a Change when the value moved.
void Form1::scroll(HWND bar, int code) {
    const Entry* entry = find(bar);
    if (!entry || entry->kind != Kind::ScrollBar) return;

    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &info);
    int value = info.nPos;
    switch (code) {
        case SB_LINELEFT:
        case SB_PAGELEFT:
            --value;
            break;
        case SB_LINERIGHT:
        case SB_PAGERIGHT:
            ++value;
            break;
        case SB_LEFT:
            value = info.nMin;
            break;
        case SB_RIGHT:
            value = info.nMax;
            break;
        case SB_THUMBPOSITION:
            // The 16 bits of the message cannot hold every value; the scroll
            // bar's own record of the drag can.
            value = info.nTrackPos;
            break;
        default:  // SB_THUMBTRACK while dragging, SB_ENDSCROLL after any move
            return;
    }
    value = std::clamp(value, info.nMin, info.nMax);
    if (value == info.nPos) return;
    SetScrollPos(bar, SB_CTL, value, TRUE);
    if (entry->control == Control::HScroll1)
        HScroll1_Change();
    else
        HScroll2_Change(entry->rank);
}

void Form1::showField(tally::FieldRef ref) {
    SetWindowTextW(control(layout::displayOf(ref.field), ref.rank), wide(tally_.text(ref)).c_str());
}

void Form1::Form_Load() { tally_.Form_Load(); }

void Form1::cmd_Click(int rank) { tally_.cmd_Click(rank); }

void Form1::cmdNBJeux_Click() { tally_.cmdNBJeux_Click(); }

void Form1::HScroll1_Change() {
    tally_.HScroll1_Change(GetScrollPos(control(Control::HScroll1), SB_CTL));
}

void Form1::HScroll2_Change(int rank) {
    tally_.HScroll2_Change(rank, GetScrollPos(control(Control::HScroll2, rank), SB_CTL));
}
