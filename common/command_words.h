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

// Whether the text holds a character that cmd.exe would act on where it is
// not quoted, or that separates a batch file's arguments.
bool HasShellSpecial(const char* text);

// True when every double-byte character of the text is whole and valid.
bool WellFormed(const char* text);

}  // namespace command_words

#endif
