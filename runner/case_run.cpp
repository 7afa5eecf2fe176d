#include "runner/case_run.h"

#include <vector>

namespace runner {

namespace {

// What the readers of the two pipes share: the job to end when the output
// grows too large, and the bytes read so far from both.
struct Shared {
    HANDLE job;
    volatile LONG total;
    volatile LONG overflow;
};

struct Reader {
    HANDLE pipe;
    std::string* kept;  // null: read and dropped
    Shared* shared;
};

DWORD WINAPI ReadPipe(void* parameter) {
    Reader* reader = static_cast<Reader*>(parameter);
    std::vector<char> buffer(64 * 1024);
    DWORD read = 0;
    while (ReadFile(reader->pipe, buffer.data(), static_cast<DWORD>(buffer.size()), &read, NULL) && read) {
        LONG total = InterlockedExchangeAdd(&reader->shared->total, static_cast<LONG>(read)) + static_cast<LONG>(read);
        if (static_cast<std::size_t>(total) > kCaseOutputLimit) {
            InterlockedExchange(&reader->shared->overflow, 1);
            TerminateJobObject(reader->shared->job, 1);
            break;
        }
        if (reader->kept) reader->kept->append(buffer.data(), read);
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

unsigned long long Since(const LARGE_INTEGER& before) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart
               ? static_cast<unsigned long long>((now.QuadPart - before.QuadPart) * 1000 / frequency.QuadPart)
               : 0;
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
    Shared shared = {CaseJob(), 0, 0};
    if (!shared.job) return Failed(CaseRun::NotStarted);

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
        CloseHandle(shared.job);
        return run;
    }
    if (!AssignProcessToJobObject(shared.job, info.hProcess)) {
        CaseRun run = Failed(CaseRun::NotStarted);
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        CloseHandle(shared.job);
        return run;
    }
    handles.CloseChildEnds();

    CaseRun run;
    Reader out = {handles.outRead, &run.output, &shared}, err = {handles.errRead, NULL, &shared};
    HANDLE readers[2] = {CreateThread(NULL, 0, ReadPipe, &out, 0, NULL), CreateThread(NULL, 0, ReadPipe, &err, 0, NULL)};
    LARGE_INTEGER before;
    QueryPerformanceCounter(&before);
    ResumeThread(info.hThread);
    bool timedOut = WaitForSingleObject(info.hProcess, kCaseTimeLimitMs) == WAIT_TIMEOUT;
    run.elapsedMs = Since(before);
    GetExitCodeProcess(info.hProcess, &run.code);
    // Whatever the program left running ends with it; only then are the
    // pipes' last writers gone and the readers done.
    TerminateJobObject(shared.job, 1);
    for (HANDLE reader : readers)
        if (reader) {
            WaitForSingleObject(reader, INFINITE);
            CloseHandle(reader);
        }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    CloseHandle(shared.job);
    run.kind = shared.overflow ? CaseRun::TooMuchOutput : (timedOut ? CaseRun::TimedOut : CaseRun::Ended);
    return run;
}

}  // namespace runner
