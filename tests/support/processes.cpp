#include "processes.h"

#include <vector>

namespace testing_support {

Process::~Process() {
    Kill();
}

Process::Process(Process&& other) noexcept : info_(other.info_) { other.info_ = PROCESS_INFORMATION(); }

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        info_ = other.info_;
        other.info_ = PROCESS_INFORMATION();
    }
    return *this;
}

bool Process::Start(const std::string& program, const std::string& arguments, const std::string& folder) {
    Kill();
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(program.c_str(), writable.data(), NULL, NULL, FALSE, 0, NULL,
                          folder.empty() ? NULL : folder.c_str(), &startup, &info_) != 0;
}

bool Process::WaitForExit(DWORD ms) {
    if (!info_.hProcess) return true;
    return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
}

bool Process::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Process::Kill() {
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
    info_ = PROCESS_INFORMATION();
}

long RunToEnd(const std::string& program, const std::string& arguments, const std::string& folder, DWORD ms) {
    Process p;
    if (!p.Start(program, arguments, folder)) return -1;
    if (!p.WaitForExit(ms)) return -1;
    return static_cast<long>(p.ExitCode());
}

}  // namespace testing_support
