// Every message box KilnOp shows goes through here.
#ifndef KILN_OPTIONS_KILNOP_BOXES_H
#define KILN_OPTIONS_KILNOP_BOXES_H

#include <windows.h>

// MessageBoxA, and the one place KilnOp calls it.
int ShowBox(HWND owner, const char* text, const char* caption, UINT flags);

#endif
