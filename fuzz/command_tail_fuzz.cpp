// The command-tail reader on arbitrary command lines against the index
// model: the tail starts at a character boundary behind the program name and
// its blanks, and the reader never looks past the terminator.
#include "common/command_tail.h"
#include "model.h"

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::size_t ExpectedTail(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && Blank(s[i])) ++i;
    if (i < s.size() && s[i] == '"') {
        ++i;
        while (i < s.size() && s[i] != '"') i = model::Step(s, i);
        if (i < s.size()) ++i;
    } else {
        while (i < s.size() && !Blank(s[i])) i = model::Step(s, i);
    }
    while (i < s.size() && Blank(s[i])) ++i;
    return i;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string line = model::Pieces(data, size).Next();
    model::Text text(line);
    const char* tail = cmdline::Tail(text.get());
    FUZZ_CHECK(tail >= text.get() && tail <= text.get() + line.size());
    std::size_t offset = static_cast<std::size_t>(tail - text.get());
    FUZZ_CHECK(offset == ExpectedTail(line));
    FUZZ_CHECK(model::IsBoundary(line, offset));
    FUZZ_CHECK(!Blank(*tail));
    return 0;
}
