// The one-part status bar under Kiln's pane: how the last request ended.
#ifndef KILN_CONTROLLER_STATUS_BAR_H
#define KILN_CONTROLLER_STATUS_BAR_H

#include <windows.h>

HWND CreateStatusBar(HWND parent, HINSTANCE instance);
// Callable from any of Kiln's threads, like the pane's text. A null bar is
// left alone.
void SetStatusText(HWND bar, const char* text);
// Follows the parent's new size; returns the height the bar takes.
int PlaceStatusBar(HWND bar);

#endif
