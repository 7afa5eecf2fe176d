// The program a path in Kiln.ini names, as a full path. Kiln's current
// folder is the source's, which may come from anywhere: a path left for
// Windows to complete would let a program in that folder stand in for the
// configured one. A path without a drive or share is taken from Kiln's own
// folder, where Kiln.ini is.
#ifndef KILN_CONTROLLER_PROGRAM_PATH_H
#define KILN_CONTROLLER_PROGRAM_PATH_H

#include <string>

// The configured (possibly quoted) path made full, ".exe" added to a name
// without an extension; empty for an empty path.
std::string ConfiguredProgramPath(const char* configured);

// True for a .bat or .cmd file: started through cmd.exe, which reads its
// parameters as commands of its own.
bool IsBatchFile(const char* path);

#endif
