#include "controller/main_window.h"

#include <cstdlib>
#include <cstring>

#include "controller/compile_request.h"
#include "controller/error_navigation.h"
#include "controller/output_pane.h"
#include "controller/status_bar.h"
#include "controller/window_placement.h"
#include "resources/resource_ids.h"
#include "resources/shared_names.h"
#include "settings/profile_io.h"

namespace {

// Distinguishes a hand-off from any other WM_COPYDATA that might arrive.
const ULONG_PTR kHandOffTag = WM_KILN_COMPILE;

const char* ProfileName(const KilnSettingsFile& settings) {
    return settings.CompilerName[settings.CompilerNo];
}

MainWindowState* StateOf(HWND window) {
    return reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT OnCreate(MainWindowState& state, const CREATESTRUCTA* create) {
    HWND window = state.window;
    KilnSettingsFile& settings = state.settings;
    settings.Load();
    PlaceWindow(settings, window, state.source);
    state.statusBar = CreateStatusBar(window, create->hInstance);
    RECT client;
    GetClientRect(window, &client);
    int below = PlaceStatusBar(state.statusBar);
    state.pane = CreateWindowExA(0, "EDIT", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_READONLY | ES_MULTILINE, 0, 0,
                                 client.right, client.bottom > below ? client.bottom - below : 0, window, NULL,
                                 create->hInstance, NULL);
    if (!state.paneFont) state.paneFont = CreatePaneFont("ＭＳ ゴシック", 0);
    SendMessageA(state.pane, WM_SETFONT, reinterpret_cast<WPARAM>(state.paneFont), TRUE);
    UpdateTitle(window, ProfileName(settings), state.source);
    // Called, not sent: WM_APP numbers are shared by every program on the
    // desktop, so no message under WM_KILN_COMPILE can be taken for this.
    OnCompileRequest(state, state.source);
    return 0;
}

LRESULT OnSize(const MainWindowState& state) {
    if (!state.pane) return 0;
    RECT client;
    GetClientRect(state.window, &client);
    // The status bar keeps its height along the bottom; the pane takes the rest.
    int below = PlaceStatusBar(state.statusBar);
    MoveWindow(state.pane, client.left, client.top, client.right, client.bottom > below ? client.bottom - below : 0,
               TRUE);
    return 0;
}

// Called by the pane itself on a double-click of the user's.
void OnPaneDoubleClick(void* state) { JumpFromCaretLine(*static_cast<const MainWindowState*>(state)); }

LRESULT OnCommand(MainWindowState& state, WPARAM wParam) {
    WORD code = HIWORD(wParam);
    WORD id = LOWORD(wParam);
    if (code == EN_SETFOCUS) {
        SubclassOutputPane(state.pane, OnPaneDoubleClick, &state);
    } else if (code == EN_KILLFOCUS) {
        RestoreOutputPane(state.pane);
        SetFocus(state.window);
    } else if (id >= IDM_PROFILE_1 && id <= IDM_PROFILE_9) {
        KilnSettingsFile& settings = state.settings;
        settings.CompilerNo = id - IDM_PROFILE_1;
        settings.SaveCompilerNo();
        SendMessageA(state.window, WM_KILN_RELOAD, 0, 0);
    }
    return 0;
}

LRESULT OnReload(MainWindowState& state) {
    KilnSettingsFile& settings = state.settings;
    // KilnOp has just written Kiln.ini: what was read of it before is old.
    ini::Reread(settings.IniPath);
    settings.Load();
    PlaceWindow(settings, state.window, state.source);
    UpdateTitle(state.window, ProfileName(settings), state.source);
    return 0;
}

LRESULT OnCopyData(MainWindowState& state, const COPYDATASTRUCT* data) {
    if (data == NULL || data->dwData != kHandOffTag) return FALSE;
    // A second Kiln sends its path with the terminator; a block without one
    // (an empty block included) comes from elsewhere and is not a request.
    const char* block = static_cast<const char*>(data->lpData);
    if (block == NULL || data->cbData == 0 || block[data->cbData - 1] != '\0') return FALSE;
    // Our own copy, however the sender goes on.
    char* text = static_cast<char*>(std::malloc(data->cbData));
    if (!text) return FALSE;
    std::memcpy(text, block, data->cbData);
    OnCompileRequest(state, text);
    std::free(text);
    return TRUE;
}


LRESULT Dispatch(MainWindowState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = state.window;
    switch (message) {
    case WM_CREATE:
        return OnCreate(state, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_SIZE:
        return OnSize(state);
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_CLOSE:
        if (!CloseMayProceed(state)) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        return OnCommand(state, wParam);
    case WM_COPYDATA:
        return OnCopyData(state, reinterpret_cast<COPYDATASTRUCT*>(lParam));
    case WM_KILN_RELOAD:
        return OnReload(state);
    case WM_KILN_COMPILE:
        // The window's first request is a call and a second Kiln hands off
        // through WM_COPYDATA: whatever arrives under this number, posted or
        // sent, carries an address that means nothing here.
        return 0;
    case WM_KILN_COMPILE_DONE:
        return OnCompileDone(state, lParam);
    case WM_KILN_RUN:
        return OnRunOffer(state);
    case WM_KILN_PENDING_REQUEST:
        return OnPendingRequest(state);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

HFONT CreatePaneFont(const char* face, int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, face);
}

void HandOffToRunningKiln(HWND running, const char* path) {
    COPYDATASTRUCT data;
    data.dwData = kHandOffTag;
    data.cbData = static_cast<DWORD>(std::strlen(path) + 1);
    data.lpData = const_cast<char*>(path);
    SendMessageA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        MainWindowState* state = static_cast<MainWindowState*>(create->lpCreateParams);
        state->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    MainWindowState* state = StateOf(window);
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) come before there is a state.
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    return Dispatch(*state, message, wParam, lParam);
}

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KILN));
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = KILN_WINDOW_CLASS;
    return RegisterClassA(&windowClass);
}

HWND CreateMainWindow(HINSTANCE instance, MainWindowState& state) {
    return CreateWindowExA(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, KILN_WINDOW_CLASS, "Kiln", WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, &state);
}
