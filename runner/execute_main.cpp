// execute.exe: runs the program its command line names in this console and,
// when it has ended, tells how and waits for a key, so that the output of a
// program started from Kiln can be read. Its exit status is the program's.
// With sample cases beside the sources it first judges the program on each,
// and runs it in the console only when Enter is pressed then.
#include <windows.h>

#include <string>
#include <vector>

#include "common/command_tail.h"
#include "common/program_command.h"
#include "common/verdict_text.h"
#include "resources/dll_search.h"
#include "resources/exact_names.h"
#include "runner/command_lookup.h"
#include "runner/console_code_page.h"
#include "runner/console_state.h"
#include "runner/console_wait.h"
#include "runner/end_report.h"
#include "runner/metadata_cases.h"
#include "runner/process_access.h"
#include "runner/program_start.h"
#include "runner/sample_cases.h"
#include "runner/sample_judging.h"

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

// Read before anything runs: the cases and the program must not inherit it.
const bool kUtf8Program = runner::KilnSaysUtf8();

// The program in the console, its end reported (in the console as it was
// before) and a key awaited.
int RunInConsole(runner::EndReport& report, runner::ConsoleKept& console, const std::string& word,
                 const std::string& path, const std::string& commandLine, const std::string& arguments) {
    runner::Outcome outcome;
    if (path.empty()) {
        outcome.error = ERROR_FILE_NOT_FOUND;
    } else {
        // The console kept puts the code pages back with the rest, also on
        // Ctrl+C or the window's close.
        if (kUtf8Program) runner::UseUtf8CodePages();
        outcome = runner::Run(path, commandLine, arguments);
    }
    console.Restore();
    switch (outcome.kind) {
    case runner::Outcome::NotWaited:
        return 0;
    case runner::Outcome::Refused:
        if (outcome.refusedPath)
            report.RefusedPath(outcome.refused);
        else
            report.Refused(outcome.refused);
        return WaitAndEnd(report, 1);
    case runner::Outcome::Ended:
        report.Ended(outcome.code, outcome.elapsedMs, outcome.peakBytes);
        return WaitAndEnd(report, static_cast<int>(outcome.code));
    default:
        report.NotStarted(word, outcome.error);
        return WaitAndEnd(report, static_cast<int>(outcome.error));
    }
}

// The verdicts and their summary; then, on a console, Enter runs the
// program as without cases and any other key closes. The status is 1 when
// a case failed, so that a script can tell.
int JudgeFirst(runner::EndReport& report, runner::ConsoleKept& console, const std::string& word,
               const std::string& path, const std::string& commandLine, const std::string& arguments,
               const std::vector<runner::SampleCase>& cases, const judge_metadata::Metadata& judge) {
    runner::KeepOtherProgramsOut();
    runner::Tally tally = runner::JudgeSamples(report, console, path, commandLine, cases, judge);
    if (tally.startError) {
        report.NotStarted(word, tally.startError);
        return WaitAndEnd(report, static_cast<int>(tally.startError));
    }
    unsigned counted = 0;
    for (const runner::SampleCase& sample : cases) counted += sample.counted ? 1 : 0;
    report.Line(verdict_text::Summary(counted, tally.accepted));
    int status = tally.failed ? 1 : 0;
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode;
    if (!GetConsoleMode(input, &mode)) return status;
    report.RunPrompt();
    WORD key = runner::WaitForKey(input);
    report.KeyPressed();
    return key == VK_RETURN ? RunInConsole(report, console, word, path, commandLine, arguments) : status;
}

// The command line after execute.exe's own name, as Windows holds it, in
// code page 932 only when that holds it exactly; a program's name that it
// does not hold is given by the program's short name. False when neither:
// *shown is then what could not be taken.
bool ReadCommandLine(std::string* line, std::wstring* shown) {
    std::wstring tail = cmdline::Tail(GetCommandLineW());
    if (exact_names::ToCodePage(tail, line)) return true;
    // The program's word as program_command::Split reads it.
    std::wstring word;
    std::size_t at = 0;
    for (bool quoted = false; at < tail.size() && (quoted || (tail[at] != L' ' && tail[at] != L'\t')); ++at) {
        if (tail[at] == L'"')
            quoted = !quoted;
        else
            word += tail[at];
    }
    std::string program, rest;
    *shown = word;
    if (!exact_names::NameInCodePage(word, &program) && !exact_names::NameInCodePage(word + L".exe", &program))
        return false;
    *shown = tail;
    if (!exact_names::ToCodePage(tail.substr(at), &rest)) return false;
    *line = "\"" + program + "\"" + rest;
    return true;
}

}  // namespace

int main() {
    KeepDllSearchToSystem();
    runner::EndReport report(GetStdHandle(STD_OUTPUT_HANDLE));
    runner::ConsoleKept console;
    std::string commandLine;
    std::wstring inexact;
    if (!ReadCommandLine(&commandLine, &inexact)) {
        report.NotStarted(inexact, ERROR_NO_UNICODE_TRANSLATION);
        return WaitAndEnd(report, ERROR_NO_UNICODE_TRANSLATION);
    }
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
    if (!path.empty() && runner::IsConsoleProgram(path)) {
        // A metadata.json that cannot be used is named, and the cases are
        // judged as without it.
        runner::MetadataFile metadata = runner::ReadMetadata();
        if (!metadata.problem.empty()) report.Line(verdict_text::MetadataUnusable(metadata.problem));
        std::vector<runner::SampleCase> cases = runner::FindSampleCases();
        if (cases.empty() && metadata.usable) cases = runner::CasesByPattern(metadata.metadata);
        if (!cases.empty())
            return JudgeFirst(report, console, word, path, commandLine, arguments, cases, metadata.metadata);
    }
    return RunInConsole(report, console, word, path, commandLine, arguments);
}
