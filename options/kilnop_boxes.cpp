#include "options/kilnop_boxes.h"

int ShowBox(HWND owner, const char* text, const char* caption, UINT flags) {
    return MessageBoxA(owner, text, caption, flags);
}
