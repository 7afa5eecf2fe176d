#include "runner/program_start.h"

#include <shellapi.h>

#include <vector>

#include "common/command_words.h"
#include "common/program_command.h"
#include "resources/batch_environment.h"
#include "runner/console_wait.h"
#include "runner/process_figures.h"

namespace runner {

namespace {

bool IsConsole(HANDLE handle) {
    DWORD mode;
    return GetConsoleMode(handle, &mode) != 0;
}

bool IsWindowedProgram(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    unsigned char header[4096];
    DWORD read = 0;
    ReadFile(file, header, sizeof header, &read, NULL);
    CloseHandle(file);
    return program_command::SubsystemOf(header, read) == program_command::Subsystem::Gui;
}

unsigned long long Milliseconds(const FILETIME& time) {
    return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000;
}

Outcome Failure() {
    Outcome outcome;
    outcome.error = GetLastError();
    if (!outcome.error) outcome.error = ERROR_FILE_NOT_FOUND;
    return outcome;
}

Outcome Start(const std::string& application, const std::string& commandLine, bool wait,
              std::vector<wchar_t>* environment = NULL) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    HANDLE handles[3] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                         GetStdHandle(STD_ERROR_HANDLE)};
    // Redirected handles are handed on explicitly; a console is shared by
    // itself. A windowed program gets nothing, so that it never holds the
    // caller's pipe open after execute.exe has ended.
    bool redirected = wait && !(IsConsole(handles[0]) && IsConsole(handles[1]) && IsConsole(handles[2]));
    if (redirected) {
        for (HANDLE handle : handles) SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = handles[0];
        startup.hStdOutput = handles[1];
        startup.hStdError = handles[2];
    }
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    PROCESS_INFORMATION info = {};
    if (wait) LeaveBreaksToProgram();
    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    if (!CreateProcessA(application.c_str(), writable.data(), NULL, NULL, redirected,
                        environment ? CREATE_UNICODE_ENVIRONMENT : 0, environment ? environment->data() : NULL, NULL,
                        &startup, &info))
        return Failure();
    CloseHandle(info.hThread);
    Outcome outcome;
    outcome.kind = Outcome::NotWaited;
    if (wait) {
        MemoryPeak peak;
        WaitSampling(info.hProcess, &peak);
        outcome.peakBytes = peak.Bytes();
        QueryPerformanceCounter(&after);
        GetExitCodeProcess(info.hProcess, &outcome.code);
        // The system's own times leave out the start of the process; the
        // counter is there for a system that keeps no exit time.
        FILETIME created, exited, kernel, user;
        if (GetProcessTimes(info.hProcess, &created, &exited, &kernel, &user) && exited.dwHighDateTime &&
            Milliseconds(exited) >= Milliseconds(created))
            outcome.elapsedMs = Milliseconds(exited) - Milliseconds(created);
        else if (frequency.QuadPart)
            outcome.elapsedMs = static_cast<unsigned long long>((after.QuadPart - before.QuadPart) * 1000 /
                                                                frequency.QuadPart);
        outcome.kind = Outcome::Ended;
    }
    CloseHandle(info.hProcess);
    return outcome;
}

Outcome OpenDocument(const std::string& path, const std::string& arguments) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = path.c_str();
    info.lpParameters = arguments.empty() ? NULL : arguments.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) return Failure();
    Outcome outcome;
    outcome.kind = Outcome::NotWaited;
    return outcome;
}

}  // namespace

bool IsConsoleProgram(const std::string& path) {
    return program_command::KindOf(path.c_str()) == program_command::Kind::Program && !IsWindowedProgram(path);
}

Outcome Run(const std::string& path, const std::string& commandLine, const std::string& arguments) {
    switch (program_command::KindOf(path.c_str())) {
    case program_command::Kind::Program:
        return Start(path, commandLine, !IsWindowedProgram(path));
    case program_command::Kind::Script: {
        // cmd.exe reads the line as commands of its own: the C runtime's
        // quoting does not keep "&" or "^" from it. Each argument is taken
        // as a program would take it and handed on in cmd.exe's own quotes.
        std::string tail, refused;
        bool safe = command_words::BatchTail(command_words::SplitArguments(arguments.c_str()), &tail, &refused);
        if (!safe || !command_words::KeptFromShell(path.c_str())) {
            Outcome outcome;
            outcome.kind = Outcome::Refused;
            outcome.refusedPath = !command_words::KeptFromShell(path.c_str());
            outcome.refused = outcome.refusedPath ? path : refused;
            return outcome;
        }
        // Windows' cmd.exe then looks for a bare name along PATH only, not
        // first in the current folder, which the program's sources came with.
        std::vector<wchar_t> environment = BatchEnvironment();
        std::string interpreter = CommandInterpreter();
        return Start(interpreter, command_words::BatchCommandLine(interpreter, path, tail), true, &environment);
    }
    default:
        return OpenDocument(path, arguments);
    }
}

}  // namespace runner
