// execute.exe's reading of its command line and of a program's header,
// against index models: the word with its quotes dropped and the arguments
// from where the model says, never cut inside a character or past the
// buffer; the subsystem read only from inside the given bytes.
#include "common/program_command.h"
#include "model.h"

#include <algorithm>
#include <vector>

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

struct Expected {
    std::string word;
    std::size_t arguments;
};

Expected ExpectedSplit(const std::string& s) {
    Expected e{std::string(), 0};
    std::size_t i = 0;
    while (i < s.size() && Blank(s[i])) ++i;
    bool quoted = false;
    while (i < s.size() && (quoted || !Blank(s[i]))) {
        if (s[i] == '"') {
            quoted = !quoted;
            ++i;
            continue;
        }
        std::size_t next = model::Step(s, i);
        e.word += s.substr(i, next - i);
        i = next;
    }
    while (i < s.size() && Blank(s[i])) ++i;
    e.arguments = i;
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One byte for the buffer's size, the command line up to a NUL, the
    // header all the rest (NUL bytes included).
    if (!size) return 0;
    std::size_t bufferSize = data[0] % 40;
    const std::uint8_t* end = data + size;
    const std::uint8_t* nul = std::find(data + 1, end, 0);
    std::string line(data + 1, nul);
    model::Text text(line);
    std::vector<char> program(bufferSize ? bufferSize : 1, '\x7F');
    const char* arguments = nullptr;
    bool ok = program_command::Split(text.get(), bufferSize ? program.data() : nullptr, bufferSize, &arguments);
    Expected e = ExpectedSplit(line);
    FUZZ_CHECK(arguments == text.get() + e.arguments);
    FUZZ_CHECK(ok == (!e.word.empty() && e.word.size() < bufferSize));
    if (bufferSize) FUZZ_CHECK(std::string(program.data()) == (ok ? e.word : std::string()));

    // A header of exactly the remaining bytes, on the heap.
    std::vector<unsigned char> header(nul == end ? end : nul + 1, end);
    program_command::Subsystem subsystem = program_command::SubsystemOf(header.data(), header.size());
    if (subsystem != program_command::Subsystem::Unknown) {
        FUZZ_CHECK(header.size() >= 0x40 && header[0] == 'M' && header[1] == 'Z');
        std::size_t pe = header[0x3C] | (header[0x3D] << 8) | (header[0x3E] << 16) |
                         (static_cast<std::size_t>(header[0x3F]) << 24);
        FUZZ_CHECK(pe + 94 <= header.size());
        FUZZ_CHECK(header[pe + 92] == (subsystem == program_command::Subsystem::Gui ? 2 : 3) && header[pe + 93] == 0);
    }
    return 0;
}
