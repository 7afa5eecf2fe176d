// Line-break conversion against a plain model of its rules: a CR LF pair or
// a lone LF becomes CR LF, a lone CR drops its line's text within the chunk,
// a NUL ends the chunk. The output goes to a heap block of exactly the
// documented bound, so a write past it is caught.
#include "common/line_breaks.h"
#include "model.h"

namespace {

std::string Expected(const std::string& chunk) {
    std::string out, line;
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        char c = chunk[i];
        if (c == '\r' && i + 1 < chunk.size() && chunk[i + 1] == '\n') {
            out += line + "\r\n";
            line.clear();
            ++i;
        } else if (c == '\n') {
            out += line + "\r\n";
            line.clear();
        } else if (c == '\r') {
            line.clear();
        } else {
            line += c;
        }
    }
    return out + line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* chunk = reinterpret_cast<const char*>(data);
    std::size_t bound = linebreaks::MaxConvertedLength(size);
    std::unique_ptr<char[]> out(new char[bound]);
    std::size_t written = linebreaks::Convert(chunk, size, out.get());

    std::string expected = Expected(std::string(chunk, strnlen(chunk, size)));
    FUZZ_CHECK(written <= bound);
    FUZZ_CHECK(std::string(out.get(), written) == expected);
    return 0;
}
