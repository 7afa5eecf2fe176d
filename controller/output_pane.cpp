#include "controller/output_pane.h"

#include <cstdlib>

#include "resources/shared_names.h"

namespace {

// The pane's own procedure is kept in the pane's user data while the pane is
// subclassed; the edit control has no use of its own for it.
WNDPROC SavedProc(HWND pane) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(pane, GWLP_USERDATA)); }

}  // namespace

char* PaneCaretLineText(HWND pane) {
    return PaneLineText(pane, SendMessageA(pane, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
}

char* PaneLineText(HWND pane, LRESULT line) {
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

void SubclassOutputPane(HWND pane) {
    // A second EN_SETFOCUS without EN_KILLFOCUS must not save our own
    // procedure as the pane's, or every message would loop back here.
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(pane, GWLP_WNDPROC));
    if (current == OutputPaneProc) return;
    SetWindowLongPtrA(pane, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(current));
    SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OutputPaneProc));
}

void RestoreOutputPane(HWND pane) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(pane, GWLP_WNDPROC)) != OutputPaneProc) return;
    SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SavedProc(pane)));
}

LRESULT CALLBACK OutputPaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    // The first click has put the caret on the clicked line; the window that
    // owns the pane decides what the line means.
    if (message == WM_LBUTTONDBLCLK) {
        SendMessageA(GetParent(pane), WM_KILN_PANE_DOUBLECLICK, 0, reinterpret_cast<LPARAM>(pane));
    }
    // The pane's own double-click selection still happens.
    return CallWindowProcA(SavedProc(pane), pane, message, wParam, lParam);
}
