#pragma once

#include <windows.h>

#include <string>

// Answers a screen reader's WM_GETOBJECT for a control's client area with the
// system's own accessible object for it, the control's purpose added: as the
// name of a scroll bar, which has no caption to be named by, and as the
// description of any other control; and a scroll bar's value as the number it
// stands at. Returns 0 where the system's object cannot be had, for the
// control to answer as it would.
LRESULT answerScreenReader(HWND control, WPARAM wParam, const std::wstring& purpose,
                           bool scrollBar);
