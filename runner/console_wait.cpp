#include "runner/console_wait.h"

namespace runner {

namespace {

BOOL WINAPI KeepRunning(DWORD event) { return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT; }

bool IsModifier(WORD key) {
    switch (key) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
    case VK_LWIN: case VK_RWIN: case VK_KANJI: case VK_CONVERT: case VK_NONCONVERT:
        return true;
    default:
        return false;
    }
}

}  // namespace

void LeaveBreaksToProgram() { SetConsoleCtrlHandler(KeepRunning, TRUE); }

WORD WaitForKey(HANDLE input) {
    DWORD mode = 0;
    if (!GetConsoleMode(input, &mode)) return 0;
    // Keys typed while the program ran are not the answer to the prompt.
    FlushConsoleInputBuffer(input);
    // Without processed input Ctrl+C is a key like any other here.
    SetConsoleMode(input, 0);
    WORD key = 0;
    for (;;) {
        INPUT_RECORD record;
        DWORD read = 0;
        if (!ReadConsoleInputA(input, &record, 1, &read) || read == 0) break;
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown &&
            !IsModifier(record.Event.KeyEvent.wVirtualKeyCode)) {
            key = record.Event.KeyEvent.wVirtualKeyCode;
            break;
        }
    }
    SetConsoleMode(input, mode);
    return key;
}

}  // namespace runner
