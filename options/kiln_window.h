// The running Kiln's main window, as KilnOp sees it.
#ifndef KILN_OPTIONS_KILN_WINDOW_H
#define KILN_OPTIONS_KILN_WINDOW_H

#include <windows.h>

// The Kiln window at or below the foreground window in the Z order.
bool FindKilnWindow(HWND* window);

// Kiln's window rectangle in screen coordinates. When Kiln is not running,
// says so in a message box and returns false.
bool GetKilnWindowRect(HWND* window, RECT* rect);

// Sends `message` to Kiln and waits until it has been handled; false when
// no Kiln window was found.
bool NotifyKiln(UINT message);

#endif
