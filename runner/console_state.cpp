#include "runner/console_state.h"

#include <vector>

namespace runner {

namespace {

ConsoleKept* theKept = NULL;

BOOL WINAPI RestoreOnTheWayOut(DWORD) {
    if (theKept) theKept->Restore();
    return FALSE;  // the next handler, the system's, ends execute.exe as before
}

// The palette calls came with Vista: looked up, not linked, so that older
// systems keep the rest.
typedef CONSOLE_SCREEN_BUFFER_INFOEX ScreenInfo;
typedef BOOL(WINAPI* ScreenInfoCall)(HANDLE, ScreenInfo*);

ScreenInfoCall Lookup(const char* name) {
    return reinterpret_cast<ScreenInfoCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

HANDLE OpenConsole(const char* name) {
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0,
                       NULL);
}

}  // namespace

ConsoleKept::ConsoleKept() {
    // The console's own handles, whatever the standard ones are: a case
    // reaches the console even when execute.exe's output is a pipe.
    input_ = OpenConsole("CONIN$");
    output_ = OpenConsole("CONOUT$");
    CONSOLE_SCREEN_BUFFER_INFO screen;
    if (output_ == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(output_, &screen)) return;
    attributes_ = screen.wAttributes;
    std::vector<wchar_t> title(32 * 1024);
    title_.assign(title.data(), GetConsoleTitleW(title.data(), static_cast<DWORD>(title.size())));
    inputCodePage_ = GetConsoleCP();
    outputCodePage_ = GetConsoleOutputCP();
    if (!GetConsoleMode(input_, &inputMode_)) inputMode_ = 0;
    GetConsoleMode(output_, &outputMode_);
    ScreenInfoCall get = Lookup("GetConsoleScreenBufferInfoEx");
    ScreenInfo info = {};
    info.cbSize = sizeof info;
    if (get && get(output_, &info)) {
        for (int i = 0; i < 16; ++i) colours_[i] = info.ColorTable[i];
        coloursKept_ = true;
    }
    kept_ = true;
    theKept = this;
    SetConsoleCtrlHandler(RestoreOnTheWayOut, TRUE);
}

ConsoleKept::~ConsoleKept() {
    Restore();
    if (theKept == this) {
        SetConsoleCtrlHandler(RestoreOnTheWayOut, FALSE);
        theKept = NULL;
    }
    if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
    if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
}

void ConsoleKept::Restore() {
    if (!kept_) return;
    SetConsoleActiveScreenBuffer(output_);
    SetConsoleTitleW(title_.c_str());
    if (GetConsoleCP() != inputCodePage_) SetConsoleCP(inputCodePage_);
    if (GetConsoleOutputCP() != outputCodePage_) SetConsoleOutputCP(outputCodePage_);
    if (input_ != INVALID_HANDLE_VALUE) SetConsoleMode(input_, inputMode_);
    SetConsoleMode(output_, outputMode_);
    SetConsoleTextAttribute(output_, attributes_);
    ScreenInfoCall get = Lookup("GetConsoleScreenBufferInfoEx"), set = Lookup("SetConsoleScreenBufferInfoEx");
    ScreenInfo info = {};
    info.cbSize = sizeof info;
    if (!coloursKept_ || !get || !set || !get(output_, &info)) return;
    bool changed = false;
    for (int i = 0; i < 16; ++i) changed = changed || info.ColorTable[i] != colours_[i];
    if (!changed) return;
    for (int i = 0; i < 16; ++i) info.ColorTable[i] = colours_[i];
    // The window comes back one column and one row narrower otherwise: the
    // call reads its right and bottom edges as past the window.
    ++info.srWindow.Right;
    ++info.srWindow.Bottom;
    set(output_, &info);
}

}  // namespace runner
