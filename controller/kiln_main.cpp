#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "common/command_tail.h"
#include "controller/build_preparation.h"
#include "controller/compile_request.h"
#include "controller/kiln_boxes.h"
#include "controller/locate_window.h"
#include "controller/main_window.h"
#include "controller/phase_times.h"
#include "controller/window_keys.h"
#include "resources/dll_search.h"
#include "resources/exact_names.h"
#include "resources/resource_ids.h"
#include "resources/shared_names.h"

namespace {

// The source path as Windows holds it, in code page 932 only when that holds
// it exactly (else by its short name); false, after the box, when neither.
// Blanks that end the command line are spacing, not part of the name.
bool ReadSourceArgument(std::string* source) {
    std::wstring tail = cmdline::Tail(GetCommandLineW());
    while (!tail.empty() && (tail.back() == L' ' || tail.back() == L'\t')) tail.pop_back();
    if (exact_names::NameInCodePage(tail, source)) return true;
    if (tail.size() >= 2 && tail.front() == L'"' && tail.back() == L'"') tail = tail.substr(1, tail.size() - 2);
    ShowNameError(kInexactSourceName, tail);
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int) {
    KeepDllSearchToSystem();
    MarkPhase(kPhaseMain);
    // First of all: on a first run KilnOp is shown and closed here, before
    // Kiln looks for a running instance or creates its window.
    KilnSettingsFile settings;
    settings.Construct();
    // Without Kiln.ini no profile names a compiler: every start would fail
    // the same way, so the cause is said once and nothing more is tried.
    if (ReportUnsavedDefaults(settings)) return 0;
    MarkPhase(kPhaseSettings);
    MainWindowState state(settings);
    std::string argument;
    if (!ReadSourceArgument(&argument)) return 0;
    const char* tail = argument.c_str();

    HWND running = NULL;
    if (LocateWindow(KILN_WINDOW_CLASS, tail, &running)) {
        SetForegroundWindow(running);
        // A relative path names a file in this process's current folder, not
        // in the running Kiln's: it goes across made full. A text too long to
        // be a source path goes as it is, and the running Kiln refuses it.
        char handed[kSourcePathSize];
        if (tail[0] != '\0' && std::strlen(tail) < sizeof handed) {
            std::strcpy(handed, tail);
            if (!MakeSourcePathFull(handed, sizeof handed)) return 0;
            tail = handed;
        }
        HandOffToRunningKiln(running, tail);
        return 0;
    }
    if (ReportIfEmpty(tail, kNoSourceMessage)) return 0;
    if (!AcceptSourcePath(state, tail)) return 0;

    // The application manifest asks for the common controls 6: the pane is
    // that version's edit control, whose class comctl32 registers, as it
    // registers the status bar's.
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    MarkPhase(kPhaseClasses);
    if (previous == NULL && !RegisterMainWindowClass(instance)) return 0;
    HWND window = CreateMainWindow(instance, state);
    if (window == NULL) {
        ShowKilnError("Kilnのウィンドウを作成できませんでした");
        return 0;
    }
    MarkPhase(kPhaseWindow);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MarkPhase(kPhaseShown);

    HACCEL keys = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_PROFILE_KEYS));
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        if (HandleWindowKey(state, message)) continue;
        if (!TranslateAcceleratorA(window, keys, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    SavePhases();
    return static_cast<int>(message.wParam);
}
