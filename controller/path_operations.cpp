// Paths may arrive quoted or not; quotes are removed only where a path is used.
//
// Working copies are as long as the path they copy: the current source path
// may hold 511 bytes, and a copy cut to 259 bytes would name another file.
#include <windows.h>

#include <cstring>
#include <string>

#include "common/cp932.h"
#include "common/path_kind.h"
#include "controller/path_operations.h"
#include "settings/settings_file.h"

char* StripQuotes(char* path) {
    if (path[0] == '"') std::memmove(path, path + 1, std::strlen(path + 1) + 1);
    char* quote = cp932::FindFirst(path, '"');
    if (quote) *quote = '\0';
    return path;
}

std::string UnquotedPath(const char* path) {
    std::string copy = path ? path : "";
    StripQuotes(&copy[0]);
    return std::string(copy.c_str());
}

void CutAtLastBackslash(char* path) {
    char* slash = path_kind::LastSeparator(path);
    if (slash) *slash = '\0';
}

std::string FolderOf(const char* path) {
    std::string folder = UnquotedPath(path);
    const char* slash = path_kind::LastSeparator(folder.c_str());
    if (!slash) return std::string();
    folder.resize(static_cast<std::size_t>(slash - folder.c_str()));
    if (folder.empty() || path_kind::IsBareDrive(folder.c_str())) folder.push_back('\\');
    return folder;
}

void FileNamePart(char* destination, const char* path) {
    const char* slash = path_kind::LastSeparator(path);
    const char* name = slash ? slash + 1 : path;
    std::size_t length = std::strlen(name);
    if (slash) {
        const char* quote = cp932::FindLast(name, '"');
        if (quote) length = static_cast<std::size_t>(quote - name);
    }
    // A name that cannot be held whole is given as no name at all rather than
    // as the first part of it, which might be the name of another file.
    if (length >= kPathSize) {
        destination[0] = '\0';
        return;
    }
    std::memcpy(destination, name, length);
    destination[length] = '\0';
}

bool FileExists(const char* path) {
    return PathExists(UnquotedPath(path).c_str());
}

