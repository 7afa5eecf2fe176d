// Message kinds and counts on arbitrary bytes: the output lies in a heap
// block of exactly its length, so a read past it is caught; a whole output's
// counts are the kinds of its lines one by one, but for Kiln's own lines,
// and a line that holds no message word's first byte is plain.
#include "common/compiler_messages.h"
#include "common/line_place.h"
#include "model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const char* const kCompilers[] = {"gcc.exe", "lcc.exe", "bcc32.exe", "dcc32.exe",
                                             "cl.exe",  "fpc.exe", "mycc.exe"};
    const LineRules rules = RulesForCompiler(kCompilers[data[0] % 7], "");
    const MessageDialect dialect = rules.dialect;
    std::unique_ptr<char[]> text(new char[size - 1]);
    std::memcpy(text.get(), data + 1, size - 1);
    std::size_t length = size - 1;

    MessageCounts counts = CountMessages(rules, text.get(), length);
    unsigned long errors = 0, warnings = 0;
    for (std::size_t start = 0; start < length;) {
        std::size_t end = start;
        while (end < length && text[end] != '\n') ++end;
        std::size_t n = end - start;
        if (n > 0 && text[start + n - 1] == '\r') --n;
        std::unique_ptr<char[]> line(new char[n]);
        std::memcpy(line.get(), text.get() + start, n);
        MessageKind kind = ClassifyLine(dialect, line.get(), n);
        // Kiln's own lines speak of the source in words and count as nothing.
        bool kilns = n >= 5 && std::memcmp(line.get(), "Kiln:", 5) == 0;
        if (kind == kErrorLine && !kilns) ++errors;
        if (kind == kWarningLine && !kilns) ++warnings;
        bool wordStart = false;
        for (std::size_t i = 0; i < n; ++i) {
            unsigned char c = static_cast<unsigned char>(line[i]);
            wordStart = wordStart || c == 'e' || c == 'E' || c == 'w' || c == 'W' || c == 'n' || c == 'f' ||
                        c == 'F' || c == 'H' || c == 'N' || c == 'C' || c >= 0x80;
        }
        FUZZ_CHECK(wordStart || kind == kPlainLine);
        start = end + 1;
    }
    FUZZ_CHECK(counts.errors == errors && counts.warnings == warnings);
    return 0;
}
