#include "options/kiln_window.h"

#include "controller/locate_window.h"
#include "options/kilnop_boxes.h"
#include "resources/shared_names.h"

namespace {
// A Kiln that does not answer in this time is left to itself, so that a hung
// Kiln does not hang the sheet with it.
const UINT kKilnAnswerMs = 5000;
}  // namespace

bool FindKilnWindow(HWND* window) {
    return LocateWindow(KILN_WINDOW_CLASS, "", window);
}

bool GetKilnWindowRect(HWND* window, RECT* rect) {
    // A window that went away after it was found is as good as none.
    if (!FindKilnWindow(window) || !GetWindowRect(*window, rect)) {
        ShowBox(NULL, "Kilnは起動していませんでした", "Kiln起動エラー", MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

bool NotifyKiln(UINT message) {
    HWND kiln = NULL;
    if (!FindKilnWindow(&kiln)) return false;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(kiln, message, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kKilnAnswerMs, &result);
    return true;
}
