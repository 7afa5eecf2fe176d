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

// Turns UTF-8 into code page 932, a character without a form there as "?";
// false when there was such a character. It needs the system's tables, so
// the program gives it.
struct Cp932Step {
    bool (*convert)(const std::string& utf8, std::string* cp932, void* context);
    void* context;
};

// Same, compared as text: a UTF-8 byte order mark at the start of either
// side is no difference, and a side in UTF-8 against one in code page 932
// is turned into code page 932 first. Sides in one encoding, bytes that fit
// neither, or UTF-8 that code page 932 cannot hold are compared as they
// are. The difference's lines are in code page 932, for the console.
bool SameText(const std::string& expected, const std::string& actual, const Cp932Step& step,
              Difference* difference = nullptr);

// A program's output as the console shows it: UTF-8 in code page 932, any
// other bytes as they are.
std::string Shown(const std::string& output, const Cp932Step& step);

}  // namespace output_compare

#endif
