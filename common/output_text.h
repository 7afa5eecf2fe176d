// Compiler output as the pane shows it. Compilers of today often write
// UTF-8 (gcc's quotes, Japanese messages, MSYS2 and clang builds), or mix it
// with code page 932 in one output, and colour their diagnostics with ANSI
// escapes. A line that is valid UTF-8 and holds at least one multi-byte
// sequence is handed to a code-page step that turns it into code page 932.
// A line that is not UTF-8 as a whole (gcc writes a code-page-932 file name
// before its UTF-8 message) is cut at bytes below 0x40, and each piece that
// is valid UTF-8 with a sequence of three bytes or more goes to the step on
// its own; so does the UTF-8 end of a piece that begins with code page 932
// (gcc's closing quote right after a code-page-932 text). Everything else
// (ASCII, code page 932) stays byte for byte. Escape sequences (ESC [
// parameters final byte) are removed from every line first, and a UTF-8 byte
// order mark at the very start goes. Whatever the step, a lead byte left
// right before a line's CR becomes "?", so that it cannot take the CR into
// its character.
//
// The code-page step itself lives in the program (it needs the system's
// conversion tables); everything else here is pure.
#ifndef KILN_COMMON_OUTPUT_TEXT_H
#define KILN_COMMON_OUTPUT_TEXT_H

#include <cstddef>

namespace outputtext {

const std::size_t kStepFailed = static_cast<std::size_t>(-1);

// Converts `length` bytes of valid UTF-8 to code page 932 at out, which may
// be the very place of utf8 (the step reads the whole line before it
// writes). Writes at most `length` bytes (no code-page-932 form is longer
// than its UTF-8 one); a character without a code-page-932 form becomes
// "?". Returns the bytes written, or kStepFailed having written nothing.
// A step whose convert is null changes no code page: only the escapes go
// (the output is shown in the code page it came in).
struct CodePageStep {
    std::size_t (*convert)(const char* utf8, std::size_t length, char* out, void* context);
    void* context;
};

// True when the bytes are valid UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF) and at least one of them is not ASCII.
bool IsMultiByteUtf8(const char* text, std::size_t length);

// Length of the escape sequence starting at text[0] (ESC '[' parameter bytes
// 0x30-0x3F, intermediate bytes 0x20-0x2F, one final byte 0x40-0x7E), or 0
// when no complete one starts there.
std::size_t EscapeLength(const char* text, std::size_t length);

// Rewrites the first `length` bytes of text in place, line by line (lines
// end at LF, which stays), and returns the new length, never more than
// `length`. Nothing beyond text[new length - 1] is meaningful afterwards.
std::size_t ConvertInPlace(char* text, std::size_t length, const CodePageStep& step);

}  // namespace outputtext

#endif
