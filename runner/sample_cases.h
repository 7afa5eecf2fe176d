// The sample cases beside the program's sources: the *.in files of the
// current folder's "test" (as online-judge-tools writes them) or else its
// "tests" (as atcoder-cli does), each with the .out of the same name.
#ifndef KILN_RUNNER_SAMPLE_CASES_H
#define KILN_RUNNER_SAMPLE_CASES_H

#include <string>
#include <vector>

namespace runner {

struct SampleCase {
    std::string name;      // the file's name without ".in"
    std::string input;     // folder\name.in, relative to the current folder
    std::string expected;  // folder\name.out
};

// The cases in natural order ("sample-2" before "sample-10"); none when
// neither folder holds a .in file.
std::vector<SampleCase> FindSampleCases();

}  // namespace runner

#endif
