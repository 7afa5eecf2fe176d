#include "common/compiler_messages.h"

#include <cstring>

#include "common/cp932.h"

namespace {

// Where a message word may stand in a line.
enum Anchor {
    kAtLineStart,
    kAfterColonBlank,  // at the start, or right after ": "
    kAfterBlank,       // at the start, or right after a blank or a tab
};

struct MessageWord {
    const char* word;
    MessageKind kind;
};

const MessageWord kGnuWords[] = {
    {"error:", kErrorLine},      {"fatal error:", kErrorLine}, {"エラー:", kErrorLine},
    {"致命的エラー:", kErrorLine},
    {"warning:", kWarningLine},  {"警告:", kWarningLine},   {"note:", kNoteLine},
    {"備考:", kNoteLine},
};
const MessageWord kLeadingWords[] = {
    {"Error ", kErrorLine},   {"Error:", kErrorLine},   {"Fatal ", kErrorLine},
    {"Fatal:", kErrorLine},   {"Warning ", kWarningLine}, {"Warning:", kWarningLine},
};
// lcc's own lines: no "Fatal", and only with a blank after the word.
const MessageWord kLccWords[] = {{"Error ", kErrorLine}, {"Warning ", kWarningLine}};
const MessageWord kDelphiWords[] = {
    {"Error:", kErrorLine}, {"Fatal:", kErrorLine}, {"Warning:", kWarningLine}, {"Hint:", kWarningLine},
};
// Free Pascal: a note and a hint explain, they are not counted.
const MessageWord kPascalWords[] = {
    {"Error:", kErrorLine}, {"Fatal:", kErrorLine},  {"Warning:", kWarningLine},
    {"Note:", kNoteLine},   {"Hint:", kNoteLine},
};

bool StartsWith(const char* p, const char* end, const char* word) {
    std::size_t n = std::strlen(word);
    return static_cast<std::size_t>(end - p) >= n && std::memcmp(p, word, n) == 0;
}

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

// MSVC's words name a code before their colon: "error C2065:", "fatal error
// C1083:", "warning C4996:", "error LNK2019:", "Command line warning D9002 :".
MessageKind MsvcWordAt(const char* p, const char* end) {
    static const MessageWord kWords[] = {
        {"fatal error ", kErrorLine},          {"error ", kErrorLine},
        {"warning ", kWarningLine},            {"Command line error ", kErrorLine},
        {"Command line warning ", kWarningLine},
    };
    if (StartsWith(p, end, "note:")) return kNoteLine;
    for (const MessageWord& word : kWords) {
        if (!StartsWith(p, end, word.word)) continue;
        const char* q = p + std::strlen(word.word);
        const char* letters = q;
        while (q < end && IsUpper(*q)) ++q;
        const char* digits = q;
        while (q < end && cp932::IsDigit(*q)) ++q;
        if (q < end && *q == ' ') ++q;
        if (digits > letters && q > digits && q < end && *q == ':') return word.kind;
    }
    return kPlainLine;
}

template <std::size_t N>
MessageKind ListWordAt(const MessageWord (&words)[N], const char* p, const char* end) {
    for (const MessageWord& word : words) {
        if (StartsWith(p, end, word.word)) return word.kind;
    }
    return kPlainLine;
}

MessageKind GnuWordAt(const char* p, const char* end) { return ListWordAt(kGnuWords, p, end); }
MessageKind AnyWordAt(const char* p, const char* end) {
    MessageKind kind = GnuWordAt(p, end);
    return kind != kPlainLine ? kind : MsvcWordAt(p, end);
}
MessageKind LeadingWordAt(const char* p, const char* end) { return ListWordAt(kLeadingWords, p, end); }
MessageKind LccWordAt(const char* p, const char* end) { return ListWordAt(kLccWords, p, end); }
MessageKind DelphiWordAt(const char* p, const char* end) { return ListWordAt(kDelphiWords, p, end); }
MessageKind PascalWordAt(const char* p, const char* end) { return ListWordAt(kPascalWords, p, end); }

typedef MessageKind (*WordAt)(const char* p, const char* end);

bool MayStandAt(Anchor anchor, const char* line, const char* p) {
    if (p == line) return true;
    switch (anchor) {
    case kAfterColonBlank: return p - line >= 2 && p[-1] == ' ' && p[-2] == ':';
    case kAfterBlank: return p[-1] == ' ' || p[-1] == '\t';
    default: return false;
    }
}

// The kind of the first word at a place where it may stand; kPlainLine when
// none is found.
MessageKind FindWord(WordAt wordAt, Anchor anchor, const char* line, const char* end) {
    for (const char* p = line; p < end;) {
        if (MayStandAt(anchor, line, p)) {
            MessageKind kind = wordAt(p, end);
            if (kind != kPlainLine) return kind;
            if (anchor == kAtLineStart) break;
        }
        // By character: a trail byte is never taken for the blank or colon
        // that lets a word stand after it.
        p += cp932::IsLeadByte(static_cast<unsigned char>(*p)) && p + 1 < end ? 2 : 1;
    }
    return kPlainLine;
}

}  // namespace

MessageDialect DialectForCompiler(const char* compilerPath) {
    const KnownCompiler* compiler = FindKnownCompiler(compilerPath);
    return compiler ? compiler->dialect : kAnyDialect;
}

MessageKind ClassifyLine(MessageDialect dialect, const char* line, std::size_t length) {
    const char* end = line + length;
    switch (dialect) {
    case kGnuDialect:
        return FindWord(GnuWordAt, kAfterColonBlank, line, end);
    case kLccDialect: {
        // lcc's lines start with their word; gcc's words may come later.
        MessageKind leading = FindWord(LccWordAt, kAtLineStart, line, end);
        return leading != kPlainLine ? leading : FindWord(GnuWordAt, kAfterColonBlank, line, end);
    }
    case kBorlandDialect:
        return FindWord(LeadingWordAt, kAtLineStart, line, end);
    case kDelphiDialect:
        return FindWord(DelphiWordAt, kAfterBlank, line, end);
    case kMsvcDialect:
        return FindWord(MsvcWordAt, kAfterColonBlank, line, end);
    case kPascalDialect:
        return FindWord(PascalWordAt, kAfterBlank, line, end);
    default:
        return FindWord(AnyWordAt, kAfterColonBlank, line, end);
    }
}
