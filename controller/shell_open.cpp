#include "controller/shell_open.h"

INT_PTR ShellOpen(HWND owner, const char* file, const char* parameters, const char* folder) {
    typedef HINSTANCE(WINAPI * ShellExecuteFunction)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static ShellExecuteFunction shellExecute;
    if (!shellExecute) {
        HMODULE shell = LoadLibraryA("shell32.dll");
        // Through void*: a function pointer of another type is what
        // GetProcAddress always hands out.
        if (shell) {
            shellExecute = reinterpret_cast<ShellExecuteFunction>(
                reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteA")));
        }
        if (!shellExecute) return SE_ERR_DLLNOTFOUND;
    }
    return reinterpret_cast<INT_PTR>(shellExecute(owner, "open", file, parameters, folder, SW_SHOW));
}
