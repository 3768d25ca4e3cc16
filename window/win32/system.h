#pragma once

#include <windows.h>

// What the window asks of Windows where versions differ. The per-window dpi
// calls came with Windows 10 version 1607: they are looked up, not imported,
// so that the program starts on Windows 7 and 8.1 too, and answered there as
// those versions would (the monitor's dpi on 8.1, the system's on 7). And
// libraries come from the system's folder only, never from the program's own,
// which may be a Downloads folder holding anything.
namespace system_calls {

// From now on, libraries load from the system's folder only. Called before
// the first window, which loads the visual styles' library.
void loadLibrariesFromTheSystemOnly();

// A function of a library in the system's folder; null where this Windows
// has none.
FARPROC find(const wchar_t* library, const char* name);
template <class Function>
Function* find(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(find(library, name)));
}

// The dpi the system's metrics and fonts are given at.
UINT systemDpi();
// The dpi of the monitor the window is on, as far as this Windows tells it.
UINT dpiOf(HWND window);
// A system metric (GetSystemMetrics) at `dpi`.
int metricAt(int index, UINT dpi);
// Has the window's frame follow its dpi, from its WM_NCCREATE on.
void scaleFrameWithDpi(HWND window);

}  // namespace system_calls
