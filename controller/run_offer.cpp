#include "run_offer.h"

int RunBuiltProgram(const SettingsFile&, HWND, const char*) {
    // Running the built program is not offered yet: nothing is started and
    // the window stays open whatever the profile says.
    return 0;
}
