#include "controller/program_path.h"

#include <windows.h>

#include "common/program_command.h"
#include "controller/path_operations.h"
#include "settings/settings_file.h"

bool IsFullPath(const char* path) {
    if (path[0] == '\\' && path[1] == '\\') return true;
    unsigned char drive = static_cast<unsigned char>(path[0]);
    bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return letter && path[1] == ':' && path[2] == '\\';
}

std::string ConfiguredProgramPath(const char* configured) {
    std::string path = UnquotedPath(configured);
    if (path.empty() || IsFullPath(path.c_str())) return path;
    char directory[kPathSize];
    if (!ModuleDirectory(directory)) return std::string();
    // A path from the root goes to the root of Kiln's drive, not the source's.
    std::string joined = path[0] == '\\' ? std::string(directory, directory[1] == ':' ? 2 : 0) + path
                                          : std::string(directory) + "\\" + path;
    // "..\bin\gcc.exe" is resolved here, not by the folder it is used from.
    char full[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(joined.c_str(), sizeof full, full, NULL);
    if (n == 0 || n >= sizeof full) return joined;
    return full;
}

bool IsBatchFile(const char* path) {
    return program_command::KindOf(UnquotedPath(path).c_str()) == program_command::Kind::Script;
}
