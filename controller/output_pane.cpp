#include "output_pane.h"

namespace {
WNDPROC savedPaneProc;
}

void SubclassOutputPane(HWND pane) {
    // A second EN_SETFOCUS without EN_KILLFOCUS must not save our own
    // procedure as the pane's, or every message would loop back here.
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongA(pane, GWL_WNDPROC));
    if (current == OutputPaneProc) return;
    savedPaneProc = current;
    SetWindowLongA(pane, GWL_WNDPROC, reinterpret_cast<LONG>(OutputPaneProc));
}

void RestoreOutputPane(HWND pane) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongA(pane, GWL_WNDPROC)) != OutputPaneProc) return;
    SetWindowLongA(pane, GWL_WNDPROC, reinterpret_cast<LONG>(savedPaneProc));
}

LRESULT CALLBACK OutputPaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    // The double-click on an error line is taken over here by the jump to the
    // editor; until then every message goes to the pane's own procedure.
    return CallWindowProcA(savedPaneProc, pane, message, wParam, lParam);
}
