#include "error_line.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "cp932.h"

namespace {

// Decimal digits from p on; a number too large for an int stays at INT_MAX
// rather than wrapping into another line.
int ReadDigits(const char* p) {
    long long value = 0;
    for (; cp932::IsDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT_MAX) value = INT_MAX;
    }
    return static_cast<int>(value);
}

// The first `delimiter` directly followed by a digit ends the file part.
int ParseDelimiterForm(char* text, char delimiter) {
    for (char* p = text; *p; p = cp932::Next(p)) {
        if (*p == delimiter && cp932::IsDigit(p[1])) {
            *p = '\0';
            return ReadDigits(p + 1);
        }
    }
    return 0;
}

// The number at the start of a space-form word: leading blanks and one sign
// are allowed; a word that does not start with digits gives 0.
int WordNumber(const char* p) {
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    int value = ReadDigits(p);
    // A line before the first names no line of the file.
    return negative ? 0 : value;
}

bool StartsWithWordNoCase(const char* text, const char* word) {
    std::size_t n = std::strlen(word);
    for (std::size_t i = 0; i < n; ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        char w = word[i];
        if (w >= 'a' && w <= 'z') w = static_cast<char>(w - 'a' + 'A');
        if (c != w) return false;
    }
    return text[n] == ' ';
}

}  // namespace

int ParseColonForm(char* text) { return ParseDelimiterForm(text, ':'); }

int ParseParenForm(char* text) { return ParseDelimiterForm(text, '('); }

bool IsLineNumberWord(const char* space) {
    // The character before the colon, not its byte: a lead byte takes any
    // byte after it along, a digit's byte included.
    const char* previous = nullptr;
    for (const char* p = space + 1; *p; p = cp932::Next(p)) {
        if (*p == ' ') return false;
        if (*p == ':') return previous && cp932::IsDigit(*previous);
        previous = p;
    }
    return false;
}

int ParseSpaceForm(char* text) {
    for (char* p = text; *p; p = cp932::Next(p)) {
        if (*p == ' ' && IsLineNumberWord(p)) {
            *p = '\0';
            return WordNumber(p + 1);
        }
    }
    return 0;
}

void FillJumpOption(char* buffer, int n) {
    char* percent = cp932::FindLast(buffer, '%');
    if (!percent) return;
    *percent = '\0';
    std::size_t used = static_cast<std::size_t>(percent - buffer);
    std::snprintf(percent, kJumpOptionBufferSize - used, "%d", n);
}

const char* SkipMessageWords(const char* filePart) {
    static const char* const kWords[] = {"Error", "Warning", "Fatal"};
    for (const char* word : kWords) {
        if (!StartsWithWordNoCase(filePart, word)) continue;
        const char* rest = filePart + std::strlen(word) + 1;
        // The message code, when one follows: a letter and digits.
        bool letter = (*rest >= 'A' && *rest <= 'Z') || (*rest >= 'a' && *rest <= 'z');
        if (letter && cp932::IsDigit(rest[1])) {
            const char* p = rest + 1;
            while (cp932::IsDigit(*p)) ++p;
            if (*p == ' ') rest = p + 1;
        }
        return *rest ? rest : filePart;
    }
    return filePart;
}

namespace {

const char kIncludedFrom[] = "In file included from ";
const char kFrom[] = "from ";
// The same words from gcc's Japanese catalog, each followed by blanks.
const char kJapaneseIncludedFrom[] = "次のファイルから読み込み:";
const char kJapaneseFrom[] = "次から読み込み:";

// The text after `words` at p, or null when p does not start with them.
const char* After(const char* p, const char* words) {
    std::size_t n = std::strlen(words);
    return std::strncmp(p, words, n) == 0 ? p + n : nullptr;
}

// The file after the Japanese words at p: the blanks they end with go too.
const char* AfterJapaneseWords(const char* p, const char* words) {
    const char* file = After(p, words);
    if (!file || *file != ' ') return nullptr;
    while (*file == ' ') ++file;
    return file;
}

// The text after the include chain's words, or null for another line.
const char* AfterIncludeWords(const char* line) {
    if (const char* file = After(line, kIncludedFrom)) return file;
    const char* p = line;
    while (*p == ' ') ++p;
    if (const char* file = AfterJapaneseWords(p, kJapaneseIncludedFrom)) return file;
    // The following lines are indented under the first one's file.
    if (p == line) return nullptr;
    if (const char* file = After(p, kFrom)) return file;
    return AfterJapaneseWords(p, kJapaneseFrom);
}

}  // namespace

bool IsIncludeChainLine(const char* line) {
    const char* file = AfterIncludeWords(line);
    if (!file || *file == '\0') return false;
    // A location follows the file, as on every line of the chain.
    for (const char* p = file; *p; p = cp932::Next(p)) {
        if (*p == ':' && cp932::IsDigit(p[1])) return true;
    }
    return false;
}

const char* SkipIncludeWords(const char* filePart) {
    const char* file = AfterIncludeWords(filePart);
    return file && *file ? file : filePart;
}
