// The output pane's procedure while it has the keyboard focus. The error-line
// jump hooks the pane's double-click here.
#ifndef KILN_CONTROLLER_OUTPUT_PANE_H
#define KILN_CONTROLLER_OUTPUT_PANE_H

#include <windows.h>

void SubclassOutputPane(HWND pane);
void RestoreOutputPane(HWND pane);
// Gives the pane a fresh, empty buffer when its text is large: the edit
// control otherwise keeps a buffer the size of the largest text it has shown
// for as long as Kiln runs. Called just before the pane's text is replaced.
void ReleaseLargePaneText(HWND pane);
// Replaces the pane's whole text and has the pane, its scroll bars included,
// repainted once. Callable from any of Kiln's threads.
void ReplacePaneText(HWND pane, const char* text);

LRESULT CALLBACK OutputPaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam);

#endif
