#include "main_window.h"

#include <cstdlib>
#include <cstring>

#include "compile_request.h"
#include "output_pane.h"
#include "resources/resource_ids.h"
#include "resources/shared_names.h"
#include "settings/profile_io.h"
#include "settings_instance.h"
#include "startup_messages.h"
#include "window_placement.h"

namespace {

char currentSource[kSourcePathSize];
char currentOutput[MAX_PATH];
HWND pane;
HFONT paneFont;

// Distinguishes a hand-off from any other WM_COPYDATA that might arrive.
const ULONG_PTR kHandOffTag = WM_KILN_COMPILE;

const char* ProfileName(const KilnSettingsFile& settings) {
    return settings.CompilerName[settings.CompilerNo];
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create) {
    KilnSettingsFile& settings = KilnSettings();
    settings.Load();
    PlaceWindow(settings, window, currentSource);
    RECT client;
    GetClientRect(window, &client);
    pane = CreateWindowExA(0, "EDIT", "",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_READONLY | ES_MULTILINE, 0, 0,
                           client.right, client.bottom, window, NULL, create->hInstance, NULL);
    if (!paneFont) paneFont = CreatePaneFont("ＭＳ ゴシック", 0);
    SendMessageA(pane, WM_SETFONT, reinterpret_cast<WPARAM>(paneFont), TRUE);
    UpdateTitle(window, ProfileName(settings), currentSource);
    // Called, not sent: WM_APP numbers are shared by every program on the
    // desktop, so no message under WM_KILN_COMPILE can be taken for this.
    OnCompileRequest(window, currentSource);
    return 0;
}

LRESULT OnSize(HWND window) {
    if (!pane) return 0;
    RECT client;
    GetClientRect(window, &client);
    MoveWindow(pane, client.left, client.top, client.right, client.bottom, TRUE);
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    WORD code = HIWORD(wParam);
    WORD id = LOWORD(wParam);
    if (code == EN_SETFOCUS) {
        SubclassOutputPane(pane);
    } else if (code == EN_KILLFOCUS) {
        RestoreOutputPane(pane);
        SetFocus(window);
    } else if (id >= IDM_PROFILE_1 && id <= IDM_PROFILE_9) {
        KilnSettingsFile& settings = KilnSettings();
        settings.CompilerNo = id - IDM_PROFILE_1;
        settings.SaveCompilerNo();
        SendMessageA(window, WM_KILN_RELOAD, 0, 0);
    }
    return 0;
}

LRESULT OnReload(HWND window) {
    KilnSettingsFile& settings = KilnSettings();
    // KilnOp has just written Kiln.ini: what was read of it before is old.
    ini::Reread(settings.IniPath);
    settings.Load();
    PlaceWindow(settings, window, currentSource);
    UpdateTitle(window, ProfileName(settings), currentSource);
    return 0;
}

LRESULT OnCopyData(HWND window, const COPYDATASTRUCT* data) {
    if (data == NULL || data->dwData != kHandOffTag) return FALSE;
    // A second Kiln sends its path with the terminator; a block without one
    // (an empty block included) comes from elsewhere and is not a request.
    const char* block = static_cast<const char*>(data->lpData);
    if (block == NULL || data->cbData == 0 || block[data->cbData - 1] != '\0') return FALSE;
    // Our own copy, however the sender goes on.
    char* text = static_cast<char*>(std::malloc(data->cbData));
    if (!text) return FALSE;
    std::memcpy(text, block, data->cbData);
    OnCompileRequest(window, text);
    std::free(text);
    return TRUE;
}

}  // namespace

char* CurrentSourcePath() { return currentSource; }
char* CurrentOutputPath() { return currentOutput; }
HWND OutputPane() { return pane; }

HFONT CreatePaneFont(const char* face, int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, face);
}

int AcceptSourcePath(const char* text) {
    if (text == currentSource) return 1;
    std::size_t length = std::strlen(text);
    if (length >= sizeof currentSource) {
        ShowKilnError(kSourcePathTooLong);
        return 0;
    }
    std::memcpy(currentSource, text, length + 1);
    return 1;
}

void HandOffToRunningKiln(HWND running, const char* path) {
    COPYDATASTRUCT data;
    data.dwData = kHandOffTag;
    data.cbData = static_cast<DWORD>(std::strlen(path) + 1);
    data.lpData = const_cast<char*>(path);
    SendMessageA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_SIZE:
        return OnSize(window);
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_CLOSE:
        if (!CloseMayProceed()) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        return OnCommand(window, wParam);
    case WM_COPYDATA:
        return OnCopyData(window, reinterpret_cast<COPYDATASTRUCT*>(lParam));
    case WM_KILN_RELOAD:
        return OnReload(window);
    case WM_KILN_COMPILE:
        // The window's first request is a call and a second Kiln hands off
        // through WM_COPYDATA: whatever arrives under this number, posted or
        // sent, carries an address that means nothing here.
        return 0;
    case WM_KILN_COMPILE_DONE:
        return OnCompileDone(window, lParam);
    case WM_KILN_RUN:
        return OnRunOffer(window);
    case WM_KILN_PENDING_REQUEST:
        return OnPendingRequest(window);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
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

HWND CreateMainWindow(HINSTANCE instance) {
    return CreateWindowExA(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, KILN_WINDOW_CLASS, "Kiln", WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, NULL);
}
