// Names and message numbers that Kiln, KilnOp and the Wrenlet editor agree on.
#ifndef KILN_SHARED_NAMES_H
#define KILN_SHARED_NAMES_H

// Private messages of Kiln's main window. KilnOp sends WM_KILN_RELOAD; the
// others Kiln sends or posts to itself: WM_KILN_COMPILE_DONE is posted when
// a compile ends before its threads could start, and the kept request's
// message is always posted.
#define WM_KILN_RELOAD       (0x8000 + 500)  // WM_APP+500: reload Kiln.ini, place again, new title
#define WM_KILN_COMPILE      (0x8000 + 501)  // the hand-off's WM_COPYDATA tag; the message itself is ignored
#define WM_KILN_COMPILE_DONE (0x8000 + 502)  // lParam: the finished compile job
#define WM_KILN_RUN          (0x8000 + 503)  // offer to run what was built
// WM_APP + 504 is not used: the pane tells a double-click by a call.
#define WM_KILN_PENDING_REQUEST  (0x8000 + 520)  // a kept request may run now

#define KILN_WINDOW_CLASS "Kiln"

// The Wrenlet editor.
#define WRENLET_WINDOW_CLASS   "TWrenletMainForm"
#define WRENLET_PATH_CHILD     "TEdit"          // child whose text is the shown file's full path
#define WM_WRENLET_GETEDIT     (0x8000 + 402)   // WM_APP+402: answers the text edit control
#define WRENLET_EXE_NAME       "Wrenlet.exe"
#define WRENLET_JUMP_OPTION    "/jl=%N"

#endif
