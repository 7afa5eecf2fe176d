// Picking a program with the open-file dialog (compiler, aid program, editor).
#ifndef KILN_OPTIONS_PROGRAM_BROWSE_H
#define KILN_OPTIONS_PROGRAM_BROWSE_H

#include <windows.h>

// Opens the dialog in the folder of `current` (the settings field, not the
// edit's text) and puts the picked path into edit `id` of the page. The
// process's current folder is the same afterwards.
void BrowseForProgram(HWND page, int id, const char* current);

// The open-file dialog itself: true with the picked path in `file`
// (kPathSize bytes), false when nothing was picked.
bool PickExecutable(HWND owner, char* file);

#endif
