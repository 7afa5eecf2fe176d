#include "runner/sample_judging.h"

#include "common/decimal_compare.h"
#include "common/output_compare.h"
#include "common/verdict_text.h"
#include "resources/exact_names.h"
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

// The output against the expected one, by the problem's judge.
std::string Compared(const SampleCase& sample, const CaseRun& run, const std::string& expected,
                     const judge_metadata::Metadata& judge, Tally* tally) {
    using judge_metadata::JudgeType;
    const std::string figures = verdict_text::Figures(run.elapsedMs, run.peakBytes);
    if (judge.judge == JudgeType::MultiSolution || judge.judge == JudgeType::Interactive)
        return verdict_text::Unjudgeable(sample.name, run.elapsedMs, output_compare::Shown(expected, Cp932Conversion()),
                                         output_compare::Shown(run.output, Cp932Conversion()));
    if (judge.judge == JudgeType::Decimal) {
        decimal_compare::Difference difference;
        if (decimal_compare::Same(expected, run.output, judge.errorType, judge.diff, &difference))
            return ++tally->accepted, verdict_text::Accepted(sample.name, figures);
        ++tally->failed;
        return verdict_text::WrongDecimal(sample.name, figures, difference);
    }
    output_compare::Difference difference;
    if (output_compare::SameText(expected, run.output, Cp932Conversion(), &difference))
        return ++tally->accepted, verdict_text::Accepted(sample.name, figures);
    ++tally->failed;
    return verdict_text::WrongAnswer(sample.name, figures, difference);
}

// The verdict of a run that ended by itself, with its tally.
std::string Judged(const SampleCase& sample, const CaseRun& run, const judge_metadata::Metadata& judge,
                   Tally* tally) {
    if (run.code != 0) {
        ++tally->failed;
        return verdict_text::RuntimeError(sample.name, run.code);
    }
    std::string expected;
    DWORD error = 0;
    if (sample.expected.empty()) return verdict_text::NotJudged(sample.name, run.elapsedMs, run.output);
    if (!ReadWhole(sample.expected, &expected, &error)) {
        if (error == ERROR_FILE_NOT_FOUND)
            return verdict_text::NotJudged(sample.name, run.elapsedMs, output_compare::Shown(run.output, Cp932Conversion()));
        ++tally->failed;
        return verdict_text::Unreadable(sample.name, sample.expected, SystemReason(error));
    }
    return Compared(sample, run, expected, judge, tally);
}

// The verdict of a run, whatever ended it, with its standard error.
std::string Verdict(const SampleCase& sample, const CaseRun& run, const judge_metadata::Metadata& judge,
                    Tally* tally) {
    unsigned failedBefore = tally->failed;
    std::string verdict;
    switch (run.kind) {
    case CaseRun::InputUnreadable:
        ++tally->failed;
        return verdict_text::Unreadable(sample.name, sample.input, SystemReason(run.error));
    case CaseRun::InputNotAFile:
        ++tally->failed;
        return exact_names::Shown(DeviceLine(exact_names::Widened(sample.name), exact_names::Widened(sample.input)));
    case CaseRun::TimedOut:
        ++tally->failed;
        verdict = verdict_text::TimeLimit(sample.name, kCaseTimeLimitMs / 1000);
        break;
    case CaseRun::MemoryLimit:
        ++tally->failed;
        verdict = verdict_text::MemoryLimit(sample.name, static_cast<unsigned>(kCaseMemoryLimit >> 20));
        break;
    case CaseRun::TooMuchOutput:
        ++tally->failed;
        verdict = verdict_text::TooMuchOutput(sample.name, static_cast<unsigned>(kCaseOutputLimit >> 20));
        break;
    default:
        verdict = Judged(sample, run, judge, tally);
    }
    return verdict_text::WithErrors(verdict, output_compare::Shown(run.errors, Cp932Conversion()),
                                    tally->failed != failedBefore);
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

Tally JudgeSamples(EndReport& report, ConsoleKept& console, const std::string& program,
                   const std::string& commandLine, const std::vector<SampleCase>& cases,
                   const judge_metadata::Metadata& judge) {
    Tally tally;
    OwnHandlesKept kept;
    if (judge.judge == judge_metadata::JudgeType::MultiSolution || judge.judge == judge_metadata::JudgeType::Interactive)
        report.Line(verdict_text::NoComparison(judge.judge == judge_metadata::JudgeType::Interactive));
    bool saidWithoutJob = false;
    for (const SampleCase& sample : cases) {
        if (!sample.skipped.empty()) {
            report.Line(sample.skipped);
            if (sample.counted) ++tally.failed;
            continue;
        }
        CaseRun run = RunCase(program, commandLine, sample.input);
        console.Restore();
        if (run.kind == CaseRun::NotStarted) {
            tally.startError = run.error ? run.error : ERROR_FILE_NOT_FOUND;
            return tally;
        }
        if (run.withoutJob && !saidWithoutJob) {
            saidWithoutJob = true;
            report.Line(verdict_text::WithoutJob());
        }
        report.Line(Verdict(sample, run, judge, &tally));
    }
    return tally;
}

}  // namespace runner
