#include "controller/window_keys.h"

#include "controller/compile_request.h"
#include "controller/error_navigation.h"

namespace {

bool Down(int key) { return GetKeyState(key) < 0; }

}  // namespace

bool HandleWindowKey(MainWindowState& state, const MSG& message) {
    // None of them is an accelerator: the table holds the profile keys only.
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != state.window && !IsChild(state.window, message.hwnd)) return false;
    switch (message.wParam) {
    case VK_ESCAPE:
        StopRunningCompile(state);
        return true;
    case VK_F4:
        // Ctrl+F4 keeps its meaning; Alt+F4 comes as WM_SYSKEYDOWN.
        if (Down(VK_CONTROL)) return false;
        StepToLocatedLine(state, !Down(VK_SHIFT));
        return true;
    case VK_F5:
        if (Down(VK_CONTROL)) return false;
        CompileAgain(state, Down(VK_SHIFT));
        return true;
    case VK_RETURN:
        if (Down(VK_CONTROL)) return false;
        JumpFromCaretLine(state);
        return true;
    default:
        return false;
    }
}
