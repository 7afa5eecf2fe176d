#include "common/path_kind.h"

#include <string>

#include "common/cp932.h"

namespace path_kind {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

Kind Classify(const char* p) {
    if (IsSeparator(p[0])) {
        if (IsSeparator(p[1])) {
            bool device = (p[2] == '.' || p[2] == '?') && (IsSeparator(p[3]) || p[3] == '\0');
            return device ? Kind::Device : Kind::Share;
        }
        // The object manager's own prefix, which the path functions pass on
        // untouched: "\??\UNC\host\share" is a share under another name.
        if (p[1] == '?' && p[2] == '?' && IsSeparator(p[3])) return Kind::Device;
        return Kind::Rooted;
    }
    // Any one character before the colon names a drive to Windows, a
    // double-byte one too.
    if (p[0] == '\0') return Kind::Relative;
    const char* colon = cp932::Next(p);
    if (*colon != ':') return Kind::Relative;
    return IsSeparator(colon[1]) ? Kind::DriveFull : Kind::DriveRelative;
}

const char* LastSeparator(const char* path) {
    const char* last = nullptr;
    for (const char* p = path; *p; p = cp932::Next(p)) {
        if (IsSeparator(*p)) last = p;
    }
    return last;
}

const char* FileName(const char* path) {
    const char* separator = LastSeparator(path);
    return separator ? separator + 1 : path;
}

bool IsBareDrive(const char* path) { return Classify(path) == Kind::DriveRelative && cp932::Next(path)[1] == '\0'; }

const char* NameWindowsChanges(const char* path) {
    const char* name = path;
    for (const char* p = path;; p = cp932::Next(p)) {
        if (*p != '\0' && !IsSeparator(*p)) continue;
        std::size_t length = static_cast<std::size_t>(p - name);
        bool dots = length <= 2 && std::string(name, length).find_first_not_of('.') == std::string::npos;
        // A dot or blank is never a trail byte: the byte before the end ends a character.
        if (length > 0 && !dots && (p[-1] == '.' || p[-1] == ' ')) return name;
        if (*p == '\0') return nullptr;
        name = p + 1;
    }
}

}  // namespace path_kind
