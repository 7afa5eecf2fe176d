// The output pane's procedure while it has the keyboard focus. The error-line
// jump hooks the pane's double-click here.
#ifndef KILN_CONTROLLER_OUTPUT_PANE_H
#define KILN_CONTROLLER_OUTPUT_PANE_H

#include <windows.h>

void SubclassOutputPane(HWND pane);
void RestoreOutputPane(HWND pane);
LRESULT CALLBACK OutputPaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam);

#endif
