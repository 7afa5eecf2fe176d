#include "judge_time.h"

namespace judge_time {

unsigned long long WallBound(unsigned long long limitMs) { return 2 * limitMs + 1000; }

Judged Judge(const Figures& figures, unsigned long long limitMs) {
    Judged judged;
    if (figures.cpuMs == 0) {
        judged.ms = figures.wallMs;
        judged.overLimit = figures.wallMs > limitMs;
    } else {
        judged.ms = figures.cpuMs;
        judged.overLimit = figures.cpuMs > limitMs || figures.wallMs > WallBound(limitMs);
    }
    return judged;
}

}  // namespace judge_time
