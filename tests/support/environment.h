// The test process's own current directory and PATH.
#ifndef KILN_TESTS_SUPPORT_ENVIRONMENT_H
#define KILN_TESTS_SUPPORT_ENVIRONMENT_H

#include <string>

namespace testing_support {

std::string CurrentDirectory();

// Read through the wide function: Wine's GetEnvironmentVariableA ends a
// value with double-byte characters early (at its length in characters).
std::string PathVariable();

// System32 and the Windows folder, as they follow a program's own on PATH.
std::string SystemFolders();

// Puts the process's current directory and PATH back, so that the temporary
// folders can be removed and the next case starts clean.
struct EnvironmentGuard {
    std::string directory = CurrentDirectory();
    std::string path = PathVariable();
    ~EnvironmentGuard();
};

}  // namespace testing_support

#endif
