// Runs the program on each sample case and writes one verdict a case.
#ifndef KILN_RUNNER_SAMPLE_JUDGING_H
#define KILN_RUNNER_SAMPLE_JUDGING_H

#include <windows.h>

#include <string>
#include <vector>

#include "common/judge_metadata.h"
#include "runner/console_state.h"
#include "runner/end_report.h"
#include "runner/sample_cases.h"

namespace runner {

struct Tally {
    unsigned accepted = 0, failed = 0;  // a case without its .out is neither
    DWORD startError = 0;               // set when the program could not be started at all
};

// judge: how the outputs are compared (metadata.json's, or the plain
// comparison without one). The console is put back after each case,
// before its verdict is written.
Tally JudgeSamples(EndReport& report, ConsoleKept& console, const std::string& program,
                   const std::string& commandLine, const std::vector<SampleCase>& cases,
                   const judge_metadata::Metadata& judge);

}  // namespace runner

#endif
