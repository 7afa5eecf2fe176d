#include "common/line_place.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "common/cp932.h"
#include "common/error_line.h"
#include "common/path_kind.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int ReadNumber(const char* p, const char** end) {
    long long value = 0;
    for (; cp932::IsDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT_MAX) value = INT_MAX;
    }
    *end = p;
    return static_cast<int>(value);
}

// gcc's and clang's quotes of the source under a message: "    8 |   x = 1;"
// and "      |   ^~~~". The source text in them names no place, whatever
// colons and digits it holds.
bool IsSourceQuote(const char* text) {
    const char* p = text;
    while (IsBlank(*p)) ++p;
    while (cp932::IsDigit(*p)) ++p;
    if (p == text || (!IsBlank(p[-1]) && !cp932::IsDigit(p[-1]))) return false;
    while (*p == ' ') ++p;
    return *p == '|';
}

}  // namespace

bool IsCaretLine(const char* text) {
    bool caret = false;
    for (const char* p = text; *p; ++p) {
        if (*p == '^') caret = true;
        else if (*p != '~' && !IsBlank(*p)) return false;
    }
    return caret;
}

namespace {

// MSBuild puts the project's number before each line of a parallel build.
const char* AfterBuildPrefix(const char* text) {
    const char* p = text;
    while (cp932::IsDigit(*p)) ++p;
    return p > text && *p == '>' ? p + 1 : text;
}

const char* AfterBlanks(const char* p) {
    while (IsBlank(*p)) ++p;
    return p;
}

bool IsDrive(path_kind::Kind kind) {
    return kind == path_kind::Kind::DriveFull || kind == path_kind::Kind::DriveRelative;
}

// Where nothing tells which compiler wrote the line, a file part must look
// like a file: no colon but a drive's, none of < > |.
bool LooksLikeFile(const char* file) {
    if (!*file) return false;
    for (const char* p = file; *p; p = cp932::Next(p)) {
        if (*p == '<' || *p == '>' || *p == '|') return false;
        if (*p == ':' && !(p == cp932::Next(file) && IsDrive(path_kind::Classify(file)))) return false;
    }
    return true;
}

// A column after the line's number: ":5" before a colon, a blank or the end.
int ColonColumn(const char* p) {
    if (*p != ':' || !cp932::IsDigit(p[1])) return 0;
    const char* end = nullptr;
    int column = ReadNumber(p + 1, &end);
    return *end == ':' || IsBlank(*end) || *end == '\0' ? column : 0;
}

// file:line[:column] -- the first colon with a digit after it.
bool ReadColonForm(char* text, bool strict, LinePlace* place) {
    std::string whole = text;
    int n = ParseColonForm(text);
    if (n <= 0) return false;
    const char* digits = whole.c_str() + std::strlen(text) + 1;
    const char* end = nullptr;
    ReadNumber(digits, &end);
    const char* file = AfterBlanks(SkipIncludeWords(text));
    if (strict && !LooksLikeFile(file)) return false;
    place->line = n;
    place->column = ColonColumn(end);
    place->file = file;
    place->includeStep = IsIncludeChainLine(whole.c_str());
    return true;
}

// file(line[,column]) before a colon, a blank or the end: cl's
// "a.c(5): error", fpc's "h.pas(3,11) Error:". A folder "New (2)" has a
// backslash after its parenthesis and is passed over.
bool ReadParenForm(char* text, bool strict, LinePlace* place) {
    for (char* p = text; *p; p = cp932::Next(p)) {
        if (*p != '(' || !cp932::IsDigit(p[1])) continue;
        const char* end = nullptr;
        int n = ReadNumber(p + 1, &end);
        int column = 0;
        if (*end == ',' && cp932::IsDigit(end[1])) column = ReadNumber(end + 1, &end);
        if (*end != ')' || (end[1] != ':' && !IsBlank(end[1]) && end[1] != '\0') || n <= 0) continue;
        *p = '\0';
        const char* file = AfterBlanks(text);
        if (strict && !LooksLikeFile(file)) return false;
        place->line = n;
        place->column = column;
        place->file = file;
        return true;
    }
    return false;
}

// dcc32's lines as it always read them: the first "(" with a digit after it.
bool ReadLooseParenForm(char* text, LinePlace* place) {
    int n = ParseParenForm(text);
    if (n <= 0) return false;
    place->line = n;
    place->file = AfterBlanks(text);
    return true;
}

// "Error E2451 hello.c 5: ..." (bcc32, lcc).
bool ReadSpaceForm(char* text, bool strict, LinePlace* place) {
    int n = ParseSpaceForm(text);
    if (n <= 0) return false;
    const char* file = SkipMessageWords(AfterBlanks(text));
    if (strict && !LooksLikeFile(file)) return false;
    place->line = n;
    place->file = file;
    return true;
}

bool ReadPlace(const LineRules& rules, char* text, LinePlace* place) {
    switch (rules.form) {
    case kColonForm: return ReadColonForm(text, false, place);
    case kSpaceForm: return ReadSpaceForm(text, false, place);
    case kParenForm:
        // A failed strict reading leaves the text whole for the loose one.
        return ReadParenForm(text, false, place) ||
               (rules.dialect == kDelphiDialect && ReadLooseParenForm(text, place));
    default: {
        // Each form on a fresh copy: a failed one has cut the text.
        std::string copy = text;
        if (ReadColonForm(&copy[0], true, place)) return true;
        copy = text;
        if (ReadParenForm(&copy[0], true, place)) return true;
        return ReadSpaceForm(text, true, place);
    }
    }
}

bool OptionValue(const char* word, const char* name, const char** value) {
    std::size_t n = std::strlen(name);
    if (std::strncmp(word, name, n) != 0) return false;
    *value = word + n;
    return true;
}

}  // namespace

LineRules RulesForCompiler(const char* compilerPath, const char* compileOption) {
    const KnownCompiler* compiler = FindKnownCompiler(compilerPath);
    LineRules rules = {kAnyForm, kAnyDialect, kByteColumns, 8};
    if (!compiler) return rules;
    rules.form = compiler->form;
    rules.dialect = compiler->dialect;
    rules.columns = compiler->columns;
    if (compiler->columns != kDisplayColumns || !compileOption) return rules;
    std::string options = compileOption;
    for (char* word = std::strtok(&options[0], " \t"); word; word = std::strtok(nullptr, " \t")) {
        const char* value = nullptr;
        if (OptionValue(word, "-fdiagnostics-column-unit=", &value)) {
            if (std::strcmp(value, "byte") == 0) rules.columns = kByteColumns;
            if (std::strcmp(value, "display") == 0) rules.columns = kDisplayColumns;
        } else if (OptionValue(word, "-ftabstop=", &value)) {
            const char* end = nullptr;
            int n = cp932::IsDigit(*value) ? ReadNumber(value, &end) : 0;
            // gcc ignores a width outside 1 to 100.
            if (end && *end == '\0' && n >= 1 && n <= 100) rules.tabStop = n;
        }
    }
    return rules;
}

LinePlace ReadLinePlace(const LineRules& rules, const char* text, std::size_t length, const char* next) {
    LinePlace place = {std::string(), 0, 0, kPlainLine, false};
    // Kiln's own lines name the source's places in words: no place, no count.
    if (length >= 5 && std::memcmp(text, "Kiln:", 5) == 0) return place;
    place.kind = ClassifyLine(rules.dialect, text, length);
    // For the place a NUL ends the text, as it ends what the pane shows.
    std::string line(text, length);
    line.resize(std::strlen(line.c_str()));
    if (IsSourceQuote(line.c_str()) || (next && IsCaretLine(next))) return place;
    const char* start = line.c_str();
    if (rules.dialect == kMsvcDialect || rules.dialect == kAnyDialect) start = AfterBuildPrefix(start);
    std::string work = start;
    LinePlace found = place;
    // A place needs a file: ":5:" alone names none.
    if (ReadPlace(rules, &work[0], &found) && !found.file.empty()) place = found;
    return place;
}

MessageCounts CountMessages(const LineRules& rules, const char* text, std::size_t length) {
    MessageCounts counts = {0, 0};
    const char* end = text + length;
    for (const char* line = text; line < end;) {
        const char* lineEnd = static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
        if (!lineEnd) lineEnd = end;
        std::size_t n = static_cast<std::size_t>(lineEnd - line);
        if (n > 0 && line[n - 1] == '\r') --n;
        MessageKind kind = ReadLinePlace(rules, line, n, nullptr).kind;  // the next line takes only a place
        if (kind == kErrorLine) ++counts.errors;
        if (kind == kWarningLine) ++counts.warnings;
        line = lineEnd + 1;
    }
    return counts;
}

std::size_t ColumnOffset(const LineRules& rules, const char* text, std::size_t length, int column) {
    std::size_t at = 0;
    long counted = 1;  // the column of the character at `at`
    while (at < length && counted < column) {
        std::size_t width = cp932::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < length ? 2 : 1;
        long next = counted + static_cast<long>(width);
        if (rules.columns == kDisplayColumns && text[at] == '\t')
            next = ((counted - 1) / rules.tabStop + 1) * rules.tabStop + 1;
        // A column inside a character points at the character.
        if (next > column) break;
        at += width;
        counted = next;
    }
    return at;
}
