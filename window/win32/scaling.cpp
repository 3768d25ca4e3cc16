// How large the window and its controls are, and where the window stands: the
// layout at the monitor's dpi, grown with the desktop's text size.

#include <algorithm>
#include <cstring>

#include "form1.h"
#include "resource.h"
#include "system.h"
#include "widgets.h"

using layout::pixels;

namespace {

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
    // A negative height is the characters' own, as points are; a positive one
    // is the cell's, which holds the internal leading too: the font says how
    // much.
    int height = -message.lfHeight;
    if (message.lfHeight > 0) {
        const HDC screen = GetDC(nullptr);
        const HFONT font = CreateFontIndirectW(&message);
        const HGDIOBJ previous = SelectObject(screen, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen, &metrics);
        SelectObject(screen, previous);
        DeleteObject(font);
        ReleaseDC(nullptr, screen);
        height = metrics.tmHeight - metrics.tmInternalLeading;
    }
    return std::max(100, MulDiv(height, 100, standard));
}

RECT workAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

}  // namespace

// The program's square icon at `size` pixels; null in an executable that does
// not carry it (the tests'), whose windows then show the system's default.
HICON Form1::programIcon(int size, UINT flags) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(SABOT_ICON),
                                         IMAGE_ICON, size, size, flags));
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
RECT Form1::where(const layout::Item& item) const {
    const int left = pixels(item.box.left, scale_), top = pixels(item.box.top, scale_);
    RECT at{left, top, left + pixels(item.box.width, scale_),
            top + pixels(item.box.height, scale_)};
    if (item.heading) {
        // The narrow headings wrap at their blanks; where the font needs more
        // lines than the drawn height holds, the label grows downwards into
        // the free space rather than cut its last line.
        const HDC dc = GetDC(hwnd_);
        const HGDIOBJ previous = SelectObject(dc, font_);
        RECT needed{0, 0, at.right - at.left, 0};
        DrawTextW(dc, wide(item.caption).c_str(), -1, &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, previous);
        ReleaseDC(hwnd_, dc);
        at.bottom = std::max(at.bottom, top + needed.bottom);
    }
    return at;
}

// The window's frame around the client area at the layout's scale. It keeps
// its place (or, at `start`, is centred) on its monitor's work area; along an
// axis where it no longer fits there, it is placed by the rule it starts by.
// A maximised or minimised window is fitted when it is restored: the size it
// restores to was drawn at the old scale.
void Form1::fit(bool start) {
    if (IsZoomed(hwnd_) || IsIconic(hwnd_)) {
        fitWhenRestored_ = true;
        return;
    }
    fitWhenRestored_ = false;
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
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const RECT r = where(layout::controls()[i]);
        SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    DeleteObject(previous);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// The desktop's text changed size, or its font: both show in the message font.
void Form1::followTextSize() {
    if (const LOGFONTW now = messageFont(); std::memcmp(&now, &message_, sizeof now)) {
        place(dpi_);
        fit(false);
    }
}
