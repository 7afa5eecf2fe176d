#include "controller/compile_job.h"

#include <process.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/cp932.h"
#include "common/source_encoding.h"
#include "common/status_text.h"
#include "controller/kiln_boxes.h"
#include "controller/output_conversion.h"
#include "controller/pane_text.h"
#include "controller/phase_times.h"
#include "controller/source_charset.h"
#include "controller/status_bar.h"
#include "resources/shared_names.h"

namespace {

const char kFirstFrame[] = "Kiln:コンパイル開始!\r\nKiln:コンパイル中";
const char kDot[] = "・";
const char kEndText[] = "Kiln:コンパイル終了";
const char kStoppedText[] = "Kiln:コンパイル中止";
const char kStartErrorBox[] = "コンパイラを起動できませんでした";
const char kStartErrorCaption[] = "起動エラー";
const char kStartErrorText[] = "起動エラー：コンパイラを起動できません！\r\n";
const int kDotsPerCycle = 10;
const std::size_t kFrameSize = 1024;

}  // namespace

CompileJob::ThreadStarter CompileJob::startThread =
    &CompileJob::StartDetachedThread;

bool CompileJob::StartDetachedThread(unsigned(__stdcall* body)(void*), void* argument) {
    uintptr_t handle = _beginthreadex(NULL, 0, body, argument, 0, NULL);
    if (handle == 0) return false;
    // Nobody waits for the thread; it ends itself.
    CloseHandle(reinterpret_cast<HANDLE>(handle));
    return true;
}

CompileJob::CompileJob(HWND mainWindow_, HWND pane_, const char* commandLine_, const char* iniPath,
                       const OutputRules& rules_, HWND statusBar_, const char* application_,
                       const CharsetNotes& notes_)
    : commandLine(NULL), done(0), finished(NULL), Custom(0), Interval(300), mainWindow(NULL), pane(NULL),
      statusBar(statusBar_), rules(rules_), notes(notes_), progressRunning(false), convertOutput(true), retried(false),
      startTick(GetTickCount()) {
    settingsPath[0] = '\0';
    if (iniPath) {
        // A path that does not fit is not read at all, rather than read cut short.
        if (!cp932::CopyFitting(settingsPath, sizeof settingsPath, iniPath)) settingsPath[0] = '\0';
    } else {
        char directory[kPathSize];
        if (ModuleDirectory(directory)) {
            int n = std::snprintf(settingsPath, sizeof settingsPath, "%s%s", directory, "\\Kiln.ini");
            if (n < 0 || n >= static_cast<int>(sizeof settingsPath)) settingsPath[0] = '\0';
        }
    }
    std::memset(Messages, 0, sizeof Messages);
    ReadMessageSettings();
    finished = CreateEventA(NULL, TRUE, FALSE, NULL);

    // The whole command line is kept; a compile is never run with a shortened one.
    if (commandLine_) {
        std::size_t length = std::strlen(commandLine_);
        commandLine = static_cast<char*>(std::malloc(length + 1));
        if (commandLine) std::memcpy(commandLine, commandLine_, length + 1);
    }
    if (application_) application = application_;
    pane = pane_;
    mainWindow = mainWindow_;
    Start();
}

CompileJob::~CompileJob() {
    std::free(commandLine);
    if (finished) CloseHandle(finished);
}

void CompileJob::MarkDone() {
    // The event first: once done is set the job may be deleted at any moment.
    if (finished) SetEvent(finished);
    done.store(1, std::memory_order_release);
}

bool CompileJob::WaitFrame() {
    DWORD interval = static_cast<DWORD>(Interval);
    if (finished == NULL) {
        Sleep(interval);
        return done.load(std::memory_order_acquire) != 0;
    }
    if (WaitForSingleObject(finished, interval) != WAIT_OBJECT_0) return false;
    // The capture thread sets done right after the event.
    while (!done.load(std::memory_order_acquire)) Sleep(0);
    return true;
}

void CompileJob::ReadMessageSettings() {
    if (settingsPath[0] == '\0') {
        Custom = 0;
        Interval = 300;
        return;
    }
    ReadMessageSettingsFrom(settingsPath, &Custom, Messages, &Interval);
    // A negative pause would be an endless one as an unsigned count, and the
    // progress thread would never notice the end of the compile.
    if (Interval < 0) Interval = 0;
}

void CompileJob::Start() {
    done.store(0, std::memory_order_release);
    progressRunning = StartProgress();
    if (startThread(&CaptureThread, this)) return;

    // Without its thread the compiler cannot run: the user hears about it as
    // about a compiler that cannot be started, and the compile still ends.
    ShowBox(NULL, kStartErrorBox, kStartErrorCaption, MB_OK | MB_ICONERROR);
    ReplaceText(kStartErrorText);
    convertOutput = false;
    MarkDone();
    if (!progressRunning) {
        // Posted, not sent: the main window's handler deletes the job, which
        // must not happen while its constructor is still running.
        PostMessageA(mainWindow, WM_KILN_COMPILE_DONE, 0, reinterpret_cast<LPARAM>(this));
    }
}

bool CompileJob::StartProgress() {
    if (Custom != 0 && Messages[0][0] != '\0') return startThread(&CustomProgressThread, this);
    return startThread(&DotProgressThread, this);
}

void CompileJob::ShowProgressStatus() {
    SetStatusText(statusBar, CompilingStatus(GetTickCount() - startTick).c_str());
}

void CompileJob::Complete() {
    SendMessageA(mainWindow, WM_KILN_COMPILE_DONE, 0, reinterpret_cast<LPARAM>(this));
}

unsigned __stdcall CompileJob::DotProgressThread(void* argument) {
    CompileJob* job = static_cast<CompileJob*>(argument);
    char frame[kFrameSize];
    std::strcpy(frame, kFirstFrame);
    int k = 1;
    for (;;) {
        PumpMessages();
        ReplacePaneText(job->pane, frame);
        SendMessageA(job->pane, WM_PAINT, 0, 0);
        job->ShowProgressStatus();
        if (k > kDotsPerCycle) {
            std::strcpy(frame, kFirstFrame);
            k = 1;
        } else {
            std::strcat(frame, kDot);
            ++k;
        }
        if (job->WaitFrame()) break;
    }
    // The main window deletes the job while handling this; nothing of the job
    // is touched after it.
    job->Complete();
    return 0;
}

unsigned __stdcall CompileJob::CustomProgressThread(void* argument) {
    CompileJob* job = static_cast<CompileJob*>(argument);
    char frame[kFrameSize];
    std::memset(frame, 0, sizeof frame);
    int i = 0;
    for (;;) {
        if (job->done.load(std::memory_order_acquire)) break;
        PumpMessages();
        if (i == kMessageCount || job->Messages[i][0] == '\0') {
            std::memset(frame, 0, sizeof frame);
            i = 0;
            continue;
        }
        // Ten lines of at most 80 bytes plus CR LF stay well inside the frame.
        std::strcat(frame, job->Messages[i]);
        std::strcat(frame, "\r\n");
        ++i;
        ReplacePaneText(job->pane, frame);
        SendMessageA(job->pane, EM_SCROLLCARET, 0, 0);
        SendMessageA(job->pane, WM_PAINT, 0, 0);
        job->ShowProgressStatus();
        if (job->WaitFrame()) break;
    }
    job->Complete();
    return 0;
}

unsigned __stdcall CompileJob::CaptureThread(void* argument) {
    static_cast<CompileJob*>(argument)->Capture();
    return 0;
}

void CompileJob::Capture() {
    int started = commandLine ? Run(application.empty() ? NULL : application.c_str(), commandLine) : 0;
    if (!started) {
        // The progress frames go on while the box is open.
        ShowBox(NULL, kStartErrorBox, kStartErrorCaption, MB_OK | MB_ICONERROR);
        ReplaceText(kStartErrorText);
        convertOutput = false;
    }
    if (started) RetryWithoutCharset();
    // Once done is set the job may be deleted at any moment: read what is
    // still needed first.
    bool sendCompletion = !progressRunning;
    HWND owner = mainWindow;
    MarkDone();
    if (sendCompletion) {
        SendMessageA(owner, WM_KILN_COMPILE_DONE, 0, reinterpret_cast<LPARAM>(this));
    }
}

void CompileJob::RetryWithoutCharset() {
    DWORD code = 0;
    if (notes.plainCommandLine.empty() || StopRequested() || !ExitStatus(&code) || code == 0 ||
        !source_encoding::RefusesConversion(text, TextLength()))
        return;
    std::vector<char> line(notes.plainCommandLine.begin(), notes.plainCommandLine.end());
    line.push_back('\0');
    ReplaceText("");
    retried = true;
    Run(application.empty() ? NULL : application.c_str(), line.data());
}

void CompileJob::ShowResult() {
    const char* endText = StopRequested() ? kStoppedText : kEndText;
    if (!text) {
        ReplacePaneText(pane, endText);
        return;
    }
    // Converted where it lies: a large output is not copied once more.
    if (convertOutput) CutText(ConvertOutputForPane(text, TextLength(), rules.toCodePage));
    // A lead byte left without its trail byte would swallow the end text's
    // first character.
    CutText(cp932::WholeCharactersLength(text, TextLength()));
    // When the text cannot grow it is shown without its end line: better
    // than no output at all.
    AppendOutput(endText);
    MarkPhase(kPhaseConverted);
    std::string kilnLines = notes.notice + (retried ? kRetriedWithoutCharset : "");
    ReplacePaneText(pane, kilnLines.empty() ? text : (kilnLines + text).c_str());
}
