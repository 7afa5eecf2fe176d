// What Windows makes of a path's beginning, the way its own path functions
// read it: "\" and "/" are the same separator, two of them in any mix begin
// a share, and "\\.\", "\\?\" and "\??\" reach devices and the object
// namespace. Judging by the first bytes alone let "\/host/share" through as
// a local path. No windows.h here.
#ifndef KILN_COMMON_PATH_KIND_H
#define KILN_COMMON_PATH_KIND_H

namespace path_kind {

enum class Kind {
    Relative,       // "a.c", "sub\a.c", "..\a.c": below the current folder
    DriveRelative,  // "C:a.c": the drive's current folder
    Rooted,         // "\a.c": the current drive's root
    DriveFull,      // "C:\a.c"
    Share,          // "\\host\share", "\/host/share"
    Device,         // "\\.\pipe", "\\?\C:\a.c", "\??\UNC\host\share"
};

Kind Classify(const char* path);

// The last "\" or "/" of a path, stepping by character (a trail byte 0x5C
// is none), or null: the one way a folder is found in a path.
const char* LastSeparator(const char* path);
inline char* LastSeparator(char* path) { return const_cast<char*>(LastSeparator(static_cast<const char*>(path))); }

// The part after the last separator, the file's name (all of it without one).
const char* FileName(const char* path);

// "C:" alone, a drive without a folder: the drive's current folder to
// Windows, so a folder cut down to it needs its root's "\" back.
bool IsBareDrive(const char* path);

// The same place whatever the current folder and drive.
inline bool IsFull(Kind kind) { return kind == Kind::DriveFull || kind == Kind::Share || kind == Kind::Device; }

// Opening it may reach another machine or something that is not a file.
inline bool LeavesTheDisk(Kind kind) { return kind == Kind::Share || kind == Kind::Device; }

// Windows' path functions drop the dots and blanks that end a name, so
// "src\x.\a.c" opens "src\x\a.c", another folder than the one an archive
// made. The first name of path that ends so ("." and ".." aside), or null
// when every name stays as written.
const char* NameWindowsChanges(const char* path);

}  // namespace path_kind

#endif
