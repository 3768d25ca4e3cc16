#include <windows.h>

#include "form1.h"
#include "system.h"

// The program reads no command line; closing the window ends it with status 0.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    system_calls::loadLibrariesFromTheSystemOnly();
    Form1 form;
    ShowWindow(form.hwnd(), show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) form.deliver(message);
    return 0;
}
