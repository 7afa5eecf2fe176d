// What a line of compiler output says by the words its compiler prints for
// an error, a warning or a note: the compile summary counts errors and
// warnings, and the step to the next error line passes over notes. No
// windows.h here.
#ifndef KILN_COMMON_COMPILER_MESSAGES_H
#define KILN_COMMON_COMPILER_MESSAGES_H

#include <cstddef>

#include "common/known_compilers.h"

// The dialects of common/known_compilers.h, by the words they use:
//   gnu      gcc, g++, javac: "error:", "fatal error:", "warning:", "note:"
//            and the Japanese "エラー:", "致命的エラー:", "警告:", "備考:",
//            at the start of a line or after ": "
//   lcc      as gnu, and a line that starts with "Error " or "Warning "
//   borland  bcc32: a line that starts with "Error", "Fatal" or "Warning"
//   delphi   dcc32: "Error:", "Fatal:", "Warning:", "Hint:" (a warning), at
//            the start of a line or after a blank
//   msvc     cl, clang-cl: "error C2065:", "fatal error C1083:", "warning
//            C4996:", "error LNK2019:" (a word, a code, a colon), "note:",
//            at the start of a line or after ": "
//   pascal   fpc: "Error:", "Fatal:", "Warning:"; "Note:" and "Hint:" are
//            notes; at the start of a line or after a blank
//   any      any other compiler: the gnu words, then the msvc words

enum MessageKind { kPlainLine, kErrorLine, kWarningLine, kNoteLine };

// By the compiler's file name, ASCII letter case ignored; kAnyDialect for a
// compiler not in the table.
MessageDialect DialectForCompiler(const char* compilerPath);

// The kind of the `length` bytes at `line` (no line break in them): the
// first message word found from the start of the line decides.
MessageKind ClassifyLine(MessageDialect dialect, const char* line, std::size_t length);

struct MessageCounts {
    unsigned long errors;
    unsigned long warnings;
};

#endif
