#include "controller/output_pane.h"

#include <cstdlib>
#include <new>

namespace {

// Kept in the pane's user data while the pane is subclassed (the edit
// control has no use of its own for it); no other process can set it.
struct Subclass {
    WNDPROC saved;
    PaneDoubleClickHandler handler;
    void* context;
};

Subclass* SubclassOf(HWND pane) { return reinterpret_cast<Subclass*>(GetWindowLongPtrA(pane, GWLP_USERDATA)); }

}  // namespace

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

void SubclassOutputPane(HWND pane, PaneDoubleClickHandler handler, void* context) {
    // A second EN_SETFOCUS without EN_KILLFOCUS must not save our own
    // procedure as the pane's, or every message would loop back here.
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(pane, GWLP_WNDPROC));
    if (current == OutputPaneProc) return;
    Subclass* subclass = new (std::nothrow) Subclass{current, handler, context};
    if (!subclass) return;
    SetWindowLongPtrA(pane, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(subclass));
    SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OutputPaneProc));
}

void RestoreOutputPane(HWND pane) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(pane, GWLP_WNDPROC)) != OutputPaneProc) return;
    Subclass* subclass = SubclassOf(pane);
    SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass->saved));
    SetWindowLongPtrA(pane, GWLP_USERDATA, 0);
    delete subclass;
}

LRESULT CALLBACK OutputPaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    Subclass* subclass = SubclassOf(pane);
    // The first click has put the caret on the clicked line; the handler
    // decides what the line means. It may open boxes, during which the pane
    // can lose the focus: the saved procedure is taken first.
    WNDPROC saved = subclass->saved;
    if (message == WM_LBUTTONDBLCLK) subclass->handler(subclass->context);
    // The pane's own double-click selection still happens.
    return CallWindowProcA(saved, pane, message, wParam, lParam);
}
