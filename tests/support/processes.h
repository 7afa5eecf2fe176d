// Starting the real programs and fixtures from tests, with time limits, so
// that a broken build fails a test instead of hanging the run.
#ifndef KILN_TESTS_SUPPORT_PROCESSES_H
#define KILN_TESTS_SUPPORT_PROCESSES_H

#include <windows.h>

#include <string>

namespace testing_support {

class Process {
public:
    Process() = default;
    ~Process();  // kills a process that is still running
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;

    // Starts `program` with the command line `"program" arguments` in `folder`
    // (empty: the current folder). Returns false when it could not start.
    bool Start(const std::string& program, const std::string& arguments,
               const std::string& folder = std::string());
    // The same with the arguments as a Unicode program hands them over.
    bool Start(const std::string& program, const std::wstring& arguments, const std::string& folder);
    // Waits at most `ms`; true when the process has ended.
    bool WaitForExit(DWORD ms);
    bool Running() const;
    DWORD ExitCode() const;  // STILL_ACTIVE while running
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    void Kill();

private:
    PROCESS_INFORMATION info_ = {};
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
};

// Ends every process whose executable lies in `folder` or below it, and
// waits briefly for each.
void EndProgramsIn(const std::string& folder);
// How many processes still run from `folder` or below it.
int ProgramsIn(const std::string& folder);

// Runs a program to its end (at most `ms`), returning its exit code, or -1
// when it could not be started or did not end in time (it is then killed).
long RunToEnd(const std::string& program, const std::string& arguments,
              const std::string& folder = std::string(), DWORD ms = 30000);
// The same with no input (the NUL device) and what the program writes to
// its standard output and error in `output`.
long RunToEndCapturing(const std::string& program, const std::string& arguments, const std::string& folder,
                       std::string* output, DWORD ms = 30000);

}  // namespace testing_support

#endif
