#include "controller/status_bar.h"

#include <commctrl.h>

HWND CreateStatusBar(HWND parent, HINSTANCE instance) {
    // No size grip: the window is sized by docking as often as by hand.
    return CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, NULL, instance, NULL);
}

void SetStatusText(HWND bar, const char* text) {
    if (bar) SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

int PlaceStatusBar(HWND bar) {
    if (!bar) return 0;
    // The bar places itself along the bottom of its parent on WM_SIZE.
    SendMessageA(bar, WM_SIZE, 0, 0);
    RECT rect;
    if (!GetWindowRect(bar, &rect)) return 0;
    return rect.bottom - rect.top;
}
