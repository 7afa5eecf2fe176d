// What a program may change in the console execute.exe shares with the
// user and the user would keep: its title, both code pages, the modes of
// its input and output, the screen buffer shown and its colours. A case
// can join execute.exe's console by its id, and the program run on the
// keyboard may leave the code page at 65001, so that execute.exe's own
// lines would turn to garbage and cmd's console keep it all afterwards.
#ifndef KILN_RUNNER_CONSOLE_STATE_H
#define KILN_RUNNER_CONSOLE_STATE_H

#include <windows.h>

#include <string>

namespace runner {

// Notes the state when made and puts it back on Restore, when destroyed
// and when Ctrl+C, Ctrl+Break or the closing of the window ends
// execute.exe. One a process: the console's handler knows only that one.
class ConsoleKept {
public:
    ConsoleKept();
    ~ConsoleKept();
    void Restore();
    ConsoleKept(const ConsoleKept&) = delete;
    ConsoleKept& operator=(const ConsoleKept&) = delete;

private:
    bool kept_ = false;
    HANDLE input_ = INVALID_HANDLE_VALUE, output_ = INVALID_HANDLE_VALUE;
    std::wstring title_;
    UINT inputCodePage_ = 0, outputCodePage_ = 0;
    DWORD inputMode_ = 0, outputMode_ = 0;
    WORD attributes_ = 0;
    COLORREF colours_[16] = {};
    bool coloursKept_ = false;
};

}  // namespace runner

#endif
