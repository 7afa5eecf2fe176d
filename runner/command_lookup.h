// Where the program named by the first word of execute.exe's command line
// is: a name with a folder is taken as written; a bare name is looked for in
// the current folder (Kiln makes that the source's folder) and then along
// PATH, never first beside execute.exe as the system's own search would.
#ifndef KILN_RUNNER_COMMAND_LOOKUP_H
#define KILN_RUNNER_COMMAND_LOOKUP_H

#include <string>

namespace runner {

// The path of an existing file for word, with an extension from PATHEXT
// added to a name that has none. Empty when nothing was found.
std::string FindProgram(const std::string& word);

}  // namespace runner

#endif
