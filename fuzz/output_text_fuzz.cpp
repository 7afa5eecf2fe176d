// The pane's output conversion against a model that decodes code points:
// the BOM at the start goes, complete ESC [ sequences go from every line, a
// line that decodes as UTF-8 with a code point above 0x7F goes through the
// code-page step, and in every other line each run of bytes from 0x40 up that
// decodes with a code point from 0x800 up goes through it alone, as does the
// UTF-8 end of a run that does not decode; a lead byte left before a line's
// CR becomes "?". Each input is converted with the step and without it (the
// output shown in the code page it came in: the BOM stays). The step here
// turns a code point below 0x800 into "?" and any other into two bytes, so
// that lines both shrink and keep their length. The text lies in a heap
// block of exactly its size.
#include <vector>

#include "common/output_text.h"
#include "model.h"

namespace {

bool Decode(const std::string& s, std::vector<std::uint32_t>* points) {
    points->clear();
    for (std::size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        std::uint32_t cp = n == 1 ? b : b & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            unsigned char c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = cp << 6 | (c & 0x3F);
        }
        static const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[n] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return false;
        points->push_back(cp);
        i += n;
    }
    return true;
}

std::string Step(const std::string& line) {
    std::vector<std::uint32_t> points;
    Decode(line, &points);
    std::string out;
    for (std::uint32_t cp : points) {
        if (cp < 0x80) out += static_cast<char>(cp);
        else if (cp < 0x800) out += '?';
        else out += {static_cast<char>(0x81), static_cast<char>(0x40 + cp % 64)};
    }
    return out;
}

std::size_t StepUnderTest(const char* utf8, std::size_t length, char* out, void* context) {
    FUZZ_CHECK(out == utf8);
    std::string line(utf8, length);
    std::vector<std::uint32_t> points;
    FUZZ_CHECK(Decode(line, &points));
    ++*static_cast<int*>(context);
    std::string converted = Step(line);
    FUZZ_CHECK(converted.size() <= length);
    std::memcpy(out, converted.data(), converted.size());
    return converted.size();
}

std::string WithoutEscapes(const std::string& line) {
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '\x1b' && i + 1 < line.size() && line[i + 1] == '[') {
            std::size_t j = i + 2;
            while (j < line.size() && line[j] >= '0' && line[j] <= '?') ++j;
            while (j < line.size() && line[j] >= ' ' && line[j] <= '/') ++j;
            if (j < line.size() && line[j] >= '@' && line[j] <= '~') {
                i = j + 1;
                continue;
            }
        }
        out += line[i++];
    }
    return out;
}

// Where the UTF-8 end of a run that does not decode begins: the first
// code-page-932 boundary after its first character from which the rest
// decodes, starting with a code point of three UTF-8 bytes or more; the
// run's size for none.
std::size_t Utf8End(const std::string& run) {
    std::vector<std::uint32_t> points;
    for (std::size_t k = model::Step(run, 0); k < run.size(); k = model::Step(run, k)) {
        if (Decode(run.substr(k), &points) && points[0] >= 0x800) return k;
    }
    return run.size();
}

// A line that is not UTF-8 as a whole: each run of bytes from 0x40 up that
// decodes with a code point of three UTF-8 bytes or more goes through the
// step, and of a run that does not decode its UTF-8 end; the bytes below
// 0x40 between the runs stay.
std::string ByPieces(const std::string& line, int* steps) {
    std::string out;
    std::vector<std::uint32_t> points;
    for (std::size_t i = 0; i < line.size();) {
        bool cut = static_cast<unsigned char>(line[i]) < 0x40;
        std::size_t j = i;
        while (j < line.size() && (static_cast<unsigned char>(line[j]) < 0x40) == cut) ++j;
        std::string piece = line.substr(i, j - i);
        bool decodes = Decode(piece, &points);
        bool wide = !cut && decodes &&
                    std::any_of(points.begin(), points.end(), [](std::uint32_t cp) { return cp >= 0x800; });
        std::size_t end = cut || decodes ? piece.size() : Utf8End(piece);
        if (wide || end < piece.size()) ++*steps;
        out += wide ? Step(piece) : end < piece.size() ? piece.substr(0, end) + Step(piece.substr(end)) : piece;
        i = j;
    }
    return out;
}

// A lead byte that ends the line's text right before its CR becomes "?".
std::string KeptBreak(std::string line) {
    if (line.size() < 2 || line.back() != '\r') return line;
    std::string before = line.substr(0, line.size() - 1);
    std::size_t last = 0;
    for (std::size_t k = 0; k < before.size(); k = model::Step(before, k)) last = k;
    if (last == before.size() - 1 && model::Lead(before[last])) line[last] = '?';
    return line;
}

// Without the code-page step (convert false) the BOM stays and only the
// escapes go.
std::string Expected(const std::string& text, bool convert, int* steps) {
    std::size_t start = convert && text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string out;
    std::vector<std::uint32_t> points;
    for (std::size_t i = start; i <= text.size();) {
        std::size_t lf = text.find('\n', i);
        std::size_t end = lf == std::string::npos ? text.size() : lf;
        std::string line = WithoutEscapes(text.substr(i, end - i));
        bool wide = convert && Decode(line, &points) &&
                    std::any_of(points.begin(), points.end(), [](std::uint32_t cp) { return cp > 0x7F; });
        if (wide) ++*steps;
        if (convert) line = wide ? Step(line) : Decode(line, &points) ? line : ByPieces(line, steps);
        out += KeptBreak(line);
        if (lf == std::string::npos) break;
        out += '\n';
        i = lf + 1;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (bool convert : {true, false}) {
        std::unique_ptr<char[]> block(new char[size ? size : 1]);
        std::memcpy(block.get(), data, size);
        int steps = 0;
        outputtext::CodePageStep step = {convert ? StepUnderTest : nullptr, &steps};
        std::size_t written = outputtext::ConvertInPlace(block.get(), size, step);

        int expectedSteps = 0;
        std::string expected = Expected(text, convert, &expectedSteps);
        FUZZ_CHECK(written <= size);
        FUZZ_CHECK(std::string(block.get(), written) == expected);
        FUZZ_CHECK(steps == expectedSteps);
    }
    return 0;
}
