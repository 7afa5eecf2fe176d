// Stepping through a compile's error lines from the keyboard, and the jump
// for the pane line that holds the caret.
#ifndef KILN_CONTROLLER_ERROR_NAVIGATION_H
#define KILN_CONTROLLER_ERROR_NAVIGATION_H

#include "controller/main_window_state.h"

// F4 (forward) and Shift+F4: selects the next (previous) pane line that
// names a location in the selected compiler's form, gcc's notes and include
// chains passed over, and moves the caret of the editor that shows the
// line's file (JumpType 1) while Kiln keeps the focus. With a selection the
// search starts past its line; without one at the caret's line, and for
// Shift+F4 on the first line at the last. A beep when there is none.
void StepToLocatedLine(const MainWindowState& state, bool forward);

// Enter and the double-click: the jump for the line that holds the caret.
void JumpFromCaretLine(const MainWindowState& state);

#endif
