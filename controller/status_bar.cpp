#include "controller/status_bar.h"

#include <commctrl.h>

namespace {

// The system's status font in code page 932: on a Windows (or Wine) not
// set to Japanese the bar's own font has no kana, and the manifest's code
// page alone does not give it any. Made once; it lives as long as Kiln.
HFONT JapaneseStatusFont() {
    static HFONT font = NULL;
    if (font) return font;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return NULL;
    metrics.lfStatusFont.lfCharSet = SHIFTJIS_CHARSET;
    font = CreateFontIndirectA(&metrics.lfStatusFont);
    return font;
}

}  // namespace

HWND CreateStatusBar(HWND parent, HINSTANCE instance) {
    // No size grip: the window is sized by docking as often as by hand.
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, NULL, instance, NULL);
    HFONT font = bar ? JapaneseStatusFont() : NULL;
    if (font) SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return bar;
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
