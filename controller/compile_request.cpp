#include "compile_request.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "build_preparation.h"
#include "compile_job.h"
#include "main_window.h"
#include "output_pane.h"
#include "resources/shared_names.h"
#include "run_offer.h"
#include "settings_instance.h"
#include "startup_messages.h"
#include "window_placement.h"

namespace {

const char kUnchangedSource[] = "Kiln:ソースファイルが変更されていません";

// A request that arrives while another one is busy (a compile job running,
// or a message box of a request or of a run offer open) is kept rather than
// started into the same pane; a newer one replaces an older one.
int busyDepth;
CompileJob* runningJob;
char* pendingPath;
// Set just before the window sends itself WM_KILN_RUN: a run offer follows
// only a request of this window, never a message from elsewhere.
bool runOfferDue;
// Set while the run offer's own WM_CLOSE waits in the queue: a request kept
// during the question, or handed off before the close comes round, is
// carried out first, and its own offer may close the window.
bool closeAfterOffer;

// How long a stopped compile's processes may take to end before its output
// is dealt with all the same.
const DWORD kStoppedProcessesMs = 3000;

char commandLine[kCommandLineSize];

void Keep(const char* path) {
    char* copy = static_cast<char*>(std::malloc(std::strlen(path) + 1));
    if (!copy) return;
    std::strcpy(copy, path);
    std::free(pendingPath);
    pendingPath = copy;
}

void SendRunOffer(HWND window, LPARAM lParam) {
    runOfferDue = true;
    SendMessageA(window, WM_KILN_RUN, 0, lParam);
    runOfferDue = false;
}

// The output a stopped compiler or linker left may be half-written, and its
// time is newer than the source's: it would pass for up to date and be run.
// It goes once the job's processes have let go of it; one that cannot be
// deleted is dated back so that the next request compiles again.
void DiscardStoppedOutput(CompileJob* job) {
    job->WaitForStoppedProcesses(kStoppedProcessesMs);
    std::string output = UnquotedPath(CurrentOutputPath());
    if (!FileExists(output.c_str()) || DeleteFileA(output.c_str())) return;
    HANDLE file = CreateFileA(output.c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME longAgo = {1980, 1, 2, 1, 0, 0, 0, 0};
    FILETIME time;
    if (SystemTimeToFileTime(&longAgo, &time)) SetFileTime(file, NULL, NULL, &time);
    CloseHandle(file);
}

void ReleasePendingWhenIdle(HWND window) {
    if (busyDepth == 0 && runningJob == NULL && pendingPath != NULL) {
        PostMessageA(window, WM_KILN_PENDING_REQUEST, 0, 0);
    }
}

enum Prepared { kEnded, kUpToDate, kCompiling };

// From the output path to the compile job; the window may still be hidden.
Prepared PrepareAndStart(HWND window, KilnSettingsFile& settings, const char* source) {
    char* output = CurrentOutputPath();
    HWND pane = OutputPane();
    if (!ComposeOutputPath(output, source, settings.OutputFileType)) return kEnded;
    if (!PrepareEnvironment(settings, window, pane, source)) return kEnded;
    if (FileExists(output) && CompareFileTimes(source, output) <= 0) {
        ReleaseLargePaneText(pane);
        ReplacePaneText(pane, kUnchangedSource);
        return kUpToDate;
    }
    DeleteIfExists(output);
    if (!ComposeCommandLine(settings, commandLine, sizeof commandLine, source, output)) return kEnded;
    ReleaseLargePaneText(pane);  // the first progress frame replaces the text
    CompileJob* job = new (std::nothrow) CompileJob(window, pane, commandLine, NULL, settings.OutputCode);
    runningJob = job;
    return job ? kCompiling : kEnded;
}

void CarryOut(HWND window, const char* path) {
    KilnSettingsFile& settings = KilnSettings();
    char* source = CurrentSourcePath();

    if (!AcceptSourcePath(path)) return;
    if (ReportIfEmpty(source, kNoSourceMessage)) return;
    if (ReportIfEmpty(settings.Path, kNoCompilerMessage)) return;
    if (!MakeSourcePathFull(source, kSourcePathSize)) return;
    UpdateTitle(window, settings.CompilerName[settings.CompilerNo], source);
    settings.Load();
    // A hand-edited value longer than its field was loaded cut short: run
    // with it, the compiler would get other options or another program would
    // start. The editor's values are checked here too, so that the jump after
    // this compile does not find them cut.
    if (ReportOverlongSetting(settings, kOverlongProfile | kOverlongEditor)) return;
    // The compiler is started before the window is shown and painted, which
    // takes about as long as a small compile: both go on at once. Whatever
    // way the request ends, the window is shown before a run offer.
    Prepared prepared = PrepareAndStart(window, settings, source);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetFocus(window);
    if (prepared == kUpToDate) SendRunOffer(window, reinterpret_cast<LPARAM>(CurrentOutputPath()));
}

}  // namespace

LRESULT OnCompileRequest(HWND window, const char* path) {
    if (busyDepth > 0 || runningJob != NULL) {
        Keep(path);
        return 0;
    }
    ++busyDepth;
    CarryOut(window, path);
    --busyDepth;
    ReleasePendingWhenIdle(window);
    return 0;
}

LRESULT OnCompileDone(HWND window, LPARAM lParam) {
    // Only the job this window started can finish; anything else that
    // arrives under this message number is not ours to delete.
    CompileJob* job = reinterpret_cast<CompileJob*>(lParam);
    // The job announces itself only once it is done.
    if (job == NULL || job != runningJob || !job->done.load(std::memory_order_acquire)) return 0;
    ++busyDepth;
    job->ShowResult();
    bool stopped = job->StopRequested();
    if (stopped) DiscardStoppedOutput(job);
    delete job;
    runningJob = NULL;
    // A stopped compile built nothing worth running.
    if (!stopped) SendRunOffer(window, 0);
    --busyDepth;
    ReleasePendingWhenIdle(window);
    return 0;
}

LRESULT OnRunOffer(HWND window) {
    if (!runOfferDue) return 0;
    runOfferDue = false;
    ++busyDepth;
    if (GetForegroundWindow() != window) {
        ShowWindow(window, SW_MINIMIZE);
        SetForegroundWindow(window);
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    KilnSettingsFile& settings = KilnSettings();
    // A reload during the compile may have brought in a value cut short.
    if (ReportOverlongSetting(settings, kOverlongProfile)) {
        --busyDepth;
        ReleasePendingWhenIdle(window);
        return 0;
    }
    // A reload while the question is open must not change what follows it.
    int closeAfterRun = settings.CompileAfterShow;
    if (RunBuiltProgram(settings, window, CurrentOutputPath()) == 1 && closeAfterRun != 0) {
        closeAfterOffer = true;
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    --busyDepth;
    ReleasePendingWhenIdle(window);
    return 0;
}

bool CloseMayProceed() {
    bool own = closeAfterOffer;
    closeAfterOffer = false;
    return !own || (busyDepth == 0 && runningJob == NULL && pendingPath == NULL);
}

void StopRunningCompile() {
    if (runningJob) runningJob->Stop();
}

LRESULT OnPendingRequest(HWND window) {
    if (busyDepth > 0 || runningJob != NULL || pendingPath == NULL) return 0;
    char* path = pendingPath;
    pendingPath = NULL;
    OnCompileRequest(window, path);
    std::free(path);
    return 0;
}
