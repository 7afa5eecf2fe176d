#include "controller/pane_text.h"

void ReleaseLargePaneText(HWND pane) {
    const int kLargeText = 1 << 20;
    if (GetWindowTextLengthA(pane) < kLargeText) return;
    // Version 6's edit control keeps its text in WCHARs whichever way it was
    // made, so the empty text it is given is a whole wide terminator.
    HLOCAL fresh = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(WCHAR));
    if (!fresh) return;
    HLOCAL old = reinterpret_cast<HLOCAL>(SendMessageA(pane, EM_GETHANDLE, 0, 0));
    SendMessageA(pane, EM_SETHANDLE, reinterpret_cast<WPARAM>(fresh), 0);
    if (old) LocalFree(old);
}

void ReplacePaneText(HWND pane, const char* text) {
    // While it takes a new text the edit control sets its scroll ranges and
    // positions several times, and every time the bar is repainted at once;
    // with themed bars each of those costs about as much as repainting the
    // whole pane. The control keeps its own redraw flag, which does not stop
    // that, so the default handling of WM_SETREDRAW takes the pane off the
    // screen instead while the text goes in.
    bool shown = (GetWindowLongA(pane, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown) DefWindowProcA(pane, WM_SETREDRAW, FALSE, 0);
    SetWindowTextA(pane, text);
    if (shown) {
        DefWindowProcA(pane, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(pane, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}
