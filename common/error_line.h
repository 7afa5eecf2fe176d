// The line forms' parsers that common/line_place.h builds on, and the
// editor's line option. The three forms follow what the compilers print:
//   colon form        C:\work\a.c:12:5: error: ...         (gcc, g++, javac)
//   space form        Error E2451 hello.c 5: Undefined ... (bcc32, lcc)
//   parenthesis form  Unit1.pas(30) Error: ...             (dcc32, cl, fpc)
// Each parser cuts the line in place so that what remains is the file part,
// and gives the line number, or 0 when the line names no location. Every
// scan steps by CP932 character. No windows.h here.
#ifndef KILN_COMMON_ERROR_LINE_H
#define KILN_COMMON_ERROR_LINE_H

#include <cstddef>

int ParseColonForm(char* text);
int ParseSpaceForm(char* text);
int ParseParenForm(char* text);

// Space form: whether the word after the space at `space` ends in a colon
// with at least one digit right before it, before any further space.
bool IsLineNumberWord(const char* space);

// Replaces everything from the template's last "%" on with the line number:
// "/jl=%N" and 12 give "/jl=12". A template without "%" stays as it is.
// buffer holds kJumpOptionBufferSize bytes.
enum { kJumpOptionBufferSize = 512 };
void FillJumpOption(char* buffer, int n);

// The space form's file part without a leading "Error", "Warning" or "Fatal"
// word and the message code after it, if any ("Error E2451 hello.c" ->
// "hello.c"), so that the editor opens one file, not three.
const char* SkipMessageWords(const char* filePart);

// gcc's include chain names the including files: "In file included from
// hello.c:2:" and then "                 from b.h:3:" (a comma instead of the
// last colon when more follow); in Japanese "次のファイルから読み込み: hello.c:2:"
// and "         次から読み込み: b.h:3:". True for such a line.
bool IsIncludeChainLine(const char* line);

// The colon form's file part without the include chain's words before it
// ("In file included from hello.c" -> "hello.c").
const char* SkipIncludeWords(const char* filePart);

#endif
