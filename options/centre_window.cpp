#include "options/centre_window.h"

bool CentreWindow(HWND window) {
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    return MoveWindow(window, (desktop.right - width) / 2, (desktop.bottom - height) / 2, width, height, TRUE) == 1;
}
