// What other programs of the same user may do with execute.exe's process.
#ifndef KILN_RUNNER_PROCESS_ACCESS_H
#define KILN_RUNNER_PROCESS_ACCESS_H

namespace runner {

// A sample case runs as the user who runs execute.exe, and Windows lets
// such a program open execute.exe to name it as the parent of a process
// of its own (which then lives outside the case's job, on execute.exe's
// console) or to hand it a copy of a pipe. execute.exe's process keeps
// for others only what a task list or a wait needs: to see it, wait for
// it and end it; not even its owner may give itself more.
void KeepOtherProgramsOut();

}  // namespace runner

#endif
