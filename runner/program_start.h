// Starting what the command line names: a program (waited for unless it is
// a windowed one), a batch file through the command interpreter, or any
// other file as the shell opens it.
#ifndef KILN_RUNNER_PROGRAM_START_H
#define KILN_RUNNER_PROGRAM_START_H

#include <windows.h>

#include <string>

namespace runner {

struct Outcome {
    enum Kind { Ended, NotWaited, Failed, Refused } kind = Failed;
    DWORD code = 0;                 // the exit status when Ended
    unsigned long long elapsedMs = 0;
    DWORD error = 0;                // the system's error when Failed
    std::string refused;            // the argument a batch file cannot be given safely
    bool refusedPath = false;       // ... or the batch file's own path, which cmd.exe would read
    unsigned long long peakBytes = 0;  // the most memory it held when Ended; 0: not told
};

// True for a program that runs in a console (not a windowed one, a batch
// file or a document).
bool IsConsoleProgram(const std::string& path);

// path: the file found for the first word; commandLine: execute.exe's
// command line from that word on, handed to a program as it stands;
// arguments: what follows the word.
Outcome Run(const std::string& path, const std::string& commandLine, const std::string& arguments);

}  // namespace runner

#endif
