#include "runner/console_wait.h"

namespace runner {

namespace {

BOOL WINAPI KeepRunning(DWORD event) { return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT; }

// Keys that change what other keys type, or switch the input method, are
// no answer. A Japanese keyboard sends 半角/全角 as VK_OEM_AUTO and
// VK_OEM_ENLW in turn (VK_KANJI through the input method), カタカナ/ひらがな
// as VK_OEM_COPY (VK_KANA), Alt+カタカナ/ひらがな as VK_OEM_BACKTAB, 英数
// as VK_OEM_ATTN (VK_CAPITAL with Shift); newer ones send VK_IME_ON and
// VK_IME_OFF, and the input method VK_PROCESSKEY for a key it takes.
bool IsModifier(WORD key) {
    switch (key) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
    case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_KANJI: case VK_KANA: case VK_CONVERT: case VK_NONCONVERT:
    case VK_OEM_AUTO: case VK_OEM_ENLW: case VK_OEM_COPY: case VK_OEM_ATTN: case VK_OEM_BACKTAB:
    case VK_IME_ON: case VK_IME_OFF: case VK_PROCESSKEY:
    case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL: case VK_RCONTROL: case VK_LMENU: case VK_RMENU:
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
