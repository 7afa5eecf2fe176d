#include "runner/process_figures.h"

#include <psapi.h>

namespace runner {

namespace {

unsigned long long Milliseconds(unsigned long long hundredNanoseconds) { return hundredNanoseconds / 10000; }

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

void MemoryPeak::Sample(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return;
    Take(counters.PagefileUsage);
    Take(counters.PeakPagefileUsage);
}

void MemoryPeak::TakeJob(HANDLE job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    if (job && QueryInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits, NULL))
        Take(limits.PeakProcessMemoryUsed);
}

unsigned long long ProcessorMs(HANDLE process, HANDLE job) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    if (job && QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting, sizeof accounting, NULL))
        return Milliseconds(static_cast<unsigned long long>(accounting.TotalUserTime.QuadPart) +
                            static_cast<unsigned long long>(accounting.TotalKernelTime.QuadPart));
    FILETIME created, exited, kernel, user;
    if (!job && GetProcessTimes(process, &created, &exited, &kernel, &user))
        return Milliseconds(Ticks(kernel) + Ticks(user));
    return 0;
}

void WaitSampling(HANDLE process, MemoryPeak* peak) {
    do
        peak->Sample(process);
    while (WaitForSingleObject(process, kSampleEveryMs) == WAIT_TIMEOUT);
    // Windows keeps the peak of an ended process as long as its handle is open.
    peak->Sample(process);
}

}  // namespace runner
