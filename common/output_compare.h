// Whether a program's output is the expected output as a judge sees it:
// CR LF and LF are one line break, blanks at a line's end and blank lines at
// the end of the output do not count. Every other byte counts as it is, so
// code page 932 text compares without a conversion.
#ifndef KILN_COMMON_OUTPUT_COMPARE_H
#define KILN_COMMON_OUTPUT_COMPARE_H

#include <cstddef>
#include <string>

namespace output_compare {

// The first line that differs, numbered from 1, with both sides' text
// (line breaks and end blanks removed). A side that has no such line has
// present false.
struct Difference {
    std::size_t line = 0;
    std::string expected, actual;
    bool expectedPresent = false, actualPresent = false;
};

// True when actual counts as expected; otherwise *difference (when given)
// tells where they part.
bool Same(const std::string& expected, const std::string& actual, Difference* difference = nullptr);

}  // namespace output_compare

#endif
