# Fails the build where EXECUTABLE imports a function that Windows 7 SP1 does
# not have: the system would refuse to start the program, with "entry point
# not found". The list names those the program's code or its runtime could
# come to use; a call that is newer than Windows 7 is looked up at run time.
# cmake -DOBJDUMP=... -DEXECUTABLE=... -P windows7_imports.cmake
set(newer
    # user32, Windows 10: per-window and per-monitor dpi
    AdjustWindowRectExForDpi GetDpiForSystem GetDpiForWindow GetSystemMetricsForDpi
    SystemParametersInfoForDpi EnableNonClientDpiScaling GetDpiForMonitor
    SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext
    GetAwarenessFromDpiAwarenessContext GetWindowDpiAwarenessContext
    # user32 and kernel32, Windows 8
    SetProcessDpiAwareness GetPointerType SetDefaultDllDirectories AddDllDirectory
    GetSystemTimePreciseAsFileTime CreateFile2 GetCurrentThreadStackLimits
    # kernel32, Windows 10
    SetThreadDescription GetThreadDescription)
execute_process(COMMAND ${OBJDUMP} -p ${EXECUTABLE} OUTPUT_VARIABLE table COMMAND_ERROR_IS_FATAL ANY)
foreach(function IN LISTS newer)
    if(table MATCHES "[ \t]${function}\n")
        message(FATAL_ERROR "${EXECUTABLE} imports ${function}, which Windows 7 does not have")
    endif()
endforeach()
