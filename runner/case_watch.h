// The watch over a sample case while it runs: its time and memory taken
// every few milliseconds, and the case ended as soon as one passes its limit.
#ifndef KILN_RUNNER_CASE_WATCH_H
#define KILN_RUNNER_CASE_WATCH_H

#include <windows.h>

namespace runner {

// AtCoder's usual limits.
const DWORD kCaseTimeLimitMs = 2000;
const unsigned long long kCaseMemoryLimit = 1024ull << 20;

struct Watched {
    enum End { Ended, TimedOut, MemoryLimit } end = Ended;
    unsigned long long judgedMs = 0;  // the time that was judged, and is shown
    unsigned long long peakBytes = 0;
    unsigned long long wallMs = 0;  // from the resume to the end the watch saw
};

// Watches process (in job, or alone when job is null) from the resume of
// its first thread, given by the performance counter's value then, until it
// ends or passes a limit; it is not ended here.
Watched WatchCase(HANDLE process, HANDLE job, const LARGE_INTEGER& resumed);

// The figures once the case has ended, ended by the watch or not: the
// memory the job kept may pass the limit only now.
void FinishWatch(HANDLE process, HANDLE job, Watched* watched);

}  // namespace runner

#endif
