// Where Kiln's main window goes: docked under the editor window that shows
// the source, or at the fixed size and position of the [Window] settings;
// and the title naming the program, the profile and the source.
#ifndef KILN_CONTROLLER_WINDOW_PLACEMENT_H
#define KILN_CONTROLLER_WINDOW_PLACEMENT_H

#include <windows.h>

#include "settings/settings_file.h"

// Docks (Magnet), or applies the fixed size and/or position (Fix), or leaves
// the window alone.
void PlaceWindow(SettingsFile& settings, HWND mainWindow, const char* sourcePath);
// Moves the window under the editor window that shows the source, as wide as
// the editor and down to the work area's bottom, and keeps that rectangle in
// X, Y, Width and Height. True when the editor was found (even when there
// was too little room to move, or the editor is minimised), false when not.
bool DockUnderEditor(SettingsFile& settings, HWND mainWindow, const char* sourcePath);
// Width x Height at the window's own top-left corner.
void ApplyFixedSize(const SettingsFile& settings, HWND mainWindow);
// (X, Y) with the window's own size.
void ApplyFixedPosition(const SettingsFile& settings, HWND mainWindow);
// "Kiln - PROFILE [ PATH ] " with the path unquoted. A title that would not
// fit 259 bytes keeps the program and profile name and shows the path's end
// behind "...".
void UpdateTitle(HWND mainWindow, const char* profileName, const char* sourcePath);

#endif
