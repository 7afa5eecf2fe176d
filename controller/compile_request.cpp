#include "controller/compile_request.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "common/line_place.h"
#include "common/source_encoding.h"
#include "common/status_text.h"
#include "controller/build_preparation.h"
#include "controller/built_outputs.h"
#include "controller/compile_job.h"
#include "controller/followed_headers.h"
#include "controller/kiln_boxes.h"
#include "controller/pane_text.h"
#include "controller/path_operations.h"
#include "controller/phase_times.h"
#include "controller/program_path.h"
#include "controller/run_offer.h"
#include "controller/status_bar.h"
#include "controller/window_placement.h"
#include "resources/batch_environment.h"
#include "resources/shared_names.h"

namespace {

const char kUnchangedSource[] = "Kiln:ソースファイルが変更されていません";

// How long a stopped compile's processes may take to end before its output
// is dealt with all the same.
const DWORD kStoppedProcessesMs = 3000;

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

void SendRunOffer(MainWindowState& state, LPARAM lParam, bool afterCompile) {
    state.requests.runOfferDue = true;
    state.requests.offerAfterCompile = afterCompile;
    SendMessageA(state.window, WM_KILN_RUN, 0, lParam);
    state.requests.runOfferDue = false;
}

// The output a stopped compiler or linker left may be half-written, and its
// time is newer than the source's: it would pass for up to date and be run.
// It goes once the job's processes have let go of it; one that cannot be
// deleted is dated back so that the next request compiles again. A file the
// compile did not write (an old program it could not replace) is left as it
// was.
void DiscardStoppedOutput(CompileJob* job, const char* outputPath, const OutputBefore& before) {
    job->WaitForStoppedProcesses(kStoppedProcessesMs);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    if (!CompileWrote(outputPath, before, now)) return;
    std::string output = UnquotedPath(outputPath);
    if (DeleteFileA(output.c_str())) return;
    HANDLE file = CreateFileA(output.c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME longAgo = {1980, 1, 2, 1, 0, 0, 0, 0};
    FILETIME time;
    if (SystemTimeToFileTime(&longAgo, &time)) SetFileTime(file, NULL, NULL, &time);
    CloseHandle(file);
}

// The bar names the source's encoding after what it says; nothing for
// ASCII, nor after a compiler that could not be started.
std::string WithEncoding(const std::string& status, const SourceCharset& charset) {
    const char* name = source_encoding::Name(charset.encoding);
    return status.empty() || !*name ? status : status + "　" + name;
}

// The bar after a compile: the counts of the output as shown, by the words
// of the compiler the compile started with; after Esc only the time; after a
// compiler that could not be started nothing, as it has no exit code to tell.
void ShowCompileSummary(const MainWindowState& state, const CompileJob& job) {
    DWORD exitCode = 0;
    std::string status;
    if (job.StopRequested()) {
        status = StoppedStatus(job.RunMilliseconds());
    } else if (job.ExitStatus(&exitCode)) {
        status = SummaryStatus(CountMessages(job.rules.lines, job.text ? job.text : "", job.TextLength()),
                               exitCode, job.RunMilliseconds());
    }
    SetStatusText(state.statusBar, WithEncoding(status, state.charset).c_str());
}

enum Prepared { kEnded, kUpToDate, kCompiling };

// What a request works on until it is accepted: one that is refused leaves
// the window's source, output path and title as they were, and with them
// what F4, Enter and the double-click make of the pane's names.
struct Candidate {
    char source[kSourcePathSize];
    char output[MAX_PATH];
    SourceCharset charset;
};

bool FitSourcePath(char (&into)[kSourcePathSize], const char* text) {
    std::size_t length = std::strlen(text);
    if (length >= sizeof into) {
        ShowKilnError(kSourcePathTooLong);
        return false;
    }
    std::memmove(into, text, length + 1);
    return true;
}

// The request becomes the window's, and with it the rules its pane text is
// read by. The title names the profile as it was before the request
// reloaded the settings.
void Adopt(MainWindowState& state, const Candidate& request, const std::string& profileName,
           const LineRules& lines) {
    std::memcpy(state.source, request.source, sizeof state.source);
    std::memcpy(state.output, request.output, sizeof state.output);
    state.requests.sourceTaken = true;
    state.paneRules = lines;
    state.charset = request.charset;
    UpdateTitle(state.window, profileName.c_str(), state.source);
}

// Kiln's line for the source, and for a GNU compiler given Kiln's charset
// options the line without them, should it refuse them.
CharsetNotes PlainRetry(const SettingsFile& settings, const Candidate& request) {
    CharsetNotes notes;
    notes.notice = request.charset.notice;
    if (request.charset.options.empty() || source_encoding::FamilyOf(settings.Path) != source_encoding::kGnu)
        return notes;
    std::vector<char> plain(kCommandLineSize);
    if (ComposeCommandLine(settings, plain.data(), plain.size(), request.source, request.output))
        notes.plainCommandLine = plain.data();
    return notes;
}

// From the output path to the compile job; the window may still be hidden.
Prepared PrepareAndStart(MainWindowState& state, Candidate& request, const std::string& profileName,
                         bool evenIfUpToDate) {
    KilnSettingsFile& settings = state.settings;
    RequestQueue& requests = state.requests;
    const LineRules lines = RulesForCompiler(settings.Path, settings.CompileOption);
    if (!ComposeOutputPath(request.output, request.source, settings.OutputFileType)) return kEnded;
    if (!PrepareEnvironment(settings, state.window, state.pane, request.source)) return kEnded;
    request.charset = ReadSourceCharset(settings, request.source);
    // The command comes first: an output that another command made (another
    // profile, other options, other charset options) is no build of this
    // request's.
    if (!ComposeCommandLine(settings, requests.commandLine, sizeof requests.commandLine, request.source,
                            request.output, request.charset.options)) {
        return kEnded;
    }
    std::string compiler = ConfiguredProgramPath(settings.Path);
    build_record::Made& made = requests.made;
    made.compiler = compiler;
    made.command = requests.commandLine;
    made.headers.clear();
    // Newer than its source is not enough: a program that came with the
    // folder would be taken for this source's and run.
    if (!evenIfUpToDate && FileExists(request.output) && CompareFileTimes(request.source, request.output) <= 0 &&
        IsRecordedBuild(settings, request.output, made)) {
        Adopt(state, request, profileName, lines);
        ReleaseLargePaneText(state.pane);
        ReplacePaneText(state.pane, kUnchangedSource);
        SetStatusText(state.statusBar, WithEncoding(kUnchangedStatus, state.charset).c_str());
        return kUpToDate;
    }
    if (RefusePlantedLibrary(settings, request.source)) return kEnded;
    // The headers as they are before the compile: one edited while it runs
    // makes the next request compile again. A build from headers that could
    // not all be read is recorded without its command, so that the next
    // request compiles too.
    include_scan::Result headers = FollowHeaders(request.source);
    made.headers.swap(headers.headers);
    if (!headers.complete) made.command.clear();
    CharsetNotes notes = PlainRetry(settings, request);
    // Only now is the compile sure to start: a refusal keeps the old output.
    requests.outputBefore = ClearOutputForCompile(request.output);
    Adopt(state, request, profileName, lines);
    ReleaseLargePaneText(state.pane);  // the first progress frame replaces the text
    SetStatusText(state.statusBar, CompilingStatus(0).c_str());
    OutputRules rules;
    rules.toCodePage = settings.OutputCode != 1;
    rules.lines = lines;
    // A batch file runs through cmd.exe, which the command line names.
    if (IsBatchFile(compiler.c_str())) compiler = CommandInterpreter();
    CompileJob* job = new (std::nothrow) CompileJob(state.window, state.pane, requests.commandLine, NULL, rules,
                                                      state.statusBar, compiler.c_str(), notes);
    requests.runningJob = job;
    return job ? kCompiling : kEnded;
}

void CarryOut(MainWindowState& state, const char* path, bool evenIfUpToDate) {
    KilnSettingsFile& settings = state.settings;
    HWND window = state.window;

    Candidate request;
    request.output[0] = '\0';
    if (!FitSourcePath(request.source, path)) return;
    if (ReportIfEmpty(request.source, kNoSourceMessage)) return;
    if (ReportIfEmpty(settings.Path, kNoCompilerMessage)) return;
    if (!MakeSourcePathFull(request.source, sizeof request.source)) return;
    const std::string profileName = settings.CompilerName[settings.CompilerNo];
    settings.Load();
    // A hand-edited value longer than its field was loaded cut short: run
    // with it, the compiler would get other options or another program would
    // start. The editor's values are checked here too, so that the jump after
    // this compile does not find them cut.
    if (ReportOverlongSetting(settings, kOverlongProfile | kOverlongEditor)) return;
    // The compiler is started before the window is shown and painted, which
    // takes about as long as a small compile: both go on at once. Whatever
    // way the request ends, the window is shown before a run offer.
    Prepared prepared = PrepareAndStart(state, request, profileName, evenIfUpToDate);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MarkPhase(kPhaseShown);
    SetFocus(window);
    if (prepared == kUpToDate) SendRunOffer(state, reinterpret_cast<LPARAM>(state.output), false);
}

}  // namespace

bool AcceptSourcePath(MainWindowState& state, const char* text) {
    return text == state.source || FitSourcePath(state.source, text);
}

namespace {

void CarryOutNow(MainWindowState& state, const char* path, bool evenIfUpToDate) {
    ++state.requests.busyDepth;
    CarryOut(state, path, evenIfUpToDate);
    --state.requests.busyDepth;
    ReleasePendingWhenIdle(state);
}

}  // namespace

LRESULT OnCompileRequest(MainWindowState& state, const char* path) {
    RequestQueue& requests = state.requests;
    if (requests.busyDepth > 0 || requests.runningJob != NULL) {
        Keep(requests, path);
        return 0;
    }
    CarryOutNow(state, path, false);
    return 0;
}

void CompileAgain(MainWindowState& state, bool evenIfUpToDate) {
    const RequestQueue& requests = state.requests;
    if (!requests.sourceTaken) return;
    if (requests.busyDepth > 0 || requests.runningJob != NULL) {
        MessageBeep(MB_OK);
        return;
    }
    // The request may replace the window's source when it is accepted.
    const std::string source(state.source);
    CarryOutNow(state, source.c_str(), evenIfUpToDate);
}

LRESULT OnCompileDone(MainWindowState& state, LPARAM lParam) {
    RequestQueue& requests = state.requests;
    // Only the job this window started can finish; anything else that
    // arrives under this message number is not ours to delete.
    CompileJob* job = reinterpret_cast<CompileJob*>(lParam);
    // The job announces itself only once it is done.
    if (job == NULL || job != requests.runningJob || !job->done.load(std::memory_order_acquire)) return 0;
    ++requests.busyDepth;
    MarkPhase(kPhaseResultBegun);
    job->ShowResult();
    MarkPhase(kPhaseTextIn);
    ShowCompileSummary(state, *job);
    MarkPhase(kPhaseCounted);
    bool stopped = job->StopRequested();
    if (stopped) DiscardStoppedOutput(job, state.output, requests.outputBefore);
    // Without Kiln's options gcc's program writes UTF-8, as the source is.
    if (job->RetriedWithoutCharset()) {
        state.charset.writesUtf8 = state.charset.encoding == source_encoding::kUtf8 ||
                                   state.charset.encoding == source_encoding::kUtf8Bom;
        // The record holds the line that made the output: the next request,
        // which starts with Kiln's options again, compiles.
        requests.made.command = job->notes.plainCommandLine;
    }
    FILETIME end;
    GetSystemTimeAsFileTime(&end);
    delete job;
    requests.runningJob = NULL;
    // A stopped compile built nothing worth running. An output the compile
    // did not write (an old one it could not delete, or one dated after its
    // end) is neither recorded nor offered.
    if (!stopped) {
        requests.outputWritten = CompileWrote(state.output, requests.outputBefore, end);
        if (requests.outputWritten) RecordBuild(state.settings, state.output, requests.made);
        SendRunOffer(state, 0, true);
    }
    --requests.busyDepth;
    ReleasePendingWhenIdle(state);
    return 0;
}

LRESULT OnRunOffer(MainWindowState& state) {
    RequestQueue& requests = state.requests;
    HWND window = state.window;
    if (!requests.runOfferDue) return 0;
    requests.runOfferDue = false;
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
    // A reload while the question is open must not change what follows it.
    int closeAfterRun = settings.CompileAfterShow;
    // After a compile, only what it wrote is anything to run.
    bool runnable = !requests.offerAfterCompile || requests.outputWritten;
    if (runnable && RunBuiltProgram(settings, window, state.output, state.charset.writesUtf8) && closeAfterRun != 0) {
        requests.closeAfterOffer = true;
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    --requests.busyDepth;
    ReleasePendingWhenIdle(state);
    return 0;
}

bool CloseMayProceed(MainWindowState& state) {
    RequestQueue& requests = state.requests;
    bool own = requests.closeAfterOffer;
    requests.closeAfterOffer = false;
    return !own || (requests.busyDepth == 0 && requests.runningJob == NULL && requests.pendingPath == NULL);
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
