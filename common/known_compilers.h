// The compilers whose output Kiln reads, known by their file names: the
// form of their location lines and the words of their messages. The line
// forms and the message words build on this table; it needs neither. No
// windows.h here.
#ifndef KILN_COMMON_KNOWN_COMPILERS_H
#define KILN_COMMON_KNOWN_COMPILERS_H

// How a compiler names a source location in a line (see common/error_line.h).
enum LineForm { kUnsupportedForm, kColonForm, kSpaceForm, kParenForm };

// The words a compiler's messages use (see common/compiler_messages.h).
enum MessageDialect { kNoDialect, kGnuDialect, kLccDialect, kBorlandDialect, kDelphiDialect };

struct KnownCompiler {
    const char* name;
    LineForm form;
    MessageDialect dialect;
};

// The entry for the compiler of this path, by its file name (ASCII letter
// case ignored); null for a compiler not in the table.
const KnownCompiler* FindKnownCompiler(const char* compilerPath);

#endif
