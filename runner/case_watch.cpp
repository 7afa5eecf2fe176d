#include "runner/case_watch.h"

#include "common/judge_time.h"
#include "runner/process_figures.h"

namespace runner {

namespace {

unsigned long long Since(const LARGE_INTEGER& before) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart
               ? static_cast<unsigned long long>((now.QuadPart - before.QuadPart) * 1000 / frequency.QuadPart)
               : 0;
}

judge_time::Judged Judge(HANDLE process, HANDLE job, unsigned long long wallMs) {
    judge_time::Figures figures;
    figures.cpuMs = ProcessorMs(process, job);
    figures.wallMs = wallMs;
    return judge_time::Judge(figures, kCaseTimeLimitMs);
}

}  // namespace

Watched WatchCase(HANDLE process, HANDLE job, const LARGE_INTEGER& resumed) {
    Watched watched;
    MemoryPeak peak;
    for (;;) {
        // Taken before the first wait too: Wine tells nothing of a process
        // that has ended, and a quick one may be gone by the next look.
        peak.Sample(process);
        bool ended = WaitForSingleObject(process, kSampleEveryMs) != WAIT_TIMEOUT;
        watched.wallMs = Since(resumed);
        peak.TakeJob(job);
        watched.peakBytes = peak.Bytes();
        if (ended) return watched;
        if (watched.peakBytes > kCaseMemoryLimit) {
            watched.end = Watched::MemoryLimit;
            return watched;
        }
        if (Judge(process, job, watched.wallMs).overLimit) {
            watched.end = Watched::TimedOut;
            return watched;
        }
    }
}

void FinishWatch(HANDLE process, HANDLE job, Watched* watched) {
    judge_time::Judged judged = Judge(process, job, watched->wallMs);
    watched->judgedMs = judged.ms;
    MemoryPeak peak;
    peak.Sample(process);
    peak.TakeJob(job);
    if (peak.Bytes() > watched->peakBytes) watched->peakBytes = peak.Bytes();
    if (watched->end != Watched::Ended) return;
    if (watched->peakBytes > kCaseMemoryLimit)
        watched->end = Watched::MemoryLimit;
    else if (judged.overLimit)
        watched->end = Watched::TimedOut;
}

}  // namespace runner
