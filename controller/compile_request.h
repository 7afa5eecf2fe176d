// One compile request, its completion and the run offer that follows.
#ifndef KILN_CONTROLLER_COMPILE_REQUEST_H
#define KILN_CONTROLLER_COMPILE_REQUEST_H

#include <windows.h>

LRESULT OnCompileRequest(HWND window, const char* path);
LRESULT OnCompileDone(HWND window, LPARAM job);
LRESULT OnRunOffer(HWND window);
// Ends the running compile and everything it started (Esc); its output so
// far is shown and no run is offered. Nothing happens when none runs.
void StopRunningCompile();
// WM_CLOSE: false for the run offer's own close when a request has come
// since (the window stays for it); true for any other close.
bool CloseMayProceed();
// Carries out a request that arrived while another one was busy.
LRESULT OnPendingRequest(HWND window);

// Posted to the main window when a kept request may run.
#define WM_KILN_PENDING_REQUEST (0x8000 + 520)

#endif
