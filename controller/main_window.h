// Kiln's main window: the output pane, the profile keys and the private
// messages by which Kiln talks to itself, to a second Kiln and to KilnOp.
#ifndef KILN_CONTROLLER_MAIN_WINDOW_H
#define KILN_CONTROLLER_MAIN_WINDOW_H

#include <windows.h>

#include <cstddef>

enum { kSourcePathSize = 512 };

// The path of the file being compiled, as received (quotes included).
char* CurrentSourcePath();
// The path of the file the compile produces.
char* CurrentOutputPath();
HWND OutputPane();

ATOM RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HFONT CreatePaneFont(const char* face, int height);

// Copies a received source path into the current source path; a text that
// does not fit is refused with a message box (0), never cut.
int AcceptSourcePath(const char* text);

// Hands the command-line tail to a running Kiln window: the text crosses the
// process boundary in a WM_COPYDATA tagged WM_KILN_COMPILE, which the
// receiver takes as a request of its own.
void HandOffToRunningKiln(HWND running, const char* path);

#endif
