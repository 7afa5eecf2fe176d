// The output pane while it has the keyboard focus: a double-click on a line
// calls the handler given to SubclassOutputPane. A call, not a message: any
// program on the desktop can post a message to the pane's window.
#ifndef KILN_CONTROLLER_OUTPUT_PANE_H
#define KILN_CONTROLLER_OUTPUT_PANE_H

#include <windows.h>

typedef void (*PaneDoubleClickHandler)(void* context);
void SubclassOutputPane(HWND pane, PaneDoubleClickHandler handler, void* context);
void RestoreOutputPane(HWND pane);

// The text of pane line `line` (from 0), on the heap (free it); null when it
// cannot be had. The pane may count a line's length in characters while
// EM_GETLINE fills bytes, so the buffer has room for two bytes a character;
// its size word caps a line at 65535 bytes.
char* PaneLineText(HWND pane, LRESULT line);

LRESULT CALLBACK OutputPaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam);

#endif
