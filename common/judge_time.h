// Which clock judges a sample case, from the figures the system reports
// while it runs: the program's own processor time where the system keeps
// it for another process, else the wall clock from the resume of its first
// thread. Either way a program that waits without working cannot hold the
// case for ever.
#ifndef KILN_COMMON_JUDGE_TIME_H
#define KILN_COMMON_JUDGE_TIME_H

namespace judge_time {

struct Figures {
    unsigned long long cpuMs = 0;   // user and kernel time of everything in the case; 0: not reported
    unsigned long long wallMs = 0;  // since the first thread was resumed
};

struct Judged {
    unsigned long long ms = 0;  // the seconds shown are these
    bool overLimit = false;     // the case is ended and is TLE
};

// A processor time of 0 is what a system that does not report it gives;
// the wall clock judges then. Otherwise processor time holds the limit and
// the wall clock a bound of twice the limit and a second.
Judged Judge(const Figures& figures, unsigned long long limitMs);

// How long the wall clock may run before the case is ended whatever the
// processor time says.
unsigned long long WallBound(unsigned long long limitMs);

}  // namespace judge_time

#endif
