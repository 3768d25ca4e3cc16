#include "form1.h"

#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "ranks.h"
#include "resource.h"

using layout::Control;
using layout::Kind;
using layout::pixels;

namespace {

constexpr wchar_t kClassName[] = L"Sabot.Form1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

// The accessibility libraries cost a good part of the start-up to load, and
// only a screen reader needs them: they load on its first request.
template <class Function>
Function* fromLibrary(const wchar_t* library, const char* name) {
    const FARPROC found = GetProcAddress(LoadLibraryW(library), name);
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

std::wstring wide(std::string_view text) {
    // UTF-8 never takes fewer bytes than UTF-16 takes units.
    std::wstring out(text.size(), L'\0');
    out.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()))));
    return out;
}

// The accessible object the system makes for a control's client area, with
// the control's purpose added: as the name of a scroll bar, which has no
// caption to be named by, and as the description of any other control.
class Accessible final : public IAccessible {
public:
    Accessible(IAccessible* standard, const std::wstring& purpose, bool asName)
        : standard_(standard), purpose_(purpose), asName_(asName) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id != IID_IUnknown && id != IID_IDispatch && id != IID_IAccessible) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // What this object adds.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (asName_ && isSelf(child)) return answer(name);
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!asName_ && isSelf(child)) return answer(description);
        return standard_->get_accDescription(child, description);
    }

    // Everything else is the system's.
    // clang-format off
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return standard_->GetTypeInfoCount(n); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return standard_->GetTypeInfo(i, l, t); }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override { return standard_->GetIDsOfNames(r, n, c, l, d); }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e, UINT* a) override { return standard_->Invoke(d, r, l, f, p, v, e, a); }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return standard_->get_accParent(p); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override { return standard_->get_accChildCount(n); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** p) override { return standard_->get_accChild(c, p); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* s) override { return standard_->get_accValue(c, s); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT* v) override { return standard_->get_accRole(c, v); }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* v) override { return standard_->get_accState(c, v); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* s) override { return standard_->get_accHelp(c, s); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* s, VARIANT c, LONG* t) override { return standard_->get_accHelpTopic(s, c, t); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* s) override { return standard_->get_accKeyboardShortcut(c, s); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* v) override { return standard_->get_accFocus(v); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* v) override { return standard_->get_accSelection(v); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* s) override { return standard_->get_accDefaultAction(c, s); }
    HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT c) override { return standard_->accSelect(f, c); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT c) override { return standard_->accLocation(x, y, w, h, c); }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override { return standard_->accNavigate(d, s, e); }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* v) override { return standard_->accHitTest(x, y, v); }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override { return standard_->accDoDefaultAction(c); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR s) override { return standard_->put_accName(c, s); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR s) override { return standard_->put_accValue(c, s); }
    // clang-format on

private:
    ~Accessible() { standard_->Release(); }
    static bool isSelf(const VARIANT& child) {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }
    HRESULT answer(BSTR* text) const {
        static auto* const allocate =
            fromLibrary<decltype(SysAllocString)>(L"oleaut32.dll", "SysAllocString");
        *text = allocate(purpose_.c_str());
        return *text ? S_OK : E_OUTOFMEMORY;
    }

    IAccessible* standard_;
    std::wstring purpose_;
    bool asName_;
    ULONG references_ = 1;
};

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
    useFont(static_cast<int>(GetDpiForWindow(hwnd_)));
    useIcons(dpi_);
    build();
    sizeFrame();

    // Placed on the work area of its monitor, frame included.
    RECT frame;
    GetWindowRect(hwnd_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(hwnd_, nullptr,
                 layout::placed(work.left, work.right - work.left, frame.right - frame.left),
                 layout::placed(work.top, work.bottom - work.top, frame.bottom - frame.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

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
// system's dpi, and the window may be on a monitor of another.
void Form1::useFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW& message = metrics.lfMessageFont;
    message.lfHeight = MulDiv(message.lfHeight, dpi, static_cast<int>(GetDpiForSystem()));
    dpi_ = dpi;
    font_ = CreateFontIndirectW(&message);
}

// The program's icon drawn for `dpi` at the sizes the system asks for there:
// one scaled from the system's dpi would be blurred.
void Form1::useIcons(int dpi) {
    const auto at = static_cast<UINT>(dpi);
    const HICON bigIcon = programIcon(GetSystemMetricsForDpi(SM_CXICON, at), LR_DEFAULTCOLOR);
    const HICON smallIcon = programIcon(GetSystemMetricsForDpi(SM_CXSMICON, at), LR_DEFAULTCOLOR);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    bigIcon_ = bigIcon;
    smallIcon_ = smallIcon;
}

// Where a control stands at the window's dpi, in client pixels.
RECT Form1::where(const Entry& entry) const {
    const int left = pixels(entry.left, dpi_), top = pixels(entry.top, dpi_);
    RECT at{left, top, left + pixels(entry.width, dpi_), top + pixels(entry.height, dpi_)};
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

// The client area at the window's dpi, frame included.
void Form1::sizeFrame() {
    RECT frame{0, 0, pixels(layout::kClientWidth, dpi_), pixels(layout::kClientHeight, dpi_)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, static_cast<UINT>(dpi_));
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The whole layout again, fonts included, for a window moved to a monitor of
// another dpi.
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
    sizeFrame();
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
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        const auto* form =
            reinterpret_cast<Form1*>(GetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA));
        const Entry* entry = form ? form->find(hwnd) : nullptr;
        if (entry && !entry->purpose.empty()) {
            static auto* const createStandard = fromLibrary<decltype(CreateStdAccessibleObject)>(
                L"oleacc.dll", "CreateStdAccessibleObject");
            static auto* const lresultFromObject =
                fromLibrary<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
            // The object goes to the reader's process through COM, which this
            // thread then needs.
            static const HRESULT com = fromLibrary<decltype(CoInitializeEx)>(
                L"ole32.dll", "CoInitializeEx")(nullptr, COINIT_APARTMENTTHREADED);
            (void)com;
            IAccessible* standard = nullptr;
            if (SUCCEEDED(createStandard(hwnd, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(&standard)))) {
                auto* accessible =
                    new Accessible(standard, entry->purpose, entry->kind == Kind::ScrollBar);
                const LRESULT result = lresultFromObject(IID_IAccessible, wParam, accessible);
                accessible->Release();
                return result;
            }
        }
    }
    const auto atom = static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM));
    const auto& kind = *std::ranges::find(controlClasses, atom, &ControlClass::atom);
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
            }
            break;
        case WM_SETFOCUS:
            if (focus_) SetFocus(focus_);
            return 0;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            useIcons(HIWORD(wParam));
            place(HIWORD(wParam));
            return 0;
        }
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
