#include "form1.h"

#include <algorithm>

#include "system.h"
#include "widgets.h"

using layout::Control;
using layout::Kind;

namespace {

constexpr wchar_t kClassName[] = L"Sabot.Form1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

}  // namespace

Form1::Form1(Beep beep)
    : beep_(beep ? std::move(beep) : Beep([] { MessageBeep(MB_OK); })),
      tally_(tally::Tally::Hooks{
          .beep = [this] { beep_(); },
          .written = [this](tally::FieldRef ref, const std::string& text) { showField(ref, text); },
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
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
    hwnd_ = CreateWindowExW(0, kClassName, L"Form1", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    useFont(static_cast<int>(system_calls::dpiOf(hwnd_)));
    useIcons(dpi_);
    build();
    fit(true);

    tally_.Form_Load();
    focus_ = control(Control::cmd, 0);
}

Form1::~Form1() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

HWND Form1::control(layout::Control control, int rank) const {
    const HWND window = controls_[layout::indexOf(control, rank)];
    return window;
}

void Form1::deliver(MSG& message) {
    // Enter and Space go by the press rules alone: the dialog manager would
    // click at each key-down of Enter, the keyboard's repeats included, and a
    // button at the release of a Space pressed on it, which a click on another
    // button meanwhile loses. With Alt held they are system keys, which go on
    // to the system once the rules have heard of them.
    if (message.wParam == VK_RETURN || message.wParam == VK_SPACE) {
        constexpr LPARAM kRepeat = LPARAM{1} << 30, kAlt = LPARAM{1} << 29;
        const auto key =
            message.wParam == VK_RETURN ? layout::ClickKey::Enter : layout::ClickKey::Space;
        switch (message.message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                follow(presses_.keyDown(key, (message.lParam & kRepeat) != 0,
                                        {(message.lParam & kAlt) != 0, GetKeyState(VK_CONTROL) < 0},
                                        indexOf(GetFocus())));
                if (message.message == WM_KEYDOWN) return;
                break;
            case WM_KEYUP:
            case WM_SYSKEYUP:
                follow(presses_.keyUp(key));
                if (message.message == WM_KEYUP) return;
                break;
            default:
                break;
        }
    }
    if (IsDialogMessageW(hwnd_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// Win32 walks the WS_TABSTOP children in the order they were made, so the
// controls are made in the Tab order; their ids follow the same order.
void Form1::build() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const layout::Item& item = layout::controls()[i];
        const std::string& text = item.shows ? tally_.text(*item.shows) : item.caption;
        controls_[i] =
            makeControl(item, static_cast<int>(i), hwnd_, where(item), font_, wide(text));
        reported_[i] = item.start;
    }
}

LRESULT CALLBACK Form1::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        system_calls::scaleFrameWithDpi(hwnd);
    }
    if (auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
        return form->handle(message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Enter and Escape with no default button send ids 1 and 2 with no
            // control: those are not clicks.
            // A button's own click (the mouse, an assistive tool's press) goes
            // by the press rules too.
            if (HIWORD(wParam) == BN_CLICKED)
                follow(presses_.activated(indexOf(reinterpret_cast<HWND>(lParam))));
            return 0;
        case WM_HSCROLL:
            if (lParam) scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
            // The end of the bar's own loop, which took any key let go meanwhile.
            if (LOWORD(wParam) == SB_ENDSCROLL) followKeyState();
            return 0;
        case DM_GETDEFID: {
            // As on a Windows form, Enter clicks the push button that holds
            // the focus; elsewhere it does nothing.
            const HWND focus = GetFocus();
            const layout::Item* item = find(focus);
            return item && item->kind == Kind::PushButton
                       ? MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID)
                       : 0;
        }
        case WM_ACTIVATE:
            // Keys let go in another window go unseen; one held as the window
            // comes back is marked as the keyboard's repeat.
            if (LOWORD(wParam) == WA_INACTIVE) follow(presses_.keysDown({}));
            break;
        case WM_EXITMENULOOP:
        case WM_EXITSIZEMOVE:
            followKeyState();  // the system's own loops take the keys let go meanwhile
            break;
        case kControlFocused:
            // The control the focus comes back to when the window has it
            // again, however the window lost it: remembered as each control
            // receives it.
            if (find(reinterpret_cast<HWND>(lParam))) focus_ = reinterpret_cast<HWND>(lParam);
            return 0;
        case WM_SETFOCUS:
            // Minimised, the window keeps the focus itself until restored.
            if (!IsIconic(hwnd_)) restoreFocus();
            return 0;
        case WM_DPICHANGED: {
            // The layout for the new dpi, in the rectangle the system offers:
            // the window's own size scaled, or a maximised window's new whole.
            // Maximised or minimised, the window takes its size for the new
            // dpi when restored.
            useIcons(HIWORD(wParam));
            place(HIWORD(wParam));
            fitWhenRestored_ = fitWhenRestored_ || IsZoomed(hwnd_) || IsIconic(hwnd_);
            if (IsIconic(hwnd_)) return 0;
            const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SIZE:
            follow(presses_.minimised(wParam == SIZE_MINIMIZED));
            if (wParam == SIZE_MINIMIZED) break;
            followKeyState();
            if (GetFocus() == hwnd_) restoreFocus();
            if (wParam == SIZE_RESTORED && fitWhenRestored_) fit(false);
            break;
        case WM_SETTINGCHANGE:
            followTextSize();
            break;
        case WM_MENUCHAR:
            // Alt with a letter, in a window with no menu: rather than let
            // Windows beep, as a card does, close the menu it looked in. A
            // letter typed in the open system menu that matches none of its
            // items leaves it open, as in any menu.
            if (HIWORD(wParam) & MF_POPUP) break;
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

int Form1::indexOf(HWND control) const {
    const layout::Item* item = find(control);
    return item ? static_cast<int>(item - layout::controls().data()) : layout::kNoControl;
}

// A click the rules allow raises the button's event; what they press or let
// go shows as the button's pushed state.
void Form1::follow(const layout::Presses::Outcome& outcome) {
    for (const auto& [index, down] : outcome.looks)
        SendMessageW(controls_[static_cast<std::size_t>(index)], BM_SETSTATE, down, 0);
    if (outcome.click != layout::kNoControl)
        layout::raise(tally_, layout::controls()[static_cast<std::size_t>(outcome.click)]);
}

// The keys as the thread's own state has them, up to the last message read.
void Form1::followKeyState() {
    follow(presses_.keysDown({GetKeyState(VK_RETURN) < 0, GetKeyState(VK_SPACE) < 0}));
}

void Form1::restoreFocus() {
    if (focus_) SetFocus(focus_);
}

const layout::Item* Form1::find(HWND control) const {
    if (!control) return nullptr;
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(control) - kFirstControlId);
    return index < controls_.size() && controls_[index] == control ? &layout::controls()[index]
                                                                   : nullptr;
}

// A Win32 scroll bar only reports what the user did; the window works out the
// new value from the one the bar shows, moves the thumb, and reports a Change
// when the value differs from the one it last reported. Another program, or an
// automation client through the system's proxy, may have moved the bar before
// it tells a release of the thumb there: the counters follow the bar all the
// same, once per change. The range is the window's own: a bar another program
// gave another range is set back to it, at the nearest end.
void Form1::scroll(HWND bar, int code) {
    const layout::Item* item = find(bar);
    if (!item || item->kind != Kind::ScrollBar) return;

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
            value = item->lowest;
            break;
        case SB_RIGHT:
            value = item->highest;
            break;
        case SB_THUMBPOSITION:
            // The 16 bits of the message cannot hold every value; the scroll
            // bar's own record of the drag can.
            value = info.nTrackPos;
            break;
        default:  // SB_THUMBTRACK while dragging, SB_ENDSCROLL after any move
            return;
    }
    value = std::clamp(value, item->lowest, item->highest);
    if (info.nMin != item->lowest || info.nMax != item->highest) {
        const SCROLLINFO own{sizeof own, SIF_RANGE | SIF_POS, item->lowest, item->highest, 0, value,
                             0};
        SetScrollInfo(bar, SB_CTL, &own, TRUE);
    } else if (value != info.nPos) {
        SetScrollPos(bar, SB_CTL, value, TRUE);
    }
    int& reported = reported_[static_cast<std::size_t>(item - layout::controls().data())];
    if (value == reported) return;
    reported = value;
    layout::raise(tally_, *item, value);
}

void Form1::showField(tally::FieldRef ref, const std::string& text) {
    SetWindowTextW(controls_[layout::indexOf(layout::displayOf(ref.field), ref.rank)],
                   wide(text).c_str());
}
