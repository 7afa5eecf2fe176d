// The command line execute.exe is given: its first word names the program,
// the rest is handed on as it stands. Also what kind of file a target is,
// from its name and from the header of a program file.
#ifndef KILN_COMMON_PROGRAM_COMMAND_H
#define KILN_COMMON_PROGRAM_COMMAND_H

#include <cstddef>

namespace program_command {

// Reads the first word of line as Windows reads a program name: leading
// blanks and tabs are skipped, a double quote opens or closes a quoted part
// (the quotes are dropped), and a blank or tab outside quotes ends the word.
// The word goes into program (size bytes); *arguments points at what
// follows the word and the blanks after it. False for an empty word or one
// that does not fit whole (program then holds an empty text).
bool Split(const char* line, char* program, std::size_t size, const char** arguments);

enum class Kind {
    Program,   // .exe or .com: started and waited for
    Script,    // .bat or .cmd: run through the command interpreter
    Document,  // anything else with an extension: opened as the shell opens it
    NoExtension,
};

// From the extension of the file name part (case folded, CP932-aware).
Kind KindOf(const char* path);

// True when the path names a folder or a drive (it holds \, / or :), so it
// is taken as written instead of being looked for along PATH.
bool HasFolder(const char* path);

enum class Subsystem { Unknown, Gui, Console };

// The subsystem in a PE header, from the first size bytes of the file.
Subsystem SubsystemOf(const unsigned char* data, std::size_t size);

}  // namespace program_command

#endif
