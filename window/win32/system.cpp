#include "system.h"

#include <string>

namespace system_calls {
namespace {

HMODULE systemLibrary(const wchar_t* name) {
    if (const HMODULE loaded = GetModuleHandleW(name)) return loaded;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + name;
    // What the library loads in turn comes from its own folder, the system's.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

template <class Function>
Function* user32(const char* name) {
    return find<Function>(L"user32.dll", name);
}

}  // namespace

void loadLibrariesFromTheSystemOnly() {
    // Windows 8 and later, and 7 with its update KB2533623; without it the
    // program's own loads still name the system's folder.
    if (auto* only = find<BOOL WINAPI(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories"))
        only(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

FARPROC find(const wchar_t* library, const char* name) {
    const HMODULE module = systemLibrary(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

UINT systemDpi() {
    static auto* const ofSystem = user32<UINT WINAPI()>("GetDpiForSystem");
    if (ofSystem) return ofSystem();
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

UINT dpiOf(HWND window) {
    static auto* const ofWindow = user32<UINT WINAPI(HWND)>("GetDpiForWindow");
    if (ofWindow) return ofWindow(window);
    // Windows 8.1 tells each monitor's dpi; MDT_EFFECTIVE_DPI is 0.
    static auto* const ofMonitor =
        find<HRESULT WINAPI(HMONITOR, int, UINT*, UINT*)>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (ofMonitor &&
        SUCCEEDED(ofMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)))
        return y;
    return systemDpi();
}

int metricAt(int index, UINT dpi) {
    static auto* const forDpi = user32<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

void scaleFrameWithDpi(HWND window) {
    // Windows 10 version 1607 knows only the first per-monitor awareness (the
    // second, which scales the frame itself, came with 1703), and leaves the
    // frame at the system's dpi unless asked. Later versions need no asking;
    // 8.1 and 7 cannot be asked.
    static auto* const enable = user32<BOOL WINAPI(HWND)>("EnableNonClientDpiScaling");
    if (enable) enable(window);
}

}  // namespace system_calls
