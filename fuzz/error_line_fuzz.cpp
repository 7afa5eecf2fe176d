// The error-line parsers, the compiler table, FillJumpOption, the words
// before a file and the line reader on arbitrary bytes, against the index
// model: each parser cuts the first qualifying place and nothing else, the
// cut file part is a prefix of the line, the line number is 0 or the value of
// the digits the line holds there, and nothing is read past a terminator;
// a place's file is a piece of its line, and a column's offset never splits
// a character.
#include "common/error_line.h"
#include "common/line_place.h"
#include "model.h"

namespace {

const char* const kCompilers[] = {"gcc.exe", "g++.exe", "javac.exe", "bcc32.exe", "lcc.exe", "dcc32.exe"};
const LineForm kCompilerForms[] = {kColonForm, kColonForm, kColonForm, kSpaceForm, kSpaceForm, kParenForm};

struct Cut {
    std::size_t at;  // npos: the line names no place
    long long number;
};

Cut DelimiterCut(const std::string& s, char delimiter) {
    for (std::size_t i = 0; i < s.size(); i = model::Step(s, i)) {
        if (s[i] == delimiter && i + 1 < s.size() && model::Digit(s[i + 1])) return {i, model::DigitsValue(s, i + 1)};
    }
    return {std::string::npos, 0};
}

// The word after the space at `space` reaches a colon before any space, and
// the character right before that colon is a digit.
bool Qualifies(const std::string& s, std::size_t space) {
    std::size_t before = std::string::npos;
    for (std::size_t i = space + 1; i < s.size(); i = model::Step(s, i)) {
        if (s[i] == ' ') return false;
        if (s[i] == ':') return before != std::string::npos && model::Step(s, before) == i && model::Digit(s[before]);
        before = i;
    }
    return false;
}

long long WordNumber(const std::string& s, std::size_t i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    long long value = model::DigitsValue(s, i);
    return negative ? 0 : value;
}

Cut SpaceCut(const std::string& s) {
    for (std::size_t i = 0; i < s.size(); i = model::Step(s, i)) {
        if (s[i] == ' ' && Qualifies(s, i)) return {i, WordNumber(s, i + 1)};
    }
    return {std::string::npos, 0};
}

Cut ExpectedCut(LineForm form, const std::string& s) {
    switch (form) {
    case kColonForm: return DelimiterCut(s, ':');
    case kSpaceForm: return SpaceCut(s);
    case kParenForm: return DelimiterCut(s, '(');
    default: return {std::string::npos, 0};
    }
}

// Returns the cut text, for the checks of what the editor is given.
std::string CheckParser(LineForm form, const std::string& line) {
    model::Text text(line);
    int n = form == kColonForm ? ParseColonForm(text.get())
            : form == kSpaceForm ? ParseSpaceForm(text.get())
                                 : ParseParenForm(text.get());
    Cut cut = ExpectedCut(form, line);
    if (cut.at == std::string::npos) {
        FUZZ_CHECK(n == 0);
        FUZZ_CHECK(std::memcmp(text.get(), line.c_str(), line.size() + 1) == 0);
        return line;
    }
    FUZZ_CHECK(n == cut.number);
    FUZZ_CHECK(text.get()[cut.at] == '\0');
    FUZZ_CHECK(std::memcmp(text.get(), line.data(), cut.at) == 0);
    FUZZ_CHECK(std::memcmp(text.get() + cut.at + 1, line.c_str() + cut.at + 1, line.size() - cut.at) == 0);
    return line.substr(0, cut.at);
}

void CheckLineNumberWords(const std::string& line) {
    model::Text text(line);
    for (std::size_t i = 0; i < line.size(); i = model::Step(line, i)) {
        if (line[i] == ' ') FUZZ_CHECK(IsLineNumberWord(text.get() + i) == Qualifies(line, i));
    }
}

bool StartsWithWord(const std::string& s, const std::string& word) {
    if (s.size() <= word.size() || s[word.size()] != ' ') return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (model::Upper(s[i]) != model::Upper(word[i])) return false;
    }
    return true;
}

std::size_t ExpectedSkip(const std::string& s) {
    for (const char* word : {"Error", "Warning", "Fatal"}) {
        if (!StartsWithWord(s, word)) continue;
        std::size_t rest = std::strlen(word) + 1;
        char c = rest < s.size() ? s[rest] : '\0';
        if (((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && rest + 1 < s.size() && model::Digit(s[rest + 1])) {
            std::size_t p = rest + 1;
            while (p < s.size() && model::Digit(s[p])) ++p;
            if (p < s.size() && s[p] == ' ') rest = p + 1;
        }
        return rest < s.size() ? rest : 0;
    }
    return 0;
}

// The include chain's words before a colon-form file part, when a file
// follows: English, or gcc's Japanese ones (in this build's encoding of the
// literals, as in the code under test) with the blanks after them.
std::size_t ExpectedIncludeSkip(const std::string& s) {
    const std::string first = "In file included from ";
    if (s.compare(0, first.size(), first) == 0) return s.size() > first.size() ? first.size() : 0;
    std::size_t p = 0;
    while (p < s.size() && s[p] == ' ') ++p;
    auto japanese = [&](const std::string& words) -> std::size_t {
        std::size_t q = p + words.size();
        if (s.compare(p, words.size(), words) != 0 || q >= s.size() || s[q] != ' ') return 0;
        while (q < s.size() && s[q] == ' ') ++q;
        return q < s.size() ? q : 0;
    };
    if (std::size_t q = japanese("次のファイルから読み込み:")) return q;
    if (p == 0) return 0;
    if (s.compare(p, 5, "from ") == 0) return s.size() > p + 5 ? p + 5 : 0;
    return japanese("次から読み込み:");
}

void CheckSkips(const std::string& filePart) {
    model::Text text(filePart);
    FUZZ_CHECK(SkipMessageWords(text.get()) == text.get() + ExpectedSkip(filePart));
    FUZZ_CHECK(SkipIncludeWords(text.get()) == text.get() + ExpectedIncludeSkip(filePart));
}

// Filled in a heap block of exactly the documented size: what stands before
// the last "%" stays, the decimal number follows, as much as fits.
std::string CheckFillJumpOption(const std::string& option, int n) {
    std::string cut = option.substr(0, kJumpOptionBufferSize - 1);
    std::unique_ptr<char[]> buffer(new char[kJumpOptionBufferSize]);
    std::memcpy(buffer.get(), cut.c_str(), cut.size() + 1);
    FillJumpOption(buffer.get(), n);
    std::string filled(buffer.get());
    std::size_t percent = model::LastChar(cut, '%');
    if (percent == std::string::npos) {
        FUZZ_CHECK(filled == cut);
    } else {
        std::string whole = cut.substr(0, percent) + std::to_string(n);
        FUZZ_CHECK(filled == whole.substr(0, kJumpOptionBufferSize - 1));
    }
    return filled;
}

void CheckCompilerTable(const std::string& path) {
    model::Text text(path);
    std::size_t slash = model::LastSeparator(path);
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const KnownCompiler* known = FindKnownCompiler(text.get());
    for (std::size_t i = 0; i < sizeof kCompilers / sizeof *kCompilers; ++i) {
        if (model::EqualFolded(name, kCompilers[i])) FUZZ_CHECK(known && known->form == kCompilerForms[i]);
    }
    // Only the file name counts, whatever folders stand before it, and a
    // known name holds its family's, in any letters.
    model::Text bare(name);
    FUZZ_CHECK(FindKnownCompiler(bare.get()) == known);
    if (known) {
        std::string upper = name, family = known->name;
        for (char& c : upper) c = model::Upper(c);
        for (char& c : family) c = model::Upper(c);
        FUZZ_CHECK(upper.find(family) != std::string::npos);
    }
}

// Blanks, tildes and at least one caret.
bool ExpectedCaretLine(const std::string& s) {
    bool caret = false;
    for (char c : s) {
        if (c == '^') caret = true;
        else if (c != '~' && c != ' ' && c != '\t') return false;
    }
    return caret;
}

void CheckPlace(const std::string& path, const std::string& option, const std::string& line, const std::string& next) {
    model::Text text(line);
    model::Text after(next);
    const LineRules rules = RulesForCompiler(path.c_str(), option.c_str());
    FUZZ_CHECK(IsCaretLine(after.get()) == ExpectedCaretLine(next));
    LinePlace place = ReadLinePlace(rules, text.get(), line.size(), after.get());
    FUZZ_CHECK(place.line >= 0 && place.column >= 0);
    // Over carets the line is a quote of the source, whatever it holds.
    if (ExpectedCaretLine(next)) FUZZ_CHECK(place.line == 0);
    FUZZ_CHECK(place.line > 0 || place.file.empty());
    if (place.line > 0) FUZZ_CHECK(!place.file.empty() && line.find(place.file) != std::string::npos);
    std::size_t at = ColumnOffset(rules, text.get(), line.size(), place.column ? place.column : static_cast<int>(line.size()));
    FUZZ_CHECK(at <= line.size());
    std::size_t boundary = 0;
    while (boundary < at) boundary = model::Step(line, boundary);
    FUZZ_CHECK(boundary == at);
}

}  // namespace

// Input: a control byte (the compiler name appended to the path, and how the
// line number is taken), four bytes of a line number, then the line, the
// JumpOption template, the compiler path and the line after the line,
// separated by NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    model::Pieces pieces(data, size);
    unsigned char control = pieces.Byte();
    unsigned number = 0;
    for (int i = 0; i < 4; ++i) number = number << 8 | pieces.Byte();
    std::string line = pieces.Next();
    std::string option = pieces.Next();
    std::string path = pieces.Next();
    if (control & 8) path += kCompilers[(control >> 4) % 6];

    CheckCompilerTable(path);
    CheckLineNumberWords(line);
    {
        model::Text text(line);
        // A chain line is one whose words a file and a location follow.
        bool chain = IsIncludeChainLine(text.get());
        std::size_t skip = ExpectedIncludeSkip(line);
        FUZZ_CHECK(!chain || (skip > 0 && DelimiterCut(line.substr(skip), ':').at != std::string::npos));
    }
    for (LineForm form : {kColonForm, kSpaceForm, kParenForm}) {
        std::string filePart = CheckParser(form, line);
        int n = static_cast<int>(ExpectedCut(form, line).number);
        CheckFillJumpOption(option, control & 1 ? n : static_cast<int>(number));
        CheckSkips(filePart);
    }
    CheckPlace(path, option, line, pieces.Next());
    return 0;
}
