#include "common/source_encoding.h"

#include <cstring>
#include <vector>

#include "common/command_words.h"
#include "common/cp932.h"
#include "common/known_compilers.h"
#include "common/output_text.h"
#include "common/path_kind.h"

namespace source_encoding {

namespace {

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWith(const std::string& word, const char* head) { return word.compare(0, std::strlen(head), head) == 0; }

// The value after the option's name, letters folded; "-" or "_" dropped,
// so that utf-8, UTF8 and utf_8 read alike.
std::string FoldedValue(const std::string& word, std::size_t from) {
    std::string value;
    for (std::size_t i = from; i < word.size(); ++i)
        if (word[i] != '-' && word[i] != '_') value += Lower(word[i]);
    return value;
}

const char* const kGnuOptions[] = {"-finput-charset=", "-fexec-charset=", "-fwide-exec-charset="};

// cl takes "/" and "-" alike.
bool IsMsvcOption(const std::string& word, const char* name, bool prefix) {
    if (word.empty() || (word[0] != '/' && word[0] != '-')) return false;
    return prefix ? word.compare(1, std::strlen(name), name) == 0 : word.compare(1, std::string::npos, name) == 0;
}

// What the user's own charset options make the program write.
bool UserOptionsWriteUtf8(Family family, Encoding encoding, const std::vector<std::string>& words) {
    bool inputNamed = false;
    for (const std::string& word : words) {
        if (family == kGnu && StartsWith(word, "-fexec-charset="))
            return FoldedValue(word, std::strlen("-fexec-charset=")) == "utf8";
        if (family == kGnu && StartsWith(word, "-finput-charset=")) inputNamed = true;
        if (family == kMsvc && (IsMsvcOption(word, "utf-8", false) ||
                                (IsMsvcOption(word, "execution-charset:", true) &&
                                 FoldedValue(word, std::strlen("/execution-charset:")) == "utf8")))
            return true;
    }
    // gcc's own execution charset is UTF-8, whatever it read the source as.
    return family == kGnu && (encoding == kUtf8 || encoding == kUtf8Bom || inputNamed);
}

bool IsCFamilyName(const char* path) {
    const char* dot = cp932::FindLast(path_kind::FileName(path), '.');
    if (!dot) return false;
    std::string extension;
    for (const char* p = dot + 1; *p; ++p) extension += Lower(*p);
    for (const char* known : {"c", "cc", "cpp", "cxx", "c++", "h", "hh", "hpp", "hxx"})
        if (extension == known) return true;
    return false;
}

}  // namespace

bool IsCp932(const char* bytes, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;
        if (!cp932::IsLeadByte(c) || i + 1 == length || !IsTrailByte(static_cast<unsigned char>(bytes[i + 1])))
            return false;
        ++i;
    }
    return true;
}

Encoding Classify(const char* bytes, std::size_t length) {
    if (length >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
        return length == 3 || outputtext::IsMultiByteUtf8(bytes, length) ? kUtf8Bom : kNeither;
    std::size_t i = 0;
    while (i < length && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
    if (i == length) return kAscii;
    if (outputtext::IsMultiByteUtf8(bytes, length)) return kUtf8;
    return IsCp932(bytes, length) ? kCp932 : kNeither;
}

const char* Name(Encoding encoding) {
    switch (encoding) {
    case kCp932: return "Shift_JIS";
    case kUtf8: return "UTF-8";
    case kUtf8Bom: return "UTF-8 BOM";
    default: return "";
    }
}

Family FamilyOf(const char* compilerPath) {
    const KnownCompiler* known = FindKnownCompiler(compilerPath);
    if (!known) return kNoOptions;
    for (const char* gnu : {"gcc", "g++", "c++", "cc", "gfortran"})
        if (std::strcmp(known->name, gnu) == 0) return kGnu;
    if (std::strcmp(known->name, "cl") == 0 || std::strcmp(known->name, "clang-cl") == 0) return kMsvc;
    return std::strcmp(known->name, "javac") == 0 ? kJavac : kNoOptions;
}

bool NamesCharsetOption(Family family, const char* compileOption) {
    for (const std::string& word : command_words::SplitArguments(compileOption)) {
        switch (family) {
        case kGnu:
            for (const char* option : kGnuOptions)
                if (StartsWith(word, option)) return true;
            break;
        case kMsvc:
            if (IsMsvcOption(word, "utf-8", false) || IsMsvcOption(word, "source-charset:", true) ||
                IsMsvcOption(word, "execution-charset:", true))
                return true;
            break;
        case kJavac:
            if (word == "-encoding" || word == "--encoding") return true;
            break;
        default:
            break;
        }
    }
    return false;
}

Plan PlanFor(Family family, Encoding encoding, bool fitsCp932, const char* compileOption) {
    Plan plan;
    const bool utf8 = encoding == kUtf8 || encoding == kUtf8Bom;
    // An ASCII source's line stays as it always was; bytes that fit neither
    // are left to the compiler.
    if (encoding == kAscii || encoding == kNeither) return plan;
    if (family == kNoOptions) {
        plan.writesUtf8 = utf8;
        return plan;
    }
    if (NamesCharsetOption(family, compileOption)) {
        plan.writesUtf8 = UserOptionsWriteUtf8(family, encoding, command_words::SplitArguments(compileOption));
        return plan;
    }
    switch (family) {
    case kGnu:
        if (encoding == kCp932)
            plan.options = "-finput-charset=CP932 -fexec-charset=CP932";
        else if (fitsCp932)
            plan.options = "-fexec-charset=CP932";
        else
            plan.writesUtf8 = true;  // gcc refuses a literal code page 932 cannot hold
        break;
    case kMsvc:
        // cl reads a UTF-8 source without a BOM in the system's code page.
        if (encoding == kUtf8) plan.options = "/source-charset:utf-8";
        break;
    default:
        plan.options = encoding == kCp932 ? "-encoding MS932" : "-encoding UTF-8";
        break;
    }
    return plan;
}

bool ReadsCp932AsEscapes(const char* compilerPath, const char* sourcePath) {
    const KnownCompiler* known = FindKnownCompiler(compilerPath);
    bool reads = !known;
    for (const char* name : {"clang", "clang++", "tcc"})
        if (known && std::strcmp(known->name, name) == 0) reads = true;
    return reads && IsCFamilyName(sourcePath);
}

bool FindEscapeTrap(const char* bytes, std::size_t length, Trap* trap) {
    enum { kCode, kLineComment, kBlockComment, kLiteral } state = kCode;
    char quote = 0;
    std::size_t line = 1;
    for (std::size_t i = 0; i < length; ++i) {
        char c = bytes[i];
        if (c == '\n') {
            ++line;
            if (state == kLineComment) state = kCode;
            continue;
        }
        bool pair = cp932::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < length;
        if (pair) {
            if (state == kLiteral && bytes[i + 1] == '\\') {
                trap->line = line;
                trap->character.assign(bytes + i, 2);
                return true;
            }
            ++i;
            continue;
        }
        char next = i + 1 < length ? bytes[i + 1] : '\0';
        switch (state) {
        case kCode:
            if (c == '"' || c == '\'') {
                state = kLiteral;
                quote = c;
            } else if (c == '/' && next == '/') {
                state = kLineComment;
                ++i;
            } else if (c == '/' && next == '*') {
                state = kBlockComment;
                ++i;
            }
            break;
        case kBlockComment:
            if (c == '*' && next == '/') {
                state = kCode;
                ++i;
            }
            break;
        case kLiteral:
            // An escape takes the next byte with it, unless that begins a
            // character of its own, which is looked at next.
            if (c == '\\' && next != '\n' && !cp932::IsLeadByte(static_cast<unsigned char>(next)))
                ++i;
            else if (c == quote)
                state = kCode;
            break;
        default:
            break;
        }
    }
    return false;
}

bool RefusesConversion(const char* output, std::size_t length) {
    std::size_t start = 0;
    while (start < length) {
        const char* end = static_cast<const char*>(std::memchr(output + start, '\n', length - start));
        std::string line(output + start, end ? static_cast<std::size_t>(end - output) - start : length - start);
        // gcc names both sides in ASCII in every language:
        // "conversion from CP932 to UTF-8 not supported by iconv",
        // 「CP932 から UTF-8 への変換は iconv によってサポートされていません」.
        if (line.find("iconv") != std::string::npos && line.find("CP932") != std::string::npos) return true;
        start = end ? static_cast<std::size_t>(end - output) + 1 : length;
    }
    return false;
}

}  // namespace source_encoding
