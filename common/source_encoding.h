// What a source file's bytes are, what its compiler must be told so that
// the program writes code page 932 (the console's), and where nothing can
// make a code-page-932 source right. No windows.h here: whether a UTF-8
// text fits code page 932 is the caller's to say.
#ifndef KILN_COMMON_SOURCE_ENCODING_H
#define KILN_COMMON_SOURCE_ENCODING_H

#include <cstddef>
#include <string>

namespace source_encoding {

// kNeither: bytes that are neither valid UTF-8 nor valid code page 932.
enum Encoding { kAscii, kUtf8Bom, kUtf8, kCp932, kNeither };

// ASCII only wins over everything; then UTF-8 (a text that is both valid
// UTF-8 and valid code page 932 is far likelier UTF-8), then code page 932.
Encoding Classify(const char* bytes, std::size_t length);

// True when every byte is a whole code-page-932 character.
bool IsCp932(const char* bytes, std::size_t length);

// The status bar's name: "Shift_JIS", "UTF-8", "UTF-8 BOM"; empty for ASCII
// and for bytes that fit neither.
const char* Name(Encoding encoding);

// Whose charset options a compiler takes.
enum Family { kNoOptions, kGnu, kMsvc, kJavac };
// By the compiler's file name, as common/known_compilers reads it.
Family FamilyOf(const char* compilerPath);

// True when the options name one of that family's own charset options,
// which then decide alone.
bool NamesCharsetOption(Family family, const char* compileOption);

struct Plan {
    std::string options;  // put before CompileOption; empty: the line as it was
    bool writesUtf8 = false;  // the built program writes UTF-8, not code page 932
};

// fitsCp932: every character of a UTF-8 source has a code-page-932 form.
Plan PlanFor(Family family, Encoding encoding, bool fitsCp932, const char* compileOption);

// A compiler without charset options that reads C escapes (clang, tcc, a
// name Kiln does not know) on a C-family source.
bool ReadsCp932AsEscapes(const char* compilerPath, const char* sourcePath);

// The first string or character literal of a code-page-932 C source that
// holds a double-byte character whose second byte is 0x5C ("\"): its line
// (from 1) and the character's two bytes. Comments are passed over.
struct Trap {
    std::size_t line = 0;
    std::string character;
};
bool FindEscapeTrap(const char* bytes, std::size_t length, Trap* trap);

// The compiler's output says that it cannot convert to or from code page
// 932 (a gcc built without iconv), in English or Japanese.
bool RefusesConversion(const char* output, std::size_t length);

}  // namespace source_encoding

#endif
