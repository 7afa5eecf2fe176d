#include "runner/case_run.h"

#include <vector>

namespace runner {

namespace {

// What the readers of the two pipes share: the job (or, without one, the
// process) to end when the output grows too large, and the bytes of
// standard output read so far.
struct Shared {
    HANDLE job;
    HANDLE process;
    volatile LONG total;
    volatile LONG overflow;
    volatile LONG stop;  // the program has ended and the readers had their time
};

// The job and all in it, or the process alone when there is no job.
void EndCase(const Shared& shared) {
    if (shared.job)
        TerminateJobObject(shared.job, 1);
    else
        TerminateProcess(shared.process, 1);
}

struct Reader {
    HANDLE pipe;
    std::string* kept;
    bool counted;  // standard output counts toward the limit; standard error is kept up to its own
    Shared* shared;
};

DWORD WINAPI ReadPipe(void* parameter) {
    Reader* reader = static_cast<Reader*>(parameter);
    std::vector<char> buffer(64 * 1024);
    DWORD read = 0;
    while (!reader->shared->stop &&
           ReadFile(reader->pipe, buffer.data(), static_cast<DWORD>(buffer.size()), &read, NULL) && read) {
        if (!reader->counted) {
            std::size_t room = kCaseErrorKept - reader->kept->size();
            reader->kept->append(buffer.data(), read < room ? read : room);
            continue;
        }
        LONG total = InterlockedExchangeAdd(&reader->shared->total, static_cast<LONG>(read)) + static_cast<LONG>(read);
        if (static_cast<std::size_t>(total) > kCaseOutputLimit) {
            InterlockedExchange(&reader->shared->overflow, 1);
            EndCase(*reader->shared);
            break;
        }
        reader->kept->append(buffer.data(), read);
    }
    return 0;
}

// A job whose processes all end when it is closed, execute.exe's end
// included, and in which a crash ends the process at once instead of
// waiting on the system's error dialog.
HANDLE CaseJob() {
    HANDLE job = CreateJobObjectA(NULL, NULL);
    if (!job) return NULL;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job);
        return NULL;
    }
    return job;
}

// The handles the program is given; the parent's ends of the pipes are
// not inherited.
struct Handles {
    HANDLE input = INVALID_HANDLE_VALUE, outRead = NULL, outWrite = NULL, errRead = NULL, errWrite = NULL;
    ~Handles() {
        for (HANDLE h : {outRead, outWrite, errRead, errWrite})
            if (h) CloseHandle(h);
        if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
    }
    void CloseChildEnds() {
        CloseHandle(outWrite);
        CloseHandle(errWrite);
        CloseHandle(input);
        outWrite = errWrite = NULL;
        input = INVALID_HANDLE_VALUE;
    }
};

bool MakePipe(HANDLE* read, HANDLE* write) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    return CreatePipe(read, write, &inherit, 0) && SetHandleInformation(*read, HANDLE_FLAG_INHERIT, 0);
}

// Into the case's job; a system that admits no job inside the one
// execute.exe is in (Windows 7, some launchers) runs the case without one,
// ended by its process at the limits.
void JoinJob(Shared* shared, CaseRun* run) {
    if (shared->job && AssignProcessToJobObject(shared->job, shared->process)) return;
    if (shared->job) CloseHandle(shared->job);
    shared->job = NULL;
    run->withoutJob = true;
}

// Once the program and its job have ended, the pipes reach their end at
// once, unless a process outside the job holds a copy of a write end (any
// program of the same user can be handed one, and a case without a job
// leaves its own children). The readers then get a moment to take what is
// there and are stopped, so that the verdict follows with the output read
// so far.
void StopReaders(HANDLE (&readers)[2], Shared* shared) {
    const DWORD kDrainMs = 1000;
    typedef BOOL(WINAPI * CancelFunction)(HANDLE);
    // Looked up, not linked: older systems without the call still start.
    CancelFunction cancel = reinterpret_cast<CancelFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CancelSynchronousIo")));
    DWORD start = GetTickCount();
    for (HANDLE& reader : readers) {
        if (!reader) continue;
        DWORD spent = GetTickCount() - start;
        if (WaitForSingleObject(reader, spent < kDrainMs ? kDrainMs - spent : 0) == WAIT_TIMEOUT) {
            InterlockedExchange(&shared->stop, 1);
            // A cancel that comes between two reads is lost; the flag
            // stops the next one, and the cancel is given again.
            for (int tries = 0; tries < 40 && WaitForSingleObject(reader, 50) == WAIT_TIMEOUT; ++tries)
                if (cancel) cancel(reader);
            // Never returns while the reader could still write into the run.
            if (WaitForSingleObject(reader, 0) == WAIT_TIMEOUT) TerminateThread(reader, 1);
        }
        CloseHandle(reader);
        reader = NULL;
    }
}

CaseRun Failed(CaseRun::Kind kind) {
    CaseRun run;
    run.kind = kind;
    run.error = GetLastError();
    return run;
}

}  // namespace

CaseRun RunCase(const std::string& program, const std::string& commandLine, const std::string& input) {
    Handles handles;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    // A file: a program that wants more than it holds reads its end.
    handles.input = CreateFileA(input.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (handles.input == INVALID_HANDLE_VALUE) return Failed(CaseRun::InputUnreadable);
    // Whatever its name, only a file on a disk is a case's input: never the
    // console, a port or a pipe.
    if (GetFileType(handles.input) != FILE_TYPE_DISK) return Failed(CaseRun::InputNotAFile);
    if (!MakePipe(&handles.outRead, &handles.outWrite) || !MakePipe(&handles.errRead, &handles.errWrite))
        return Failed(CaseRun::NotStarted);
    Shared shared = {CaseJob(), NULL, 0, 0, 0};

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = handles.input;
    startup.hStdOutput = handles.outWrite;
    startup.hStdError = handles.errWrite;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    PROCESS_INFORMATION info = {};
    // A console of its own that nobody sees: what the program writes to
    // CONOUT$ never reaches the user's console, and no window opens.
    // Suspended until it is in the job, so that nothing it starts escapes.
    if (!CreateProcessA(program.c_str(), writable.data(), NULL, NULL, TRUE, CREATE_SUSPENDED | CREATE_NO_WINDOW,
                        NULL, NULL, &startup, &info)) {
        CaseRun run = Failed(CaseRun::NotStarted);
        if (shared.job) CloseHandle(shared.job);
        return run;
    }
    shared.process = info.hProcess;
    CaseRun run;
    JoinJob(&shared, &run);
    handles.CloseChildEnds();

    Reader out = {handles.outRead, &run.output, true, &shared}, err = {handles.errRead, &run.errors, false, &shared};
    HANDLE readers[2] = {CreateThread(NULL, 0, ReadPipe, &out, 0, NULL), CreateThread(NULL, 0, ReadPipe, &err, 0, NULL)};
    // The clock starts here, not at the process's making: the time the
    // system takes to load a new program (and an antivirus to scan it) is
    // not the program's.
    LARGE_INTEGER resumed;
    QueryPerformanceCounter(&resumed);
    ResumeThread(info.hThread);
    Watched watched = WatchCase(info.hProcess, shared.job, resumed);
    // Whatever the program left running ends with it; only then are the
    // pipes' last writers gone and the readers done.
    EndCase(shared);
    WaitForSingleObject(info.hProcess, INFINITE);
    FinishWatch(info.hProcess, shared.job, &watched);
    run.elapsedMs = watched.judgedMs;
    run.peakBytes = watched.peakBytes;
    GetExitCodeProcess(info.hProcess, &run.code);
    StopReaders(readers, &shared);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (shared.job) CloseHandle(shared.job);
    run.kind = shared.overflow                               ? CaseRun::TooMuchOutput
               : watched.end == Watched::MemoryLimit ? CaseRun::MemoryLimit
               : watched.end == Watched::TimedOut    ? CaseRun::TimedOut
                                                     : CaseRun::Ended;
    return run;
}

}  // namespace runner
