#include "controller/child_process.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/cp932.h"
#include "common/path_kind.h"
#include "common/line_breaks.h"
#include "controller/phase_times.h"
#include "resources/batch_environment.h"

namespace {

// Under Wine a child blocks in every write that does not fit the pipe, and
// each pass costs a peek per pipe: with a pipe of a few hundred bytes, output
// arrives at a third of the speed a plain reader gets. A larger pipe lets a
// pass take a large chunk at once; a child that outruns it still just waits.
const DWORD kPipeSize = 65536;
const std::size_t kInitialCapacity = 1024;

// A pass that found both pipes empty is followed by a few quick yields and,
// while the child has written something lately, by short waits on its
// process handle: a child that writes steadily is usually just about to write
// again, and a long pause would leave it blocked on a full pipe. A child that
// has been silent for a while is polled only every few milliseconds, so that
// it costs next to no processor time; its end is noticed at once all the same.
const int kYieldPasses = 4;
const DWORD kRecentOutputMs = 50;
const DWORD kBusyWaitMs = 1;
const DWORD kIdleWaitMs = 5;

// A process the compiler started may have inherited the pipes and go on
// writing after the compiler has ended; what it writes that long after the
// end is not the compile's output, and it must not keep the compile going.
const DWORD kAfterEndMs = 1000;

LONGLONG Now() {
    LARGE_INTEGER count;
    return QueryPerformanceCounter(&count) ? count.QuadPart : 0;
}

// A compiler that is a batch file runs through the system's cmd.exe.
bool IsCommandInterpreter(const char* application) {
    return application && cp932::EqualNoCase(path_kind::FileName(application), "cmd.exe");
}

}  // namespace

ChildProcess::ChildProcess()
    : text(NULL), outputRead(NULL), outputWrite(NULL), errorRead(NULL), errorWrite(NULL),
      jobObject(CreateJobObjectA(NULL, NULL)), stopHandle(NULL), stopRequested(0), textLength(0), capacity(0),
      exitStatus(0), exitStatusKnown(false), startCount(0), endCount(0) {
    SECURITY_ATTRIBUTES attributes;
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = NULL;
    attributes.bInheritHandle = TRUE;
    if (!CreatePipe(&outputRead, &outputWrite, &attributes, kPipeSize)) {
        outputRead = outputWrite = NULL;
    }
    if (!CreatePipe(&errorRead, &errorWrite, &attributes, kPipeSize)) {
        errorRead = errorWrite = NULL;
    }

    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdError = errorWrite;
    startup.hStdOutput = outputWrite;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::memset(&process, 0, sizeof process);

    text = static_cast<char*>(std::calloc(kInitialCapacity, 1));
    if (text) capacity = kInitialCapacity;
}

ChildProcess::~ChildProcess() {
    std::free(text);
    // The write ends first: Kiln's copies are what keeps the pipes from
    // reporting their end while a child runs.
    HANDLE handles[4] = {outputWrite, errorWrite, outputRead, errorRead};
    for (int i = 0; i < 4; ++i) {
        if (handles[i]) CloseHandle(handles[i]);
    }
    HANDLE child = stopHandle.exchange(NULL);
    if (child) CloseHandle(child);
    // Closing the job ends nothing: a compile left running when Kiln closes
    // goes on as it would without the job.
    HANDLE job = jobObject.exchange(NULL);
    if (job) CloseHandle(job);
}

void ChildProcess::Stop() {
    stopRequested.store(1, std::memory_order_release);
    EndStartedProcesses();
}

void ChildProcess::EndStartedProcesses() {
    HANDLE job = jobObject.exchange(NULL);
    if (job) {
        TerminateJobObject(job, 1);
        jobObject.store(job);
    }
    HANDLE child = stopHandle.exchange(NULL);
    if (child) {
        TerminateProcess(child, 1);
        CloseHandle(child);
    }
}

bool ChildProcess::WaitForStoppedProcesses(DWORD ms) {
    HANDLE job = jobObject.load();
    if (!job) return true;  // only the child ran, and Run saw it end
    DWORD start = GetTickCount();
    for (;;) {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info;
        if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, NULL)) {
            return false;
        }
        if (info.ActiveProcesses == 0) return true;
        if (GetTickCount() - start >= ms) return false;
        Sleep(10);
    }
}

bool ChildProcess::Ready() const {
    return text && outputRead && outputWrite && errorRead && errorWrite;
}

int ChildProcess::Run(const char* application, char* commandLine) {
    if (!Ready() || !commandLine) return 0;
    // Not started suspended: a child left suspended by a Kiln that ends
    // before resuming it would wait for ever, holding its files. It joins
    // the job at once; a compiler starts its own helpers only later.
    startCount = Now();
    std::vector<wchar_t> environment;
    if (IsCommandInterpreter(application)) environment = BatchEnvironment();
    if (!CreateProcessA(application, commandLine, NULL, NULL, TRUE,
                        NORMAL_PRIORITY_CLASS | (environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT),
                        environment.empty() ? NULL : environment.data(), NULL, &startup, &process)) {
        std::memset(&process, 0, sizeof process);
        return 0;
    }
    MarkPhase(kPhaseChildStarted);
    HANDLE job = jobObject.load();
    if (job && !AssignProcessToJobObject(job, process.hProcess)) {
        // Kiln itself may run in a job that admits no other: the child then
        // runs outside any, and a stop can end only the child itself. A stop
        // that holds the job just now leaves it to the destructor.
        job = jobObject.exchange(NULL);
        if (job) CloseHandle(job);
    }
    HANDLE child = NULL;
    if (DuplicateHandle(GetCurrentProcess(), process.hProcess, GetCurrentProcess(), &child,
                        PROCESS_TERMINATE | SYNCHRONIZE, FALSE, 0)) {
        stopHandle.store(child);
    }
    // A stop that came while the child was being started ends it now.
    if (StopRequested()) EndStartedProcesses();

    // The end of the child is taken from its process handle, not from its
    // exit status, so that a child whose status happens to be STILL_ACTIVE
    // (259) ends the loop as well. It is looked at only after a pass that
    // found nothing, which spares a call per pass while output flows. Once
    // the child has ended, everything it wrote is in the pipes; but a child
    // that filled a pipe just before its end may leave more than one read's
    // worth, so the passes go on until one that began after the end finds
    // nothing.
    bool ended = false;
    DWORD endedAt = 0;
    int idlePasses = 0;
    DWORD lastOutput = GetTickCount();
    for (;;) {
        DWORD got = ReadPipe(errorRead);
        got += ReadPipe(outputRead);
        if (got > 0) {
            idlePasses = 0;
            lastOutput = GetTickCount();
            if (ended && lastOutput - endedAt >= kAfterEndMs) break;
            continue;
        }
        if (ended) break;
        ended = ChildHasEnded();
        if (ended) {
            endedAt = GetTickCount();
            endCount = Now();
            continue;
        }
        if (++idlePasses <= kYieldPasses) {
            Sleep(0);
        } else {
            DWORD pause = GetTickCount() - lastOutput < kRecentOutputMs ? kBusyWaitMs : kIdleWaitMs;
            if (WaitForSingleObject(process.hProcess, pause) == WAIT_FAILED) Sleep(pause);
        }
    }
    ReadPipe(errorRead);
    ReadPipe(outputRead);
    MarkPhase(kPhaseCaptured);
    exitStatusKnown = GetExitCode(&exitStatus) != FALSE;
    child = stopHandle.exchange(NULL);
    if (child) CloseHandle(child);
    CloseProcess();
    return 1;
}

bool ChildProcess::ChildHasEnded() {
    DWORD state = WaitForSingleObject(process.hProcess, 0);
    if (state == WAIT_OBJECT_0) return true;
    if (state == WAIT_TIMEOUT) return false;
    // The handle cannot be waited on: fall back on the exit status, and take
    // a failure to read it as the end rather than polling forever.
    DWORD code = 0;
    return !GetExitCode(&code) || code != STILL_ACTIVE;
}

DWORD ChildProcess::ReadPipe(HANDLE readEnd) {
    DWORD available = 0;
    DWORD leftInMessage = 0;
    if (!PeekNamedPipe(readEnd, NULL, 0, NULL, &available, &leftInMessage) || available == 0) {
        return 0;
    }
    char* buffer = static_cast<char*>(std::malloc(static_cast<std::size_t>(available) + 1));
    if (!buffer) return 0;  // left in the pipe for a later pass
    DWORD read = 0;
    ReadFile(readEnd, buffer, available, &read, NULL);
    if (read > 0) {
        MarkPhase(kPhaseFirstByte);
        buffer[read] = '\0';
        AppendOutput(buffer);
    }
    std::free(buffer);
    return read;
}

char* ChildProcess::AppendOutput(const char* chunk) {
    if (!text || !chunk) return text;
    std::size_t n = std::strlen(chunk);
    std::size_t most = linebreaks::MaxConvertedLength(n);
    if (most < n || textLength + most + 1 < textLength) return text;
    std::size_t needed = textLength + most + 1;
    if (needed > capacity) {
        // Doubling keeps the collection of a long output linear in its size.
        std::size_t grown = capacity * 2 > capacity ? capacity * 2 : needed;
        if (grown < needed) grown = needed;
        char* larger = static_cast<char*>(std::realloc(text, grown));
        if (!larger && grown > needed) {
            grown = needed;
            larger = static_cast<char*>(std::realloc(text, grown));
        }
        if (!larger) return text;
        text = larger;
        capacity = grown;
    }
    textLength += linebreaks::Convert(chunk, n, text + textLength);
    text[textLength] = '\0';
    return text;
}

void ChildProcess::ReplaceText(const char* replacement) {
    if (!text) return;
    textLength = 0;
    text[0] = '\0';
    AppendOutput(replacement);
}

void ChildProcess::CutText(std::size_t length) {
    if (!text || length > textLength) return;
    textLength = length;
    text[length] = '\0';
}

BOOL ChildProcess::GetExitCode(DWORD* exitCode) {
    return GetExitCodeProcess(process.hProcess, exitCode);
}

bool ChildProcess::ExitStatus(DWORD* code) const {
    if (exitStatusKnown) *code = exitStatus;
    return exitStatusKnown;
}

unsigned long ChildProcess::RunMilliseconds() const {
    LARGE_INTEGER frequency;
    if (endCount <= startCount || !QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
    return static_cast<unsigned long>((endCount - startCount) * 1000 / frequency.QuadPart);
}

BOOL ChildProcess::CloseProcess() {
    CloseHandle(process.hProcess);
    BOOL result = CloseHandle(process.hThread);
    process.hProcess = NULL;
    process.hThread = NULL;
    return result;
}

void ChildProcess::PumpMessages() {
    MSG message;
    if (!PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE)) return;
    if (GetMessageA(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
