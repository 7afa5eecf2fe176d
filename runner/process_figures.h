// What the system tells of a running program: the processor time it has
// used and the most memory it has held. A job knows both for everything in
// it, on Windows exactly; where the system gives less (Wine gives 0 for a
// job, and a process's memory only while it lives), the memory seen while
// it ran stands in.
#ifndef KILN_RUNNER_PROCESS_FIGURES_H
#define KILN_RUNNER_PROCESS_FIGURES_H

#include <windows.h>

namespace runner {

// Often enough that a peak held for 50 ms is seen.
const DWORD kSampleEveryMs = 10;

class MemoryPeak {
public:
    // The private memory the process holds now and the peak the system kept.
    void Sample(HANDLE process);
    // The job's own peak, kept for every process that was in it.
    void TakeJob(HANDLE job);
    unsigned long long Bytes() const { return bytes_; }

private:
    void Take(unsigned long long bytes) {
        if (bytes > bytes_) bytes_ = bytes;
    }
    unsigned long long bytes_ = 0;
};

// User and kernel time of the job's processes, or of the process alone
// without a job; 0 where the system does not report it.
unsigned long long ProcessorMs(HANDLE process, HANDLE job);

// Waits for the process to end, sampling its memory meanwhile.
void WaitSampling(HANDLE process, MemoryPeak* peak);

}  // namespace runner

#endif
