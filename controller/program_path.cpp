#include "controller/program_path.h"

#include <windows.h>

#include "common/cp932.h"
#include "common/path_kind.h"
#include "common/program_command.h"
#include "controller/path_operations.h"
#include "settings/settings_file.h"

namespace {

// The place a path names, against Kiln's folder where it needs a folder at
// all: "..\bin\gcc.exe" is resolved here, not by the folder it is used from.
std::string AgainstKilnFolder(const std::string& path) {
    path_kind::Kind kind = path_kind::Classify(path.c_str());
    if (path_kind::IsFull(kind)) return path;
    char directory[kPathSize];
    if (!ModuleDirectory(directory)) return std::string();
    const bool onDrive = path_kind::Classify(directory) == path_kind::Kind::DriveFull;
    const std::string drive(directory, onDrive ? static_cast<std::size_t>(cp932::Next(directory) + 1 - directory) : 0);
    switch (kind) {
    case path_kind::Kind::Rooted:
        // From the root of Kiln's drive, not the source's.
        return drive + path;
    case path_kind::Kind::DriveRelative: {
        // "C:gcc.exe" would be the drive's current folder, which may be the
        // source's: the drive's root is meant.
        const char* rest = cp932::Next(path.c_str()) + 1;
        return std::string(path.c_str(), rest) + "\\" + rest;
    }
    default:
        return std::string(directory) + "\\" + path;
    }
}

}  // namespace

std::string ConfiguredProgramPath(const char* configured) {
    std::string path = UnquotedPath(configured);
    if (path.empty()) return path;
    std::string joined = AgainstKilnFolder(path);
    if (joined.empty()) return joined;
    std::string full = FullPath(joined);
    if (!full.empty()) joined = full;
    // Old settings name "...\bin\gcc" as a search would have found it; the
    // search is not made, its one guess is.
    if (!cp932::FindFirst(path_kind::FileName(joined.c_str()), '.')) joined += ".exe";
    return joined;
}

bool IsBatchFile(const char* path) {
    return program_command::KindOf(UnquotedPath(path).c_str()) == program_command::Kind::Script;
}
