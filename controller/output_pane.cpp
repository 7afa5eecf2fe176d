#include "output_pane.h"

#include <cstdlib>
#include <cstring>

#include "controller/error_line_jump.h"

namespace {

WNDPROC savedPaneProc;

// The text of the caret's line. The first click of a double-click has put
// the caret on the clicked line. The pane may count a line's length in
// characters while EM_GETLINE fills bytes, so the buffer has room for two
// bytes a character; its size word caps a line at 65535 bytes.
char* CaretLineText(HWND pane) {
    LRESULT line = SendMessageA(pane, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
    LRESULT start = SendMessageA(pane, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    LRESULT length = SendMessageA(pane, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    if (length < 0) length = 0;
    std::size_t room = static_cast<std::size_t>(length) * 2 + 1;
    if (room > 0xFFFF) room = 0xFFFF;
    if (room < sizeof(WORD)) room = sizeof(WORD);
    char* text = static_cast<char*>(std::calloc(room + 1, 1));
    if (!text) return NULL;
    *reinterpret_cast<WORD*>(text) = static_cast<WORD>(room);
    LRESULT copied = SendMessageA(pane, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
    if (copied < 0 || static_cast<std::size_t>(copied) > room) copied = 0;
    text[copied] = '\0';
    return text;
}

}  // namespace

void ReleaseLargePaneText(HWND pane) {
    const int kLargeText = 1 << 20;
    if (GetWindowTextLengthA(pane) < kLargeText) return;
    HLOCAL fresh = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, 1);
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

void SubclassOutputPane(HWND pane) {
    // A second EN_SETFOCUS without EN_KILLFOCUS must not save our own
    // procedure as the pane's, or every message would loop back here.
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(pane, GWLP_WNDPROC));
    if (current == OutputPaneProc) return;
    savedPaneProc = current;
    SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OutputPaneProc));
}

void RestoreOutputPane(HWND pane) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(pane, GWLP_WNDPROC)) != OutputPaneProc) return;
    SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedPaneProc));
}

LRESULT CALLBACK OutputPaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDBLCLK) {
        char* line = CaretLineText(pane);
        if (line) {
            JumpToErrorLine(pane, line);
            std::free(line);
        }
    }
    // The pane's own double-click selection still happens.
    return CallWindowProcA(savedPaneProc, pane, message, wParam, lParam);
}
