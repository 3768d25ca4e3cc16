// The Windows start-up floor: a window of the program's size holding the same
// 80 controls at the same places, with their starting captions, the desktop's
// message font and the same manifest, and no logic at all.

#include <windows.h>

#include <string>

#include "layout.h"

namespace {

using layout::pixels;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND make(HWND parent, layout::Kind kind, const std::wstring& text, int left, int top, int width,
          int height, HFONT font) {
    static const wchar_t* const classes[] = {L"BUTTON", L"STATIC", L"SCROLLBAR"};
    static const DWORD styles[] = {BS_PUSHBUTTON | WS_TABSTOP, SS_LEFT, SBS_HORZ | WS_TABSTOP};
    const int k = static_cast<int>(kind);
    const HWND control = CreateWindowExW(
        0, classes[k], text.c_str(), WS_CHILD | WS_VISIBLE | styles[k], pixels(left), pixels(top),
        pixels(width), pixels(height), parent, nullptr, nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

std::wstring wide(const char* text) {
    wchar_t out[64];
    return {out, static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text, -1, out, 64) - 1)};
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

    static const char* const cards[] = {"2", "3",  "4", "5", "6", "7", "8",
                                        "9", "10", "V", "D", "R", "A"};
    static const int values[] = {1, 1, 1, 1, 1, 0, 0, 0, -1, -1, -1, -1, -1};
    for (const layout::RankRow& row : layout::kRankRows) {
        for (int rank = 0; rank < 13; ++rank) {
            std::wstring text = row.control == layout::Control::cmd      ? wide(cards[rank])
                                : row.control == layout::Control::Nombre ? L"0"
                                : row.control == layout::Control::Reste  ? L"24"
                                : row.control == layout::Control::Command1
                                    ? std::to_wstring(values[rank])
                                    : L"";
            const HWND control =
                make(window, row.kind, text, layout::kFirstColumn + rank * layout::kColumnPitch,
                     row.top, layout::kColumnWidth, row.height, font);
            if (row.kind == layout::Kind::ScrollBar)
                SetScrollRange(control, SB_CTL, rank < 8 ? 0 : -3, 32767, FALSE);
        }
    }
    for (const layout::Single& single : layout::kSingles) {
        const layout::Control c = single.control;
        std::wstring text = single.caption                    ? wide(single.caption)
                            : c == layout::Control::lblSabot  ? L"312"
                            : c == layout::Control::cmdNBJeux ? L"6"
                            : c == layout::Control::HScroll1  ? L""
                                                              : L"0";
        const HWND control = make(window, single.kind, text, single.left, single.top, single.width,
                                  single.height, font);
        if (single.kind == layout::Kind::ScrollBar) {
            SetScrollRange(control, SB_CTL, 0, 10, FALSE);
            SetScrollPos(control, SB_CTL, 6, FALSE);
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
