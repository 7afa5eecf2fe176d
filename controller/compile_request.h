// One compile request, its completion and the run offer that follows.
#ifndef KILN_CONTROLLER_COMPILE_REQUEST_H
#define KILN_CONTROLLER_COMPILE_REQUEST_H

#include <windows.h>

#include "controller/main_window_state.h"

// Copies a received source path into the state's source path; a text that
// does not fit is refused with a message box (false), never cut.
bool AcceptSourcePath(MainWindowState& state, const char* text);

LRESULT OnCompileRequest(MainWindowState& state, const char* path);
// F5: the window's source once more, as if the editor had asked for it;
// with evenIfUpToDate (Shift+F5) an up-to-date output is compiled over.
// A beep while a request is busy; nothing before a source was accepted.
void CompileAgain(MainWindowState& state, bool evenIfUpToDate);
LRESULT OnCompileDone(MainWindowState& state, LPARAM job);
LRESULT OnRunOffer(MainWindowState& state);
// Ends the running compile and everything it started (Esc); its output so
// far is shown and no run is offered. Nothing happens when none runs.
void StopRunningCompile(MainWindowState& state);
// WM_CLOSE: false for the run offer's own close when a request has come
// since (the window stays for it); true for any other close.
bool CloseMayProceed(MainWindowState& state);
// Carries out a request that arrived while another one was busy.
LRESULT OnPendingRequest(MainWindowState& state);

#endif
