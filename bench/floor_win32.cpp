// The Windows start-up floor: a window of the program's size holding the same
// 80 controls at the same places, from the same table, with their starting
// captions, the desktop's message font and the same manifest, and no logic.

#include <windows.h>

#include <string>

#include "controls.h"

namespace {

using layout::pixels;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND make(HWND parent, layout::Kind kind, const std::wstring& text, const layout::Twips& box,
          HFONT font) {
    static const wchar_t* const classes[] = {L"BUTTON", L"STATIC", L"SCROLLBAR"};
    static const DWORD styles[] = {BS_PUSHBUTTON | WS_TABSTOP, SS_LEFT, SBS_HORZ | WS_TABSTOP};
    const int k = static_cast<int>(kind);
    const HWND control = CreateWindowExW(
        0, classes[k], text.c_str(), WS_CHILD | WS_VISIBLE | styles[k], pixels(box.left),
        pixels(box.top), pixels(box.width), pixels(box.height), parent, nullptr, nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

std::wstring wide(const std::string& text) {
    wchar_t out[64];
    return {out, static_cast<std::size_t>(MultiByteToWideChar(
                     CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out, 64))};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"Floor";
    RegisterClassExW(&windowClass);

    RECT frame{0, 0, pixels(layout::kClientWidth), pixels(layout::kClientHeight)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const HWND window = CreateWindowExW(
        0, L"Floor", L"Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

    // The texts the window starts with.
    tally::Tally start;
    start.Form_Load();
    for (const layout::Item& item : layout::controls()) {
        const HWND control =
            make(window, item.kind, wide(item.shows ? start.text(*item.shows) : item.caption),
                 item.box, font);
        if (item.kind == layout::Kind::ScrollBar) {
            SetScrollRange(control, SB_CTL, item.lowest, item.highest, FALSE);
            SetScrollPos(control, SB_CTL, item.start, FALSE);
        }
    }
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
