// One reading of one line of compiler output: the place it names (file,
// line, column) and what kind of message it is. The jump, F4 and Shift+F4,
// Enter and the status bar's counts all read a line through here, by the
// rules of the selected compiler. No windows.h here.
#ifndef KILN_COMMON_LINE_PLACE_H
#define KILN_COMMON_LINE_PLACE_H

#include <cstddef>
#include <string>

#include "common/compiler_messages.h"
#include "common/known_compilers.h"

struct LineRules {
    LineForm form;
    MessageDialect dialect;
    ColumnUnit columns;
    int tabStop;
};

// The rules of the compiler of this path: its table entry (any other name
// reads every form), with gcc's -fdiagnostics-column-unit= and -ftabstop=
// from the profile's options, the last one of each winning as in gcc.
LineRules RulesForCompiler(const char* compilerPath, const char* compileOption);

struct LinePlace {
    std::string file;  // as the line names it, the words before it left out
    int line;          // 0: the line names no place
    int column;        // 0: none
    MessageKind kind;
    bool includeStep;  // gcc's "In file included from a.c:2:" and its "from" lines
};

// The `length` bytes at `text` hold no line break. `next` is the line after
// it (NUL-ended), null for none: gcc 8 and older and clang quote the source
// under a message as it stands ("     x = a ? 1:2;"), and only the carets
// under the quote tell it is one.
LinePlace ReadLinePlace(const LineRules& rules, const char* text, std::size_t length, const char* next);

// A line of nothing but carets and tildes under a quote of the source:
// "         ^", "   ~~^~~". The line above it is source text and names no
// place, whatever colons and digits it holds.
bool IsCaretLine(const char* text);

// Errors and warnings in a whole output of lines ended by LF or CR LF.
MessageCounts CountMessages(const LineRules& rules, const char* text, std::size_t length);

// The byte offset in one line of the source's text (CP932, `length` bytes)
// of the column the compiler named, counted in its unit; never inside a
// double-byte character, at most the line's end. Column 0 or 1: its start.
std::size_t ColumnOffset(const LineRules& rules, const char* text, std::size_t length, int column);

#endif
