#include "common/path_kind.h"

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

}  // namespace path_kind
