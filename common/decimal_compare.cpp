#include "decimal_compare.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "cp932.h"

namespace decimal_compare {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Blanks and line breaks are below 0x40, where no trail byte of a
// double-byte character lies: cutting at them byte by byte splits none.
std::vector<std::string> Tokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > start) tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

bool Matches(const std::string& expected, const std::string& actual, ErrorType type, double diff) {
    // The same text always passes, "1e999" against itself included.
    if (expected == actual) return true;
    if (!IsNumber(expected) || !IsNumber(actual)) return false;
    return Within(std::strtod(expected.c_str(), nullptr), std::strtod(actual.c_str(), nullptr), type, diff);
}

}  // namespace

bool IsNumber(const std::string& token) {
    std::size_t i = 0, n = token.size();
    if (i < n && (token[i] == '+' || token[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && cp932::IsDigit(token[i])) ++i, ++digits;
    if (i < n && token[i] == '.') {
        ++i;
        while (i < n && cp932::IsDigit(token[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (token[i] == 'e' || token[i] == 'E')) {
        ++i;
        if (i < n && (token[i] == '+' || token[i] == '-')) ++i;
        std::size_t first = i;
        while (i < n && cp932::IsDigit(token[i])) ++i;
        if (i == first) return false;
    }
    return i == n;
}

bool Within(double expected, double actual, ErrorType type, double diff) {
    // Past the range of a double no error can be measured ("1e999" against
    // "-1e999" would pass as relatively near).
    if (!std::isfinite(expected) || !std::isfinite(actual)) return false;
    double error = std::fabs(actual - expected);
    bool absolute = error <= diff, relative = error <= diff * std::fabs(expected);
    switch (type) {
    case ErrorType::Absolute:
        return absolute;
    case ErrorType::Relative:
        return relative;
    default:
        return absolute || relative;
    }
}

bool Same(const std::string& expected, const std::string& actual, ErrorType type, double diff,
          Difference* difference) {
    std::vector<std::string> want = Tokens(expected), got = Tokens(actual);
    Difference found;
    found.expectedCount = want.size();
    found.actualCount = got.size();
    if (want.size() == got.size()) {
        std::size_t i = 0;
        while (i < want.size() && Matches(want[i], got[i], type, diff)) ++i;
        if (i == want.size()) return true;
        found.token = i + 1;
        found.expected = want[i];
        found.actual = got[i];
    }
    if (difference) *difference = found;
    return false;
}

}  // namespace decimal_compare
