// The least program that does for its user what Kiln does with a compile:
// it starts the command line it was given with its output and its errors in
// two pipes, reads both with 64 KB reads until the child has ended, makes LF
// into CR LF, appends the end text and puts the whole in a pane of Kiln's
// window and pane styles and Kiln's pane font with one SetWindowTextA, then
// paints it. The yardstick for Kiln's time from start to result in
// bench/one_line_bench.cpp. It carries Kiln's application manifest, so that
// its pane is the same (version 6) edit control with the same scroll bars.
//
// Built a second time with KILN_PHASE_TIMES for the phase table, it notes
// the moments of bench/phase_times.h as Kiln's phase build does.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/command_tail.h"
#include "controller/phase_times.h"

namespace {

const DWORD kChunk = 64 * 1024;
const char kEndText[] = "Kiln:コンパイル終了";

struct Capture {
    HANDLE pipe;
    CRITICAL_SECTION* lock;
    std::string* text;
};

// Each pipe has a reader of its own: a blocking read on one pipe must not
// leave the child stuck on the other, full one.
DWORD WINAPI ReadToEnd(void* argument) {
    Capture* capture = static_cast<Capture*>(argument);
    char* buffer = new char[kChunk];
    DWORD got = 0;
    while (ReadFile(capture->pipe, buffer, kChunk, &got, NULL) && got > 0) {
        EnterCriticalSection(capture->lock);
        if (capture->text->empty()) MarkPhase(kPhaseFirstByte);
        capture->text->append(buffer, got);
        LeaveCriticalSection(capture->lock);
    }
    delete[] buffer;
    return 0;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16 + sizeof kEndText);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    MarkPhase(kPhaseMain);
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    MarkPhase(kPhaseClasses);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "MinimalCompile";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, "MinimalCompile", "Minimal",
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  NULL, NULL, instance, NULL);
    RECT client;
    GetClientRect(window, &client);
    HWND edit = CreateWindowExA(0, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_READONLY | ES_MULTILINE, 0, 0,
                                client.right, client.bottom, window, NULL, instance, NULL);
    HFONT font = CreateFontA(0, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, "ＭＳ ゴシック");
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    MarkPhase(kPhaseWindow);

    // As Kiln does: the compiler is started before the window shows, so that
    // it runs while the window is painted.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, kChunk);
    CreatePipe(&errRead, &errWrite, &inherit, kChunk);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION child = {};
    std::string commandLine = cmdline::Tail(GetCommandLineA());
    std::string text;
    CRITICAL_SECTION lock;
    InitializeCriticalSection(&lock);
    bool started = CreateProcessA(NULL, &commandLine[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &child);
    if (started) MarkPhase(kPhaseChildStarted);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MarkPhase(kPhaseShown);
    if (started) {
        Capture errors = {errRead, &lock, &text};
        HANDLE errorReader = CreateThread(NULL, 0, ReadToEnd, &errors, 0, NULL);
        Capture output = {outRead, &lock, &text};
        ReadToEnd(&output);
        WaitForSingleObject(errorReader, INFINITE);
        CloseHandle(errorReader);
        WaitForSingleObject(child.hProcess, INFINITE);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    MarkPhase(kPhaseCaptured);
    MarkPhase(kPhaseResultBegun);
    DeleteCriticalSection(&lock);
    CloseHandle(outRead);
    CloseHandle(errRead);
    text = WithCrLf(text);
    text += kEndText;
    MarkPhase(kPhaseConverted);
    SetWindowTextA(edit, text.c_str());
    MarkPhase(kPhaseTextIn);
    MarkPhase(kPhaseCounted);
    std::string().swap(text);

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (!IsWindow(window)) break;
    }
    SavePhases();
    return 0;
}
