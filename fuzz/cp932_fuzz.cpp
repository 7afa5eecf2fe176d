// The CP932 helpers on arbitrary bytes, each against the index model of
// character stepping: where scans stop, what the fitting copies keep, which
// texts compare equal with letter case folded, and the file-name part.
#include "common/cp932.h"
#include "common/path_kind.h"
#include "model.h"

namespace {

void CheckStepping(model::Text& text, const std::string& s) {
    const char* begin = text.get();
    std::size_t i = 0;
    for (const char* p = begin; *p; p = cp932::Next(p)) {
        FUZZ_CHECK(static_cast<std::size_t>(p - begin) == i);
        i = model::Step(s, i);
    }
    FUZZ_CHECK(i == s.size());
    FUZZ_CHECK(cp932::Next(begin + s.size()) == begin + s.size());
}

std::size_t Offset(const char* found, const char* begin) {
    return found ? static_cast<std::size_t>(found - begin) : std::string::npos;
}

void CheckSearches(model::Text& text, const std::string& s, char ch) {
    const char* begin = text.get();
    std::size_t first = std::string::npos, firstBlank = std::string::npos;
    for (std::size_t i = 0; i < s.size(); i = model::Step(s, i)) {
        if (s[i] == ch && first == std::string::npos) first = i;
        bool blank = !model::Lead(s[i]) && (s[i] == ' ' || s[i] == '\t' || s[i] == ch);
        if (blank && firstBlank == std::string::npos) firstBlank = i;
    }
    FUZZ_CHECK(Offset(cp932::FindFirst(begin, ch), begin) == first);
    FUZZ_CHECK(Offset(cp932::FindLast(begin, ch), begin) == model::LastChar(s, ch));
    const char set[] = {' ', '\t', ch, '\0'};
    FUZZ_CHECK(Offset(cp932::FindFirstOf(begin, set), begin) == firstBlank);

    std::size_t slash = model::LastSeparator(s);
    std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    FUZZ_CHECK(path_kind::FileName(begin) == begin + name);
}

void CheckFitting(const std::string& s, std::size_t maxBytes) {
    std::size_t fit = 0;
    while (fit < s.size() && model::Step(s, fit) <= maxBytes) fit = model::Step(s, fit);
    model::Text text(s);
    FUZZ_CHECK(cp932::FittingLength(text.get(), maxBytes) == fit);

    std::unique_ptr<char[]> field(new char[maxBytes + 1]);
    bool whole = cp932::CopyFitting(field.get(), maxBytes + 1, text.get());
    FUZZ_CHECK(whole == (fit == s.size()));
    FUZZ_CHECK(std::string(field.get()) == s.substr(0, fit));

    cp932::CutToFit(text.get(), maxBytes);
    FUZZ_CHECK(text.str() == s.substr(0, fit));
}

int Sign(int v) { return (v > 0) - (v < 0); }

// Folds the single-byte letters only, stepping by character.
std::string FoldedCopy(const std::string& s, bool upper) {
    std::string out = s;
    for (std::size_t i = 0; i < out.size(); i = model::Step(out, i)) {
        if (model::Lead(out[i])) continue;
        char c = out[i];
        if (upper && c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

void CheckComparison(const std::string& a, const std::string& b) {
    model::Text x(a), y(b), upper(FoldedCopy(a, true)), lower(FoldedCopy(a, false));
    int ab = cp932::CompareNoCase(x.get(), y.get());
    FUZZ_CHECK(Sign(ab) == -Sign(cp932::CompareNoCase(y.get(), x.get())));
    FUZZ_CHECK((ab == 0) == model::EqualFolded(a, b));
    FUZZ_CHECK(cp932::CompareNoCase(x.get(), x.get()) == 0);
    FUZZ_CHECK(cp932::EqualNoCase(upper.get(), lower.get()));
    FUZZ_CHECK(Sign(cp932::CompareNoCase(upper.get(), y.get())) == Sign(ab));
}

}  // namespace

// Input: one byte for the room of the fitting copies and the searched byte,
// then two texts separated by a NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    model::Pieces pieces(data, size);
    unsigned char control = pieces.Byte();
    std::string a = pieces.Next();
    std::string b = pieces.Next();
    const char searched[] = {'\\', ':', '.', '"'};

    model::Text text(a);
    CheckStepping(text, a);
    CheckSearches(text, a, searched[control & 3]);
    CheckFitting(a, control >> 2);
    CheckFitting(a, a.size() > (control & 3u) ? a.size() - (control & 3u) : 0);  // near the end
    CheckComparison(a, b);
    return 0;
}
