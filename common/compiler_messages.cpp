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

struct WordList {
    const MessageWord* words;
    std::size_t count;
    Anchor anchor;
};

template <std::size_t N>
WordList List(const MessageWord (&words)[N], Anchor anchor) {
    WordList list = {words, N, anchor};
    return list;
}

bool StartsWith(const char* p, const char* end, const char* word) {
    std::size_t n = std::strlen(word);
    return static_cast<std::size_t>(end - p) >= n && std::memcmp(p, word, n) == 0;
}

bool MayStandAt(Anchor anchor, const char* line, const char* p) {
    if (p == line) return true;
    switch (anchor) {
    case kAfterColonBlank: return p - line >= 2 && p[-1] == ' ' && p[-2] == ':';
    case kAfterBlank: return p[-1] == ' ' || p[-1] == '\t';
    default: return false;
    }
}

// The kind of the first word of the list at a place where it may stand;
// kPlainLine when none is found.
MessageKind FindWord(const WordList& list, const char* line, const char* end) {
    for (const char* p = line; p < end;) {
        if (MayStandAt(list.anchor, line, p)) {
            for (std::size_t i = 0; i < list.count; ++i) {
                if (StartsWith(p, end, list.words[i].word)) return list.words[i].kind;
            }
            if (list.anchor == kAtLineStart) break;
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
    return compiler ? compiler->dialect : kNoDialect;
}

MessageKind ClassifyLine(MessageDialect dialect, const char* line, std::size_t length) {
    const char* end = line + length;
    switch (dialect) {
    case kGnuDialect:
        return FindWord(List(kGnuWords, kAfterColonBlank), line, end);
    case kLccDialect: {
        // lcc's lines start with their word; gcc's words may come later.
        MessageKind leading = FindWord(List(kLccWords, kAtLineStart), line, end);
        return leading != kPlainLine ? leading : FindWord(List(kGnuWords, kAfterColonBlank), line, end);
    }
    case kBorlandDialect:
        return FindWord(List(kLeadingWords, kAtLineStart), line, end);
    case kDelphiDialect:
        return FindWord(List(kDelphiWords, kAfterBlank), line, end);
    default:
        return kPlainLine;
    }
}

MessageCounts CountMessages(MessageDialect dialect, const char* text, std::size_t length) {
    MessageCounts counts = {0, 0};
    if (dialect == kNoDialect) return counts;
    const char* end = text + length;
    for (const char* line = text; line < end;) {
        const char* lineEnd = static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
        if (!lineEnd) lineEnd = end;
        std::size_t n = static_cast<std::size_t>(lineEnd - line);
        if (n > 0 && line[n - 1] == '\r') --n;
        MessageKind kind = ClassifyLine(dialect, line, n);
        if (kind == kErrorLine) ++counts.errors;
        if (kind == kWarningLine) ++counts.warnings;
        line = lineEnd + 1;
    }
    return counts;
}
