// How fast the child-process runner collects a large output, compared with a
// plain reader that drains the same child's pipes with blocking 64 KB reads
// and converts nothing; and how much processor time it takes while a child
// is silent. Run by scripts/bench-runner under Wine; prints a table.
//
//   runner_bench.exe [sizes in MB ...]     (default: 8 16 32 64)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "controller/child_process.h"

namespace {

const unsigned kLine = 40;  // bytes per line, LF included

std::string ChildPath() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    std::string self(path, n);
    return self.substr(0, self.find_last_of('\\')) + "\\script_compiler.exe";
}

std::string FillCommand(unsigned long long bytes) {
    char command[64];
    std::snprintf(command, sizeof command, "\"fill out %llu %u\"", bytes, kLine);
    return "\"" + ChildPath() + "\" -run " + command;
}

double Now() {
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency.QuadPart;
}

double Seconds(const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
}

double ThreadCpu() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    return Seconds(kernel) + Seconds(user);
}

double ProcessCpu() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return Seconds(kernel) + Seconds(user);
}

struct Timing {
    double seconds;
    unsigned long long bytes;
};

Timing RunRunner(const std::string& commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    double start = Now();
    ChildProcess runner;
    if (!runner.Run(NULL, line.data())) {
        std::fprintf(stderr, "runner: cannot start %s\n", commandLine.c_str());
        std::exit(1);
    }
    Timing t = {Now() - start, runner.TextLength()};
    return t;
}

unsigned long long Drain(HANDLE readEnd, std::vector<char>& buffer) {
    unsigned long long total = 0;
    DWORD read = 0;
    while (ReadFile(readEnd, buffer.data(), static_cast<DWORD>(buffer.size()), &read, NULL) && read > 0) {
        total += read;
    }
    return total;
}

// The simplest way to take a child's output: blocking reads until the pipe
// reports its end (the parent closes its write ends after the start).
Timing RunPlain(const std::string& commandLine, DWORD pipeSize) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    double start = Now();
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, NULL, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &attributes, pipeSize);
    CreatePipe(&errRead, &errWrite, &attributes, pipeSize);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, TRUE, NORMAL_PRIORITY_CLASS, NULL, NULL, &startup,
                        &process)) {
        std::fprintf(stderr, "plain: cannot start %s\n", commandLine.c_str());
        std::exit(1);
    }
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    std::vector<char> buffer(64 * 1024);
    unsigned long long total = Drain(outRead, buffer);
    total += Drain(errRead, buffer);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(outRead);
    CloseHandle(errRead);
    Timing t = {Now() - start, total};
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<unsigned> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(static_cast<unsigned>(std::atoi(argv[i])));
    if (sizes.empty()) sizes = {8, 16, 32, 64};

    std::printf("Collecting output of %u-byte lines (times in seconds)\n", kLine);
    std::printf("%6s | %10s %8s | %10s %8s | %10s | %7s | %7s\n", "MB", "runner", "MB/s", "plain 64K",
                "MB/s", "plain dflt", "ratio", "s/MB");
    std::printf("-------+---------------------+---------------------+------------+---------+--------\n");
    for (unsigned mb : sizes) {
        unsigned long long bytes = static_cast<unsigned long long>(mb) << 20;
        std::string command = FillCommand(bytes);
        Timing runner = RunRunner(command);
        Timing plain = RunPlain(command, 65536);
        Timing plainDefault = RunPlain(command, 0);
        unsigned long long expected = bytes + bytes / kLine;  // each LF became CR LF
        if (runner.bytes != expected || plain.bytes != bytes || plainDefault.bytes != bytes) {
            std::printf("size mismatch: runner %llu (expected %llu), plain %llu, %llu\n", runner.bytes, expected,
                        plain.bytes, plainDefault.bytes);
        }
        std::printf("%6u | %10.3f %8.1f | %10.3f %8.1f | %10.3f | %7.2f | %7.4f\n", mb, runner.seconds,
                    mb / runner.seconds, plain.seconds, mb / plain.seconds, plainDefault.seconds,
                    runner.seconds / plain.seconds, runner.seconds / mb);
        std::fflush(stdout);
    }
    std::printf("ratio = runner / plain reader on pipes of the runner's size (64 KB)\n\n");

    // A silent child: the capture should sleep, not poll.
    std::string command = "\"" + ChildPath() + "\" -run \"sleep 3000\"";
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    double threadBefore = ThreadCpu();
    double processBefore = ProcessCpu();
    double start = Now();
    ChildProcess runner;
    runner.Run(NULL, line.data());
    double wall = Now() - start;
    double threadCpu = ThreadCpu() - threadBefore;
    double processCpu = ProcessCpu() - processBefore;
    std::printf("Silent child, 3 s: wall %.3f s, capture thread CPU %.4f s (%.2f%%), process CPU %.4f s (%.2f%%)\n",
                wall, threadCpu, 100 * threadCpu / wall, processCpu, 100 * processCpu / wall);
    return 0;
}
