// From a program's start to its result on the screen, for a compile that
// prints one line, or a large output: Kiln.exe (start, settings, window,
// compile, result with its end text in the pane) against the minimal program beside it, which
// starts the same compiler and shows its output in an edit control. Each
// round starts both once, alternating; the table gives the medians.
//
//   one_line_bench.exe [rounds [MB]]      (default 15 rounds, one line)
//
// With MB, the compiler writes that many megabytes of gcc-like lines in
// blocks of 64 KB, every other line holding gcc's UTF-8 quotes, so that
// Kiln converts half of its lines for the pane.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Folder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    std::string self(path, n);
    return self.substr(0, self.find_last_of('\\'));
}

double Now() {
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency.QuadPart;
}

void Write(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
    CloseHandle(file);
}

struct Search {
    DWORD process;
    const char* className;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM lParam) {
    Search* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (process == search->process && std::string(name) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The edit control's last line, where both programs put their end text.
std::string EditText(HWND window) {
    HWND edit = FindWindowExA(window, NULL, "EDIT", NULL);
    DWORD_PTR lines = 0;
    if (!SendMessageTimeoutA(edit, EM_GETLINECOUNT, 0, 0, SMTO_NORMAL, 1000, &lines) || lines == 0) return "";
    char text[512] = "";
    *reinterpret_cast<WORD*>(text) = sizeof text - 1;
    DWORD_PTR got = 0;
    SendMessageTimeoutA(edit, EM_GETLINE, lines - 1, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 1000, &got);
    return std::string(text, got < sizeof text ? got : 0);
}

// A script command that writes about `megabytes` MB of compiler lines.
std::string LargeOutputScript(int megabytes) {
    const std::string ascii = "hello.c:12:5: note: each undeclared identifier is reported only once\\n";
    const std::string utf8 = "hello.c:12:5: error: \\xE2\\x80\\x98total\\xE2\\x80\\x99 undeclared\\n";
    const std::size_t kBlock = 64 * 1024;
    std::string block;
    std::size_t bytes = 0;
    for (int i = 0; bytes < kBlock; ++i) {
        block += i % 2 ? utf8 : ascii;
        bytes += i % 2 ? 44 : 69;  // the lines' lengths as written
    }
    std::size_t count = static_cast<std::size_t>(megabytes) * 1024 * 1024 / bytes;
    return "lines out " + std::to_string(count) + " " + block + "\n";
}

// Seconds from the start of `commandLine` until the edit control in its
// window of `className` holds `marker` and has nothing left to paint; the
// program is then closed. -1 when it did not in `limit` seconds.
double TimeToResult(const std::string& commandLine, const char* className, const std::string& marker,
                    const std::string& folder, double limit) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    double start = Now();
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup, &info)) return -1;
    double took = -1;
    Search search = {info.dwProcessId, className, NULL};
    while (Now() - start < limit) {
        if (!search.found) EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found && EditText(search.found).find(marker) != std::string::npos &&
            !GetUpdateRect(FindWindowExA(search.found, NULL, "EDIT", NULL), NULL, FALSE)) {
            took = Now() - start;
            break;
        }
        Sleep(2);
    }
    if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return took;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    int megabytes = argc > 2 ? std::atoi(argv[2]) : 0;
    std::string bin = Folder();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "kiln-one-line-bench";
    CreateDirectoryA(folder.c_str(), NULL);
    CopyFileA((bin + "\\Kiln.exe").c_str(), (folder + "\\Kiln.exe").c_str(), FALSE);
    CopyFileA((bin + "\\script_compiler.exe").c_str(), (folder + "\\gcc.exe").c_str(), FALSE);
    CopyFileA((bin + "\\minimal_compile_gui.exe").c_str(), (folder + "\\minimal.exe").c_str(), FALSE);
    Write(folder + "\\gcc.script",
          megabytes > 0 ? LargeOutputScript(megabytes) : "out hello.c:1: warning: one line\\n\n");
    Write(folder + "\\hello.c", "int main(void){return 0;}\n");
    // No output file is made, so Kiln offers nothing to run afterwards.
    Write(folder + "\\Kiln.ini", "[Compiler1]\r\nCompilerName=Bench\r\nPath=" + folder +
                                     "\\gcc.exe\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n"
                                     "[Window]\r\nMagnet=0\r\n");
    std::string compile = "\"" + folder + "\\gcc.exe\" hello.c -o hello.exe";

    // A large output takes the edit controls seconds a megabyte under Wine.
    const double limit = 30 + 10.0 * megabytes;
    std::vector<double> kiln, minimal;
    for (int i = 0; i < rounds; ++i) {
        // Alternating which goes first, so that neither always follows the other.
        double k = 0, m = 0;
        for (int order = 0; order < 2; ++order) {
            if ((order + i) % 2 == 0) {
                k = TimeToResult("\"" + folder + "\\Kiln.exe\" " + folder + "\\hello.c", "Kiln", "Kiln:コンパイル終了",
                                 folder, limit);
            } else {
                m = TimeToResult("\"" + folder + "\\minimal.exe\" " + compile, "MinimalCompile", "END", folder, limit);
            }
        }
        if (k < 0 || m < 0) {
            std::printf("round %d: %s did not show its result\n", i + 1, k < 0 ? "Kiln.exe" : "the minimal program");
            return 1;
        }
        kiln.push_back(k);
        minimal.push_back(m);
    }
    double mk = Median(kiln), mm = Median(minimal);
    std::printf("| program | median start to result (s) | rounds |\n|---|---|---|\n");
    std::printf("| Kiln.exe | %.3f | %d |\n| minimal program | %.3f | %d |\n", mk, rounds, mm, rounds);
    std::printf("ratio Kiln / minimal: %.2f (target at most %s)\n", mk / mm, megabytes > 0 ? "1.00" : "1.20");
    return 0;
}
