// execute.exe: runs the program its command line names in this console and,
// when it has ended, tells how and waits for a key, so that the output of a
// program started from Kiln can be read. Its exit status is the program's.
#include <windows.h>

#include <string>

#include "common/command_tail.h"
#include "common/program_command.h"
#include "resources/dll_search.h"
#include "runner/command_lookup.h"
#include "runner/console_wait.h"
#include "runner/end_report.h"
#include "runner/program_start.h"

namespace {

// Only a console has a key to press: with its input redirected, execute.exe
// ends at once, without asking for one.
int WaitAndEnd(runner::EndReport& report, int status) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode;
    if (!GetConsoleMode(input, &mode)) return status;
    report.KeyPrompt();
    runner::WaitForKey(input);
    report.KeyPressed();
    return status;
}

}  // namespace

int main() {
    KeepDllSearchToSystem();
    runner::EndReport report(GetStdHandle(STD_OUTPUT_HANDLE));
    std::string commandLine = cmdline::Tail(GetCommandLineA());
    if (commandLine.empty()) {
        report.Usage();
        return WaitAndEnd(report, 1);
    }
    char word[1024];
    const char* arguments = NULL;
    if (!program_command::Split(commandLine.c_str(), word, sizeof word, &arguments)) {
        report.NotStarted(commandLine, ERROR_FILENAME_EXCED_RANGE);
        return WaitAndEnd(report, ERROR_FILENAME_EXCED_RANGE);
    }
    std::string path = runner::FindProgram(word);
    runner::Outcome outcome;
    if (path.empty())
        outcome.error = ERROR_FILE_NOT_FOUND;
    else
        outcome = runner::Run(path, commandLine, arguments);
    switch (outcome.kind) {
    case runner::Outcome::NotWaited:
        return 0;
    case runner::Outcome::Refused:
        report.Refused(outcome.refused);
        return WaitAndEnd(report, 1);
    case runner::Outcome::Ended:
        report.Ended(outcome.code, outcome.elapsedMs);
        return WaitAndEnd(report, static_cast<int>(outcome.code));
    default:
        report.NotStarted(word, outcome.error);
        return WaitAndEnd(report, static_cast<int>(outcome.error));
    }
}
