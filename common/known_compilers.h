// The compilers whose output Kiln reads, known by their file names: the
// form of their location lines, the words of their messages, how they count
// columns and the output option a new profile gets. The line forms and the
// message words build on this table; it needs neither. No windows.h here.
#ifndef KILN_COMMON_KNOWN_COMPILERS_H
#define KILN_COMMON_KNOWN_COMPILERS_H

// How a compiler names a source location in a line (see common/line_place.h).
// kAnyForm tries the colon, the parenthesis and the space form in turn.
enum LineForm { kColonForm, kSpaceForm, kParenForm, kAnyForm };

// The words a compiler's messages use (see common/compiler_messages.h).
// kAnyDialect: the GNU words and the MSVC words.
enum MessageDialect {
    kGnuDialect,
    kLccDialect,
    kBorlandDialect,
    kDelphiDialect,
    kMsvcDialect,
    kPascalDialect,
    kAnyDialect,
};

// What a column number counts: gcc 11 and later count display columns (a
// tab to the next tab stop, a double-byte character two), clang bytes.
enum ColumnUnit { kDisplayColumns, kByteColumns };

struct KnownCompiler {
    // Without ".exe". A family name also stands for its cross and versioned
    // names: x86_64-w64-mingw32-g++, gcc-13, clang++-17, gcc-12-posix.
    const char* name;
    bool family;
    LineForm form;
    MessageDialect dialect;
    ColumnUnit columns;
    const char* outputOption;  // what a new profile gets
    // The new profile's option only for the name spelled exactly so (bcc32.exe
    // in small letters), as it always was.
    bool optionNeedsExactName;
    bool outputJoined;  // -ehello.exe, /Fehello.exe, -ohello.exe
};

// The entry for the compiler of this path, by its file name (ASCII letter
// case ignored, ".exe" or none); null for a compiler not in the table.
const KnownCompiler* FindKnownCompiler(const char* compilerPath);

#endif
