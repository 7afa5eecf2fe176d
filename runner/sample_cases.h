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
    std::string expected;  // folder\name.out; empty when the folder has none
    // A .in that is not run: the line shown in its verdict's place. A
    // device's name is no case at all and is not counted.
    std::wstring skipped;
    bool counted = true;
};

// The cases in natural order ("sample-2" before "sample-10"); none when
// neither folder holds a .in file. A name that code page 932 does not hold
// is taken by its short name, or shown as it is and not run.
std::vector<SampleCase> FindSampleCases();

// The line for a .in that Windows opens as a device, not a file.
std::wstring DeviceLine(const std::wstring& name, const std::wstring& file);

}  // namespace runner

#endif
