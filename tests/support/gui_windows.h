// Driving real windows from tests: finding top-level windows, reading their
// text and rectangle, sending hot keys, and waiting for conditions. Every
// wait has a time limit, and every wait keeps the calling thread's own
// windows answering messages from other processes while it waits.
#ifndef KILN_TESTS_SUPPORT_GUI_WINDOWS_H
#define KILN_TESTS_SUPPORT_GUI_WINDOWS_H

#include <windows.h>

#include <functional>
#include <string>

#include "support/processes.h"
#include "support/test_files.h"

namespace testing_support {

// Dispatches the calling thread's pending messages for about `ms`.
void PumpMessages(DWORD ms);

// Calls `condition` until it returns true or `timeoutMs` has passed,
// pumping the calling thread's messages in between. True when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000, DWORD intervalMs = 20);

// A visible top-level window of the class, of process `processId` when that
// is not 0; null when there is none.
HWND FindTopLevelWindow(const char* className, DWORD processId = 0);
// The same, waiting at most `timeoutMs` for it to appear.
HWND WaitForTopLevelWindow(const char* className, DWORD processId = 0, DWORD timeoutMs = 10000);
// Waits at most `timeoutMs` until the window no longer exists.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = 10000);

// The window's text by WM_GETTEXT (works across processes; a hung window
// gives an empty text after `timeoutMs`).
std::string WindowText(HWND window, DWORD timeoutMs = 5000);
// The window's class name.
std::string WindowClass(HWND window);
// The window's outer rectangle in screen coordinates (GetWindowRect).
RECT WindowRect(HWND window);
// The first child window of the class (FindWindowExA), or null.
HWND FindChild(HWND parent, const char* className);

// Raises the window to the top of the Z-order (below topmost windows), makes
// it the foreground window and waits at most `timeoutMs` until it is. Under
// Wine another process's window can be brought forward.
bool BringToForeground(HWND window, DWORD timeoutMs = 5000);

// Presses Ctrl+digit (digit 0-9) for the window as keyboard input: the window
// is brought to the foreground, then the keys go through SendInput, so they
// reach the owning thread's message loop (and its TranslateAcceleratorA) with
// the Control key really down. Posting WM_KEYDOWN does not work for that: the
// key state that TranslateAcceleratorA reads is not changed by posted
// messages. False when the window could not be brought forward.
bool SendCtrlDigit(HWND window, int digit, DWORD timeoutMs = 5000);

// Presses and releases one key (a virtual-key code) for the window as
// keyboard input, after bringing it forward, with `modifier` (VK_SHIFT, ...)
// held down around it when not 0. False when that failed.
bool SendKeyPress(HWND window, WORD key, DWORD timeoutMs = 5000, WORD modifier = 0);

// Replaces the whole text of an edit control of any process with the CP932
// text as a paste over a selection does: its limits apply, the caret ends after it.
void PasteText(HWND edit, const std::string& text);
// The same with a text as a Unicode program's clipboard holds it.
void PasteText(HWND edit, const std::wstring& text);

// Double-clicks with the mouse (SendInput) at the start of line `line`
// (from 0) of a multi-line edit control of any process, after bringing its
// top-level window forward: the first click gives the control the focus and
// puts the caret on the line, as a user's double-click does.
bool DoubleClickEditLine(HWND edit, int line, DWORD timeoutMs = 5000);

// The process's exit code once it has ended, or -1 when it is still running
// after `timeoutMs`.
long WaitForExitCode(Process& process, DWORD timeoutMs = 10000);

// True once the file's content contains `text`, waiting at most `timeoutMs`
// (for the logs that the stand-in programs append to).
bool WaitForFileText(const std::string& path, const std::string& text, DWORD timeoutMs = 10000);

// A top-level window owned by the test thread, of a class registered on
// first use with a plain window procedure; destroyed with the object.
// Destroying a shown window costs about two seconds under Wine on the test
// desktop (it waits for a window manager that is not there), so a test
// that needs many titles or placements reuses one window.
class TestWindow {
public:
    TestWindow(const char* className, int x, int y, int width, int height,
               const char* title = "", DWORD exStyle = 0);
    ~TestWindow();
    HWND handle() const { return window_; }
    // Adds a child of the class (registered on first use), with `text`.
    HWND AddChild(const char* className, const char* text);

private:
    HWND window_;
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
};

// The stand-in Wrenlet editor (the fixture wrenlet_standin_gui.exe), copied
// into a fresh folder as Wrenlet.exe and started there, so each test has a
// log of its own. Arguments: PATH [/jl=N] [/rect=X,Y,W,H]; the log lines are
// described at the top of tests/fixtures/wrenlet_standin_gui.cpp. The
// editor is killed with the object.
class StandinEditor {
public:
    StandinEditor() : folder_("editor") {}
    // Starts it and waits at most `timeoutMs` for its main window.
    bool Start(const std::string& arguments, DWORD timeoutMs = 10000);
    HWND window() const { return window_; }
    Process& process() { return process_; }
    const TempDir& folder() const { return folder_; }
    std::string ExePath() const { return folder_ / "Wrenlet.exe"; }
    std::string LogPath() const { return folder_ / "Wrenlet.log"; }
    std::string Log() const { return ReadFile(LogPath()); }

private:
    TempDir folder_;
    Process process_;
    HWND window_ = NULL;
};

}  // namespace testing_support

#endif
