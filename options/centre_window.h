#ifndef KILN_OPTIONS_CENTRE_WINDOW_H
#define KILN_OPTIONS_CENTRE_WINDOW_H

#include <windows.h>

// Moves the window to the centre of the desktop; true when it was moved.
bool CentreWindow(HWND window);

#endif
