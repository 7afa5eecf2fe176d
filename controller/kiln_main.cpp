#include <windows.h>

#include "settings_instance.h"

// Constructed before WinMain, like every static object of the program.
static zop_KilnInitialFile& settings = KilnSettings();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    (void)settings;
    return 0;
}
