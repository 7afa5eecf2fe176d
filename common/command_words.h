// The words Kiln puts on other programs' command lines. A name taken from
// a folder that someone else made must stay one name: not two words, not an
// option, not a response file, and not text that cmd.exe would act on.
// Every scan steps by CP932 character. No windows.h here.
#ifndef KILN_COMMON_COMMAND_WORDS_H
#define KILN_COMMON_COMMAND_WORDS_H

#include <cstddef>
#include <string>
#include <vector>

namespace command_words {

// The word in double quotes as the C runtime reads them back: backslashes
// right before the closing quote are doubled, or "a b\" would escape it
// and swallow the word after it. The word holds no double quote of its own.
std::string Quoted(const std::string& word);

// A file name as one argument of the compiler: in double quotes when it
// holds a blank or a tab, with ".\" before it when it begins with "-" or
// "@" (an option or a response file to gcc and its kin); any other name
// stays bare, so that the compiler's messages name it as before.
std::string CompilerArgument(const char* name, std::size_t length);

// The built program's name as the first word given to the aid program:
// quoted when it holds a blank, a tab or one of & | < > ^ % ( ) , ; = !
std::string AidTarget(const std::string& name);

// Splits a command tail into arguments as the C runtime does: blanks and
// tabs separate, double quotes group, 2n backslashes before a quote give n
// and the quote groups, 2n+1 give n and a literal quote, and "" inside a
// quoted part is a literal quote. Double-byte characters are copied whole.
std::vector<std::string> SplitArguments(const char* tail);

// The tail that hands each argument to a batch file as that one argument,
// with cmd.exe's special characters inside double quotes; bare where
// nothing needs it. False, with *refused set to the argument, when an
// argument holds what no quoting keeps from cmd.exe: a double quote, a
// "%" or a line break, or a lead byte without a valid trail byte (cmd.exe
// would read the byte after it, a quote perhaps, on its own).
bool BatchTail(const std::vector<std::string>& arguments, std::string* tail, std::string* refused);

// One word for a batch file's command line: in double quotes when it is
// empty or holds a blank or one of cmd.exe's special characters, else bare.
// False, with nothing written, when no quoting keeps it from cmd.exe: a
// double quote, a "%", a line break or a broken double-byte character.
bool BatchWord(const std::string& word, std::string* out);

// Whether quotes keep the text from cmd.exe: no double quote, "%" or line
// break, and every double-byte character whole. A batch file's own path
// must pass too.
bool KeptFromShell(const char* text);

// cmd.exe's command line that runs the batch file with the tail (made of
// BatchWords and the user's own options): no AutoRun commands, no "!"
// expansion whatever the registry says, and /s so that only the outer
// quotes are taken off.
std::string BatchCommandLine(const std::string& interpreter, const std::string& script, const std::string& tail);

// Whether the text holds a character that cmd.exe would act on where it is
// not quoted, or that separates a batch file's arguments.
bool HasShellSpecial(const char* text);

// True when every double-byte character of the text is whole and valid.
bool WellFormed(const char* text);

}  // namespace command_words

#endif
