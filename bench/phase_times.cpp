// The phase builds' record: performance-counter values, which every process
// on the machine reads from the same clock, so that the benchmark can set
// them against the moment it started the program. Written as
// "<program>.phases" beside the program: one "index value" line for each
// moment that came, and the process's peak working set in bytes.
#include "controller/phase_times.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>

namespace {

LONGLONG moments[kPhaseCount];

}  // namespace

void MarkPhase(KilnPhase phase) {
    if (moments[phase] != 0) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    moments[phase] = now.QuadPart;
}

void SavePhases() {
    char path[MAX_PATH + 8];
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    std::snprintf(path + n, sizeof path - n, ".phases");
    FILE* file = std::fopen(path, "w");
    if (!file) return;
    for (int i = 0; i < kPhaseCount; ++i) {
        if (moments[i] != 0) std::fprintf(file, "%d %lld\n", i, static_cast<long long>(moments[i]));
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
        std::fprintf(file, "peak %llu\n", static_cast<unsigned long long>(memory.PeakWorkingSetSize));
    }
    std::fclose(file);
}
