// The source's classification and the literal search on arbitrary bytes:
// the class agrees with the bytes, the character found lies inside the text
// with 0x5C as its second byte, on a line the text has.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/source_encoding.h"

using namespace source_encoding;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    Encoding encoding = Classify(text.data(), text.size());
    bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    // A byte order mark says UTF-8, whatever follows it.
    const bool marked = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if ((encoding == kAscii) != ascii && !marked) std::abort();
    if (encoding == kCp932 && !IsCp932(text.data(), text.size())) std::abort();
    if (encoding == kNeither && IsCp932(text.data(), text.size()) && !marked) std::abort();

    Trap trap;
    if (FindEscapeTrap(text.data(), text.size(), &trap)) {
        if (trap.character.size() != 2 || trap.character[1] != '\\') std::abort();
        if (trap.line == 0 || trap.line > static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1)
            std::abort();
        if (text.find(trap.character) == std::string::npos) std::abort();
    }
    // Kiln's options only where the line is to change, never for ASCII.
    for (Family family : {kNoOptions, kGnu, kMsvc, kJavac}) {
        Plan plan = PlanFor(family, encoding, size % 2 == 0, text.c_str());
        if (!plan.options.empty() && (encoding == kAscii || NamesCharsetOption(family, text.c_str()))) std::abort();
        RefusesConversion(text.data(), text.size());
    }
    return 0;
}
