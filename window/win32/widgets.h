#pragma once

// The window's controls: the system's own of each kind, made as the table has
// them, in classes of the window's own so that screen readers hear what each
// stands for.

#include <windows.h>

#include <string>
#include <string_view>

#include "controls.h"

std::wstring wide(std::string_view text);

// Sent to a control's parent as the control takes the focus; lParam is the
// control.
inline constexpr UINT kControlFocused = WM_APP + 1;

// The id of the control at `index` in layout::controls() is this plus `index`.
inline constexpr int kFirstControlId = 100;

// The control at `index` in layout::controls(), as a child of `parent`, at
// `at` in client pixels, in `font`, captioned `text`: a scroll bar with its
// range and starting value, a value label with its frame.
HWND makeControl(const layout::Item& item, int index, HWND parent, const RECT& at, HFONT font,
                 const std::wstring& text);
