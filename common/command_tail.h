// The tail of a process command line: everything after the program's own
// name, which Kiln takes whole, quotes and inner blanks included, as the
// source path.
#ifndef KILN_COMMON_COMMAND_TAIL_H
#define KILN_COMMON_COMMAND_TAIL_H

namespace cmdline {

// Skips leading blanks and tabs, the program name (up to its closing quote
// when it starts with one, else up to the next blank or tab), then blanks and
// tabs again. Returns a pointer into commandLine.
const char* Tail(const char* commandLine);
// The same for the command line as Windows holds it (UTF-16, where no
// unit of a character is a blank or a quote).
const wchar_t* Tail(const wchar_t* commandLine);

}  // namespace cmdline

#endif
