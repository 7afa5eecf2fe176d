#include "processes.h"

#include <tlhelp32.h>

#include <vector>

#include "support/test_files.h"

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

bool Process::Start(const std::string& program, const std::wstring& arguments, const std::string& folder) {
    Kill();
    std::wstring commandLine = L"\"" + Wide(program) + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return CreateProcessW(Wide(program).c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                          folder.empty() ? NULL : Wide(folder).c_str(), &startup, &info_) != 0;
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

long RunToEndCapturing(const std::string& program, const std::string& arguments, const std::string& folder,
                       std::string* output, DWORD ms) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE read = NULL, write = NULL;
    HANDLE nul = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, NULL);
    if (nul == INVALID_HANDLE_VALUE || !CreatePipe(&read, &write, &inherit, 0)) return -1;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = startup.hStdError = write;
    std::string line = "\"" + program + "\" " + arguments;
    PROCESS_INFORMATION info = {};
    BOOL started = CreateProcessA(program.c_str(), &line[0], NULL, NULL, TRUE, 0, NULL,
                                  folder.empty() ? NULL : folder.c_str(), &startup, &info);
    CloseHandle(write);
    CloseHandle(nul);
    char buffer[4096];
    DWORD got = 0;
    // The pipe ends when the program and all that inherited it have ended.
    while (started && ::ReadFile(read, buffer, sizeof buffer, &got, NULL) && got) output->append(buffer, got);
    CloseHandle(read);
    if (!started) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(info.hProcess, ms) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    else GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<long>(code);
}

namespace {

// Calls visit with each process whose executable lies in folder or below it.
template <typename Visit>
void ForEachProgramIn(const std::string& folder, Visit visit) {
    typedef BOOL(WINAPI * QueryImageName)(HANDLE, DWORD, LPSTR, PDWORD);
    QueryImageName query = reinterpret_cast<QueryImageName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (!query || snapshot == INVALID_HANDLE_VALUE) return;
    std::string prefix = folder + "\\";
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        HANDLE process = OpenProcess(0x1000 /* PROCESS_QUERY_LIMITED_INFORMATION */ | PROCESS_TERMINATE | SYNCHRONIZE,
                                     FALSE, entry.th32ProcessID);
        if (!process) continue;
        char image[MAX_PATH * 4];
        DWORD size = sizeof image;
        if (query(process, 0, image, &size) && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, image,
                                                               static_cast<int>(prefix.size()), prefix.c_str(),
                                                               static_cast<int>(prefix.size())) == CSTR_EQUAL &&
            WaitForSingleObject(process, 0) == WAIT_TIMEOUT)
            visit(process);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

}  // namespace

void EndProgramsIn(const std::string& folder) {
    ForEachProgramIn(folder, [](HANDLE process) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    });
}

int ProgramsIn(const std::string& folder) {
    int count = 0;
    ForEachProgramIn(folder, [&count](HANDLE) { ++count; });
    return count;
}

}  // namespace testing_support
