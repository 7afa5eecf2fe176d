#include "output_compare.h"

#include <vector>

namespace output_compare {

namespace {

// The lines of text, each without its break and its end blanks, with the
// blank lines at the end left out. LF, CR, tab and space are below 0x40,
// where no trail byte of a double-byte character lies: cutting at them
// byte by byte never splits a character.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t last = end;
        while (last > start && (text[last - 1] == ' ' || text[last - 1] == '\t' || text[last - 1] == '\r')) --last;
        lines.push_back(text.substr(start, last - start));
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace

bool Same(const std::string& expected, const std::string& actual, Difference* difference) {
    std::vector<std::string> want = Lines(expected), got = Lines(actual);
    std::size_t n = want.size() > got.size() ? want.size() : got.size();
    for (std::size_t i = 0; i < n; ++i) {
        bool hasWant = i < want.size(), hasGot = i < got.size();
        if (hasWant && hasGot && want[i] == got[i]) continue;
        if (difference) {
            difference->line = i + 1;
            difference->expectedPresent = hasWant;
            difference->actualPresent = hasGot;
            difference->expected = hasWant ? want[i] : std::string();
            difference->actual = hasGot ? got[i] : std::string();
        }
        return false;
    }
    return true;
}

}  // namespace output_compare
