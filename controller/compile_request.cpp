#include "controller/compile_request.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "controller/build_preparation.h"
#include "controller/compile_job.h"
#include "controller/kiln_boxes.h"
#include "controller/pane_text.h"
#include "controller/path_operations.h"
#include "controller/run_offer.h"
#include "controller/window_placement.h"
#include "resources/shared_names.h"

namespace {

const char kUnchangedSource[] = "Kiln:ソースファイルが変更されていません";

void Keep(RequestQueue& requests, const char* path) {
    char* copy = static_cast<char*>(std::malloc(std::strlen(path) + 1));
    if (!copy) return;
    std::strcpy(copy, path);
    std::free(requests.pendingPath);
    requests.pendingPath = copy;
}

void ReleasePendingWhenIdle(const MainWindowState& state) {
    const RequestQueue& requests = state.requests;
    if (requests.busyDepth == 0 && requests.runningJob == NULL && requests.pendingPath != NULL) {
        PostMessageA(state.window, WM_KILN_PENDING_REQUEST, 0, 0);
    }
}

enum Prepared { kEnded, kUpToDate, kCompiling };

// From the output path to the compile job; the window may still be hidden.
Prepared PrepareAndStart(MainWindowState& state) {
    KilnSettingsFile& settings = state.settings;
    RequestQueue& requests = state.requests;
    if (!ComposeOutputPath(state.output, state.source, settings.OutputFileType)) return kEnded;
    if (!PrepareEnvironment(settings, state.window, state.pane, state.source)) return kEnded;
    if (FileExists(state.output) && CompareFileTimes(state.source, state.output) <= 0) {
        ReleaseLargePaneText(state.pane);
        ReplacePaneText(state.pane, kUnchangedSource);
        return kUpToDate;
    }
    DeleteIfExists(state.output);
    if (!ComposeCommandLine(settings, requests.commandLine, sizeof requests.commandLine, state.source,
                            state.output)) {
        return kEnded;
    }
    ReleaseLargePaneText(state.pane);  // the first progress frame replaces the text
    CompileJob* job = new (std::nothrow) CompileJob(state.window, state.pane, requests.commandLine);
    requests.runningJob = job;
    return job ? kCompiling : kEnded;
}

void CarryOut(MainWindowState& state, const char* path) {
    KilnSettingsFile& settings = state.settings;
    HWND window = state.window;

    if (!AcceptSourcePath(state, path)) return;
    if (ReportIfEmpty(state.source, kNoSourceMessage)) return;
    if (ReportIfEmpty(settings.Path, kNoCompilerMessage)) return;
    if (!MakeSourcePathFull(state.source, sizeof state.source)) return;
    UpdateTitle(window, settings.CompilerName[settings.CompilerNo], state.source);
    settings.Load();
    // A hand-edited value longer than its field was loaded cut short: run
    // with it, the compiler would get other options or another program would
    // start. The editor's values are checked here too, so that the jump after
    // this compile does not find them cut.
    if (ReportOverlongSetting(settings, kOverlongProfile | kOverlongEditor)) return;
    // The compiler is started before the window is shown and painted, which
    // takes about as long as a small compile: both go on at once. Whatever
    // way the request ends, the window is shown before a run offer.
    Prepared prepared = PrepareAndStart(state);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetFocus(window);
    if (prepared == kUpToDate) SendMessageA(window, WM_KILN_RUN, 0, reinterpret_cast<LPARAM>(state.output));
}

}  // namespace

bool AcceptSourcePath(MainWindowState& state, const char* text) {
    if (text == state.source) return true;
    std::size_t length = std::strlen(text);
    if (length >= sizeof state.source) {
        ShowKilnError(kSourcePathTooLong);
        return false;
    }
    std::memcpy(state.source, text, length + 1);
    return true;
}

LRESULT OnCompileRequest(MainWindowState& state, const char* path) {
    RequestQueue& requests = state.requests;
    if (requests.busyDepth > 0 || requests.runningJob != NULL) {
        Keep(requests, path);
        return 0;
    }
    ++requests.busyDepth;
    CarryOut(state, path);
    --requests.busyDepth;
    ReleasePendingWhenIdle(state);
    return 0;
}

LRESULT OnCompileDone(MainWindowState& state, LPARAM lParam) {
    RequestQueue& requests = state.requests;
    // Only the job this window started can finish; anything else that
    // arrives under this message number is not ours to delete.
    CompileJob* job = reinterpret_cast<CompileJob*>(lParam);
    if (job == NULL || job != requests.runningJob) return 0;
    ++requests.busyDepth;
    job->ShowResult();
    bool stopped = job->StopRequested();
    delete job;
    requests.runningJob = NULL;
    // A stopped compile built nothing worth running, even if it left a file.
    if (!stopped) SendMessageA(state.window, WM_KILN_RUN, 0, 0);
    --requests.busyDepth;
    ReleasePendingWhenIdle(state);
    return 0;
}

LRESULT OnRunOffer(MainWindowState& state) {
    RequestQueue& requests = state.requests;
    HWND window = state.window;
    ++requests.busyDepth;
    if (GetForegroundWindow() != window) {
        ShowWindow(window, SW_MINIMIZE);
        SetForegroundWindow(window);
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    KilnSettingsFile& settings = state.settings;
    // A reload during the compile may have brought in a value cut short.
    if (ReportOverlongSetting(settings, kOverlongProfile)) {
        --requests.busyDepth;
        ReleasePendingWhenIdle(state);
        return 0;
    }
    if (RunBuiltProgram(settings, window, state.output) && settings.CompileAfterShow != 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    --requests.busyDepth;
    ReleasePendingWhenIdle(state);
    return 0;
}

void StopRunningCompile(MainWindowState& state) {
    if (state.requests.runningJob) state.requests.runningJob->Stop();
}

LRESULT OnPendingRequest(MainWindowState& state) {
    RequestQueue& requests = state.requests;
    if (requests.busyDepth > 0 || requests.runningJob != NULL || requests.pendingPath == NULL) return 0;
    char* path = requests.pendingPath;
    requests.pendingPath = NULL;
    OnCompileRequest(state, path);
    std::free(path);
    return 0;
}
