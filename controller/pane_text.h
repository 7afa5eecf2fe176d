// The output pane's text: replaced whole, from any of Kiln's threads.
#ifndef KILN_CONTROLLER_PANE_TEXT_H
#define KILN_CONTROLLER_PANE_TEXT_H

#include <windows.h>

// Gives the pane a fresh, empty buffer when its text is large: the edit
// control otherwise keeps a buffer the size of the largest text it has shown
// for as long as Kiln runs. Called just before the pane's text is replaced.
void ReleaseLargePaneText(HWND pane);
// Replaces the pane's whole text and has the pane, its scroll bars included,
// repainted once. Callable from any of Kiln's threads.
void ReplacePaneText(HWND pane, const char* text);

#endif
