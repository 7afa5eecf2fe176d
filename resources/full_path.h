// What Windows makes of an (unquoted) path against the current folder, the
// one way Kiln and execute.exe ask for it: slashes become backslashes, "."
// and ".." go, and so do a last name's trailing dots and blanks. Empty when
// it makes nothing.
#ifndef KILN_RESOURCES_FULL_PATH_H
#define KILN_RESOURCES_FULL_PATH_H

#include <windows.h>

#include <string>

inline std::string FullPath(const std::string& path) {
    DWORD needed = path.empty() ? 0 : GetFullPathNameA(path.c_str(), 0, NULL, NULL);
    if (needed == 0) return std::string();
    std::string full(needed, '\0');
    DWORD n = GetFullPathNameA(path.c_str(), needed, &full[0], NULL);
    if (n == 0 || n >= needed) return std::string();
    full.resize(n);
    return full;
}

#endif
