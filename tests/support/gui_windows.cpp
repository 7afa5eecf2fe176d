#include "gui_windows.h"

#include <cstring>
#include <vector>

#include "resources/shared_names.h"
#include "support/test_files.h"

namespace testing_support {

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return;
        // Sent messages from other threads are delivered inside this wait too.
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD intervalMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        PumpMessages(intervalMs);
    }
}

namespace {

struct Search {
    const char* className;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    Search* search = reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(window)) return TRUE;
    if (WindowClass(window) != search->className) return TRUE;
    if (search->processId) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->processId) return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindTopLevelWindow(const char* className, DWORD processId) {
    Search search = {className, processId, NULL};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevelWindow(const char* className, DWORD processId, DWORD timeoutMs) {
    HWND found = NULL;
    WaitUntil([&] { return (found = FindTopLevelWindow(className, processId)) != NULL; }, timeoutMs);
    return found;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

std::string WindowText(HWND window, DWORD timeoutMs) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &length)) return "";
    std::vector<char> text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, timeoutMs, &copied))
        return "";
    return std::string(text.data());
}

std::string WindowClass(HWND window) {
    char name[512] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

HWND FindChild(HWND parent, const char* className) { return FindWindowExA(parent, NULL, className, NULL); }

bool BringToForeground(HWND window, DWORD timeoutMs) {
    // Raised as well: Wine may leave the foreground window where it is when
    // another window was shown after it, and the searches walk the Z-order
    // down from the foreground window.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // Asked again while waiting: a window that is still being shown may lose
    // the activation to its own start-up.
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        },
        timeoutMs, 50);
}

bool SendKeyPress(HWND window, WORD key, DWORD timeoutMs, WORD modifier) {
    if (!BringToForeground(window, timeoutMs)) return false;
    const WORD keys[4] = {modifier, key, key, modifier};
    INPUT inputs[4] = {};
    UINT count = 0;
    for (int i = 0; i < 4; ++i) {
        if (keys[i] == 0) continue;
        INPUT& input = inputs[count++];
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = keys[i];
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(keys[i], 0 /* MAPVK_VK_TO_VSC */));
        input.ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    return SendInput(count, inputs, sizeof(INPUT)) == count;
}

void PasteText(HWND edit, const std::string& text) { PasteText(edit, Wide(text)); }

void PasteText(HWND edit, const std::wstring& text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool DoubleClickEditLine(HWND edit, int line, DWORD timeoutMs) {
    if (!BringToForeground(GetAncestor(edit, GA_ROOT), timeoutMs)) return false;
    LRESULT index = SendMessageA(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    if (index < 0) return false;
    LRESULT position = SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
    POINT at = {static_cast<short>(LOWORD(position)) + 2, static_cast<short>(HIWORD(position)) + 4};
    ClientToScreen(edit, &at);
    SetCursorPos(at.x, at.y);
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    // One click first, so that the focus has moved before the double-click.
    if (SendInput(2, clicks, sizeof(INPUT)) != 2) return false;
    PumpMessages(150);
    return SendInput(2, clicks + 2, sizeof(INPUT)) == 2;
}

bool SendCtrlDigit(HWND window, int digit, DWORD timeoutMs) {
    if (digit < 0 || digit > 9) return false;
    if (!BringToForeground(window, timeoutMs)) return false;
    WORD key = static_cast<WORD>('0' + digit);
    INPUT inputs[4] = {};
    for (INPUT& input : inputs) input.type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = VK_CONTROL;
    inputs[1].ki.wVk = key;
    inputs[2].ki.wVk = key;
    inputs[2].ki.dwFlags = KEYEVENTF_KEYUP;
    inputs[3].ki.wVk = VK_CONTROL;
    inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    for (INPUT& input : inputs)
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(input.ki.wVk, 0 /* MAPVK_VK_TO_VSC */));
    return SendInput(4, inputs, sizeof(INPUT)) == 4;
}

long WaitForExitCode(Process& process, DWORD timeoutMs) {
    bool ended = WaitUntil([&] { return !process.Running(); }, timeoutMs);
    if (!ended) return -1;
    return static_cast<long>(process.ExitCode());
}

bool WaitForFileText(const std::string& path, const std::string& text, DWORD timeoutMs) {
    return WaitUntil([&] { return ReadFile(path).find(text) != std::string::npos; }, timeoutMs, 50);
}

namespace {

void RegisterPlainClass(const char* className) {
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(NULL), className, &existing)) return;
    WNDCLASSA plain = {};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = GetModuleHandleA(NULL);
    plain.hCursor = LoadCursorA(NULL, IDC_ARROW);
    plain.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    plain.lpszClassName = className;
    RegisterClassA(&plain);
}

}  // namespace

TestWindow::TestWindow(const char* className, int x, int y, int width, int height, const char* title,
                       DWORD exStyle) {
    RegisterPlainClass(className);
    window_ = CreateWindowExA(exStyle, className, title, WS_OVERLAPPEDWINDOW, x, y, width, height, NULL, NULL,
                              GetModuleHandleA(NULL), NULL);
    if (window_) {
        ShowWindow(window_, (exStyle & WS_EX_TOPMOST) ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
        PumpMessages(20);
    }
}

TestWindow::~TestWindow() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    PumpMessages(10);
}

HWND TestWindow::AddChild(const char* className, const char* text) {
    RegisterPlainClass(className);
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, window_, NULL,
                           GetModuleHandleA(NULL), NULL);
}

bool StandinEditor::Start(const std::string& arguments, DWORD timeoutMs) {
    CopyFileTo(BinDir() + "\\wrenlet_standin_gui.exe", ExePath());
    if (!process_.Start(ExePath(), arguments, folder_.path())) return false;
    window_ = WaitForTopLevelWindow(WRENLET_WINDOW_CLASS, process_.Id(), timeoutMs);
    return window_ != NULL;
}

}  // namespace testing_support
