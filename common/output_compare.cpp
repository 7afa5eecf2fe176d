#include "output_compare.h"

#include <vector>

#include "common/source_encoding.h"

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

namespace {

// A side as compared: without its byte order mark, and whether it is UTF-8.
struct Side {
    std::string text;
    bool utf8;
};

Side Read(const std::string& text) {
    Side side;
    side.text = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
    side.utf8 = source_encoding::Classify(side.text.data(), side.text.size()) == source_encoding::kUtf8;
    return side;
}

// Into code page 932 when the other side is in it; false leaves it as it is.
void MeetCp932(Side* side, const Side& other, const Cp932Step& step) {
    if (!side->utf8 || other.utf8 || !source_encoding::IsCp932(other.text.data(), other.text.size())) return;
    std::string converted;
    if (!step.convert(side->text, &converted, step.context)) return;
    side->text = converted;
    side->utf8 = false;
}

void ShownLine(std::string* line, bool utf8, const Cp932Step& step) {
    std::string converted;
    if (utf8) {
        step.convert(*line, &converted, step.context);
        *line = converted;
    }
}

}  // namespace

bool SameText(const std::string& expected, const std::string& actual, const Cp932Step& step,
              Difference* difference) {
    Side want = Read(expected), got = Read(actual);
    MeetCp932(&want, got, step);
    MeetCp932(&got, want, step);
    if (Same(want.text, got.text, difference)) return true;
    if (difference) {
        ShownLine(&difference->expected, want.utf8, step);
        ShownLine(&difference->actual, got.utf8, step);
    }
    return false;
}

std::string Shown(const std::string& output, const Cp932Step& step) {
    Side side = Read(output);
    ShownLine(&side.text, side.utf8, step);
    return side.text;
}

}  // namespace output_compare
