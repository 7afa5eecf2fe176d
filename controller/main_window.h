// Kiln's main window: the output pane, the profile keys and the private
// messages by which Kiln talks to itself, to a second Kiln and to KilnOp.
#ifndef KILN_CONTROLLER_MAIN_WINDOW_H
#define KILN_CONTROLLER_MAIN_WINDOW_H

#include <windows.h>

#include "controller/main_window_state.h"

ATOM RegisterMainWindowClass(HINSTANCE instance);
// The window of `state`, whose creation carries out the first compile
// request for the state's source path.
HWND CreateMainWindow(HINSTANCE instance, MainWindowState& state);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HFONT CreatePaneFont(const char* face, int height);

// Hands the command-line tail to a running Kiln window: the text crosses the
// process boundary in a WM_COPYDATA tagged WM_KILN_COMPILE, which the
// receiver takes as a request of its own.
void HandOffToRunningKiln(HWND running, const char* path);

#endif
