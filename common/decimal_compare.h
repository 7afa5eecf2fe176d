// The comparison of answers that are decimal numbers, as atcoder-tools'
// tester makes it: both outputs cut into tokens at blanks and line breaks,
// the same number of tokens, and each pair within the allowed error when
// both are numbers, the same text otherwise.
#ifndef KILN_COMMON_DECIMAL_COMPARE_H
#define KILN_COMMON_DECIMAL_COMPARE_H

#include <cstddef>
#include <string>

namespace decimal_compare {

enum class ErrorType { Absolute, Relative, AbsoluteOrRelative };

// Where the outputs part: the counts when they differ (token 0), else the
// first token (from 1) out of bounds with both sides' text.
struct Difference {
    std::size_t token = 0;
    std::size_t expectedCount = 0, actualCount = 0;
    std::string expected, actual;
};

// A decimal number as written in an answer: [+-]digits[.digits][e[+-]digits],
// digits on at least one side of the point. "inf", "nan" and hexadecimal
// are text.
bool IsNumber(const std::string& token);

// |actual - expected| <= diff (absolute), <= diff * |expected| (relative),
// or either.
bool Within(double expected, double actual, ErrorType type, double diff);

bool Same(const std::string& expected, const std::string& actual, ErrorType type, double diff,
          Difference* difference = nullptr);

}  // namespace decimal_compare

#endif
