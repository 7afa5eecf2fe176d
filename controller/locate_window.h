// Finding a top-level window by class: Kiln's own window for the single
// instance and for KilnOp, the editor window that shows a given file for
// docking and for the error-line jump.
#ifndef KILN_CONTROLLER_LOCATE_WINDOW_H
#define KILN_CONTROLLER_LOCATE_WINDOW_H

#include <windows.h>

// Walks the Z-order down from the foreground window. A window of class
// "Kiln" matches a search for "Kiln" as it is; a window of any other class
// matches only when its first "TEdit" child shows `path` (unquoted, ASCII
// letter case ignored). True with *window set, or false with *window null.
bool LocateWindow(const char* className, const char* path, HWND* window);

#endif
