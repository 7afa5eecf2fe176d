// The keys Kiln's window takes before the accelerators: wherever the window
// or its pane has the focus, Esc stops the compile, F4 and Shift+F4 step
// through the error lines, Enter jumps from the caret's line, and F5 and
// Shift+F5 compile the source again.
#ifndef KILN_CONTROLLER_WINDOW_KEYS_H
#define KILN_CONTROLLER_WINDOW_KEYS_H

#include <windows.h>

#include "controller/main_window_state.h"

// True when the message was one of these keys and has been handled.
bool HandleWindowKey(MainWindowState& state, const MSG& message);

#endif
