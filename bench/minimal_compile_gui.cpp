// The least a program can do to show a compiler's output: start the command
// line it was given with its output in one pipe, read to the end, and show
// the text followed by "END" in an edit control. The yardstick for Kiln's
// time from start to result in bench/one_line_bench.cpp.
#include <windows.h>

#include <string>

#include "common/command_tail.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MinimalCompile";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "MinimalCompile", "Minimal", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                  NULL, NULL, instance, NULL);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 400, 300, window, NULL,
                                instance, NULL);

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION child = {};
    std::string commandLine = cmdline::Tail(GetCommandLineA());
    std::string text;
    if (CreateProcessA(NULL, &commandLine[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &child)) {
        CloseHandle(writeEnd);
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, NULL) && got > 0) text.append(buffer, got);
        WaitForSingleObject(child.hProcess, INFINITE);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    CloseHandle(readEnd);
    SetWindowTextA(edit, (text + "END").c_str());

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (!IsWindow(window)) break;
    }
    return 0;
}
