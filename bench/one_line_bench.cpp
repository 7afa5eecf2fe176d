// From a program's start to its result on the screen, for a compile that
// prints one line, or a large output: Kiln.exe (start, settings, window,
// compile, result with its end text in the pane) against the least program
// that does the same job for its user (bench/minimal_compile_gui.cpp), which
// starts the same compiler and shows its output with its end text in a pane
// like Kiln's. Each round starts both once, alternating; the table gives the
// medians, and the peak working set of each.
//
//   one_line_bench.exe [rounds [MB [phases | against OTHER | uptodate OTHER]]]
//                                     (default 15 rounds, one line)
//
// With MB, the compiler writes that many megabytes of gcc-like lines in
// blocks of 64 KB, every other line holding gcc's UTF-8 quotes, so that
// Kiln converts half of its lines for the pane. With "phases" the rounds run
// the two programs' phase builds instead (controller/phase_times.h), and the
// table gives where the time went. With "against" and the Windows path of
// another Kiln.exe (the build before a change), that Kiln takes the least
// program's place, so that a change is weighed against the same noise.
// With "uptodate" both Kilns get an up-to-date request instead, each in a
// folder of its own (each keeps its own record): a source of 2,000 lines
// that includes 10 headers, built once before the rounds, taken from the
// start to "Kiln:ソースファイルが変更されていません" in the pane.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "controller/phase_times.h"

namespace {

const int kPhases = kPhaseCount;
const int kStart = -1;
const int kResult = -2;

std::string Folder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    std::string self(path, n);
    return self.substr(0, self.find_last_of('\\'));
}

double Frequency() {
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart);
}

LONGLONG Count() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double Now() { return Count() / Frequency(); }

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

struct Outcome {
    double seconds;     // start to result, -1 when it did not come
    LONGLONG start;     // performance count just before the start
    LONGLONG result;    // and when the result was seen
    double peakMb;      // the program's peak working set, 0 when unknown
};

// From the start of `commandLine` until the edit control in its window of
// `className` holds `marker` and has nothing left to paint; the program is
// then closed. The peak working set is taken before the close, when the
// whole result is in memory.
Outcome TimeToResult(const std::string& commandLine, const char* className, const std::string& marker,
                     const std::string& folder, double limit) {
    Outcome outcome = {-1, 0, 0, 0};
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    outcome.start = Count();
    double start = outcome.start / Frequency();
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup, &info)) {
        return outcome;
    }
    Search search = {info.dwProcessId, className, NULL};
    while (Now() - start < limit) {
        if (!search.found) EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found && EditText(search.found).find(marker) != std::string::npos &&
            !GetUpdateRect(FindWindowExA(search.found, NULL, "EDIT", NULL), NULL, FALSE)) {
            outcome.result = Count();
            outcome.seconds = outcome.result / Frequency() - start;
            break;
        }
        Sleep(2);
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory)) {
        outcome.peakMb = memory.PeakWorkingSetSize / (1024.0 * 1024.0);
    }
    if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return outcome;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The moments a phase build wrote on its way out (controller/phase_times.h),
// as performance counts; 0 for a moment that did not come.
std::vector<LONGLONG> ReadPhases(const std::string& path) {
    std::vector<LONGLONG> moments(kPhases, 0);
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return moments;
    int index = 0;
    long long value = 0;
    while (std::fscanf(file, "%d %lld", &index, &value) == 2) {
        if (index >= 0 && index < kPhases) moments[index] = value;
    }
    std::fclose(file);
    DeleteFileA(path.c_str());
    return moments;
}

struct Span {
    const char* name;
    int from;  // a moment's index, or kStart
    int to;    // a moment's index, or kResult
};

void PrintPhases(const std::vector<std::vector<double>>& kiln, const std::vector<std::vector<double>>& minimal,
                 const Span* spans, int count) {
    std::printf("| phase (median ms) | Kiln.exe | least program |\n|---|---|---|\n");
    for (int i = 0; i < count; ++i) {
        std::printf("| %s | %.1f | %.1f |\n", spans[i].name, Median(kiln[i]), Median(minimal[i]));
    }
}

// A folder for an up-to-date request: Kiln, the compiler, the source with
// its headers, and a first compile, so that the record holds the output.
bool PrepareUpToDate(const std::string& folder, const std::string& kiln, const std::string& compiler) {
    CreateDirectoryA(folder.c_str(), NULL);
    if (!CopyFileA(kiln.c_str(), (folder + "\\Kiln.exe").c_str(), FALSE) ||
        !CopyFileA(compiler.c_str(), (folder + "\\gcc.exe").c_str(), FALSE))
        return false;
    Write(folder + "\\gcc.script", "create\n");
    std::string source;
    for (int h = 0; h < 10; ++h) {
        std::string header = "#ifndef H" + std::to_string(h) + "\n#define H" + std::to_string(h) + "\n";
        for (int line = 0; line < 40; ++line) header += "int h" + std::to_string(h) + "_" + std::to_string(line) + "(int x);\n";
        Write(folder + "\\h" + std::to_string(h) + ".h", header + "#endif\n");
        source += "#include \"h" + std::to_string(h) + ".h\"\n";
    }
    source += "/* the functions */\n";
    for (int line = 11; line < 2000; ++line) source += "int f" + std::to_string(line) + "(int x) { return x * 3 + 1; }\n";
    Write(folder + "\\hello.c", source);
    // An object file: nothing is offered to run, so no question waits.
    Write(folder + "\\Kiln.ini", "[Compiler1]\r\nCompilerName=Bench\r\nPath=" + folder +
                                       "\\gcc.exe\r\nCompileOption=-c\r\nOutputFileOption=-o\r\nOutputFileType=o\r\n"
                                       "[Window]\r\nMagnet=0\r\n");
    return TimeToResult("\"" + folder + "\\Kiln.exe\" " + folder + "\\hello.c", "Kiln", "Kiln:コンパイル終了", folder, 30)
               .seconds >= 0;
}

int UpToDate(int rounds, const std::string& bin, const std::string& temp, const char* other) {
    const std::string mine = temp + "kiln-uptodate-bench", theirs = temp + "kiln-uptodate-bench-other";
    if (!PrepareUpToDate(mine, bin + "\\Kiln.exe", bin + "\\script_compiler.exe") ||
        !PrepareUpToDate(theirs, other, bin + "\\script_compiler.exe")) {
        std::printf("the first compiles did not end\n");
        return 1;
    }
    const char kMarker[] = "Kiln:ソースファイルが変更されていません";
    std::vector<double> kiln, kilnOther;
    for (int i = 0; i < rounds; ++i) {
        for (int order = 0; order < 2; ++order) {
            const std::string& folder = (order + i) % 2 == 0 ? mine : theirs;
            Outcome o = TimeToResult("\"" + folder + "\\Kiln.exe\" " + folder + "\\hello.c", "Kiln", kMarker, folder, 30);
            if (o.seconds < 0) {
                std::printf("round %d: %s did not show its result\n", i + 1, folder.c_str());
                return 1;
            }
            (&folder == &mine ? kiln : kilnOther).push_back(o.seconds);
        }
    }
    double mk = Median(kiln), mo = Median(kilnOther);
    std::printf("up to date, 2,000 lines and 10 headers, %d rounds\n", rounds);
    std::printf("| program | median start to result (s) |\n|---|---|\n| Kiln.exe | %.3f |\n| other Kiln.exe | %.3f |\n",
                mk, mo);
    std::printf("ratio Kiln / other Kiln.exe: %.2f\n", mk / mo);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    int megabytes = argc > 2 ? std::atoi(argv[2]) : 0;
    bool phases = argc > 3 && std::string(argv[3]) == "phases";
    const char* other = argc > 4 && std::string(argv[3]) == "against" ? argv[4] : NULL;
    if (argc > 4 && std::string(argv[3]) == "uptodate") {
        char directory[MAX_PATH];
        GetTempPathA(sizeof directory, directory);
        return UpToDate(rounds, Folder(), directory, argv[4]);
    }
    const char* otherName = other ? "other Kiln.exe" : "least program";
    std::string bin = Folder();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "kiln-one-line-bench";
    CreateDirectoryA(folder.c_str(), NULL);
    CopyFileA((bin + (phases ? "\\Kiln_phases.exe" : "\\Kiln.exe")).c_str(), (folder + "\\Kiln.exe").c_str(), FALSE);
    CopyFileA((bin + "\\script_compiler.exe").c_str(), (folder + "\\gcc.exe").c_str(), FALSE);
    CopyFileA((bin + (phases ? "\\minimal_phases.exe" : "\\minimal_compile_gui.exe")).c_str(),
              (folder + "\\minimal.exe").c_str(), FALSE);
    if (other && !CopyFileA(other, (folder + "\\KilnOther.exe").c_str(), FALSE)) {
        std::printf("cannot copy %s\n", other);
        return 1;
    }
    Write(folder + "\\gcc.script",
          megabytes > 0 ? LargeOutputScript(megabytes) : "out hello.c:1: warning: one line\\n\n");
    Write(folder + "\\hello.c", "int main(void){return 0;}\n");
    // No output file is made, so Kiln offers nothing to run afterwards.
    Write(folder + "\\Kiln.ini", "[Compiler1]\r\nCompilerName=Bench\r\nPath=" + folder +
                                     "\\gcc.exe\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n"
                                     "[Window]\r\nMagnet=0\r\n");
    std::string compile = "\"" + folder + "\\gcc.exe\" hello.c -o hello.exe";

    // Where the time goes: the start-up's moments counted from the start
    // (Kiln shows its window while creating it, the least program after),
    // then from moment to moment up to the result seen on the screen.
    const Span spans[] = {
        {"start to WinMain", kStart, kPhaseMain},
        {"start to settings built", kStart, kPhaseSettings},
        {"start to common controls registered", kStart, kPhaseClasses},
        {"start to compiler's process made", kStart, kPhaseChildStarted},
        {"start to window shown and painted", kStart, kPhaseShown},
        {"start to window made", kStart, kPhaseWindow},
        {"start to first byte", kStart, kPhaseFirstByte},
        {"capture (first byte to the child's end, pipes drained)", kPhaseFirstByte, kPhaseCaptured},
        {"hand-off to the window", kPhaseCaptured, kPhaseResultBegun},
        {"conversion (LF to CR LF in capture; UTF-8 lines, end text)", kPhaseResultBegun, kPhaseConverted},
        {"pane taking the text (SetWindowTextA)", kPhaseConverted, kPhaseTextIn},
        {"counting for the status bar", kPhaseTextIn, kPhaseCounted},
        {"paint (to the result seen)", kPhaseCounted, kResult},
        {"start to result", kStart, kResult},
    };
    const int spanCount = sizeof spans / sizeof spans[0];
    std::vector<std::vector<double>> kilnSpans(spanCount), minimalSpans(spanCount);

    // A large output takes the edit controls seconds a megabyte under Wine.
    const double limit = 30 + 10.0 * megabytes;
    std::vector<double> kiln, minimal, kilnPeak, minimalPeak;
    const int kFailedRoundsAllowed = 3;
    int failedRounds = 0;
    for (int i = 0; i < rounds; ++i) {
        // Alternating which goes first, so that neither always follows the other.
        Outcome k = {}, m = {};
        for (int order = 0; order < 2; ++order) {
            bool isKiln = (order + i) % 2 == 0;
            Outcome o = isKiln ? TimeToResult("\"" + folder + "\\Kiln.exe\" " + folder + "\\hello.c", "Kiln",
                                              "Kiln:コンパイル終了", folder, limit)
                       : other ? TimeToResult("\"" + folder + "\\KilnOther.exe\" " + folder + "\\hello.c", "Kiln",
                                              "Kiln:コンパイル終了", folder, limit)
                               : TimeToResult("\"" + folder + "\\minimal.exe\" " + compile, "MinimalCompile",
                                              "Kiln:コンパイル終了", folder, limit);
            (isKiln ? k : m) = o;
            if (phases && o.seconds >= 0) {
                std::vector<LONGLONG> moments = ReadPhases(folder + (isKiln ? "\\Kiln.exe" : "\\minimal.exe") + ".phases");
                std::vector<std::vector<double>>& into = isKiln ? kilnSpans : minimalSpans;
                for (int s = 0; s < spanCount; ++s) {
                    LONGLONG from = spans[s].from == kStart ? o.start : moments[spans[s].from];
                    LONGLONG to = spans[s].to == kResult ? o.result : moments[spans[s].to];
                    if (from != 0 && to != 0) into[s].push_back((to - from) * 1000.0 / Frequency());
                }
            }
        }
        if (k.seconds < 0 || m.seconds < 0) {
            // Under load Wine now and then loses a process at its start
            // ("wine client error: partial write"); the round is run again,
            // and the count of such rounds printed, up to a limit.
            std::printf("round %d: %s did not show its result\n", i + 1, k.seconds < 0 ? "Kiln.exe" : otherName);
            if (++failedRounds > kFailedRoundsAllowed) return 1;
            --i;
            continue;
        }
        kiln.push_back(k.seconds);
        minimal.push_back(m.seconds);
        kilnPeak.push_back(k.peakMb);
        minimalPeak.push_back(m.peakMb);
    }
    double mk = Median(kiln), mm = Median(minimal);
    std::printf("%s, %d rounds%s, %d rounds run again\n",
                megabytes > 0 ? (std::to_string(megabytes) + " MB").c_str() : "one line", rounds,
                phases ? ", phase builds" : "", failedRounds);
    std::printf("| program | median start to result (s) | peak working set (MB) |\n|---|---|---|\n");
    std::printf("| Kiln.exe | %.3f | %.1f |\n| %s | %.3f | %.1f |\n", mk, Median(kilnPeak), otherName, mm,
                Median(minimalPeak));
    std::printf("ratio Kiln / %s: %.2f", otherName, mk / mm);
    if (!other) std::printf(" (target at most %s)", megabytes > 0 ? "1.0" : "1.1");
    std::printf("\n");
    if (phases) PrintPhases(kilnSpans, minimalSpans, spans, spanCount);
    return 0;
}
