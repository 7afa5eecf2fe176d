#include "runner/sample_judging.h"

#include "common/output_compare.h"
#include "common/verdict_text.h"
#include "runner/case_run.h"
#include "runner/console_code_page.h"

namespace runner {

namespace {

// The whole file, or false with the system's error. An expected output
// larger than any accepted one is not read to its end.
bool ReadWhole(const std::string& path, std::string* text, DWORD* error) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return false;
    }
    char buffer[64 * 1024];
    DWORD read = 0;
    while (text->size() <= kCaseOutputLimit && ReadFile(file, buffer, sizeof buffer, &read, NULL) && read)
        text->append(buffer, read);
    CloseHandle(file);
    return true;
}

// The verdict of a run that ended by itself, with its tally.
std::string Judged(const SampleCase& sample, const CaseRun& run, Tally* tally) {
    if (run.code != 0) {
        ++tally->failed;
        return verdict_text::RuntimeError(sample.name, run.code);
    }
    std::string expected;
    DWORD error = 0;
    if (!ReadWhole(sample.expected, &expected, &error)) {
        if (error == ERROR_FILE_NOT_FOUND)
            return verdict_text::NotJudged(sample.name, run.elapsedMs, output_compare::Shown(run.output, Cp932Conversion()));
        ++tally->failed;
        return verdict_text::Unreadable(sample.name, sample.expected, SystemReason(error));
    }
    output_compare::Difference difference;
    if (output_compare::SameText(expected, run.output, Cp932Conversion(), &difference)) {
        ++tally->accepted;
        return verdict_text::Accepted(sample.name, run.elapsedMs);
    }
    ++tally->failed;
    return verdict_text::WrongAnswer(sample.name, run.elapsedMs, difference);
}

// execute.exe's own standard handles stay with it while the cases run: a
// case that inherited the caller's pipe would hold it open. The program run
// in the console afterwards gets them as before.
class OwnHandlesKept {
public:
    OwnHandlesKept() {
        for (int i = 0; i < 3; ++i) {
            handles_[i] = GetStdHandle(kWhich[i]);
            if (!GetHandleInformation(handles_[i], &flags_[i])) flags_[i] = 0;
            SetHandleInformation(handles_[i], HANDLE_FLAG_INHERIT, 0);
        }
    }
    ~OwnHandlesKept() {
        for (int i = 0; i < 3; ++i)
            if (flags_[i] & HANDLE_FLAG_INHERIT) SetHandleInformation(handles_[i], HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    OwnHandlesKept(const OwnHandlesKept&) = delete;
    OwnHandlesKept& operator=(const OwnHandlesKept&) = delete;

private:
    static constexpr DWORD kWhich[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    HANDLE handles_[3];
    DWORD flags_[3];
};

}  // namespace

Tally JudgeSamples(EndReport& report, const std::string& program, const std::string& commandLine,
                   const std::vector<SampleCase>& cases) {
    Tally tally;
    OwnHandlesKept kept;
    for (const SampleCase& sample : cases) {
        CaseRun run = RunCase(program, commandLine, sample.input);
        switch (run.kind) {
        case CaseRun::NotStarted:
            tally.startError = run.error ? run.error : ERROR_FILE_NOT_FOUND;
            return tally;
        case CaseRun::InputUnreadable:
            ++tally.failed;
            report.Line(verdict_text::Unreadable(sample.name, sample.input, SystemReason(run.error)));
            break;
        case CaseRun::TimedOut:
            ++tally.failed;
            report.Line(verdict_text::TimeLimit(sample.name, kCaseTimeLimitMs / 1000));
            break;
        case CaseRun::TooMuchOutput:
            ++tally.failed;
            report.Line(verdict_text::TooMuchOutput(sample.name, static_cast<unsigned>(kCaseOutputLimit >> 20)));
            break;
        default:
            report.Line(Judged(sample, run, &tally));
        }
    }
    return tally;
}

}  // namespace runner
